#include "base/Clock.h"
#include "cli/ModelCommands.h"
#include "cli/SimulateCommand.h"

#include <CLI/CLI.hpp>
#include <atomic>
#include <csignal>
#include <unistd.h>

namespace {

std::atomic<bool> cancelRequested{false};
// The signal that asked first, for the exit code; only lock-free atomics are safe in a handler.
std::atomic<int> cancelSignal{0};
static_assert(std::atomic<bool>::is_always_lock_free && std::atomic<int>::is_always_lock_free);

extern "C" void OnInterrupt(int signal) {
    int none = 0;
    cancelSignal.compare_exchange_strong(none, signal);
    cancelRequested.store(true);
}

// The first Ctrl-C asks the run to stop before its next year; a second one ends the program.
void CatchInterrupt() {
    struct sigaction action = {};
    action.sa_handler = OnInterrupt;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"orvane-cli: reliability of power distribution networks by Monte Carlo "
                 "simulation.\n\nReads a network, either drawn in the Orvane editor (a .vlm "
                 "file) or described in NDL\ntext, simulates it year by year until the "
                 "reliability indices (SAIFI, SAIDI,\nCAIFI, CAIDI, ASUI, ASAI, ENS, AENS, ACCI "
                 "and each load point's failure rate,\noutage duration, unavailability and "
                 "energy not supplied) are known to the\naccuracy set in the network's "
                 "simulation settings, and writes a text and an\nHTML report.",
                 "orvane-cli"};
    app.require_subcommand(1);
    app.footer("Examples:\n"
               "  orvane-cli check examples/two-feeders.vlm\n"
               "      checks that every drawn component is connected (the editor's Debug).\n"
               "  orvane-cli ndl examples/two-feeders.vlm > two-feeders.ndl\n"
               "      writes the drawing as NDL text (the editor's Generate NDL).\n"
               "  orvane-cli simulate examples/two-feeders.vlm --out reports\n"
               "      writes reports/two-feeders/two-feeders.txt and .htm, and "
               "reports/Bar.bmp.\n"
               "  orvane-cli simulate examples/two-feeders.ndl --out reports\n"
               "      the same from NDL text.\n\n"
               "Exit codes: 0 done (check: the network passes), 1 the network has an error\n"
               "(check: it does not pass), 2 bad arguments or files, 130 cancelled with "
               "Ctrl-C,\n143 cancelled with SIGTERM.");

    orvane::cli::SimulateOptions options;
    bool quiet = false;
    CLI::App* simulate = app.add_subcommand(
        "simulate", "Simulate a network and write its reports (Ctrl-C cancels cleanly).");
    simulate
        ->add_option("NETWORK", options.network,
                     "The network: a drawing (.vlm), checked and turned into NDL first as the "
                     "editor's Simulate does, or an NDL text file")
        ->required();
    simulate
        ->add_option("--out", options.outDir,
                     "Directory for the reports (default: the current directory); the "
                     "reports go to DIR/TITLE/")
        ->type_name("DIR");
    simulate
        ->add_option("--name", options.title,
                     "Network title for the report heading and file names (default: the "
                     "file's base name)")
        ->type_name("TITLE");
    simulate->add_flag("--quiet,-q", quiet, "No progress line");
    simulate
        ->add_option("--json", options.jsonPath,
                     "Also write every index with its relative accuracy as JSON")
        ->type_name("FILE");

    std::string drawing;
    CLI::App* check = app.add_subcommand(
        "check", "Check that every drawn component is connected (lists those that are not).");
    check->add_option("NETWORK", drawing, "The drawn network (.vlm)")->required();
    CLI::App* ndl =
        app.add_subcommand("ndl", "Print the NDL text of a drawn network, after the same check.");
    ndl->add_option("NETWORK", drawing, "The drawn network (.vlm)")->required();

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return code == 0 ? 0 : orvane::cli::ExitUsage;
    }

    if (simulate->parsed()) {
        options.progress = !quiet && isatty(STDERR_FILENO);
        CatchInterrupt();
        orvane::SteadyClock clock;
        const int code =
            orvane::cli::IsDrawingFile(options.network)
                ? orvane::cli::SimulateDrawing(options, &cancelRequested, clock, stdout, stderr)
                : orvane::cli::Simulate(options, &cancelRequested, clock, stdout, stderr);
        if (code == orvane::cli::ExitCancelled)
            return orvane::cli::CancelledExitCode(cancelSignal.load());
        return code;
    }
    if (check->parsed())
        return orvane::cli::Check(drawing, stdout, stderr);
    if (ndl->parsed())
        return orvane::cli::PrintNdl(drawing, stdout, stderr);
    return orvane::cli::ExitUsage;
}

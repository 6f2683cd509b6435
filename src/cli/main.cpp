#include "base/Clock.h"
#include "base/Version.h"
#include "cli/CompareCommand.h"
#include "cli/ImportCommand.h"
#include "cli/ModelCommands.h"
#include "cli/NdlCheck.h"
#include "cli/SimulateCommand.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <thread>
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
    // At most one command; none is refused after parsing, so that an unknown option is named
    // first rather than hidden behind "a subcommand is required".
    app.require_subcommand(0, 1);
    app.set_version_flag("--version", std::string("orvane-cli ") + orvane::Version,
                         "Print the version and exit");
    app.footer("Examples:\n"
               "  orvane-cli check examples/two-feeders.vlm\n"
               "      checks that every drawn component is connected (the editor's Debug).\n"
               "  orvane-cli ndl examples/two-feeders.vlm > two-feeders.ndl\n"
               "      writes the drawing as NDL text (the editor's Generate NDL).\n"
               "  orvane-cli simulate examples/two-feeders.vlm --out reports\n"
               "      writes reports/two-feeders/two-feeders.txt and .htm, and "
               "reports/Bar.bmp.\n"
               "  orvane-cli simulate examples/two-feeders.ndl --out reports\n"
               "      the same from NDL text.\n"
               "  orvane-cli simulate - --quiet --json - < net.ndl > result.json\n"
               "      NDL from standard input, the figures as JSON on standard output.\n"
               "  orvane-cli compare feeder.ndl feeder-with-isolator.ndl\n"
               "      the change in every index from one variant to the other, with its 95%\n"
               "      interval, on common random numbers.\n"
               "  orvane-cli import pandapower examples/pandapower-ring.json \\\n"
               "      --reliability examples/pandapower-ring.csv -o ring.vlm\n"
               "      draws a pandapower network with its failure and repair data.\n\n"
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
                     "editor's Simulate does, or an NDL text file; - reads NDL from standard "
                     "input (title \"stdin\")")
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
                     "Also write every index with its relative accuracy, unit and the settings "
                     "as JSON; - prints it on standard output in place of the summary")
        ->type_name("FILE");
    simulate
        ->add_option("--csv", options.csvDir,
                     "Also write system.csv and loadpoints.csv (indices with their relative "
                     "accuracies) in DIR")
        ->type_name("DIR");
    uint64_t seed = 0;
    CLI::Option* seedOption =
        simulate
            ->add_option("--seed", seed,
                         "Draw from the 64-bit generator's streams of this seed instead of the "
                         "one default sequence")
            ->type_name("S");
    simulate
        ->add_option("--replicas", options.replicas,
                     "Independent replicas, each on its own stream, merged year by year "
                     "(default 1); the year settings count the merged years")
        ->type_name("R")
        ->check(CLI::Range(1u, 100000u));
    options.jobs = std::max(1u, std::thread::hardware_concurrency());
    simulate
        ->add_option("--jobs,-j", options.jobs,
                     "Threads that run the replicas (default: the number of cores); the "
                     "results do not depend on it")
        ->type_name("N")
        ->check(CLI::Range(1u, 4096u));

    std::string drawing;
    CLI::App* check = app.add_subcommand(
        "check", "Check a network without simulating it: that every drawn component is "
                 "connected (lists those that are not), or that NDL text reads without error.");
    check
        ->add_option("NETWORK", drawing,
                     "The drawn network (.vlm) or an NDL text file; - reads NDL from standard "
                     "input")
        ->required();
    CLI::App* ndl =
        app.add_subcommand("ndl", "Print the NDL text of a drawn network, after the same check.");
    ndl->add_option("NETWORK", drawing, "The drawn network (.vlm)")->required();

    orvane::cli::ImportOptions imported;
    std::string format;
    CLI::App* import = app.add_subcommand(
        "import", "Turn another program's network and its reliability data into NDL text or a "
                  "drawing; what is left out is listed.");
    import->add_option("FORMAT", format, "The network's format: pandapower (its JSON file)")
        ->required()
        ->check(CLI::IsMember({"pandapower"}));
    import->add_option("NETWORK", imported.network, "The network file (NET.json)")->required();
    import
        ->add_option("--reliability,-r", imported.reliability,
                     "CSV table of failure rates, repair and switching times per element type "
                     "or element, and customers per load")
        ->type_name("FILE")
        ->required();
    import
        ->add_option("--output,-o", imported.output,
                     "NAME.ndl for NDL text, NAME.vlm for a drawing, - for NDL on standard "
                     "output")
        ->type_name("FILE")
        ->required();

    orvane::cli::CompareOptions compared;
    CLI::App* compare = app.add_subcommand(
        "compare", "Simulate two variants of a network on common random numbers and print "
                   "every index of both, their difference B - A and its 95% interval.");
    compare->add_option("A", compared.a, "The first variant (.vlm drawing or NDL text)")
        ->required();
    compare->add_option("B", compared.b, "The second variant (.vlm drawing or NDL text)")
        ->required();
    compare
        ->add_option("--seed", compared.seed,
                     "Seed of the streams both variants draw from (default 1)")
        ->type_name("S");
    compare
        ->add_option("--json", compared.jsonPath,
                     "Also write the comparison as JSON; - prints it on standard output in "
                     "place of the table")
        ->type_name("FILE");
    bool compareQuiet = false;
    compare->add_flag("--quiet,-q", compareQuiet, "No progress line");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return code == 0 ? 0 : orvane::cli::ExitUsage;
    }

    // A command that simulates: Ctrl-C and SIGTERM cancel it, and its exit code says which.
    const auto cancellable = [](auto run) {
        CatchInterrupt();
        orvane::SteadyClock clock;
        const int code = run(clock);
        return code == orvane::cli::ExitCancelled
                   ? orvane::cli::CancelledExitCode(cancelSignal.load())
                   : code;
    };
    if (simulate->parsed()) {
        options.progress = !quiet && isatty(STDERR_FILENO);
        if (seedOption->count() > 0)
            options.seed = seed;
        return cancellable([&](orvane::Clock& clock) {
            if (options.network == orvane::cli::StandardStream)
                return orvane::cli::SimulateStream(options, stdin, &cancelRequested, clock, stdout,
                                                   stderr);
            if (orvane::cli::IsDrawingFile(options.network))
                return orvane::cli::SimulateDrawing(options, &cancelRequested, clock, stdout,
                                                    stderr);
            return orvane::cli::Simulate(options, &cancelRequested, clock, stdout, stderr);
        });
    }
    if (compare->parsed()) {
        compared.progress = !compareQuiet && isatty(STDERR_FILENO);
        return cancellable([&](orvane::Clock& clock) {
            return orvane::cli::Compare(compared, &cancelRequested, clock, stdout, stderr);
        });
    }
    if (check->parsed())
        return orvane::cli::IsDrawingFile(drawing)
                   ? orvane::cli::Check(drawing, stdout, stderr)
                   : orvane::cli::CheckNdl(drawing, stdin, stdout, stderr);
    if (ndl->parsed())
        return orvane::cli::PrintNdl(drawing, stdout, stderr);
    if (import->parsed())
        return orvane::cli::ImportPandapower(imported, stdout, stderr);
    std::fprintf(stderr, "A command is required: simulate, compare, check, ndl or import\n"
                         "Run with --help for more information.\n");
    return orvane::cli::ExitUsage;
}

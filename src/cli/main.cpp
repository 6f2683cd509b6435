#include "cli/SimulateCommand.h"
#include "engine/Clock.h"

#include <CLI/CLI.hpp>
#include <atomic>
#include <csignal>
#include <unistd.h>

namespace {

std::atomic<bool> cancelRequested{false};

extern "C" void OnInterrupt(int) {
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
                 "simulation.\n\nReads a network described in NDL, simulates it year by year "
                 "until the reliability\nindices (SAIFI, SAIDI, CAIFI, CAIDI, ASUI, ASAI, ENS, "
                 "AENS, ACCI and each load\npoint's failure rate, outage duration, unavailability "
                 "and energy not supplied)\nare known to the accuracy set in the network's "
                 "system definition, and writes\na text and an HTML report.",
                 "orvane-cli"};
    app.require_subcommand(1);
    app.footer("Example:\n  orvane-cli simulate examples/two-feeders.ndl --out reports\n"
               "  writes reports/two-feeders/two-feeders.txt and .htm, and reports/Bar.bmp.\n\n"
               "Exit codes: 0 done, 1 the network has an error, 2 bad arguments or files,\n"
               "130 cancelled with Ctrl-C.");

    orvane::cli::SimulateOptions options;
    bool quiet = false;
    CLI::App* simulate = app.add_subcommand(
        "simulate", "Simulate a network and write its reports (Ctrl-C cancels cleanly).");
    simulate->add_option("NETWORK", options.network, "The network: an NDL text file")->required();
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
        return orvane::cli::Simulate(options, &cancelRequested, clock, stdout, stderr);
    }
    return orvane::cli::ExitUsage;
}

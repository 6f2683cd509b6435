// orvane-mpi: the seeded replicas of one study spread over the processes of an MPI job, on one
// machine or many. Process 0 writes the reports and prints the summary; the results equal
// those of `orvane-cli simulate` with the same seed and replicas.
#include "base/Clock.h"
#include "cli/ModelCommands.h"
#include "cli/SimulateCommand.h"
#include "mpi/MpiReplicaRun.h"

#include <CLI/CLI.hpp>
#include <mpi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

int main(int argc, char** argv) {
    MPI_Init(&argc, &argv);
    int rank = 0;
    int size = 1;
    MPI_Comm_rank(MPI_COMM_WORLD, &rank);
    MPI_Comm_size(MPI_COMM_WORLD, &size);

    CLI::App app{"orvane-mpi: the replicas of one reliability study over the processes of an MPI "
                 "job.\nRun it with mpirun, e.g. mpirun -np 8 --hostfile hosts orvane-mpi "
                 "NETWORK --replicas 64.",
                 "orvane-mpi"};
    orvane::cli::SimulateOptions options;
    uint64_t seed = 0;
    app.add_option("NETWORK", options.network, "The network: a drawing (.vlm) or an NDL text file")
        ->required();
    app.add_option("--out", options.outDir, "Directory for the reports")->type_name("DIR");
    app.add_option("--name", options.title, "Network title")->type_name("TITLE");
    app.add_option("--json", options.jsonPath, "Also write the figures as JSON")->type_name("FILE");
    app.add_option("--seed", seed, "Seed of the replicas' streams (default 0)")->type_name("S");
    app.add_option("--replicas", options.replicas,
                   "Independent replicas (default: one per process)")
        ->type_name("R")
        ->check(CLI::Range(1u, 100000u));
    options.jobs = 1;
    app.add_option("--jobs,-j", options.jobs, "Threads per process (default 1)")
        ->type_name("N")
        ->check(CLI::Range(1u, 4096u));
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = rank == 0 ? app.exit(e) : 0;
        MPI_Finalize();
        return code == 0 ? 0 : orvane::cli::ExitUsage;
    }
    if (app.get_option("--replicas")->count() == 0)
        options.replicas = static_cast<uint32_t>(size);
    options.seed = seed;
    options.replicaRuns = [rank, size](orvane::Simulation& master,
                                       std::vector<std::unique_ptr<orvane::Simulation>> replicas,
                                       uint32_t jobs) {
        return std::make_unique<orvane::MpiReplicaRun>(master, std::move(replicas), jobs, rank,
                                                       size);
    };

    // Every process runs the whole study; the others write into a folder of their own that
    // goes when they are done.
    std::filesystem::path scratch;
    std::FILE* out = stdout;
    std::FILE* err = stderr;
    if (rank != 0) {
        char pattern[] = "/tmp/orvane-mpi-XXXXXX";
        if (char* made = mkdtemp(pattern))
            scratch = made;
        options.outDir = scratch.string();
        options.jsonPath.clear();
        out = std::fopen("/dev/null", "w");
        err = out;
    }
    orvane::SteadyClock clock;
    const int code = orvane::cli::IsDrawingFile(options.network)
                         ? orvane::cli::SimulateDrawing(options, nullptr, clock, out, err)
                         : orvane::cli::Simulate(options, nullptr, clock, out, err);
    if (rank != 0) {
        if (out != nullptr)
            std::fclose(out);
        std::error_code ignored;
        std::filesystem::remove_all(scratch, ignored);
    }
    MPI_Finalize();
    return code;
}

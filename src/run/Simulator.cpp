#include "run/Simulator.h"

#include "base/Output.h"
#include "base/ProgressSink.h"
#include "engine/Report.h"
#include "engine/Simulation.h"
#include "ndl/ParserDistrib.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace orvane {

namespace {

constexpr const char* NoLoadPointsMessage =
    "the network has no load points; add at least one load definition to simulate it";

IndexResult Index(const Estimate& e) {
    return IndexResult{e.Mean(), e.RelativeAccuracy()};
}

void Collect(const Simulation& sim, const ParserDistrib& parser, RunResult& result) {
    const SystemEstimates& sys = sim.System();
    result.years = sim.YearsSimulated();
    result.converged = sim.Stopped() == StopReason::Accurate;
    result.yearMax = sim.YearMax();
    result.accuracy = sim.Accuracy();
    result.quantsPerDay = sim.QuantsPerDay();
    result.yearMin = sim.YearMin();
    result.yearStep = sim.YearStep();
    result.fuses = parser.FusesOn();
    result.isolators = parser.IsolatorsOn();
    result.reclosers = parser.ReclosersOn();
    result.maxFlow = parser.MaxFlowOn();
    result.saifi = Index(sys.saifi);
    result.saidi = Index(sys.saidi);
    result.caidi = Index(sys.caidi);
    result.ens = Index(sys.ens);
    const DerivedIndices derived = ComputeIndices(sim);
    result.caifi = derived.caifi;
    result.asui = derived.asui;
    result.asai = derived.asai;
    result.aens = derived.aens;
    result.acci = derived.acci;
    result.intervals = ComputeIntervals(sim);
    for (uint32_t i = 0; i < sim.ElementCount(); ++i) {
        const SimElement& e = sim.Element(i);
        if (e.kind != ElementKind::Load)
            continue;
        result.loadPoints.push_back(LoadPointResult{
            e.name, e.customers, Index(e.estimates.frequency), Index(e.estimates.outageDuration),
            Index(e.estimates.outageTime), Index(e.estimates.energyNotSupplied)});
    }
}

// Tells the progress sink how the run ended: first anything the user should know, then that it
// is over.
void ShowEnd(ProgressSink* progress, const RunResult& result) {
    if (!progress || result.status == RunStatus::Cancelled)
        return;
    std::string note = ConvergenceNote(result);
    if (result.status == RunStatus::WriteFailed)
        note = "The reports could not be written (" + result.error +
               "); the previous reports are kept.";
    if (!note.empty())
        progress->ShowNote(note);
    progress->ShowCompleted();
}

// Every replica holds a whole copy of the network, in every process: refused before any is made
// when the copies with the master would not fit the memory a simulation may use.
std::string ReplicasTooLarge(const RunRequest& request, const Simulation& master) {
    if (!request.seeded)
        return {};
    const uint64_t copies = uint64_t{std::max<uint32_t>(request.replication.replicas, 1)} + 1;
    const uint64_t elements = copies * master.ElementCount();
    const uint64_t loads = copies * master.LoadCount();
    if (master.Fits(elements, loads))
        return {};
    char text[256];
    std::snprintf(text, sizeof text,
                  "the %u replicas need about %.1f MB, more than the %.1f MB this machine can give "
                  "them; use fewer replicas",
                  request.replication.replicas,
                  static_cast<double>(Simulation::BytesFor(elements, loads)) / (1 << 20),
                  static_cast<double>(master.MemoryBudget()) / (1 << 20));
    return text;
}

} // namespace

std::string ConvergenceNote(const RunResult& result) {
    if (result.status != RunStatus::Completed || result.converged)
        return {};
    char text[256];
    std::snprintf(text, sizeof text,
                  "Not converged: the year limit (%u years) came before every index reached the "
                  "accuracy of %g%%; raise yearMax for figures that accurate.",
                  result.yearMax, result.accuracy * 100.0);
    return text;
}

// The replicas are parsed from the same text as the master, each with channels that write
// nothing: the master alone reports, and has reported any warning of the text already.
ExecuteResult Simulator::RunReplicas(const RunRequest& request, Simulation& master,
                                     const std::string& link) {
    const uint32_t count = std::max<uint32_t>(request.replication.replicas, 1);
    std::vector<std::unique_ptr<Output>> silent;
    std::vector<std::unique_ptr<Simulation>> replicas;
    for (uint32_t r = 0; r < count; ++r) {
        auto& output = silent.emplace_back(std::make_unique<Output>());
        auto replica = std::make_unique<Simulation>(*output);
        replica->Init(nullptr, clock_);
        ParserDistrib parser(*output);
        const bool parsed = parser.Open(request.ndlText) && parser.Parse(*replica);
        parser.Close();
        if (!parsed)
            return ExecuteResult::Cancelled; // cannot happen: the master parsed the same text
        replica->SetStream(request.replication.seed, r);
        replicas.push_back(std::move(replica));
    }
    const uint32_t jobs = request.replication.jobs;
    std::unique_ptr<ReplicaRun> run =
        request.replication.runs ? request.replication.runs(master, std::move(replicas), jobs)
                                 : std::make_unique<ReplicaRun>(master, std::move(replicas), jobs);
    return run->Execute(request.cancel, link);
}

RunResult Simulator::Run(const RunRequest& request) {
    RunResult result;
    Output output;
    if (!output.OpenTextOutput(request.textPath) || !output.OpenHtmlOutput(request.htmlPath)) {
        result.status = RunStatus::WriteFailed;
        result.error = output.Error();
        output.Discard();
        ShowEnd(request.progress, result);
        return result;
    }
    // Both are large; keep them off the caller's stack.
    auto simulation = std::make_unique<Simulation>(output);
    auto parser = std::make_unique<ParserDistrib>(output);

    output.OutputHtml("<b><font size=\"4\">Network name :" + HtmlEscape(request.networkName) +
                      "</font></b><br><br>");
    simulation->Init(request.progress, clock_);

    if (parser->Open(request.ndlText)) {
        if (parser->Parse(*simulation)) {
            const std::string tooLarge = ReplicasTooLarge(request, *simulation);
            if (simulation->LoadCount() == 0) {
                output.OutputText(3, "error: %s\n", NoLoadPointsMessage);
                result.status = RunStatus::NoLoadPoints;
                result.error = NoLoadPointsMessage;
            } else if (!tooLarge.empty()) {
                output.OutputText(3, "error: %s\n", tooLarge.c_str());
                result.status = RunStatus::TooLarge;
                result.error = tooLarge;
            } else {
                const std::string& link =
                    request.linkPath.empty() ? request.htmlPath : request.linkPath;
                const ExecuteResult executed = request.seeded
                                                   ? RunReplicas(request, *simulation, link)
                                                   : simulation->Execute(request.cancel, link);
                if (executed == ExecuteResult::Cancelled) {
                    result.status = RunStatus::Cancelled;
                } else {
                    result.status = RunStatus::Completed;
                    Collect(*simulation, *parser, result);
                    result.seeded = request.seeded;
                    result.seed = request.replication.seed;
                    result.replicas = request.seeded ? request.replication.replicas : 1;
                }
            }
        } else {
            result.status =
                parser->LastError().empty() ? RunStatus::NoSystem : RunStatus::ParseFailed;
            result.error = parser->LastError();
            result.errorLine = parser->ErrorLine();
            result.errorColumn = parser->ErrorColumn();
        }
        parser->Close();
    } else {
        result.error = parser->LastError();
        result.errorLine = parser->ErrorLine();
        result.errorColumn = parser->ErrorColumn();
    }

    simulation->Release();
    if (result.status == RunStatus::Cancelled) {
        output.Discard();
    } else if (!output.Commit()) {
        result.status = RunStatus::WriteFailed;
        result.error = output.Error();
    }
    ShowEnd(request.progress, result);
    return result;
}

} // namespace orvane

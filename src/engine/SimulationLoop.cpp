#include "base/Clock.h"
#include "base/Output.h"
#include "base/ProgressSink.h"
#include "engine/Report.h"
#include "engine/Simulation.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace orvane {

namespace {

constexpr uint32_t MaxQuanta = 4294967295u;
constexpr uint64_t NeverQuanta = UINT64_MAX;
constexpr uint32_t BinCount = 1000;
constexpr double SuppliedTolerance = 1e-10;
constexpr uint32_t ExactLimit = 10000;

// One draw rounded up to whole quanta, saturating at `most`. A zero scale times an overflowing
// power (or an infinite scale times a vanishing one) is not a number; the scale alone then says
// what was meant.
template <class T> T DrawQuanta(DistributionWeibull& d, T most) {
    const double draw = d.Sample();
    if (std::isnan(draw))
        return d.Scale() == 0.0 ? 1 : most;
    const double rounded = std::floor(draw + 1.0);
    return rounded >= static_cast<double>(most) ? most : static_cast<T>(rounded);
}

uint32_t DrawQuanta(DistributionWeibull& d) {
    return DrawQuanta(d, MaxQuanta);
}

// The time to the next failure. Held in 64 bits, it cannot run out within any run, so an element
// that never fails (rate 0) or fails only beyond the run's horizon stays working.
uint64_t DrawFailureQuanta(DistributionWeibull& d) {
    return DrawQuanta(d, NeverQuanta);
}

// Bit t set when an outage of `hours` is longer than CelidHours[t].
uint8_t CelidExceeded(double hours) {
    uint8_t bits = 0;
    for (size_t t = 0; t < CelidHours.size(); ++t)
        if (hours > CelidHours[t])
            bits |= static_cast<uint8_t>(1u << t);
    return bits;
}

// The larger of the two, compared as worst > r: a not-a-number r replaces worst and is itself
// replaced by the next r, so the order of the comparisons matters.
double Worse(double worst, double r) {
    return worst > r ? worst : r;
}

} // namespace

void Simulation::BeginRun() {
    if (variableLoads_)
        flowCacheSize_ += 365 * quantsPerDay_;
    recloserCache_.SetCapacity(recloserCacheSize_);
    flowCache_.SetCapacity(flowCacheSize_);

    for (SimNode& node : nodes_)
        node.isRoot = node.isSink = false;
    nodes_[SupplyRoot].isRoot = true;
    nodes_[LoadSink].isSink = true;

    double total = 1.0;
    for (uint32_t i : loads_)
        total += elements_[i].rating;
    for (SimElement& e : elements_)
        if (e.kind != ElementKind::Load && e.rating == -1.0)
            e.rating = total;

    system_.saifi.Init(BinCount, ExactLimit, 0.0);
    system_.saidi.Init(BinCount, ExactLimit, 0.0);
    system_.caidi.Init(BinCount, ExactLimit, 0.0);
    system_.ens.Init(BinCount, ExactLimit, 0.0);
    for (uint32_t i : loads_) {
        LoadEstimates& est = elements_[i].estimates;
        est.frequency.Init(BinCount, ExactLimit, 0.0);
        est.interruptedYear.Init(3, ExactLimit, 0.0);
        est.outageTime.Init(BinCount, ExactLimit, 0.0);
        est.outageDuration.Init(BinCount, ExactLimit, 0.0);
        est.energyNotSupplied.Init(BinCount, ExactLimit, 0.0);
    }

    for (SimElement& e : elements_) {
        e.supplied = true;
        e.currentOutage = 0;
        e.eventStart = UINT64_MAX;
        e.opensEvent = false;
    }
    intervals_ = {};
    loadIntervals_.assign(loads_.size(), LoadIntervals{});
    momentaryQuanta_ = MomentaryQuanta();
    reclosePending_.assign(reclosePending_.size(), 0);
    now_ = 0;
    stopReason_ = StopReason::YearMax;
    failures_ = 0;
    failuresSeen_ = 0;
    yearsSimulated_ = 0;
    // Only elements whose mean time to failure is within the year limit count: an element
    // without failure data fails once in 10^10 years, which no run will see.
    const double horizon = 365.0 * quantsPerDay_ * yearMax_;
    anyCanFail_ = false;
    for (uint32_t i : failing_)
        anyCanFail_ = anyCanFail_ || elements_[i].failure.Scale() < horizon;
    year_.loads.assign(loads_.size(), LoadYear{});
    year_.durations.assign(loads_.size(), {});
}

void Simulation::EndRun() {
    for (uint32_t i : loads_) {
        LoadEstimates& est = elements_[i].estimates;
        est.frequency.Release();
        est.interruptedYear.Release();
        est.outageTime.Release();
        est.outageDuration.Release();
        est.energyNotSupplied.Release();
    }
    system_.saifi.Release();
    system_.saidi.Release();
    system_.caidi.Release();
    system_.ens.Release();
}

ExecuteResult Simulation::Execute(const std::atomic<bool>* cancel, const std::string& reportPath) {
    BeginRun();
    const ExecuteResult result = SimulateYears(cancel, reportPath);
    EndRun();
    return result;
}

ElementState Simulation::StepElement(SimElement& e) {
    if (!e.Fails())
        return ElementState::Working;
    for (;;) {
        if (e.failureCountdown != 0) {
            --e.failureCountdown;
            return ElementState::Working;
        }
        if (e.unisolatedCountdown != 0) {
            --e.unisolatedCountdown;
            return ElementState::Unisolated;
        }
        if (e.isolatedCountdown != 0) {
            --e.isolatedCountdown;
            return ElementState::Isolated;
        }
        e.failureCountdown = DrawFailureQuanta(e.failure);
        const uint32_t ti = DrawQuanta(e.isolation);
        const uint32_t tr = DrawQuanta(e.repair);
        if (tr > ti) {
            e.unisolatedCountdown = ti;
            e.isolatedCountdown = tr - ti;
        } else {
            e.unisolatedCountdown = tr;
            e.isolatedCountdown = 0;
        }
    }
}

void Simulation::SwitchAndIsolate() {
    isolateFailures_ = 0;
    for (SimElement& e : elements_) {
        if (e.kind == ElementKind::Recloser)
            e.capacity = 0.0;
        else if (e.kind != ElementKind::Load)
            e.capacity = e.rating;
    }
    for (uint32_t i : failing_)
        if (elements_[i].state == ElementState::Isolated)
            Isolate(i, true);
    for (uint32_t i : failing_)
        if (elements_[i].state == ElementState::Unisolated)
            Isolate(i, false);
    recloserSteps_.resize(reclosers_.size());
    for (size_t k = 0; k < reclosers_.size(); ++k) {
        SimElement& r = elements_[reclosers_[k]];
        const bool mustOpen = RecloserMustOpen(reclosers_[k]);
        if (!UsesElementStreams()) {
            if (mustOpen) {
                // One more than the drawn delay, saturating rather than wrapping to 0.
                const uint32_t delay = DrawQuanta(r.reclose);
                r.recloseCountdown = delay == MaxQuanta ? MaxQuanta : delay + 1;
            }
        } else if (mustOpen) {
            // With element streams the delay is drawn when it starts to run, from a draw fixed
            // by that quantum: how often the rest of the network switched before cannot move it.
            reclosePending_[k] = true;
            r.recloseCountdown = 1;
        } else if (reclosePending_[k]) {
            // Drawn in the first quantum the default draw would already have counted down.
            reclosePending_[k] = false;
            SeedReclose(k, now_);
            r.recloseCountdown = DrawQuanta(r.reclose);
        }
        recloserSteps_[k] = mustOpen                  ? RecloserStep::Drawing
                            : r.recloseCountdown == 0 ? RecloserStep::Closed
                                                      : RecloserStep::Waiting;
        if (r.recloseCountdown == 0)
            r.capacity = r.rating;
        else
            --r.recloseCountdown;
    }
    if (!variableLoads_)
        MaxFlow();
}

// How many quanta after quantum t - 1, which switched the network, would do exactly what it did:
// no element reaches the end of a countdown, no waiting recloser closes, no demand steps and the
// year goes on. Each of them would switch the network again and come to the same state.
uint32_t Simulation::SteadySpan(uint32_t t, uint32_t period) const {
    uint64_t span = period - t;
    for (uint32_t i : failing_) {
        const SimElement& e = elements_[i];
        switch (e.state) {
        case ElementState::Working:
            span = std::min(span, e.failureCountdown);
            break;
        case ElementState::Unisolated:
            span = std::min<uint64_t>(span, e.unisolatedCountdown);
            break;
        case ElementState::Isolated:
            span = std::min<uint64_t>(span, e.isolatedCountdown);
            break;
        }
    }
    for (size_t k = 0; k < reclosers_.size(); ++k)
        if (recloserSteps_[k] == RecloserStep::Waiting)
            span = std::min<uint64_t>(span, elements_[reclosers_[k]].recloseCountdown);
    if (variableLoads_)
        for (uint32_t i : loads_)
            span = std::min<uint64_t>(span, elements_[i].profile.NextStep(t - 1) - t);
    return static_cast<uint32_t>(span);
}

// Does what `quanta` more repetitions of the last quantum would have done, at once: the same
// states, switching and flows, the countdowns moved on, and of the draws of the reclosers that
// stay open only the last quantum's, whose values set their countdowns, computed.
void Simulation::RepeatQuantum(uint32_t quanta) {
    for (uint32_t i : failing_) {
        SimElement& e = elements_[i];
        switch (e.state) {
        case ElementState::Working:
            e.failureCountdown -= quanta;
            break;
        case ElementState::Unisolated:
            e.unisolatedCountdown -= quanta;
            break;
        case ElementState::Isolated:
            e.isolatedCountdown -= quanta;
            break;
        }
    }
    if (!UsesElementStreams()) {
        uint64_t drawing = 0;
        for (RecloserStep step : recloserSteps_)
            drawing += step == RecloserStep::Drawing;
        if (drawing != 0)
            random_.Skip((quanta - 1) * drawing);
    }
    for (size_t k = 0; k < reclosers_.size(); ++k) {
        SimElement& r = elements_[reclosers_[k]];
        if (recloserSteps_[k] == RecloserStep::Drawing) {
            // As the switching sets it, then counts the quantum down.
            if (!UsesElementStreams()) {
                const uint32_t delay = DrawQuanta(r.reclose);
                r.recloseCountdown = (delay == MaxQuanta ? MaxQuanta : delay + 1) - 1;
            } else {
                r.recloseCountdown = 0;
            }
        } else if (recloserSteps_[k] == RecloserStep::Waiting) {
            r.recloseCountdown -= quanta;
        }
    }
    for (uint64_t k = 0; k < uint64_t{quanta} * isolateFailures_; ++k)
        output_.OutputText(3, "_Isolate failed\n");
    AccountLoads(quanta);
}

// Supply accounting for `quanta` consecutive quanta with the same flows and demands.
void Simulation::AccountLoads(uint32_t quanta) {
    const uint64_t momentary = momentaryQuanta_;
    for (size_t k = 0; k < loads_.size(); ++k) {
        SimElement& e = elements_[loads_[k]];
        // Relative to the demand: a large load fed over several paths arrives with rounding
        // errors far above any fixed tolerance.
        const bool supplied =
            std::fabs(e.flow - e.capacity) < SuppliedTolerance * std::max(1.0, e.capacity);
        if (!supplied) {
            if (e.supplied) {
                ++e.year.interruptions;
                e.interruptedDemand = e.capacity;
                // Interruptions that begin within the limit after the start of an event, as
                // the reclosing of one fault does, are that one event.
                e.opensEvent = e.eventStart == UINT64_MAX || now_ - e.eventStart > momentary;
                if (e.opensEvent)
                    e.eventStart = now_;
            }
            // Sustained, and longer than each CELID threshold, from the quantum in which it
            // outlasts the limit, in whichever year that is.
            const uint64_t before = e.currentOutage;
            if (before <= momentary && before + quanta > momentary)
                ++e.year.sustained;
            e.year.longOutages |= static_cast<uint8_t>(CelidExceeded(Hours(before + quanta)) &
                                                       ~CelidExceeded(Hours(before)));
            e.year.outageQuanta += quanta;
            e.currentOutage += quanta;
            // Summed quantum by quantum, as the demand would be in a quantum-wise walk.
            for (uint32_t q = 0; q < quanta; ++q)
                e.year.energyNotSupplied += e.capacity;
            // Charged as the outage lengthens, quantum by quantum like the energy, so that an
            // outage still on at the end of a year or of the run has cost what it has lasted.
            if (!e.damage.Empty()) {
                if (before == 0) {
                    e.damageSoFar = e.damage.At(0.0);
                    e.year.cost += e.interruptedDemand * e.damageSoFar;
                }
                for (uint64_t q = before + 1; q <= before + quanta; ++q) {
                    const double next = e.damage.At(Hours(q));
                    e.year.cost += e.interruptedDemand * (next - e.damageSoFar);
                    e.damageSoFar = next;
                }
            }
        } else if (!e.supplied) {
            year_.durations[k].push_back(Hours(e.currentOutage));
            if (e.currentOutage <= momentary) {
                ++e.year.momentary;
                e.year.momentaryEvents += e.opensEvent;
            }
            e.currentOutage = 0;
        }
        e.supplied = supplied;
    }
    now_ += quanta;
}

YearRatios Simulation::AddYear(const YearRecord& year) {
    const double q = quantsPerDay_;
    for (size_t k = 0; k < loads_.size(); ++k) {
        SimElement& e = elements_[loads_[k]];
        const LoadYear& y = year.loads[k];
        double ended = 0.0;
        for (double d : year.durations[k]) {
            e.estimates.outageDuration.Add(d, 1.0);
            ended += d;
        }
        const double hours = Hours(y.outageQuanta);
        const double energy = y.energyNotSupplied * 24.0 / q;
        e.estimates.frequency.Add(y.interruptions, 1.0);
        e.estimates.interruptedYear.Add(y.interruptions > 0 ? 1.0 : 0.0, 1.0);
        e.estimates.outageTime.Add(hours, 1.0);
        e.estimates.energyNotSupplied.Add(energy, 1.0);

        LoadIntervals& in = loadIntervals_[k];
        in.frequency.Add(y.interruptions, 1.0);
        in.duration.Add(ended, static_cast<double>(year.durations[k].size()));
        in.unavailability.Add(hours, 1.0);
        in.energy.Add(energy, 1.0);
        in.momentary.Add(y.momentary, 1.0);
        in.sustained.Add(y.sustained, 1.0);
        in.cost.Add(y.cost, 1.0);
        in.iear.Add(y.cost, energy);
    }
    failuresSeen_ += year.failures;
    const YearRatios ratios = SystemYear(year);
    for (size_t i = 0; i < SystemIndexCount; ++i)
        intervals_[i].Add(ratios[i].x, ratios[i].y);
    // The classic estimates take the same yearly sums.
    const double n = ratios[static_cast<size_t>(SystemIndex::Saifi)].y;
    const double ci = ratios[static_cast<size_t>(SystemIndex::Saifi)].x;
    const double cmi = ratios[static_cast<size_t>(SystemIndex::Saidi)].x;
    const double ens = ratios[static_cast<size_t>(SystemIndex::Ens)].x;
    if (n == 0.0)
        return ratios;
    system_.saifi.Add(ci / n, 1.0);
    system_.saidi.Add(cmi / n, 1.0);
    if (ci > 0.0)
        system_.caidi.Add(cmi / ci, ci / n);
    system_.ens.Add(ens, 1.0);
    return ratios;
}

YearRatios Simulation::SystemYear(const YearRecord& year) const {
    const double q = quantsPerDay_;
    double n = 0.0, ci = 0.0, ca = 0.0, cmi = 0.0, ens = 0.0, mom = 0.0, events = 0.0;
    double costed = 0.0, costedEns = 0.0;
    std::array<double, CemiCount> cemi{};
    std::array<double, CelidHours.size()> celid{};
    for (size_t k = 0; k < loads_.size(); ++k) {
        const SimElement& e = elements_[loads_[k]];
        const LoadYear& y = year.loads[k];
        const double c = e.customers;
        const double energy = y.energyNotSupplied * 24.0 / q;
        n += c;
        ci += c * y.interruptions;
        ca += y.interruptions > 0 ? c : 0.0;
        cmi += c * y.outageQuanta * 24.0 / q;
        ens += energy;
        mom += c * y.momentary;
        events += c * y.momentaryEvents;
        for (uint32_t m = 0; m < cemi.size(); ++m)
            cemi[m] += y.sustained > CemiFirst + m ? c : 0.0;
        for (size_t t = 0; t < CelidHours.size(); ++t)
            celid[t] += (y.longOutages >> t) & 1u ? c : 0.0;
        if (!e.damage.Empty()) {
            costed += y.cost;
            costedEns += energy;
        }
    }
    YearRatios r;
    const auto set = [&r](SystemIndex i, double x, double y) {
        r[static_cast<size_t>(i)] = YearRatio{x, y};
    };
    set(SystemIndex::Saifi, ci, n);
    set(SystemIndex::Saidi, cmi, n);
    set(SystemIndex::Caifi, ci, ca);
    // As the classic CAIDI counts it: the outage hours of a year without a new interruption
    // (an outage that began the year before) are left out with it.
    set(SystemIndex::Caidi, ci > 0.0 ? cmi : 0.0, ci);
    set(SystemIndex::Asui, cmi, YearHours * n);
    // As ASUI, counted from the other side; its interval is taken from ASUI's (see the reports).
    set(SystemIndex::Asai, YearHours * n - cmi, YearHours * n);
    set(SystemIndex::Ens, ens, 1.0);
    set(SystemIndex::Aens, ens, n);
    set(SystemIndex::Acci, ens, ca);
    set(SystemIndex::Maifi, mom, n);
    set(SystemIndex::MaifiE, events, n);
    for (uint32_t m = 0; m < cemi.size(); ++m)
        set(static_cast<SystemIndex>(static_cast<size_t>(SystemIndex::Cemi1) + m), cemi[m], n);
    for (size_t t = 0; t < CelidHours.size(); ++t)
        set(static_cast<SystemIndex>(static_cast<size_t>(SystemIndex::Celid1) + t), celid[t], n);
    set(SystemIndex::Ecost, costed, 1.0);
    set(SystemIndex::Iear, costed, costedEns);
    return r;
}

void Simulation::ShowProgress(uint32_t years, uint32_t start) {
    const uint32_t elapsed = clock_->TickCount() - start;
    const double speed = years / static_cast<double>(elapsed == 0 ? 1 : elapsed) * 1000.0;
    if (!sink_)
        return;
    sink_->ShowSpeed(speed);
    sink_->ShowYear(years);
    sink_->ShowElapsed(elapsed / 1000 / 60, (elapsed / 1000) % 60);
    sink_->ShowRemaining(static_cast<int32_t>(yearMax_ - std::min(years, yearMax_)), speed);
    sink_->ShowProgress(years, yearMax_);
}

uint64_t Simulation::FailuresToTrustZero() const {
    const double needed = std::ceil(1.0 / (accuracy_ * accuracy_));
    return needed >= 1.8e19 ? UINT64_MAX : static_cast<uint64_t>(needed);
}

bool Simulation::AccurateEnough() const {
    // A mean of 0 has a relative accuracy of 0 by the formula; it is trusted only when nothing
    // can fail, or after enough failures that its staying 0 means something.
    const bool zeroTrusted = !anyCanFail_ || failuresSeen_ >= FailuresToTrustZero();
    const auto accuracy = [zeroTrusted](const Estimate& e) {
        if (e.Mean() == 0.0 && !zeroTrusted)
            return std::numeric_limits<double>::infinity();
        return e.RelativeAccuracy();
    };
    double worst = 0.0;
    for (uint32_t i : loads_) {
        const LoadEstimates& est = elements_[i].estimates;
        worst = Worse(worst, accuracy(est.frequency));
        worst = Worse(worst, accuracy(est.interruptedYear));
        worst = Worse(worst, accuracy(est.outageTime));
        worst = Worse(worst, accuracy(est.energyNotSupplied));
    }
    worst = Worse(worst, accuracy(system_.saifi));
    worst = Worse(worst, accuracy(system_.saidi));
    worst = Worse(worst, accuracy(system_.caidi));
    worst = Worse(worst, accuracy(system_.ens));
    return worst < accuracy_;
}

void Simulation::Report(uint32_t years, uint32_t start, bool final, const std::string& reportPath) {
    WriteReport(output_, *this, years, clock_->TickCount() - start, final, reportPath);
}

void Simulation::RunYear() {
    const uint32_t period = 365 * quantsPerDay_;
    for (SimElement& e : elements_) {
        e.year = LoadYear{};
        // An outage already longer than a threshold counts again in every year it lasts into.
        e.year.longOutages = e.supplied ? 0 : CelidExceeded(Hours(e.currentOutage));
    }
    for (std::vector<double>& durations : year_.durations)
        durations.clear();
    const uint64_t failuresBefore = failures_;

    uint32_t t = 0;
    while (t < period) {
        bool changed = false;
        bool allWorking = true;
        uint32_t quiet = MaxQuanta;
        for (uint32_t i : failing_) {
            SimElement& e = elements_[i];
            const ElementState s = StepElement(e);
            if (s != e.state) {
                if (s == ElementState::Unisolated)
                    ++failures_;
                e.state = s;
                changed = true;
            } else if (s != ElementState::Working) {
                changed = true;
            }
            if (s != ElementState::Working)
                allWorking = false;
            quiet = static_cast<uint32_t>(std::min<uint64_t>(quiet, e.failureCountdown));
        }
        if (changed || t == 0)
            SwitchAndIsolate();
        if (variableLoads_) {
            for (uint32_t i : loads_)
                elements_[i].capacity = elements_[i].profile.At(t);
            MaxFlow();
        }
        AccountLoads(1);
        ++t;

        // While some element is out, every quantum switches the network anew; until the
        // next event each would come to the same state.
        if (eventStepping_ && !allWorking) {
            if (const uint32_t span = SteadySpan(t, period); span != 0) {
                RepeatQuantum(span);
                t += span;
            }
            continue;
        }

        // While every element works and none is due to fail, the next quanta change
        // nothing but the failure countdowns: take them in one stride.
        if (!eventStepping_ || !allWorking || t == period)
            continue;
        const uint32_t stride = std::min(quiet, period - t);
        if (stride == 0)
            continue;
        for (uint32_t i : failing_)
            elements_[i].failureCountdown -= stride;
        if (!variableLoads_) {
            AccountLoads(stride);
        } else {
            // Between two steps of any profile the demands, and so the flows, stay put.
            const uint32_t end = t + stride;
            for (uint32_t u = t; u < end;) {
                uint32_t next = end;
                for (uint32_t i : loads_) {
                    SimElement& e = elements_[i];
                    e.capacity = e.profile.At(u);
                    next = std::min(next, e.profile.NextStep(u));
                }
                MaxFlow();
                AccountLoads(next - u);
                u = next;
            }
        }
        t += stride;
    }

    for (size_t k = 0; k < loads_.size(); ++k)
        year_.loads[k] = elements_[loads_[k]].year;
    year_.failures = failures_ - failuresBefore;
}

ExecuteResult Simulation::SimulateYears(const std::atomic<bool>* cancel,
                                        const std::string& reportPath) {
    output_.OutputText(1, "Simulating...");
    const uint32_t start = clock_->TickCount() - 1;

    uint32_t years = 0;
    for (uint32_t year = 1; year <= yearMax_; ++year) {
        if (cancel && cancel->load(std::memory_order_relaxed))
            return ExecuteResult::Cancelled;
        RunYear();
        AddYear(year_);
        years = year;
        const bool stepYear = yearStep_ != 0 && year % yearStep_ == 0;
        if (stepYear)
            Report(year, start, false, reportPath);

        ShowProgress(year, start);
        if (stepYear && year >= yearMin_ && AccurateEnough()) {
            stopReason_ = StopReason::Accurate;
            break;
        }
    }
    yearsSimulated_ = years;
    Report(years, start, false, reportPath);
    Report(years, start, true, reportPath);
    return ExecuteResult::Completed;
}

} // namespace orvane

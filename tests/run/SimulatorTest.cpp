#include "run/Simulator.h"

#include "base/Clock.h"
#include "base/ProgressSink.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace orvane {
namespace {

using test::ReadFile;
using test::TempDir;

// Every reading is `step` milliseconds after the one before.
class SteppingClock : public Clock {
public:
    explicit SteppingClock(uint32_t step) : step_(step) {}
    uint32_t TickCount() override {
        const uint32_t now = 10000 + calls_ * step_;
        ++calls_;
        return now;
    }

private:
    uint32_t step_;
    uint32_t calls_ = 0;
};

struct Call {
    std::string what;
    double a = 0.0;
    double b = 0.0;
};

// Records every call; asks the run to stop once `cancelAfter` years are shown.
class RecordingSink : public ProgressSink {
public:
    std::vector<Call> calls;
    std::atomic<bool> cancel{false};
    uint32_t cancelAfter = 0;

    void ShowSpeed(double yearsPerSecond) override { calls.push_back({"speed", yearsPerSecond}); }
    void ShowYear(uint32_t year) override { calls.push_back({"year", double(year)}); }
    void ShowElapsed(uint32_t minutes, uint32_t seconds) override {
        calls.push_back({"elapsed", double(minutes), double(seconds)});
    }
    void ShowRemaining(int32_t yearsLeft, double yearsPerSecond) override {
        calls.push_back({"remaining", double(yearsLeft), yearsPerSecond});
    }
    void ShowProgress(uint32_t year, uint32_t yearMax) override {
        calls.push_back({"progress", double(year), double(yearMax)});
        if (year == cancelAfter)
            cancel = true;
    }
    void ShowNote(const std::string& text) override {
        calls.push_back({"note"});
        note = text;
    }
    void ShowCompleted() override { calls.push_back({"completed"}); }
    std::string note;

    size_t Count(const std::string& what) const {
        size_t n = 0;
        for (const Call& c : calls)
            n += c.what == what;
        return n;
    }
};

struct Outcome {
    RunResult result;
    std::string text;
    std::string html;
};

// How a test runs: the title, the clock's step, whether a previous run left "old text" and
// "old html", a folder for the reports inside the run's fresh directory, and seeded replicas.
struct How {
    std::string name = "Net";
    uint32_t clockStep = 0;
    bool previous = false;
    std::string folder{};
    std::optional<Replication> replication{};
};

Outcome Simulate(const std::string& ndl, RecordingSink* sink = nullptr, const How& how = {}) {
    TempDir dir;
    if (how.previous) {
        test::WriteFile(dir.File("net.txt"), "old text");
        test::WriteFile(dir.File("net.htm"), "old html");
    }
    SteppingClock clock(how.clockStep);
    RunRequest request;
    request.ndlText = ndl;
    request.networkName = how.name;
    request.textPath = dir.File(how.folder + "net.txt");
    request.htmlPath = dir.File(how.folder + "net.htm");
    request.linkPath = "net.htm";
    request.progress = sink;
    request.cancel = sink ? &sink->cancel : nullptr;
    request.seeded = how.replication.has_value();
    if (how.replication)
        request.replication = *how.replication;
    Outcome o;
    o.result = Simulator(clock).Run(request);
    o.text = ReadFile(request.textPath);
    o.html = ReadFile(request.htmlPath);
    return o;
}

// Seeded with `replicas` replicas on `jobs` threads; the clock stands still so that the reports
// of equal runs are equal byte for byte.
Outcome SimulateReplicas(const std::string& ndl, uint64_t seed, uint32_t replicas, uint32_t jobs,
                         RecordingSink* sink = nullptr) {
    return Simulate(ndl, sink, {.replication = Replication{seed, replicas, jobs, {}}});
}

std::string Heading(const std::string& name) {
    return "<b><font size=\"4\">Network name :" + name + "</font></b><br><br>";
}

// Nothing in it can fail.
const std::string Steady = "source: connect = 1\n"
                           "load: name = \"P\"; connect = 1; customers = 20\n";

TEST(Simulator, CompletedRunWritesHeadingThenOneFinalReport) {
    RecordingSink sink;
    const Outcome o = Simulate(
        "system: quantsPerDay = 4; yearMin = 100; yearMax = 1000; yearStep = 50\n" + Steady, &sink,
        {.name = "East & <West>"});

    EXPECT_EQ(o.result.status, RunStatus::Completed);
    EXPECT_EQ(o.result.years, 100u);
    EXPECT_TRUE(o.result.converged);
    EXPECT_EQ(sink.Count("note"), 0u);
    ASSERT_EQ(o.result.loadPoints.size(), 1u);
    EXPECT_EQ(o.result.loadPoints[0].name, "P");
    EXPECT_EQ(o.html.rfind(Heading("East &amp; &lt;West&gt;"), 0), 0u);
    EXPECT_NE(o.html.find("Overall Result"), std::string::npos);
    EXPECT_EQ(o.text.rfind("simulation years: 100, ", 0), 0u);
    EXPECT_EQ(o.text.find("simulation years: ", 1), std::string::npos);
    EXPECT_EQ(sink.Count("year"), 100u);
    ASSERT_FALSE(sink.calls.empty());
    EXPECT_EQ(sink.calls.back().what, "completed");
    EXPECT_EQ(sink.Count("completed"), 1u);
}

// A clock that moves 61.5 s per reading: the start reading less one millisecond, one reading per
// year, then one for each of the two closing reports.
TEST(Simulator, ProgressIsShownInOrderAfterEveryYear) {
    RecordingSink sink;
    const Outcome o = Simulate(
        "system: quantsPerDay = 4; yearMin = 100; yearMax = 102; yearStep = 1000\n" + Steady, &sink,
        {.clockStep = 61500});

    ASSERT_EQ(o.result.status, RunStatus::Completed);
    EXPECT_EQ(o.result.years, 102u);
    ASSERT_EQ(sink.calls.size(), 102u * 5 + 2);
    const char* order[] = {"speed", "year", "elapsed", "remaining", "progress"};
    for (size_t i = 0; i + 2 < sink.calls.size(); ++i)
        ASSERT_EQ(sink.calls[i].what, order[i % 5]) << "call " << i;
    // No year was tested against the accuracy: the run ends at its limit and says so.
    EXPECT_FALSE(o.result.converged);
    EXPECT_EQ(sink.calls[102 * 5].what, "note");
    EXPECT_EQ(sink.note, "Not converged: the year limit (102 years) came before every index "
                         "reached the accuracy of 5%; raise yearMax for figures that accurate.");
    EXPECT_EQ(sink.calls.back().what, "completed");

    // Year 1 after 61501 ms, year 2 after 123001 ms.
    const Call* y1 = &sink.calls[0];
    EXPECT_DOUBLE_EQ(y1[0].a, 1000.0 / 61501);
    EXPECT_EQ(y1[1].a, 1.0);
    EXPECT_EQ(y1[2].a, 1.0);
    EXPECT_EQ(y1[2].b, 1.0);
    EXPECT_EQ(y1[3].a, 101.0);
    EXPECT_DOUBLE_EQ(y1[3].b, 1000.0 / 61501);
    EXPECT_EQ(y1[4].a, 1.0);
    EXPECT_EQ(y1[4].b, 102.0);
    const Call* y2 = &sink.calls[5];
    EXPECT_DOUBLE_EQ(y2[0].a, 2000.0 / 123001);
    EXPECT_EQ(y2[2].a, 2.0);
    EXPECT_EQ(y2[2].b, 3.0);
    EXPECT_EQ(y2[3].a, 100.0);
    // The final report is the second of the two closing ones: 104 readings after the start.
    EXPECT_EQ(o.text.rfind("simulation years: 102, time: 106:36, speed: 0.02 years/sec", 0), 0u);
}

TEST(Simulator, CancelledRunStopsBeforeTheNextYearAndKeepsThePreviousReports) {
    RecordingSink sink;
    sink.cancelAfter = 3;
    const Outcome o =
        Simulate("system: quantsPerDay = 4; yearMin = 100; yearMax = 1000; yearStep = 1\n" + Steady,
                 &sink, {.previous = true});

    EXPECT_EQ(o.result.status, RunStatus::Cancelled);
    EXPECT_EQ(sink.Count("year"), 3u);
    EXPECT_EQ(sink.Count("completed"), 0u);
    EXPECT_EQ(o.text, "old text");
    EXPECT_EQ(o.html, "old html");
}

TEST(Simulator, ReportsThatCannotBeWrittenFailTheRunBeforeItStarts) {
    RecordingSink sink;
    const Outcome o =
        Simulate("system: quantsPerDay = 4\n" + Steady, &sink, {.folder = "missing/"});

    EXPECT_EQ(o.result.status, RunStatus::WriteFailed);
    EXPECT_EQ(o.result.error.rfind("cannot write '", 0), 0u);
    EXPECT_NE(o.result.error.find("missing/net.txt': No such file or directory"),
              std::string::npos);
    EXPECT_EQ(sink.Count("year"), 0u);
    EXPECT_EQ(sink.note, "The reports could not be written (" + o.result.error +
                             "); the previous reports are kept.");
    EXPECT_EQ(sink.calls.back().what, "completed");
}

// A network refused before its first year leaves its error line (if any) and the heading, and
// the progress sink hears only that the run is over.
TEST(Simulator, RefusedNetworksLeaveTheErrorLineAndTheHeading) {
    struct Case {
        std::string ndl;
        RunStatus status;
        std::string text;
    };
    const Case cases[] = {
        {"system: quantsPerDay = 4\nsource: connect = 1\nbreaker: connect = 1, 2\n",
         RunStatus::NoLoadPoints,
         "error: the network has no load points; add at least one load definition to simulate "
         "it\n"},
        {"system: quantsPerDay = 0\n" + Steady, RunStatus::ParseFailed,
         "error: (L2 C1) the \"quantsperday\" attribute must be an integer in the range "
         "[1,1440]\n"},
        {"# a network still to be drawn\n", RunStatus::NoSystem, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ndl);
        RecordingSink sink;
        const Outcome o = Simulate(c.ndl, &sink);
        EXPECT_EQ(o.result.status, c.status);
        EXPECT_EQ(o.text, c.text);
        EXPECT_EQ(o.html, Heading("Net"));
        ASSERT_EQ(sink.calls.size(), 1u);
        EXPECT_EQ(sink.calls[0].what, "completed");
    }
}

// Without reclosers the load point beyond one is never supplied: one interruption in year 1 that
// never ends, so the frequency's accuracy stays near 1 and the run goes to yearMax.
TEST(Simulator, LoadCutOffByDisabledRecloserRunsToYearMax) {
    const Outcome o = Simulate("system: quantsPerDay = 4; yearMin = 100; yearMax = 300; "
                               "yearStep = 100; reclosers = 0\n"
                               "source: connect = 1\n"
                               "recloser: connect = 1, 2\n"
                               "load: name = \"Cut off\"; connect = 2; customers = 5\n");

    ASSERT_EQ(o.result.status, RunStatus::Completed);
    EXPECT_EQ(o.result.years, 300u);
    ASSERT_EQ(o.result.loadPoints.size(), 1u);
    const LoadPointResult& p = o.result.loadPoints[0];
    EXPECT_DOUBLE_EQ(p.failureRate.mean, 1.0 / 300);
    EXPECT_GT(p.failureRate.accuracy, 0.9);
    EXPECT_EQ(p.unavailability.mean, 8760.0);
    EXPECT_EQ(p.outageDuration.mean, 0.0); // the outage never ends
    EXPECT_DOUBLE_EQ(o.result.saifi.mean, 1.0 / 300);
    EXPECT_EQ(o.result.caidi.mean, 8760.0); // year 1 alone gives CAIDI a sample
}

const std::string Failing = "source: connect = 1\n"
                            "breaker: connect = 1, 2\n"
                            "line: connect = 2, 3; failure = 2; isolation = 1; repair = 10\n"
                            "recloser: connect = 3, 4; reclose = 0.5\n"
                            "line: connect = 4, 5; failure = 1; repair = 4\n"
                            "load: name = \"P\"; connect = 3; customers = 30\n"
                            "load: name = \"Q\"; connect = 5; customers = 10\n";

// The merged result depends on the seed and the replica count, never on the threads.
TEST(Simulator, ReplicasGiveTheSameReportsOnAnyNumberOfThreads) {
    const std::string ndl =
        "system: quantsPerDay = 24; yearMin = 100; yearMax = 900; yearStep = 100; "
        "accuracy = 0.001\n" +
        Failing;
    for (uint32_t replicas : {1u, 3u, 4u}) {
        SCOPED_TRACE(replicas);
        const Outcome one = SimulateReplicas(ndl, 11, replicas, 1);
        ASSERT_EQ(one.result.status, RunStatus::Completed);
        for (uint32_t jobs : {2u, 4u, 7u}) {
            const Outcome many = SimulateReplicas(ndl, 11, replicas, jobs);
            EXPECT_TRUE(many.text == one.text) << jobs << " threads";
            EXPECT_TRUE(many.html == one.html) << jobs << " threads";
        }
        // Whole rounds: 900 years in rounds of 4 replicas make 900 + 3 more.
        EXPECT_EQ(one.result.years, (900 + replicas - 1) / replicas * replicas);
        EXPECT_EQ(one.result.replicas, replicas);
        EXPECT_FALSE(one.result.converged);
    }
    const Outcome other = SimulateReplicas(ndl, 12, 3, 2);
    EXPECT_NE(other.text, SimulateReplicas(ndl, 11, 3, 2).text) << "another seed, other draws";
}

// Merged replica-years estimate the same indices: a line failing twice a year in front of P.
TEST(Simulator, ReplicasMergeIntoOneEstimateThatStopsByTheAccuracy) {
    RecordingSink sink;
    const Outcome o = SimulateReplicas(
        "system: quantsPerDay = 24; yearMin = 200; yearMax = 100000; yearStep = 100; "
        "accuracy = 0.02\n" +
            Failing,
        5, 4, 2, &sink);
    ASSERT_EQ(o.result.status, RunStatus::Completed);
    EXPECT_TRUE(o.result.converged);
    EXPECT_EQ(o.result.years % 100, 0u) << "tested after whole steps only";
    ASSERT_EQ(o.result.loadPoints.size(), 2u);
    const IndexResult& p = o.result.loadPoints[0].failureRate;
    EXPECT_LT(std::fabs(p.mean - 2.0), 4 * p.accuracy * 2.0) << p.mean;
    EXPECT_EQ(o.text.rfind("simulation years: " + std::to_string(o.result.years) + ", ", 0), 0u);
    EXPECT_EQ(sink.calls.back().what, "completed");
    EXPECT_EQ(sink.Count("note"), 0u);
}

// Each replica is a whole copy of the network: too many for the memory are refused up front.
TEST(Simulator, ReplicasBeyondTheMemoryAreRefused) {
    const Outcome o = SimulateReplicas("system: quantsPerDay = 24\n" + Failing, 1, 100000, 1);
    EXPECT_EQ(o.result.status, RunStatus::TooLarge);
    EXPECT_EQ(o.result.error.rfind("the 100000 replicas need about ", 0), 0u) << o.result.error;
    EXPECT_NE(o.result.error.find(" MB this machine can give them; use fewer replicas"),
              std::string::npos);
    EXPECT_EQ(o.text, "error: " + o.result.error + "\n");
}

TEST(Simulator, CancelledReplicasKeepThePreviousReports) {
    RecordingSink sink;
    sink.cancel = true;
    const Outcome o = SimulateReplicas("system: quantsPerDay = 24\n" + Failing, 1, 3, 2, &sink);
    EXPECT_EQ(o.result.status, RunStatus::Cancelled);
    EXPECT_EQ(o.text, "");
    EXPECT_EQ(sink.Count("completed"), 0u);
}

} // namespace
} // namespace orvane

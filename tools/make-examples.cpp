// Draws the example networks through the model's own API, as a planner would in the editor
// (snap grid of 10 pixels, feeders left to right, laterals downwards), and saves them as
// .vlm files beside their NDL twins: orvane-make-examples [DIRECTORY]
#include "model/OrvaneDoc.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

using namespace orvane;

constexpr uint32_t kGrey = 0x808080;

// Adds components in drawing order through the document's change operations, as the editor
// does: the component is drawn, then its property dialog gives it its attributes. Names of
// components other than load points have no place in NDL; they go to the notes.
class Drawing {
    COrvaneDoc doc_;

    template <class T, class... Points, class F> T* Add(F&& attributes, Points... points) {
        T* widget = doc_.Add<T>(points..., 1u, kGrey);
        T values = *widget;
        attributes(values);
        doc_.SetAttributes(*widget, values);
        return widget;
    }

public:
    Drawing() { doc_.OnNewDocument(); }
    COrvaneDoc& Doc() { return doc_; }

    void Settings(int32_t yearMax, double accuracy) {
        CSimulationSettings s = doc_.GetSettings();
        s.quantsPerDay = 24;
        s.yearMin = 1000;
        s.yearMax = yearMax;
        s.yearStep = 500;
        s.accuracy = accuracy;
        doc_.SetSettings(s);
    }
    void Source(const char* name, CPoint at) {
        Add<CGenSource>([&](CGenSource& s) { s.m_notes = name; }, at);
    }
    void Breaker(const char* name, CPoint a, CPoint b) {
        Add<CCircuitBreaker>([&](CCircuitBreaker& c) { c.m_notes = name; }, a, b);
    }
    void Isolator(const char* name, CPoint a, CPoint b) {
        Add<CIsolator>([&](CIsolator& i) { i.m_notes = name; }, a, b);
    }
    void Fuse(const char* name, CPoint a, CPoint b) {
        Add<CFuse>([&](CFuse& f) { f.m_notes = name; }, a, b);
    }
    void Recloser(const char* name, CPoint a, CPoint b, double reclose) {
        Add<CRecloser>(
            [&](CRecloser& r) {
                r.m_notes = name;
                r.m_reclose1 = reclose;
            },
            a, b);
    }
    // failure per km and year, isolation and repair hours; repairShape -1.0 when not given.
    void Line(const char* name, CPoint a, CPoint b, double length, double failure, double isolation,
              double repair, double repairShape = -1.0) {
        Add<CLine>(
            [&](CLine& l) {
                l.m_notes = name;
                l.m_length = length;
                l.m_failure1 = failure;
                l.m_isolation1 = isolation;
                l.m_repair1 = repair;
                l.m_repair2 = repairShape;
            },
            a, b);
    }
    void Equipment(const char* name, CPoint a, CPoint b, double failure, double isolation,
                   double repair) {
        Add<CEquipment>(
            [&](CEquipment& e) {
                e.m_notes = name;
                e.m_failure1 = failure;
                e.m_isolation1 = isolation;
                e.m_repair1 = repair;
            },
            a, b);
    }
    void Load(const char* name, CPoint at, int32_t customers, double average) {
        Add<CLoadPoint>(
            [&](CLoadPoint& l) {
                l.m_name = name;
                l.m_customers = customers;
                l.m_average = average;
            },
            at);
    }
};

// One radial feeder; lines drawn at 60 pixels per km, each load point hanging just below
// the node it is fed from, the last at the feeder's end.
void DrawRadialFeeder(Drawing& d) {
    d.Settings(20000, 0.02);

    const int y = 200;
    const double rate = 0.065;
    d.Source("Substation", {60, y});
    d.Breaker("CB", {60, y}, {140, y});
    d.Line("L1", {140, y}, {330, y}, 3.2, rate, 1.0, 4.0, 1.5);
    d.Line("L2", {330, y}, {480, y}, 2.5, rate, 1.0, 4.0, 1.5);
    d.Line("L3", {480, y}, {730, y}, 4.1, rate, 1.0, 4.0, 1.5);
    d.Line("L4", {730, y}, {840, y}, 1.8, rate, 1.0, 4.0, 1.5);
    d.Load("Mill", {330, y + 10}, 1, 0.80);
    d.Load("Farms", {480, y + 10}, 85, 0.35);
    d.Load("Village", {730, y + 10}, 420, 1.10);
    d.Load("Hamlet", {840, y}, 60, 0.15);
}

// Two feeders, north above south, with fused laterals and transformers hanging below them
// and the normally open recloser tie joining their far ends on the right.
void DrawTwoFeeders(Drawing& d) {
    d.Settings(30000, 0.03);

    const double lr = 0.06;
    const double lateral = 0.12;
    const int north = 120;
    d.Source("North", {60, north});
    d.Breaker("CB1", {60, north}, {140, north});
    d.Line("A1", {140, north}, {340, north}, 2.0, lr, 1, 4);
    d.Isolator("I1", {340, north}, {400, north});
    d.Line("A2", {400, north}, {600, north}, 1.5, lr, 1, 4);
    d.Isolator("I2", {600, north}, {660, north});
    d.Line("A3", {660, north}, {900, north}, 2.5, lr, 1, 4);

    d.Fuse("F1", {340, north}, {340, 180});
    d.Line("Elm lateral", {340, 180}, {340, 300}, 1.2, lateral, 0.5, 3);
    d.Load("Elm St", {340, 300}, 140, 0.28);

    d.Fuse("F2", {600, north}, {600, 180});
    d.Line("Oak lateral", {600, 180}, {600, 270}, 0.9, lateral, 0.5, 3);
    d.Load("Oak St", {600, 270}, 95, 0.21);

    d.Equipment("T1", {900, north}, {980, north}, 0.02, 1, 48);
    d.Load("Works", {980, north}, 3, 1.5);

    const int south = 560;
    d.Source("South", {60, south});
    d.Breaker("CB2", {60, south}, {140, south});
    d.Line("B1", {140, south}, {380, south}, 3.0, lr, 1, 4);
    d.Isolator("I3", {380, south}, {440, south});
    d.Line("B2", {440, south}, {640, south}, 2.2, lr, 1, 4);
    d.Isolator("I4", {640, south}, {700, south});
    d.Line("B3", {700, south}, {900, south}, 1.7, lr, 1, 4);

    d.Fuse("F3", {380, south}, {380, 620});
    d.Line("Ridge lateral", {380, 620}, {380, 740}, 2.4, lateral, 0.5, 3);
    d.Load("Ridge", {380, 740}, 210, 0.36);

    d.Equipment("T2", {640, south}, {640, 640}, 0.02, 1, 48);
    d.Load("Hospital", {640, 640}, 1, 0.9);

    // Normally open tie: closes 0.5 h after one side has lost supply.
    d.Recloser("R", {900, north}, {900, south}, 0.5);
}

bool Save(void (*draw)(Drawing&), const std::filesystem::path& path) {
    Drawing d;
    draw(d);
    std::string error;
    if (!d.Doc().Save(path.string(), error)) {
        std::fprintf(stderr, "orvane-make-examples: %s\n", error.c_str());
        return false;
    }
    std::printf("%s\n", path.string().c_str());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 2 || (argc == 2 && argv[1][0] == '-')) {
        std::fprintf(stderr, "usage: orvane-make-examples [DIRECTORY]\n"
                             "Writes radial-feeder.vlm and two-feeders.vlm (default: "
                             "examples).\n");
        return 2;
    }
    const std::filesystem::path dir = argc == 2 ? argv[1] : "examples";
    const bool ok = Save(DrawRadialFeeder, dir / "radial-feeder.vlm") &&
                    Save(DrawTwoFeeders, dir / "two-feeders.vlm");
    return ok ? 0 : 1;
}

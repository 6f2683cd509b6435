#pragma once

#include "model/OrvaneDoc.h"
#include "model/TypeOrder.h"

namespace orvane::test {

// Draws components through the document's change operations, as the editing modes do.
struct NetworkDrawing {
    COrvaneDoc doc;

    CLine* Line(CPoint a, CPoint b) { return doc.Add<CLine>(a, b, 1u, 0x808080u); }
    CCircuitBreaker* Breaker(CPoint a, CPoint b) {
        return doc.Add<CCircuitBreaker>(a, b, 1u, 0x808080u);
    }
    CFuse* Fuse(CPoint a, CPoint b) { return doc.Add<CFuse>(a, b, 1u, 0x808080u); }
    CRecloser* Recloser(CPoint a, CPoint b) { return doc.Add<CRecloser>(a, b, 1u, 0x808080u); }
    CIsolator* Isolator(CPoint a, CPoint b) { return doc.Add<CIsolator>(a, b, 1u, 0x808080u); }
    CBusBar* BusBar(CPoint a, CPoint b) { return doc.Add<CBusBar>(a, b, 1u, 0x808080u); }
    CEquipment* Equipment(CPoint a, CPoint b) { return doc.Add<CEquipment>(a, b, 1u, 0x808080u); }
    CLoadPoint* Load(CPoint c) { return doc.Add<CLoadPoint>(c, 1u, 0u); }
    CGenSource* Source(CPoint c) { return doc.Add<CGenSource>(c, 1u, 0u); }

    // Changes simulation settings as the settings dialog does.
    template <class F> void Settings(F&& change) {
        CSimulationSettings settings = doc.GetSettings();
        change(settings);
        doc.SetSettings(settings);
    }
};

} // namespace orvane::test

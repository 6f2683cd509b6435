#pragma once

#include "model/OrvaneDoc.h"
#include "model/TypeOrder.h"

namespace orvane::test {

// Draws components as the editing modes do: add to the collection, then append the type name.
struct NetworkDrawing {
    COrvaneDoc doc;

    template <class C> auto* Two(C& collection, const char* type, CPoint a, CPoint b) {
        doc.m_typeOrder.emplace_back(type);
        return collection.Add(a, b, 1u, 0x808080u);
    }
    template <class C> auto* One(C& collection, const char* type, CPoint c) {
        doc.m_typeOrder.emplace_back(type);
        return collection.Add(c, 1u, 0u);
    }

    CLine* Line(CPoint a, CPoint b) { return Two(doc.GetLines(), kTypeNameLine, a, b); }
    CCircuitBreaker* Breaker(CPoint a, CPoint b) {
        return Two(doc.GetCircuitBreakers(), kTypeNameCircuitBreaker, a, b);
    }
    CFuse* Fuse(CPoint a, CPoint b) { return Two(doc.GetFuses(), kTypeNameFuse, a, b); }
    CRecloser* Recloser(CPoint a, CPoint b) {
        return Two(doc.GetReclosers(), kTypeNameRecloser, a, b);
    }
    CIsolator* Isolator(CPoint a, CPoint b) {
        return Two(doc.GetIsolators(), kTypeNameIsolator, a, b);
    }
    CBusBar* BusBar(CPoint a, CPoint b) { return Two(doc.GetBusBars(), kTypeNameBusBar, a, b); }
    CEquipment* Equipment(CPoint a, CPoint b) {
        return Two(doc.GetEquipment(), kTypeNameEquipment, a, b);
    }
    CLoadPoint* Load(CPoint c) { return One(doc.GetLoadPoints(), kTypeNameLoadPoint, c); }
    CGenSource* Source(CPoint c) { return One(doc.GetGenSources(), kTypeNameGenSource, c); }
};

} // namespace orvane::test

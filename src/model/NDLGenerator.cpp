#include "model/NDLGenerator.h"

#include "model/CheckTexts.h"
#include "model/LoadPoint.h"
#include "model/NetworkCheck.h"
#include "model/OrvaneDoc.h"
#include "model/TypeOrder.h"

#include <algorithm>
#include <optional>

namespace orvane {

CNDLGenerator::CNDLGenerator(COrvaneDoc& doc) : m_doc(&doc) {
    for (int t = 0; t < kWidgetTypeCount; ++t)
        m_counts[static_cast<size_t>(t)] = CollectionSize(doc, static_cast<WidgetType>(t));
}

// Every pass walks the type-order list with one counter per type: the k-th entry of a type is
// element k of its collection. Surplus entries (after deletions, or from a file) are passed
// over. f(widget, position) returns false to end the walk.
template <class F> void CNDLGenerator::Walk(F&& f) const {
    std::array<int, kWidgetTypeCount> counters{};
    const std::vector<std::string>& order = m_doc->m_typeOrder;
    for (size_t position = 0; position < order.size(); ++position) {
        const std::optional<WidgetType> type = TypeFromName(order[position]);
        if (!type)
            continue;
        const auto t = static_cast<size_t>(*type);
        // A collection that shrank since construction must not be read past its end.
        if (counters[t] >= std::min(m_counts[t], CollectionSize(*m_doc, *type)))
            continue;
        CWidget* widget = CollectionAt(*m_doc, *type, counters[t]++);
        if (!f(*widget, static_cast<int>(position)))
            return;
    }
}

void CNDLGenerator::Generate() {
    Walk([](CWidget& w, int) {
        if (w.Type() != WidgetType::BusBar)
            w.m_node1 = w.m_node2 = -1;
        return true;
    });

    m_text = m_doc->GetSettings().SystemDefinition();
    m_next = 0;
    Walk([this](CWidget& w, int position) {
        if (w.Type() == WidgetType::BusBar)
            return true;
        if (w.IsOnePoint())
            AssignOnePointNode(w, position);
        else
            AssignTwoPointNodes(w, position);
        m_text += w.GetNDL();
        return true;
    });
}

// Adopts the number of an earlier component whose connection point lies in an end handle;
// later matches overwrite earlier ones until both ends are numbered.
void CNDLGenerator::AssignTwoPointNodes(CWidget& c, int position) {
    Walk([&](CWidget& w, int other) {
        if (other == position || w.Type() == WidgetType::BusBar)
            return true;
        const CPoint w1 = w.GetPoint1();
        const int32_t n1 = w.m_node1;
        if (c.HitTestEnd1(w1) && n1 != -1)
            c.m_node1 = n1;
        if (!w.IsOnePoint()) {
            const CPoint w2 = w.GetPoint2();
            const int32_t n2 = w.m_node2;
            if (c.HitTestEnd1(w2) && n2 != -1)
                c.m_node1 = n2;
            if (c.HitTestEnd2(w1) && n1 != -1)
                c.m_node2 = n1;
            if (c.HitTestEnd2(w2) && n2 != -1)
                c.m_node2 = n2;
        } else if (c.HitTestEnd2(w1) && n1 != -1) {
            c.m_node2 = n1;
        }
        return c.m_node1 == -1 || c.m_node2 == -1;
    });
    if (c.m_node1 == -1)
        c.m_node1 = m_next++;
    if (c.m_node2 == -1)
        c.m_node2 = m_next++;
}

void CNDLGenerator::AssignOnePointNode(CWidget& c, int position) {
    Walk([&](CWidget& w, int other) {
        if (other == position || w.Type() == WidgetType::BusBar)
            return true;
        if (c.HitTest(w.GetPoint1()) && w.m_node1 != -1)
            c.m_node1 = w.m_node1;
        if (!w.IsOnePoint() && c.HitTest(w.GetPoint2()) && w.m_node2 != -1)
            c.m_node1 = w.m_node2;
        return c.m_node1 == -1;
    });
    if (c.m_node1 == -1)
        c.m_node1 = m_next++;
}

bool CNDLGenerator::CheckConnections() {
    m_notConnected = CWidgetCollection();
    m_findingLines.clear();
    bool result = true;
    Walk([&](CWidget& w, int position) {
        if (w.Type() == WidgetType::BusBar)
            return true;
        if (w.IsOnePoint() ? !OnePointConnected(w, position) : !TwoPointConnected(w, position)) {
            AddFinding(w, NotConnectedLine(w));
            result = false;
        }
        // A name NDL cannot carry would break or silently alter the parse; a cost curve the
        // parser refuses would stop the run.
        if (w.Type() == WidgetType::LoadPoint) {
            const CLoadPoint& load = static_cast<const CLoadPoint&>(w);
            const CPoint p = w.GetPoint1();
            if (!NdlNameIsValid(load.m_name)) {
                AddFinding(w, BadNameLine(load.m_name, p.x, p.y));
                result = false;
            }
            if (const std::string problem = CostCurveProblem(load.m_cost); !problem.empty()) {
                AddFinding(w, BadCostLine(load.m_name, p.x, p.y, problem));
                result = false;
            }
        }
        return true;
    });
    return result;
}

void CNDLGenerator::AddFinding(CWidget& widget, std::string line) {
    m_notConnected.Add(&widget);
    m_findingLines.push_back(std::move(line));
}

// Unlike numbering, the check looks at every other component, earlier and later alike.
bool CNDLGenerator::TwoPointConnected(const CWidget& c, int position) const {
    bool end1 = false;
    bool end2 = false;
    Walk([&](CWidget& w, int other) {
        if (other == position || w.Type() == WidgetType::BusBar)
            return true;
        const CPoint w1 = w.GetPoint1();
        const CPoint w2 = w.IsOnePoint() ? w1 : w.GetPoint2();
        end1 = end1 || c.HitTestEnd1(w1) || c.HitTestEnd1(w2);
        end2 = end2 || c.HitTestEnd2(w1) || c.HitTestEnd2(w2);
        return !(end1 && end2);
    });
    return end1 && end2;
}

bool CNDLGenerator::OnePointConnected(const CWidget& c, int position) const {
    bool touched = false;
    Walk([&](CWidget& w, int other) {
        if (other == position || w.Type() == WidgetType::BusBar)
            return true;
        touched = c.HitTest(w.GetPoint1()) || (!w.IsOnePoint() && c.HitTest(w.GetPoint2()));
        return !touched;
    });
    return touched;
}

} // namespace orvane

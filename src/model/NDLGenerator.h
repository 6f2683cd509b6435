#pragma once

#include "model/Widget.h"
#include "model/WidgetCollection.h"

#include <array>
#include <string>
#include <vector>

namespace orvane {

class COrvaneDoc;

// Turns a drawn network into NDL for one Build command: decides by geometry alone which
// components are joined, numbers the joints as NDL nodes (in the widgets' m_node1/m_node2) and
// writes the text. Also the connection check that must pass before generating or simulating.
class CNDLGenerator {
public:
    explicit CNDLGenerator(COrvaneDoc& doc);

    // True when every component touches another at each of its connection points and every
    // load point's name and cost curve can be written as NDL; fills the not-connected list
    // otherwise.
    bool CheckConnections();
    // Numbers the nodes and builds the text. Never fails: an unconnected end opens a node of
    // its own, which is why callers check first.
    void Generate();
    std::string GetText() const { return m_text; }

    // The components the check refused, in creation order, not owned.
    const CWidgetCollection& GetNotConnected() const { return m_notConnected; }
    // One line per entry of the not-connected list, at the same position, for the errors window.
    const std::vector<std::string>& GetFindingLines() const { return m_findingLines; }

private:
    template <class F> void Walk(F&& f) const;
    void AssignTwoPointNodes(CWidget& current, int position);
    void AssignOnePointNode(CWidget& current, int position);
    bool TwoPointConnected(const CWidget& current, int position) const;
    bool OnePointConnected(const CWidget& current, int position) const;
    void AddFinding(CWidget& widget, std::string line);

    std::string m_text;
    COrvaneDoc* m_doc;
    std::array<int, kWidgetTypeCount> m_counts{}; // collection sizes taken at construction
    CWidgetCollection m_notConnected;
    std::vector<std::string> m_findingLines;
    int32_t m_next = 0; // the next fresh node number
};

} // namespace orvane

#include "editor/UndoCommands.h"

#include "model/OrvaneDoc.h"

#include <utility>

namespace orvane {

namespace {

// The network file of a drawing that holds a copy of the component alone: its record and what
// the trailers keep for it, such as a load point's cost curve.
std::string StoredBytes(const CWidget& widget) {
    COrvaneDoc doc;
    doc.AddCopy(widget);
    return doc.StoreBytes();
}

} // namespace

bool SameComponent(const CWidget& a, const CWidget& b) {
    return StoredBytes(a) == StoredBytes(b);
}

CAddCommand::CAddCommand(COrvaneDoc& doc, std::vector<CWidget*> added, const QString& text)
    : QUndoCommand(text), m_doc(doc), m_added(std::move(added)) {}

void CAddCommand::undo() {
    for (auto it = m_added.rbegin(); it != m_added.rend(); ++it)
        m_doc.Withdraw(**it);
    m_done = false;
}

void CAddCommand::redo() {
    if (m_done)
        return;
    for (CWidget* widget : m_added)
        m_doc.AddAgain(*widget);
    m_done = true;
}

CDeleteCommand::CDeleteCommand(COrvaneDoc& doc, std::vector<CWidget*> widgets, const QString& text)
    : QUndoCommand(text), m_doc(doc), m_widgets(std::move(widgets)) {}

void CDeleteCommand::redo() {
    // Each index is taken just before its component goes, so that putting them back in the
    // opposite order restores every collection.
    m_indices.clear();
    for (CWidget* widget : m_widgets) {
        m_indices.push_back(m_doc.IndexOf(*widget));
        m_doc.Remove(*widget);
    }
}

void CDeleteCommand::undo() {
    for (size_t i = m_widgets.size(); i-- > 0;)
        m_doc.Reinsert(*m_widgets[i], m_indices[i]);
}

CMoveCommand::CMoveCommand(COrvaneDoc& doc, std::vector<CPlacement> before,
                           std::vector<CPlacement> after, const QString& text)
    : QUndoCommand(text), m_doc(doc), m_before(std::move(before)), m_after(std::move(after)) {}

void CMoveCommand::Place(const std::vector<CPlacement>& placements) {
    for (const CPlacement& p : placements)
        m_doc.Move(*p.widget, p.point1, p.point2);
}

void CMoveCommand::undo() {
    Place(m_before);
}

void CMoveCommand::redo() {
    Place(m_after);
}

CPropertiesCommand::CPropertiesCommand(COrvaneDoc& doc, CWidget& widget,
                                       std::unique_ptr<CWidget> before,
                                       std::unique_ptr<CWidget> after, const QString& text)
    : QUndoCommand(text), m_doc(doc), m_widget(widget), m_before(std::move(before)),
      m_after(std::move(after)) {}

CPropertiesCommand::~CPropertiesCommand() = default;

void CPropertiesCommand::undo() {
    m_doc.SetAttributes(m_widget, *m_before);
}

void CPropertiesCommand::redo() {
    m_doc.SetAttributes(m_widget, *m_after);
}

CSimulationSettingsCommand::CSimulationSettingsCommand(COrvaneDoc& doc,
                                                       const CSimulationSettings& after,
                                                       const QString& text)
    : QUndoCommand(text), m_doc(doc), m_before(doc.GetSettings()), m_after(after) {}

void CSimulationSettingsCommand::undo() {
    m_doc.SetSettings(m_before);
}

void CSimulationSettingsCommand::redo() {
    m_doc.SetSettings(m_after);
}

CWorkspaceSettingsCommand::CWorkspaceSettingsCommand(COrvaneDoc& doc,
                                                     const CWorkspaceSettings& after,
                                                     const QString& text)
    : QUndoCommand(text), m_doc(doc), m_before(doc.GetWorkspaceSettings()),
      m_totalBefore(doc.m_totalSize), m_after(after) {}

void CWorkspaceSettingsCommand::undo() {
    m_doc.SetWorkspaceSettings(m_before);
    m_doc.m_totalSize = m_totalBefore;
}

void CWorkspaceSettingsCommand::redo() {
    m_doc.SetWorkspaceSettings(m_after);
}

} // namespace orvane

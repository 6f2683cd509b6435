#pragma once

#include "model/Geometry.h"
#include "model/SimulationSettings.h"
#include "model/WorkspaceSettings.h"

#include <QUndoCommand>

#include <memory>
#include <vector>

namespace orvane {

class COrvaneDoc;
class CWidget;

// The undoable changes of a drawing. Each command keeps what its change needs in both
// directions and goes through the document's change operations and their inverses, so that
// undo leaves the file bytes as they were. The components the commands point at stay alive with
// the document, in the drawing or among its removed ones.

// Whether two components are alike field for field, as a network file stores them.
bool SameComponent(const CWidget& a, const CWidget& b);

// Components added, by a tool or by Paste. They are in the document when the command is pushed:
// its first redo does nothing; undo withdraws them, last first.
class CAddCommand : public QUndoCommand {
public:
    CAddCommand(COrvaneDoc& doc, std::vector<CWidget*> added, const QString& text);
    void undo() override;
    void redo() override;

private:
    COrvaneDoc& m_doc;
    std::vector<CWidget*> m_added;
    bool m_done = true;
};

// Components taken out of the drawing (Delete, Cut); undo puts each back where it stood.
class CDeleteCommand : public QUndoCommand {
public:
    CDeleteCommand(COrvaneDoc& doc, std::vector<CWidget*> widgets, const QString& text);
    void undo() override;
    void redo() override;

private:
    COrvaneDoc& m_doc;
    std::vector<CWidget*> m_widgets;
    std::vector<int> m_indices; // each one's collection index when it went, in that order
};

// Where a component's ends are.
struct CPlacement {
    CWidget* widget = nullptr;
    CPoint point1;
    CPoint point2;
};

// The ends one drag moved. The drag has moved them when the command is pushed; redo puts them
// where the drag left them, undo where they were.
class CMoveCommand : public QUndoCommand {
public:
    CMoveCommand(COrvaneDoc& doc, std::vector<CPlacement> before, std::vector<CPlacement> after,
                 const QString& text);
    void undo() override;
    void redo() override;

private:
    void Place(const std::vector<CPlacement>& placements);

    COrvaneDoc& m_doc;
    std::vector<CPlacement> m_before;
    std::vector<CPlacement> m_after;
};

// A component's attributes from its property dialog; before and after are copies.
class CPropertiesCommand : public QUndoCommand {
public:
    CPropertiesCommand(COrvaneDoc& doc, CWidget& widget, std::unique_ptr<CWidget> before,
                       std::unique_ptr<CWidget> after, const QString& text);
    ~CPropertiesCommand() override;
    void undo() override;
    void redo() override;

private:
    COrvaneDoc& m_doc;
    CWidget& m_widget;
    std::unique_ptr<CWidget> m_before;
    std::unique_ptr<CWidget> m_after;
};

// The settings commands take the document's present settings as those to undo to.
class CSimulationSettingsCommand : public QUndoCommand {
public:
    CSimulationSettingsCommand(COrvaneDoc& doc, const CSimulationSettings& after,
                               const QString& text);
    void undo() override;
    void redo() override;

private:
    COrvaneDoc& m_doc;
    CSimulationSettings m_before;
    CSimulationSettings m_after;
};

// Undo also restores the scroll extent, which a file may give apart from the workspace size.
class CWorkspaceSettingsCommand : public QUndoCommand {
public:
    CWorkspaceSettingsCommand(COrvaneDoc& doc, const CWorkspaceSettings& after,
                              const QString& text);
    void undo() override;
    void redo() override;

private:
    COrvaneDoc& m_doc;
    CWorkspaceSettings m_before;
    CSize m_totalBefore;
    CWorkspaceSettings m_after;
};

} // namespace orvane

#include "editor/ComponentDlg.h"

#include "model/GenSource.h"
#include "model/SwitchWidget.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QPlainTextEdit>

namespace orvane {

CComponentDlg::CComponentDlg(CSwitchWidget& component, QWidget* parent)
    : CComponentDlg(component.m_capacity, component.m_notes, parent) {}

CComponentDlg::CComponentDlg(CGenSource& source, QWidget* parent)
    : CComponentDlg(source.m_capacity, source.m_notes, parent) {}

CComponentDlg::CComponentDlg(double& capacity, std::string& notes, QWidget* parent)
    : CDataDialog(tr("Component Data"), parent), m_capacity(capacity), m_notes(notes) {
    auto* group = new QGroupBox(tr("Details"), this);
    auto* grid = new QGridLayout(group);
    m_capacityRow = &AddRow(tr("Capacity"), grid);
    m_notesEdit = AddNotes(grid);
    LayOutPropertyDialog(group);

    m_capacityRow->LoadNumber(m_capacity, -1.0);
    LoadNotes(m_notesEdit, m_notes);
}

bool CComponentDlg::Store() {
    double capacity = 0.0;
    if (!ReadNumber(*m_capacityRow, capacity))
        return false;
    m_capacity = m_capacityRow->IsChecked() ? capacity : -1.0;
    m_notes = NotesText(m_notesEdit);
    return true;
}

} // namespace orvane

#include "editor/RecloserDlg.h"

#include "model/Recloser.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QPlainTextEdit>

namespace orvane {

CRecloserDlg::CRecloserDlg(CRecloser& recloser, QWidget* parent)
    : CDataDialog(tr("Recloser Data"), parent), m_recloser(recloser) {
    auto* group = new QGroupBox(tr("Details"), this);
    auto* grid = new QGridLayout(group);
    m_capacityRow = &AddRow(tr("Capacity"), grid);
    m_reclose1Row = &AddRow(tr("Reclosing time 1"), grid);
    m_reclose2Row = &AddRow(tr("Reclosing time 2"), grid);
    m_notesEdit = AddNotes(grid);
    LayOutPropertyDialog(group);

    m_capacityRow->LoadNumber(m_recloser.m_capacity, -1.0);
    m_reclose1Row->LoadNumber(m_recloser.m_reclose1, -1.0);
    m_reclose2Row->LoadNumber(m_recloser.m_reclose2, -1.0);
    LoadNotes(m_notesEdit, m_recloser.m_notes);
}

bool CRecloserDlg::Store() {
    double capacity = 0.0;
    double reclose1 = 0.0;
    double reclose2 = 0.0;
    if (!ReadNumber(*m_capacityRow, capacity) || !ReadNumber(*m_reclose1Row, reclose1) ||
        !ReadNumber(*m_reclose2Row, reclose2))
        return false;
    m_recloser.m_capacity = m_capacityRow->IsChecked() ? capacity : -1.0;
    m_recloser.m_reclose1 = m_reclose1Row->IsChecked() ? reclose1 : -1.0;
    m_recloser.m_reclose2 = m_reclose2Row->IsChecked() ? reclose2 : -1.0;
    m_recloser.m_notes = NotesText(m_notesEdit);
    return true;
}

} // namespace orvane

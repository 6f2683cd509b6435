#include "editor/LineEquipmentDlg.h"

#include "model/BranchWidget.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QPlainTextEdit>

namespace orvane {

CLineEquipmentDlg::CLineEquipmentDlg(CBranchWidget& branch, QWidget* parent)
    : CDataDialog(tr("Line/Equipment Data"), parent), m_branch(branch) {
    auto* group = new QGroupBox(tr("Line/Equipment Details"), this);
    auto* grid = new QGridLayout(group);
    const QString captions[] = {tr("Failure 1"),   tr("Failure 2"), tr("Isolation 1"),
                                tr("Isolation 2"), tr("Repair 1"),  tr("Repair 2"),
                                tr("Length"),      tr("Capacity")};
    for (const QString& caption : captions)
        AddRow(caption, grid);
    m_notesEdit = AddNotes(grid);
    LayOutPropertyDialog(group);

    const auto fields = Fields();
    for (size_t i = 0; i < fields.size(); ++i)
        Rows()[i]->LoadNumber(*fields[i], -1.0);
    LoadNotes(m_notesEdit, m_branch.m_notes);
}

std::array<double*, 8> CLineEquipmentDlg::Fields() const {
    return {&m_branch.m_failure1,   &m_branch.m_failure2, &m_branch.m_isolation1,
            &m_branch.m_isolation2, &m_branch.m_repair1,  &m_branch.m_repair2,
            &m_branch.m_length,     &m_branch.m_capacity};
}

bool CLineEquipmentDlg::Store() {
    std::array<double, 8> values{};
    for (size_t i = 0; i < values.size(); ++i)
        if (!ReadNumber(*Rows()[i], values[i]))
            return false;
    const auto fields = Fields();
    for (size_t i = 0; i < fields.size(); ++i)
        *fields[i] = Rows()[i]->IsChecked() ? values[i] : -1.0;
    m_branch.m_notes = NotesText(m_notesEdit);
    return true;
}

} // namespace orvane

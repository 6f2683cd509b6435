#pragma once

#include "editor/DataDialog.h"

#include <array>

class QPlainTextEdit;

namespace orvane {

class CBranchWidget;

// "Line/Equipment Data": failure, isolation and repair (each a value and a shape), length,
// capacity and notes of a line or a piece of equipment.
class CLineEquipmentDlg : public CDataDialog {
    Q_OBJECT
public:
    explicit CLineEquipmentDlg(CBranchWidget& branch, QWidget* parent = nullptr);

    QPlainTextEdit* Notes() const { return m_notesEdit; }

protected:
    bool Store() override;

private:
    // The attributes in the order of the rows.
    std::array<double*, 8> Fields() const;

    CBranchWidget& m_branch;
    QPlainTextEdit* m_notesEdit;
};

} // namespace orvane

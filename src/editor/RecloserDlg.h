#pragma once

#include "editor/DataDialog.h"

class QPlainTextEdit;

namespace orvane {

class CRecloser;

// "Recloser Data": capacity, reclosing time and its shape, and notes of a recloser.
class CRecloserDlg : public CDataDialog {
    Q_OBJECT
public:
    explicit CRecloserDlg(CRecloser& recloser, QWidget* parent = nullptr);

    QPlainTextEdit* Notes() const { return m_notesEdit; }

protected:
    bool Store() override;

private:
    CRecloser& m_recloser;
    CAttributeRow* m_capacityRow;
    CAttributeRow* m_reclose1Row;
    CAttributeRow* m_reclose2Row;
    QPlainTextEdit* m_notesEdit;
};

} // namespace orvane

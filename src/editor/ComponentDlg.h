#pragma once

#include "editor/DataDialog.h"

#include <string>

class QPlainTextEdit;

namespace orvane {

class CGenSource;
class CSwitchWidget;

// "Component Data": the capacity and notes of a circuit breaker, fuse, isolator or generation
// source.
class CComponentDlg : public CDataDialog {
    Q_OBJECT
public:
    CComponentDlg(CSwitchWidget& component, QWidget* parent = nullptr);
    CComponentDlg(CGenSource& source, QWidget* parent = nullptr);

    QPlainTextEdit* Notes() const { return m_notesEdit; }

protected:
    bool Store() override;

private:
    CComponentDlg(double& capacity, std::string& notes, QWidget* parent);

    double& m_capacity;
    std::string& m_notes;
    CAttributeRow* m_capacityRow;
    QPlainTextEdit* m_notesEdit;
};

} // namespace orvane

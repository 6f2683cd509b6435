#pragma once

#include "editor/DataDialog.h"
#include "model/CostPoint.h"

#include <array>
#include <vector>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace orvane {

class CLoadPoint;

// "Load Point Data": name, customers, average and peak load, cost curve, notes and the load
// profile of a load point. The profile is edited on a copy that only "Apply" hands over.
class CLoadPointDlg : public CDataDialog {
    Q_OBJECT
public:
    explicit CLoadPointDlg(CLoadPoint& loadPoint, QWidget* parent = nullptr);

    QPlainTextEdit* Notes() const { return m_notesEdit; }
    QCheckBox* ProfileCheck() const { return m_profileCheck; }
    QListWidget* ProfileList() const { return m_profileList; }
    QLineEdit* ProfileEntry() const { return m_entry; }
    QPushButton* AddButton() const { return m_add; }
    QPushButton* RemoveButton() const { return m_remove; }
    // "Residential", "Industrial", "Agriculture", "Load from file".
    const std::array<QPushButton*, 4>& PresetButtons() const { return m_presets; }
    // The entry field's value, as "&Add" would append it.
    double CurrentValue() const { return m_current; }

protected:
    bool Store() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* MakeDetails();
    QWidget* MakeProfile();
    QWidget* MakePresets();
    void EnableProfile(bool on);
    void AddValue();
    void RemoveValue();
    void AppendToList(double value);
    // The "Cost" field as a curve, empty when unchecked; false, refused, when it cannot stand.
    bool ReadCost(CCostCurve& curve);

    CLoadPoint& m_loadPoint;
    CAttributeRow* m_nameRow = nullptr;
    CAttributeRow* m_customersRow = nullptr;
    CAttributeRow* m_averageRow = nullptr;
    CAttributeRow* m_peakRow = nullptr;
    CAttributeRow* m_costRow = nullptr;
    QPlainTextEdit* m_notesEdit = nullptr;
    QCheckBox* m_profileCheck = nullptr;
    QListWidget* m_profileList = nullptr;
    QLineEdit* m_entry = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_remove = nullptr;
    std::array<QPushButton*, 4> m_presets{};
    std::vector<double> m_values; // the dialog's copy of the profile, in list order
    double m_current = 0.0;
};

} // namespace orvane

#pragma once

#include "shell/ReportFigures.h"

#include <QMap>
#include <QWidget>

class QLabel;
class QLineEdit;
class QTreeWidget;

namespace orvane {

// The form inside the "Simulation result viewer" bar: the system indices of the active
// network's last report with their relative accuracies and 95% intervals, the further indices
// of the report's closing section, and a datasheet row per load point.
class CSimulationResultDockableDlg : public QWidget {
    Q_OBJECT
public:
    explicit CSimulationResultDockableDlg(QWidget* parent = nullptr);

    // Fills the form from the text report beside an HTML report path; empties it when there
    // is none.
    void ShowReport(const std::string& htmlPath);
    void ShowFigures(const ReportFigures& figures);
    void Clear();

    // The text of a field: group 0 "System result values" (SAIFI ... ACCI), group 1 the
    // accuracies (SAIFI, SAIDI, ASAI, ENS), group 2 the 95% intervals of group 0.
    QString Field(int group, const QString& label) const;
    QString Status() const;
    QTreeWidget* Datasheet() const { return m_datasheet; }
    // The "Further indices" group: a row per index (name, value, 95% interval), the note that
    // stands for the momentary indices, and the worst-served load points.
    QTreeWidget* FurtherSheet() const { return m_further; }
    QString MomentaryNote() const;
    QString WorstServed() const;

private:
    QMap<QString, QLineEdit*> m_values;
    QMap<QString, QLineEdit*> m_accuracies;
    QMap<QString, QLineEdit*> m_intervals;
    QLabel* m_status;
    QTreeWidget* m_further;
    QLabel* m_momentaryNote;
    QLineEdit* m_worstServed;
    QTreeWidget* m_datasheet;
};

} // namespace orvane

#include "shell/SimulationResultDockableDlg.h"

#include "engine/SystemIndex.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cstdlib>

namespace orvane {

namespace {

// The form's labels with the report's index names (the form says ANES for AENS).
constexpr std::pair<const char*, const char*> kSystemFields[] = {
    {"SAIFI", "SAIFI"}, {"SAIDI", "SAIDI"}, {"CAIFI", "CAIFI"},
    {"CAIDI", "CAIDI"}, {"ASUI", "ASUI"},   {"ASAI", "ASAI"},
    {"ENS", "ENS"},     {"ANES", "AENS"},   {"ACCI", "ACCI"}};
constexpr const char* kAccuracyFields[] = {"SAIFI", "SAIDI", "ASAI", "ENS"};

QLineEdit* ReadOnlyField() {
    auto* edit = new QLineEdit;
    edit->setReadOnly(true);
    return edit;
}

QString Text(const std::string& s) {
    return QString::fromStdString(s);
}

QString Figure(const ReportFigure& f) {
    return f.accuracy.empty() ? Text(f.value) : Text(f.value + "  " + f.accuracy);
}

// ASAI is 1 - ASUI and ASUI is SAIDI / 8760, so ASAI's absolute error is ASUI's, whose relative
// accuracy is SAIDI's; the report prints none for ASAI itself.
QString AsaiAccuracy(const ReportFigures& figures) {
    const auto asui = figures.system.find("ASUI");
    const auto asai = figures.system.find("ASAI");
    const auto saidi = figures.system.find("SAIDI");
    if (asui == figures.system.end() || asai == figures.system.end() ||
        saidi == figures.system.end() || saidi->second.accuracy.empty())
        return {};
    const double u = std::atof(asui->second.value.c_str());
    const double a = std::atof(asai->second.value.c_str());
    const double percent = std::atof(saidi->second.accuracy.c_str());
    if (a <= 0.0)
        return {};
    return QString::asprintf("%.2g%%", u * percent / a);
}

} // namespace

CSimulationResultDockableDlg::CSimulationResultDockableDlg(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    m_status = new QLabel;
    m_status->setWordWrap(true);
    layout->addWidget(m_status);

    auto* system = new QGroupBox(QStringLiteral("System result values"));
    auto* systemGrid = new QGridLayout(system);
    systemGrid->addWidget(new QLabel(QStringLiteral("Value")), 0, 1);
    systemGrid->addWidget(new QLabel(QStringLiteral("95% interval")), 0, 2);
    int row = 1;
    for (const auto& [label, index] : kSystemFields) {
        const QString name = QString::fromUtf8(label);
        systemGrid->addWidget(new QLabel(name), row, 0);
        QLineEdit* value = ReadOnlyField();
        QLineEdit* interval = ReadOnlyField();
        systemGrid->addWidget(value, row, 1);
        systemGrid->addWidget(interval, row, 2);
        m_values.insert(name, value);
        m_intervals.insert(name, interval);
        ++row;
    }
    layout->addWidget(system);

    auto* accuracy = new QGroupBox(QStringLiteral("Relative accuracy"));
    auto* accuracyForm = new QFormLayout(accuracy);
    for (const char* label : kAccuracyFields) {
        QLineEdit* edit = ReadOnlyField();
        accuracyForm->addRow(QString::fromUtf8(label), edit);
        m_accuracies.insert(QString::fromUtf8(label), edit);
    }
    layout->addWidget(accuracy);

    auto* further = new QGroupBox(QStringLiteral("Further indices"));
    auto* furtherLayout = new QVBoxLayout(further);
    m_momentaryNote = new QLabel;
    m_momentaryNote->setWordWrap(true);
    furtherLayout->addWidget(m_momentaryNote);
    m_further = new QTreeWidget;
    m_further->setRootIsDecorated(false);
    m_further->setHeaderLabels(
        {QStringLiteral("Index"), QStringLiteral("Value"), QStringLiteral("95% interval")});
    m_further->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    furtherLayout->addWidget(m_further);
    auto* worstForm = new QFormLayout;
    m_worstServed = ReadOnlyField();
    m_worstServed->setToolTip(
        QStringLiteral("The load points with the most interrupted hours a year, worst first"));
    worstForm->addRow(QStringLiteral("Worst served"), m_worstServed);
    furtherLayout->addLayout(worstForm);
    layout->addWidget(further, 1);

    auto* sheet = new QGroupBox(QStringLiteral("Load Point Datasheet"));
    auto* sheetLayout = new QVBoxLayout(sheet);
    m_datasheet = new QTreeWidget;
    m_datasheet->setRootIsDecorated(false);
    m_datasheet->setHeaderLabels({QStringLiteral("Load Point"), QStringLiteral("Failure Rate"),
                                  QStringLiteral("Avg Outage Dur."),
                                  QStringLiteral("Unavailability"), QStringLiteral("ENS")});
    m_datasheet->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    sheetLayout->addWidget(m_datasheet);
    layout->addWidget(sheet, 1);
    Clear();
}

void CSimulationResultDockableDlg::Clear() {
    for (QLineEdit* edit : std::as_const(m_values))
        edit->clear();
    for (QLineEdit* edit : std::as_const(m_accuracies))
        edit->clear();
    for (QLineEdit* edit : std::as_const(m_intervals))
        edit->clear();
    m_further->clear();
    m_momentaryNote->clear();
    m_momentaryNote->hide();
    m_worstServed->clear();
    m_datasheet->clear();
    m_status->setText(QStringLiteral("No simulation result yet."));
}

void CSimulationResultDockableDlg::ShowReport(const std::string& htmlPath) {
    ShowFigures(ReadReportFigures(htmlPath));
}

void CSimulationResultDockableDlg::ShowFigures(const ReportFigures& figures) {
    Clear();
    if (!figures.error.empty()) {
        m_status->setText(
            QStringLiteral("The network could not be read: %1").arg(Text(figures.error)));
        return;
    }
    if (!figures.valid)
        return;
    m_status->setText(QStringLiteral("%1 years simulated in %2 (%3 years/sec)")
                          .arg(Text(figures.years), Text(figures.time), Text(figures.speed)));
    for (const auto& [label, index] : kSystemFields) {
        const auto it = figures.system.find(index);
        if (it != figures.system.end()) {
            m_values[QString::fromUtf8(label)]->setText(Text(it->second.value));
            QLineEdit* interval = m_intervals[QString::fromUtf8(label)];
            interval->setText(Text(it->second.interval));
            interval->setCursorPosition(0); // a narrow bar shows where the interval starts
        }
    }
    for (const char* label : kAccuracyFields) {
        const auto it = figures.system.find(label);
        if (it != figures.system.end())
            m_accuracies[QString::fromUtf8(label)]->setText(Text(it->second.accuracy));
    }
    m_accuracies[QStringLiteral("ASAI")]->setText(AsaiAccuracy(figures));
    // In the report's order; the momentary indices give way to the note and the costs are there
    // only for load points with a cost curve.
    for (auto i = static_cast<size_t>(SystemIndex::Maifi); i < SystemIndexCount; ++i) {
        const auto it = figures.further.find(SystemIndexInfos[i].name);
        if (it == figures.further.end())
            continue;
        auto* item = new QTreeWidgetItem(
            {Text(it->first), Text(it->second.value), Text(it->second.interval)});
        item->setToolTip(0, QString::fromUtf8(SystemIndexInfos[i].unit));
        m_further->addTopLevelItem(item);
    }
    m_momentaryNote->setText(Text(figures.momentaryNote));
    m_momentaryNote->setVisible(!figures.momentaryNote.empty());
    QStringList worst;
    for (const std::string& name : figures.worstServed)
        worst << Text(name);
    m_worstServed->setText(worst.join(QStringLiteral(", ")));
    m_worstServed->setCursorPosition(0);
    for (const LoadPointFigures& lp : figures.loadPoints) {
        m_datasheet->addTopLevelItem(
            new QTreeWidgetItem({Text(lp.name), Figure(lp.failureRate), Figure(lp.outageDuration),
                                 Figure(lp.unavailability), Figure(lp.energyNotSupplied)}));
    }
}

QString CSimulationResultDockableDlg::Field(int group, const QString& label) const {
    const auto& fields = group == 0 ? m_values : group == 1 ? m_accuracies : m_intervals;
    const auto it = fields.find(label);
    return it == fields.end() ? QString() : (*it)->text();
}

QString CSimulationResultDockableDlg::Status() const {
    return m_status->text();
}

QString CSimulationResultDockableDlg::MomentaryNote() const {
    return m_momentaryNote->text();
}

QString CSimulationResultDockableDlg::WorstServed() const {
    return m_worstServed->text();
}

} // namespace orvane

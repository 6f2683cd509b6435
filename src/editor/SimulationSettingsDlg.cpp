#include "editor/SimulationSettingsDlg.h"

#include "editor/FieldText.h"
#include "model/SimulationSettings.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvane {

namespace {
QString MomentaryCaption() {
    return CSimulationSettingsDlg::tr("Momentary limit (minutes)");
}
} // namespace

CSimulationSettingsDlg::CSimulationSettingsDlg(CSimulationSettings& settings, QWidget* parent)
    : CDataDialog(tr("Simulation settings"), parent), m_settings(settings) {
    auto* valueGroup = new QGroupBox(tr("Value"), this);
    auto* valueForm = new QFormLayout(valueGroup);
    m_quants = new QLineEdit(QString::number(settings.quantsPerDay), valueGroup);
    valueForm->addRow(tr("QuantsPerDay"), m_quants);

    auto* valuesGroup = new QGroupBox(tr("Values"), this);
    auto* grid = new QGridLayout(valuesGroup);
    m_yearMin = &AddRow(tr("Min years"), grid);
    m_yearMax = &AddRow(tr("Max years"), grid);
    m_yearStep = &AddRow(tr("Step years"), grid);
    m_accuracy = &AddRow(tr("Accuracy"), grid);
    m_yearMin->LoadInteger(settings.yearMin, 0);
    m_yearMax->LoadInteger(settings.yearMax, 0);
    m_yearStep->LoadInteger(settings.yearStep, 0);
    m_accuracy->LoadNumber(settings.accuracy, 0.0);

    auto* componentsGroup = new QGroupBox(tr("Components"), this);
    auto* componentsLayout = new QVBoxLayout(componentsGroup);
    const auto addSwitch = [&](const QString& caption, int32_t value) {
        auto* check = new QCheckBox(caption, componentsGroup);
        check->setChecked(value != 0);
        componentsLayout->addWidget(check);
        return check;
    };
    m_fuses = addSwitch(tr("Fuses"), settings.fuses);
    m_isolators = addSwitch(tr("Isolators"), settings.isolators);
    m_reclosers = addSwitch(tr("Reclosers"), settings.reclosers);
    m_maxFlow = addSwitch(tr("Maximum Flow"), settings.maxFlow);

    // Advanced: the seed and the replicas of the run, where an empty seed keeps the one default
    // sequence of random numbers; and the longest interruption that counts as momentary.
    auto* advancedGroup = new QGroupBox(tr("Advanced"), this);
    auto* advancedForm = new QFormLayout(advancedGroup);
    m_seed =
        new QLineEdit(settings.seeded ? QString::number(settings.seed) : QString(), advancedGroup);
    m_seed->setPlaceholderText(tr("default sequence"));
    m_replicas = new QLineEdit(QString::number(settings.replicas), advancedGroup);
    advancedForm->addRow(tr("Seed"), m_seed);
    advancedForm->addRow(tr("Replicas"), m_replicas);
    m_momentary =
        new QLineEdit(QString::fromStdString(FieldNumber(settings.momentary)), advancedGroup);
    advancedForm->addRow(MomentaryCaption(), m_momentary);

    auto* ok = new QPushButton(tr("OK"), this);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CSimulationSettingsDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CSimulationSettingsDlg::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* left = new QVBoxLayout;
    left->addWidget(valueGroup);
    left->addWidget(valuesGroup);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    auto* right = new QVBoxLayout;
    right->addWidget(componentsGroup);
    right->addWidget(advancedGroup);
    right->addStretch();
    columns->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(MakeNote(tr("Note: QuantsPerDay represent the time quanta in each simulated "
                                  "day. This value is required for the simulation")));
    layout->addLayout(buttons);
}

bool CSimulationSettingsDlg::Store() {
    int32_t quants = 0;
    int32_t yearMin = 0;
    int32_t yearMax = 0;
    int32_t yearStep = 0;
    double accuracy = 0.0;
    int32_t replicas = 1;
    if (!ReadInteger(m_quants, tr("QuantsPerDay"), quants) || !ReadInteger(*m_yearMin, yearMin) ||
        !ReadInteger(*m_yearMax, yearMax) || !ReadInteger(*m_yearStep, yearStep) ||
        !ReadNumber(*m_accuracy, accuracy) ||
        !ReadInteger(m_replicas, tr("Replicas"), 1, 100000, replicas))
        return false;
    const QString seedText = m_seed->text().trimmed();
    bool seedValid = true;
    const qulonglong seed = seedText.isEmpty() ? 0 : seedText.toULongLong(&seedValid, 10);
    if (!seedValid)
        return Refuse(m_seed, tr("Please enter a whole number of at most 20 digits in \"Seed\", "
                                 "or leave it empty for the default sequence."));
    const std::optional<double> momentary = ParseNumber(m_momentary->text().toStdString());
    if (!momentary || !CSimulationSettings::MomentaryInRange(*momentary))
        return Refuse(m_momentary, tr("Please enter a number between 0 and %1 in \"%2\".")
                                       .arg(CSimulationSettings::kMaxMomentary)
                                       .arg(MomentaryCaption()));
    m_settings.quantsPerDay = quants;
    m_settings.yearMin = m_yearMin->IsChecked() ? yearMin : 0;
    m_settings.yearMax = m_yearMax->IsChecked() ? yearMax : 0;
    m_settings.yearStep = m_yearStep->IsChecked() ? yearStep : 0;
    m_settings.accuracy = m_accuracy->IsChecked() ? accuracy : 0.0;
    m_settings.fuses = m_fuses->isChecked() ? 1 : 0;
    m_settings.isolators = m_isolators->isChecked() ? 1 : 0;
    m_settings.reclosers = m_reclosers->isChecked() ? 1 : 0;
    m_settings.maxFlow = m_maxFlow->isChecked() ? 1 : 0;
    // Replicas need streams of their own: without a seed they take seed 0, as on the command line.
    m_settings.seeded = !seedText.isEmpty() || replicas > 1;
    m_settings.seed = seed;
    m_settings.replicas = static_cast<uint32_t>(replicas);
    m_settings.momentary = *momentary;
    return true;
}

} // namespace orvane

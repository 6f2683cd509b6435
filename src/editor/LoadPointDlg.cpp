#include "editor/LoadPointDlg.h"

#include "editor/FieldText.h"
#include "model/CheckTexts.h"
#include "model/LoadPoint.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace orvane {

namespace {

// A cost curve as its field shows it: "hours cost" per point, the points separated by ", ".
std::string CostText(const CCostCurve& curve) {
    std::string text;
    for (const CCostPoint& point : curve) {
        if (!text.empty())
            text += ", ";
        text += FieldNumber(point.hours) + " " + FieldNumber(point.cost);
    }
    return text;
}

} // namespace

CLoadPointDlg::CLoadPointDlg(CLoadPoint& loadPoint, QWidget* parent)
    : CDataDialog(tr("Load Point Data"), parent), m_loadPoint(loadPoint) {
    auto* left = new QVBoxLayout;
    left->addWidget(MakeDetails());
    left->addWidget(MakeProfile());
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addWidget(MakePresets(), 0, Qt::AlignTop);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(MakeApplyButton());
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(MakeNote(tr("Check the check box to enable the attribute.")));
    layout->addLayout(buttons);

    m_nameRow->LoadText(m_loadPoint.m_name);
    m_customersRow->LoadInteger(m_loadPoint.m_customers, -1);
    m_averageRow->LoadNumber(m_loadPoint.m_average, -1.0);
    m_peakRow->LoadNumber(m_loadPoint.m_peak, -1.0);
    m_costRow->LoadText(CostText(m_loadPoint.m_cost));
    LoadNotes(m_notesEdit, m_loadPoint.m_notes);

    const bool hasProfile = !m_loadPoint.m_profile.empty();
    if (hasProfile)
        for (const CUDouble& value : m_loadPoint.m_profile) {
            m_values.push_back(value.GetValue());
            AppendToList(value.GetValue());
        }
    m_profileCheck->setChecked(hasProfile);
    EnableProfile(hasProfile);
}

QWidget* CLoadPointDlg::MakeDetails() {
    auto* group = new QGroupBox(tr("Load Point details"), this);
    auto* grid = new QGridLayout(group);
    m_nameRow = &AddRow(tr("Name"), grid);
    m_customersRow = &AddRow(tr("Num customers"), grid);
    m_averageRow = &AddRow(tr("Average"), grid);
    m_peakRow = &AddRow(tr("Peak"), grid);
    m_costRow = &AddRow(tr("Cost"), grid);
    m_costRow->Edit()->setPlaceholderText(tr("hours cost, hours cost, ..."));
    m_costRow->Edit()->setToolTip(
        tr("The cost per kW interrupted of an interruption lasting so many hours, point by point; "
           "linear between the points and beyond the last."));
    m_notesEdit = AddNotes(grid);
    return group;
}

QWidget* CLoadPointDlg::MakeProfile() {
    auto* group = new QGroupBox(tr("Load Profile"), this);
    m_profileCheck = new QCheckBox(tr("Enable/disable load profile"), group);
    m_profileList = new QListWidget(group);
    m_profileList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_profileList->installEventFilter(this);
    m_entry = new QLineEdit(QStringLiteral("0"), group);
    m_add = new QPushButton(tr("&Add"), group);
    m_remove = new QPushButton(tr("Remove"), group);
    m_add->setAutoDefault(false);
    m_remove->setAutoDefault(false);

    auto* entryRow = new QHBoxLayout;
    entryRow->addWidget(m_entry, 1);
    entryRow->addWidget(m_add);
    entryRow->addWidget(m_remove);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(m_profileCheck);
    layout->addWidget(m_profileList);
    layout->addLayout(entryRow);
    layout->addWidget(MakeNote(tr("User can add new values into the load profile to indicate the "
                                  "increase and decrease of load over a time.")));

    connect(m_profileCheck, &QCheckBox::toggled, this, &CLoadPointDlg::EnableProfile);
    connect(m_entry, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_current = LeadingNumber(text.toStdString()); });
    connect(m_add, &QPushButton::clicked, this, &CLoadPointDlg::AddValue);
    connect(m_remove, &QPushButton::clicked, this, &CLoadPointDlg::RemoveValue);
    connect(m_profileList, &QListWidget::itemSelectionChanged, this, [this] {
        if (m_profileCheck->isChecked() && !m_profileList->selectedItems().isEmpty())
            m_remove->setEnabled(true);
    });
    return group;
}

QWidget* CLoadPointDlg::MakePresets() {
    auto* panel = new QWidget(this);
    auto* layout = new QVBoxLayout(panel);
    auto* text = new QLabel(
        tr("Press the button below to select a predefined load profile for this load point."),
        panel);
    text->setWordWrap(true);
    layout->addWidget(text);
    const QString captions[] = {tr("Residential"), tr("Industrial"), tr("Agriculture"),
                                tr("Load from file")};
    for (size_t i = 0; i < m_presets.size(); ++i) {
        m_presets[i] = new QPushButton(captions[i], panel);
        m_presets[i]->setAutoDefault(false);
        // There are no predefined profiles and no profile file format yet; a button that
        // silently does nothing would mislead.
        m_presets[i]->setEnabled(false);
        m_presets[i]->setToolTip(tr("No predefined load profiles are available."));
        layout->addWidget(m_presets[i]);
    }
    layout->addStretch();
    panel->setMaximumWidth(180);
    return panel;
}

void CLoadPointDlg::EnableProfile(bool on) {
    m_profileList->setEnabled(on);
    m_entry->setEnabled(on);
    m_add->setEnabled(on);
    m_remove->setEnabled(false);
}

void CLoadPointDlg::AddValue() {
    m_values.push_back(m_current);
    AppendToList(m_current);
    m_entry->setFocus();
    m_entry->setText(QStringLiteral("0"));
    m_remove->setEnabled(false);
}

void CLoadPointDlg::RemoveValue() {
    const QList<QListWidgetItem*> selected = m_profileList->selectedItems();
    if (selected.isEmpty())
        return;
    const int row = m_profileList->row(selected.front());
    delete m_profileList->takeItem(row);
    m_values.erase(m_values.begin() + row);
    m_profileList->clearSelection();
    m_profileList->setCurrentRow(-1);
    m_remove->setEnabled(false);
}

void CLoadPointDlg::AppendToList(double value) {
    m_profileList->addItem(QString::fromStdString(ProfileNumber(value)));
}

bool CLoadPointDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_profileList && event->type() == QEvent::FocusIn && m_profileList->isEnabled())
        m_remove->setEnabled(true);
    return CDataDialog::eventFilter(watched, event);
}

bool CLoadPointDlg::ReadCost(CCostCurve& curve) {
    curve.clear();
    if (!m_costRow->IsChecked())
        return true;
    // Commas and blanks alike separate the numbers, so "1 5, 4 12" and "1, 5, 4, 12" agree.
    std::string text = m_costRow->Text().toStdString();
    for (char& c : text)
        if (c == ',')
            c = ' ';
    std::vector<double> numbers;
    bool readable = true;
    for (size_t at = 0; at < text.size();) {
        const size_t start = text.find_first_not_of(" \t", at);
        if (start == std::string::npos)
            break;
        const size_t end = std::min(text.find_first_of(" \t", start), text.size());
        const std::optional<double> number =
            ParseNumber(std::string_view(text).substr(start, end - start));
        readable = readable && number.has_value();
        if (number)
            numbers.push_back(*number);
        at = end;
    }
    const QString caption = m_costRow->CaptionText();
    if (!readable || numbers.empty() || numbers.size() % 2 != 0)
        return Refuse(m_costRow->Edit(),
                      tr("Please enter pairs of numbers in \"%1\": hours, then the cost per kW "
                         "interrupted.")
                          .arg(caption));
    for (size_t i = 0; i < numbers.size(); i += 2)
        curve.push_back(CCostPoint{numbers[i], numbers[i + 1]});
    const std::string problem = CostCurveProblem(curve);
    if (!problem.empty())
        return Refuse(m_costRow->Edit(), tr("In \"%1\", %2. Please correct the cost curve.")
                                             .arg(caption, QString::fromStdString(problem)));
    return true;
}

bool CLoadPointDlg::Store() {
    const QString nameText = m_nameRow->Text();
    const std::string name = nameText.toStdString();
    if (m_nameRow->IsChecked() && !NdlNameIsValid(name))
        return Refuse(m_nameRow->Edit(),
                      tr("The name \"%1\" %2. Please choose another name.")
                          .arg(nameText, QString::fromStdString(NdlNameProblem(name))));
    int32_t customers = 0;
    double average = 0.0;
    double peak = 0.0;
    CCostCurve cost;
    if (!ReadInteger(*m_customersRow, customers) || !ReadNumber(*m_averageRow, average) ||
        !ReadNumber(*m_peakRow, peak) || !ReadCost(cost))
        return false;

    m_loadPoint.m_name = m_nameRow->IsChecked() ? name : std::string();
    m_loadPoint.m_customers = m_customersRow->IsChecked() ? customers : -1;
    m_loadPoint.m_average = m_averageRow->IsChecked() ? average : -1.0;
    m_loadPoint.m_peak = m_peakRow->IsChecked() ? peak : -1.0;
    m_loadPoint.m_cost = std::move(cost);
    m_loadPoint.m_notes = NotesText(m_notesEdit);
    // Unchecked means no profile, as an unchecked attribute means not given.
    m_loadPoint.m_profile.clear();
    if (m_profileCheck->isChecked())
        for (double value : m_values)
            m_loadPoint.m_profile.emplace_back(value);
    return true;
}

} // namespace orvane

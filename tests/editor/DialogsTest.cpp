#include "editor/ComponentDlg.h"
#include "editor/FieldText.h"
#include "editor/LineEquipmentDlg.h"
#include "editor/LoadPointDlg.h"
#include "editor/NDLDisplayDialog.h"
#include "editor/PropertyDialog.h"
#include "editor/RecloserDlg.h"
#include "editor/SettingsDlg.h"
#include "editor/SimulationSettingsDlg.h"
#include "model/BusBar.h"
#include "model/CircuitBreaker.h"
#include "model/Equipment.h"
#include "model/Fuse.h"
#include "model/GenSource.h"
#include "model/Isolator.h"
#include "model/Line.h"
#include "model/LoadPoint.h"
#include "model/OrvaneDoc.h"
#include "model/Recloser.h"
#include "model/SimulationSettings.h"
#include "model/TypeOrder.h"
#include "model/WorkspaceSettings.h"
#include "support/GuiTest.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>
#include <vector>

namespace orvane {
namespace {

// Refusals land here instead of in a message box.
QStringList g_messages;

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::GuiApp();
        g_messages.clear();
        CDataDialog::SetMessageSink(
            [](QWidget*, const QString&, const QString& text) { g_messages.push_back(text); });
    }
};

// Every text shown is there verbatim: title, group titles, labels and button texts.
void ExpectTexts(const QWidget& window, const QStringList& expected) {
    QStringList texts{window.windowTitle()};
    for (const QGroupBox* group : window.findChildren<QGroupBox*>())
        texts << group->title();
    for (const QLabel* label : window.findChildren<QLabel*>())
        texts << label->text();
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>())
        texts << button->text();
    for (const QString& text : expected)
        EXPECT_TRUE(texts.contains(text)) << text.toStdString();
}

const QString kCheckNote = "Check the check box to enable the attribute.";

QPushButton* Button(const QWidget& dlg, const QString& text) {
    for (QPushButton* button : dlg.findChildren<QPushButton*>())
        if (button->text() == text)
            return button;
    return nullptr;
}

// The rows as the user sees them, "[x] Caption: text" or "[ ] Caption: text"; "[!]" where the
// caption or the field is enabled other than its box is checked.
QStringList Shown(const CDataDialog& dlg) {
    QStringList rows;
    for (const auto& row : dlg.Rows()) {
        const bool on = row->IsChecked();
        const bool same = row->Edit()->isEnabled() == on && row->Caption()->isEnabled() == on;
        const char* mark = !same ? "[!] " : on ? "[x] " : "[ ] ";
        rows << mark + row->CaptionText() + ": " + row->Text();
    }
    return rows;
}

void Enter(CAttributeRow& row, const QString& text) {
    row.SetChecked(true);
    row.Edit()->setText(text);
}

// The dialogs' number reading, apart from any field. (Help paragraphs beside the fields are
// constants and not repeated here.)
TEST(FieldTextTest, WholeFieldsAndLeadingNumbers) {
    EXPECT_EQ(ParseNumber(" +0.5 "), 0.5);
    for (const char* bad : {"", " ", "abc", "1.5x", "1,5", "nan", "inf", "+-1", "1e999", "+"})
        EXPECT_FALSE(ParseNumber(bad)) << '"' << bad << '"';
    EXPECT_EQ(ParseInteger(" -1 "), -1);
    for (const char* bad : {"1.5", "1e3", "2147483648", "12a", "0x10"})
        EXPECT_FALSE(ParseInteger(bad)) << '"' << bad << '"';
    // Profile entries read as atof reads them, but never as inf or nan.
    const std::pair<const char*, double> leading[] = {
        {"1.5abc", 1.5}, {"  -2", -2.0}, {"+3", 3.0}, {"abc", 0.0}, {"", 0.0}, {"inf", 0.0}};
    for (const auto& [text, value] : leading)
        EXPECT_EQ(LeadingNumber(text), value) << '"' << text << '"';
    EXPECT_EQ(ProfileNumber(1234567.0), "1.23457e+06");
}

TEST_F(DialogTest, LineDialogLoadsAppliesRefusesAndStoresUncheckedAsNotSet) {
    CLine line({0, 0}, {100, 0}, 1, 0x808080);
    line.m_failure2 = 1.5;
    line.m_isolation1 = 0.25;
    line.m_length = 0.0; // 0 is a value, not "not set"
    line.m_notes = "old";
    CLineEquipmentDlg dlg(line);
    ExpectTexts(dlg,
                {"Line/Equipment Data", "Line/Equipment Details", "Notes", kCheckNote, "Apply"});
    EXPECT_EQ(Shown(dlg),
              (QStringList{"[ ] Failure 1: 0", "[x] Failure 2: 1.5", "[x] Isolation 1: 0.25",
                           "[ ] Isolation 2: 0", "[ ] Repair 1: 0", "[ ] Repair 2: 0",
                           "[x] Length: 0", "[ ] Capacity: 0"}));
    EXPECT_EQ(dlg.Notes()->toPlainText(), "old");

    dlg.Row("Failure 1")->Check()->click(); // enables the caption and the field together
    EXPECT_EQ(Shown(dlg)[0], "[x] Failure 1: 0");
    dlg.Row("Failure 1")->Edit()->setText("0.5");
    Enter(*dlg.Row("Repair 2"), "3");
    Enter(*dlg.Row("Capacity"), "400");
    dlg.Row("Failure 2")->Check()->click();
    dlg.Notes()->setPlainText("two\nlines");
    dlg.reject(); // Escape and the close box end here: nothing is written
    EXPECT_EQ(line.m_failure1, -1.0);
    EXPECT_EQ(line.m_notes, "old");

    Button(dlg, "Apply")->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    const auto stored = [&] {
        return std::array<double, 8>{line.m_failure1,   line.m_failure2, line.m_isolation1,
                                     line.m_isolation2, line.m_repair1,  line.m_repair2,
                                     line.m_length,     line.m_capacity};
    };
    EXPECT_EQ(stored(), (std::array<double, 8>{0.5, -1.0, 0.25, -1.0, -1.0, 3.0, 0.0, 400.0}));
    EXPECT_EQ(line.m_notes, "two\nlines");

    // Text that is not a number is refused, even in an unchecked row, and nothing is written.
    dlg.Row("Failure 1")->Edit()->setText("9");
    for (const char* bad : {"4h", ""}) {
        g_messages.clear();
        dlg.Row("Repair 1")->Edit()->setText(bad);
        Button(dlg, "Apply")->click();
        EXPECT_EQ(g_messages, QStringList{"Please enter a number in \"Repair 1\"."}) << bad;
    }
    EXPECT_EQ(stored(), (std::array<double, 8>{0.5, -1.0, 0.25, -1.0, -1.0, 3.0, 0.0, 400.0}));
    dlg.Row("Repair 1")->Edit()->setText("4");
    EXPECT_TRUE(dlg.Apply());
    EXPECT_TRUE(dlg.Refusal().isEmpty());
    EXPECT_EQ(line.m_failure1, 9.0);
    EXPECT_EQ(line.m_repair1, -1.0);
}

TEST_F(DialogTest, PropertyDialogOfEachTypeEditsItsComponent) {
    CEquipment equipment;
    CCircuitBreaker breaker;
    CFuse fuse;
    CIsolator isolator;
    CRecloser recloser;
    CGenSource source;
    const std::tuple<CWidget*, double*, std::string*, QString, QString> cases[] = {
        {&equipment, &equipment.m_capacity, &equipment.m_notes, "Line/Equipment Data",
         "Line/Equipment Details"},
        {&breaker, &breaker.m_capacity, &breaker.m_notes, "Component Data", "Details"},
        {&fuse, &fuse.m_capacity, &fuse.m_notes, "Component Data", "Details"},
        {&isolator, &isolator.m_capacity, &isolator.m_notes, "Component Data", "Details"},
        {&source, &source.m_capacity, &source.m_notes, "Component Data", "Details"},
        {&recloser, &recloser.m_capacity, &recloser.m_notes, "Recloser Data", "Details"},
    };
    for (const auto& [widget, capacity, notes, title, group] : cases) {
        SCOPED_TRACE(TypeName(widget->Type()));
        *capacity = 12.5;
        const auto dlg = MakePropertyDialog(*widget);
        ASSERT_NE(dlg, nullptr);
        EXPECT_EQ(dlg->windowTitle(), title);
        ExpectTexts(*dlg, {group, "Notes", kCheckNote, "Apply"});
        EXPECT_TRUE(Shown(*dlg).contains("[x] Capacity: 12.5"));
        dlg->Row("Capacity")->Edit()->setText("7");
        dlg->findChild<QPlainTextEdit*>()->setPlainText("n");
        Button(*dlg, "Apply")->click();
        EXPECT_EQ(std::pair(*capacity, *notes), std::pair(7.0, std::string("n")));
        dlg->Row("Capacity")->Check()->click();
        ASSERT_TRUE(dlg->Apply());
        EXPECT_EQ(*capacity, -1.0);
    }
    CLoadPoint load;
    CBusBar busBar;
    EXPECT_EQ(MakePropertyDialog(load)->windowTitle(), "Load Point Data");
    EXPECT_EQ(MakePropertyDialog(busBar), nullptr);

    // The recloser's reclosing times go to their own fields.
    recloser.m_reclose1 = 0.01;
    CRecloserDlg dlg(recloser);
    EXPECT_EQ(Shown(dlg), (QStringList{"[ ] Capacity: 0", "[x] Reclosing time 1: 0.01",
                                       "[ ] Reclosing time 2: 0"}));
    Enter(*dlg.Row("Reclosing time 2"), "2");
    ASSERT_TRUE(dlg.Apply());
    EXPECT_EQ(std::pair(recloser.m_reclose1, recloser.m_reclose2), std::pair(0.01, 2.0));
    dlg.Row("Reclosing time 1")->Check()->click();
    ASSERT_TRUE(dlg.Apply());
    EXPECT_EQ(recloser.m_reclose1, -1.0);
}

TEST_F(DialogTest, LoadPointDetails) {
    CLoadPoint load({10, 10}, 1, 0);
    CLoadPointDlg dlg(load);
    ExpectTexts(dlg, {"Load Point Data", "Load Point details", "Notes", "Load Profile",
                      "Enable/disable load profile", "&Add", "Remove", "Residential", "Industrial",
                      "Agriculture", "Load from file", kCheckNote, "Apply"});
    // A new load point: named "LP", everything else not set; there are no presets to offer yet.
    EXPECT_EQ(Shown(dlg), (QStringList{"[x] Name: LP", "[ ] Num customers: 0", "[ ] Average: 0",
                                       "[ ] Peak: 0", "[ ] Cost: "}));
    for (const QPushButton* button : dlg.PresetButtons())
        EXPECT_FALSE(button->isEnabled());

    Enter(*dlg.Row("Num customers"), "120");
    Enter(*dlg.Row("Average"), "2.5");
    dlg.Row("Name")->Edit()->setText("Load 12 (east)");
    dlg.Notes()->setPlainText("substation B");
    Button(dlg, "Apply")->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(std::tuple(load.m_name, load.m_customers, load.m_average, load.m_peak, load.m_notes),
              std::tuple("Load 12 (east)", 120, 2.5, -1.0, "substation B"));

    // Unchecked, the name is stored empty whatever its field holds, and customers as -1.
    CLoadPointDlg again(load);
    EXPECT_EQ(Shown(again), (QStringList{"[x] Name: Load 12 (east)", "[x] Num customers: 120",
                                         "[x] Average: 2.5", "[ ] Peak: 0", "[ ] Cost: "}));
    again.Row("Name")->Edit()->setText("A#1");
    again.Row("Name")->Check()->click();
    again.Row("Num customers")->Check()->click();
    ASSERT_TRUE(again.Apply());
    EXPECT_EQ(std::pair(load.m_name, load.m_customers), std::pair(std::string(), -1));
    EXPECT_EQ(Shown(CLoadPointDlg(load))[0], "[ ] Name: ");
}

TEST_F(DialogTest, LoadPointNameThatNdlCannotCarryIsRefused) {
    const std::pair<QString, QString> cases[] = {
        {"A#1", "'#'"},
        {"two\nlines", "a line feed"},
        {QString("nul") + QChar(0), "a NUL byte"}, // kept through the conversion to bytes
        {"A#1 $2", "'#' and '$'"},
    };
    for (const auto& [name, why] : cases) {
        g_messages.clear();
        CLoadPoint load({10, 10}, 1, 0);
        CLoadPointDlg dlg(load);
        dlg.Row("Name")->Edit()->setText(name);
        Enter(*dlg.Row("Peak"), "3");
        Button(dlg, "Apply")->click();
        EXPECT_NE(dlg.result(), QDialog::Accepted);
        EXPECT_EQ(g_messages, QStringList{"The name \"" + name + "\" contains " + why +
                                          ", which NDL cannot carry. Please choose another name."});
        EXPECT_EQ(load.m_peak, -1.0) << why.toStdString();
    }
}

// The cost curve as "hours cost" pairs, commas or blanks between the numbers; refused as a
// whole, with nothing stored, when it cannot stand.
TEST_F(DialogTest, LoadPointCostCurve) {
    CLoadPoint load({10, 10}, 1, 0);
    load.m_cost = {{0, 0.5}, {1, 5.5}};
    CLoadPointDlg dlg(load);
    EXPECT_EQ(Shown(dlg).back(), "[x] Cost: 0 0.5, 1 5.5");
    dlg.Row("Cost")->Edit()->setText(" 0,0.5, 1 5.5 ,4, 12.25 ");
    Button(dlg, "Apply")->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(load.m_cost, (CCostCurve{{0, 0.5}, {1, 5.5}, {4, 12.25}}));

    const std::pair<QString, QString> refused[] = {
        {"1 5, 4", "Please enter pairs of numbers in \"Cost\": hours, then the cost per kW "
                   "interrupted."},
        {"1 5 x 7", "Please enter pairs of numbers in \"Cost\": hours, then the cost per kW "
                    "interrupted."},
        {"", "Please enter pairs of numbers in \"Cost\": hours, then the cost per kW interrupted."},
        {"1 5, 1 7", "In \"Cost\", point 2 has no more hours than point 1. Please correct the "
                     "cost curve."},
    };
    for (const auto& [text, message] : refused) {
        g_messages.clear();
        CLoadPointDlg again(load);
        Enter(*again.Row("Cost"), text);
        Enter(*again.Row("Peak"), "3");
        again.accept();
        EXPECT_NE(again.result(), QDialog::Accepted) << text.toStdString();
        EXPECT_EQ(g_messages, QStringList{message});
        EXPECT_EQ(load.m_peak, -1.0) << text.toStdString();
    }

    // Unchecked, the load point has no cost.
    CLoadPointDlg off(load);
    off.Row("Cost")->Check()->click();
    ASSERT_TRUE(off.Apply());
    EXPECT_TRUE(load.m_cost.empty());
}

std::vector<double> Values(const CLoadPoint& load) {
    std::vector<double> values;
    for (const CUDouble& value : load.m_profile)
        values.push_back(value.GetValue());
    return values;
}

// The profile editor as the user sees it: box, entries, entry text, whether the list, entry and
// Add are on, whether Remove is offered.
QString Profile(const CLoadPointDlg& dlg) {
    QStringList parts{dlg.ProfileCheck()->isChecked() ? "[x]" : "[ ]"};
    for (int i = 0; i < dlg.ProfileList()->count(); ++i)
        parts << dlg.ProfileList()->item(i)->text();
    const bool on = dlg.ProfileList()->isEnabled();
    const bool same = dlg.ProfileEntry()->isEnabled() == on && dlg.AddButton()->isEnabled() == on;
    parts << "|" << dlg.ProfileEntry()->text() << (!same ? "mixed" : on ? "on" : "off");
    if (dlg.RemoveButton()->isEnabled())
        parts << "Remove";
    return parts.join(' ');
}

TEST_F(DialogTest, LoadProfileEditor) {
    CLoadPoint load({10, 10}, 1, 0);
    for (double value : {1.0, 1.5, 0.8})
        load.m_profile.emplace_back(value);
    CLoadPointDlg dlg(load);
    EXPECT_EQ(Profile(dlg), "[x] 1 1.5 0.8 | 0 on");

    // Remove with no entry selected does nothing; selecting one offers Remove for it.
    dlg.RemoveButton()->setEnabled(true);
    dlg.RemoveButton()->click();
    dlg.ProfileList()->setCurrentRow(1);
    EXPECT_EQ(Profile(dlg), "[x] 1 1.5 0.8 | 0 on Remove");
    dlg.RemoveButton()->click();
    EXPECT_EQ(Profile(dlg), "[x] 1 0.8 | 0 on");

    // Add takes the entry as far as it is a number and resets it; the list shows six digits.
    for (const char* text : {"2", "1.23456789 kW", "high"}) {
        dlg.ProfileEntry()->setText(text);
        dlg.AddButton()->click();
    }
    EXPECT_EQ(Profile(dlg), "[x] 1 0.8 2 1.23457 0 | 0 on");
    EXPECT_EQ(Values(load), (std::vector<double>{1.0, 1.5, 0.8})) << "edits wait for Apply";

    // The list taking the focus offers Remove.
    QFocusEvent focusIn(QEvent::FocusIn);
    QApplication::sendEvent(dlg.ProfileList(), &focusIn);
    EXPECT_EQ(Profile(dlg), "[x] 1 0.8 2 1.23457 0 | 0 on Remove");
    dlg.ProfileList()->setCurrentRow(4);
    dlg.RemoveButton()->click();
    Button(dlg, "Apply")->click();
    EXPECT_EQ(Values(load), (std::vector<double>{1.0, 0.8, 2.0, 1.23456789}));

    // Unchecked, the editor is off, focus offers no Remove, and Apply drops the profile.
    dlg.ProfileCheck()->click();
    QApplication::sendEvent(dlg.ProfileList(), &focusIn);
    EXPECT_EQ(Profile(dlg), "[ ] 1 0.8 2 1.23457 | 0 off");
    ASSERT_TRUE(dlg.Apply());
    EXPECT_TRUE(load.m_profile.empty());

    // Without a profile the box opens unchecked; Cancel after profile edits writes nothing.
    CLoadPointDlg again(load);
    EXPECT_EQ(Profile(again), "[ ] | 0 off");
    again.ProfileCheck()->click();
    again.AddButton()->click();
    again.reject();
    EXPECT_TRUE(load.m_profile.empty());
}

// The workspace options as shown: size, redraw, adaptive drawing, snap pitch and the list's range.
QString Options(const CSettingsDlg& dlg) {
    const QComboBox* snap = dlg.SnapList();
    return QString("%1*%2 %3 %4, snap %5 of %6..%7")
        .arg(dlg.WidthEdit()->text(), dlg.HeightEdit()->text(),
             dlg.RegionalButton()->isChecked() ? "regional" : "full",
             dlg.AdaptiveCheck()->isChecked() ? "adaptive" : "exact",
             snap->currentIndex() < 0 ? "none" : snap->currentText(), snap->itemText(0),
             snap->itemText(snap->count() - 1));
}

TEST_F(DialogTest, WorkspaceOptions) {
    CWorkspaceSettings ws;
    ws.regionalRedraw = true;
    ws.adaptiveDrawing = 1;
    const auto state = [&] {
        return std::tuple(ws.width, ws.height, ws.regionalRedraw, ws.adaptiveDrawing, ws.snapPixel);
    };
    {
        CSettingsDlg dlg(ws);
        ExpectTexts(dlg, {"Workspace options", "Workspace size", "Horizontal (pixels)",
                          "Verticle (pixels)", "Size options", "Screen redraw", "&Regional redraw",
                          "&Full screen redraw (Default)", "Adaptive drawing", "&Enable",
                          "Snap Drawing", "Snap pixel", "OK", "Cancel"});
        EXPECT_EQ(Options(dlg), "1024*786 regional adaptive, snap 10 of 0..20");
        dlg.SizeButtons()[0]->click();
        dlg.FullButton()->click();
        dlg.AdaptiveCheck()->click();
        dlg.SnapList()->setCurrentIndex(0);
        Button(dlg, "Cancel")->click();
    }
    EXPECT_EQ(state(), std::tuple(1024u, 786u, true, 1, 10));

    CSettingsDlg dlg(ws);
    const std::tuple<QString, QString> sizes[] = {
        {"640*480", "640*480"},     {"800*600", "800*600"},   {"1024*786", "1024*786"},
        {"1152*864", "1152*864"},   {"1290*960", "1290*960"}, {"1600*1200", "1600*1200"},
        {"1920*1440", "1920*1440"}, {"&Default", "780*430"}};
    for (size_t i = 0; i < std::size(sizes); ++i) {
        const auto& [caption, size] = sizes[i];
        EXPECT_EQ(dlg.SizeButtons()[i]->text(), caption);
        EXPECT_FALSE(dlg.SizeButtons()[i]->isChecked());
        dlg.SizeButtons()[i]->click();
        EXPECT_TRUE(Options(dlg).startsWith(size + " ")) << Options(dlg).toStdString();
    }
    dlg.AdaptiveCheck()->click();
    dlg.SnapList()->setCurrentIndex(0);
    Button(dlg, "OK")->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(state(), std::tuple(780u, 430u, true, 0, 0));
}

TEST_F(DialogTest, WorkspaceSizeLimitsAndSnapBeyondTheList) {
    CWorkspaceSettings ws;
    ws.snapPixel = 25;
    CSettingsDlg dlg(ws);
    EXPECT_EQ(Options(dlg), "1024*786 full exact, snap none of 0..20") << "25 is not listed";
    dlg.WidthEdit()->setText("40000");
    Button(dlg, "OK")->click();
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(
        g_messages,
        QStringList{"Please enter an integer between 0 and 30000 in \"Horizontal (pixels)\"."});
    dlg.WidthEdit()->setText("30000");
    for (const char* bad : {"-1", "30001", "800.5", "wide", ""}) {
        dlg.HeightEdit()->setText(bad);
        EXPECT_FALSE(dlg.Apply()) << bad;
    }
    EXPECT_EQ(dlg.Refusal(),
              "Please enter an integer between 0 and 30000 in \"Verticle (pixels)\".");
    EXPECT_EQ(ws.width, 1024u);
    dlg.HeightEdit()->setText("0");
    ASSERT_TRUE(dlg.Apply());
    EXPECT_EQ(std::tuple(ws.width, ws.height, ws.regionalRedraw, ws.snapPixel),
              std::tuple(30000u, 0u, false, 25))
        << "a pitch beyond the list is kept";
}

TEST_F(DialogTest, SimulationSettingsDialog) {
    CSimulationSettings settings;
    {
        CSimulationSettingsDlg dlg(settings);
        ExpectTexts(dlg, {"Simulation settings", "Value", "QuantsPerDay", "Values", "Components",
                          "Fuses", "Isolators", "Reclosers", "Maximum Flow", "Advanced", "Seed",
                          "Replicas", "Momentary limit (minutes)",
                          "Note: QuantsPerDay represent the time quanta in each simulated day. "
                          "This value is required for the simulation",
                          "OK", "Cancel"});
        EXPECT_EQ(dlg.SeedEdit()->text(), "");
        EXPECT_EQ(dlg.ReplicasEdit()->text(), "1");
        EXPECT_EQ(dlg.MomentaryEdit()->text(), "5");
        EXPECT_EQ(dlg.QuantsEdit()->text(), "0");
        EXPECT_EQ(Shown(dlg), (QStringList{"[x] Min years: 100", "[x] Max years: 1000000",
                                           "[x] Step years: 100", "[x] Accuracy: 0.05"}));
        for (QCheckBox* box :
             {dlg.FusesCheck(), dlg.IsolatorsCheck(), dlg.ReclosersCheck(), dlg.MaxFlowCheck()})
            EXPECT_TRUE(box->isChecked());
        dlg.QuantsEdit()->setText("24");
        dlg.FusesCheck()->click();
        Button(dlg, "Cancel")->click();
    }
    EXPECT_EQ(settings, CSimulationSettings{});

    CSimulationSettingsDlg dlg(settings);
    dlg.QuantsEdit()->setText("24");
    dlg.Row("Max years")->Check()->click();
    dlg.Row("Step years")->Edit()->setText("50");
    dlg.Row("Accuracy")->Edit()->setText("0.01");
    dlg.IsolatorsCheck()->click();
    Button(dlg, "OK")->click();
    CSimulationSettings expected;
    expected.quantsPerDay = 24;
    expected.yearMax = 0;
    expected.yearStep = 50;
    expected.accuracy = 0.01;
    expected.isolators = 0;
    EXPECT_EQ(settings, expected);

    // Values at 0 open unchecked; the whole-number fields refuse anything else.
    CSimulationSettingsDlg again(settings);
    EXPECT_EQ(Shown(again), (QStringList{"[x] Min years: 100", "[ ] Max years: 0",
                                         "[x] Step years: 50", "[x] Accuracy: 0.01"}));
    EXPECT_FALSE(again.IsolatorsCheck()->isChecked());
    again.QuantsEdit()->setText("a day");
    EXPECT_FALSE(again.Apply());
    EXPECT_EQ(again.Refusal(), "Please enter an integer in \"QuantsPerDay\".");
    again.QuantsEdit()->setText("48");
    Enter(*again.Row("Step years"), "10.5");
    EXPECT_FALSE(again.Apply());
    EXPECT_EQ(again.Refusal(), "Please enter an integer in \"Step years\".");
    EXPECT_EQ(settings, expected);
}

// The advanced run options: an empty seed keeps the default sequence unless replicas ask for
// streams of their own.
TEST_F(DialogTest, SimulationSettingsSeedAndReplicas) {
    struct Case {
        const char* seed;
        const char* replicas;
        const char* refusal; // nullptr: stored
        bool seeded;
        uint64_t storedSeed;
        uint32_t storedReplicas;
    };
    const Case cases[] = {
        {"", "1", nullptr, false, 0, 1},
        {" 42 ", "1", nullptr, true, 42, 1},
        {"", "8", nullptr, true, 0, 8},
        {"18446744073709551615", "100000", nullptr, true, UINT64_MAX, 100000},
        {"-1", "1",
         "Please enter a whole number of at most 20 digits in \"Seed\", or leave it empty for "
         "the default sequence.",
         false, 0, 1},
        {"7", "0", "Please enter an integer between 1 and 100000 in \"Replicas\".", false, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.seed) + " / " + c.replicas);
        CSimulationSettings settings;
        settings.quantsPerDay = 24;
        CSimulationSettingsDlg dlg(settings);
        dlg.SeedEdit()->setText(c.seed);
        dlg.ReplicasEdit()->setText(c.replicas);
        EXPECT_EQ(dlg.Apply(), c.refusal == nullptr);
        if (c.refusal) {
            EXPECT_EQ(dlg.Refusal(), c.refusal);
        }
        EXPECT_EQ(settings.seeded, c.seeded);
        EXPECT_EQ(settings.seed, c.storedSeed);
        EXPECT_EQ(settings.replicas, c.storedReplicas);
        if (c.refusal == nullptr) {
            CSimulationSettingsDlg reopened(settings);
            EXPECT_EQ(reopened.SeedEdit()->text(),
                      c.seeded ? QString::number(c.storedSeed) : QString());
        }
    }
}

// Minutes from 0 to a whole day, as NDL takes them; a refused text keeps the default 5.
TEST_F(DialogTest, SimulationSettingsMomentaryLimit) {
    const std::pair<const char*, double> cases[] = {{"0", 0},    {" 2.5 ", 2.5}, {"1440", 1440},
                                                    {"-0.5", 5}, {"1440.5", 5},  {"five", 5}};
    for (const auto& [text, stored] : cases) {
        SCOPED_TRACE(text);
        CSimulationSettings settings;
        CSimulationSettingsDlg dlg(settings);
        dlg.MomentaryEdit()->setText(text);
        const bool refused = !dlg.Apply();
        EXPECT_EQ(refused, stored == 5);
        EXPECT_EQ(dlg.Refusal(), refused ? "Please enter a number between 0 and 1440 in "
                                           "\"Momentary limit (minutes)\"."
                                         : "");
        EXPECT_EQ(settings.momentary, stored);
        EXPECT_EQ(CSimulationSettingsDlg(settings).MomentaryEdit()->text(),
                  QString::number(stored));
    }
}

TEST(NDLDisplayDialogTest, ShowsTextAndUpdatesFromItsSource) {
    test::GuiApp();
    std::string fresh = "system: quantsPerDay = 24.;\\\n";
    CNDLDisplayDialog window("first text\nsecond line", [&] { return fresh; });
    ExpectTexts(window, {"Network NDL", "&Update"});
    EXPECT_FALSE(window.isModal());
    EXPECT_TRUE(window.TextBox()->isReadOnly());
    EXPECT_EQ(window.Text(), "first text\nsecond line");
    window.UpdateButton()->click();
    EXPECT_EQ(window.Text(), fresh);
    fresh = "NDL Generator error:\n";
    window.UpdateButton()->click();
    EXPECT_EQ(window.Text(), fresh) << "the old text is replaced, not appended to";
}

} // namespace
} // namespace orvane

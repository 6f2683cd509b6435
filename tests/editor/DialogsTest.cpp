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
#include "ndl/SimulationSettings.h"

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

#include <string>
#include <vector>

#include <ostream>

// Readable failure output for Qt strings.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace orvane {
namespace {

// Refusals land here instead of in a message box.
QStringList g_messages;

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_messages.clear();
        CDataDialog::SetMessageSink(
            [](QWidget*, const QString&, const QString& text) { g_messages.push_back(text); });
    }
};

QStringList Captions(const CDataDialog& dlg) {
    QStringList captions;
    for (const auto& row : dlg.Rows())
        captions << row->CaptionText();
    return captions;
}

QStringList GroupTitles(const QWidget& dlg) {
    QStringList titles;
    for (const QGroupBox* group : dlg.findChildren<QGroupBox*>())
        titles << group->title();
    return titles;
}

QStringList LabelTexts(const QWidget& dlg) {
    QStringList texts;
    for (const QLabel* label : dlg.findChildren<QLabel*>())
        texts << label->text();
    return texts;
}

QPushButton* Button(const QWidget& dlg, const QString& text) {
    for (QPushButton* button : dlg.findChildren<QPushButton*>())
        if (button->text() == text)
            return button;
    return nullptr;
}

// The row as the user sees it: checked, field enabled, caption enabled, shown text.
void ExpectRow(const CAttributeRow& row, bool checked, const QString& text) {
    SCOPED_TRACE(row.CaptionText().toStdString());
    EXPECT_EQ(row.IsChecked(), checked);
    EXPECT_EQ(row.Edit()->isEnabled(), checked);
    EXPECT_EQ(row.Caption()->isEnabled(), checked);
    EXPECT_EQ(row.Text(), text);
}

void Enter(CAttributeRow& row, const QString& text) {
    row.SetChecked(true);
    row.Edit()->setText(text);
}

// The dialogs' number reading, apart from any field.
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

TEST_F(DialogTest, LineDialogLoadsAndAppliesEveryRow) {
    CLine line({0, 0}, {100, 0}, 1, 0x808080);
    line.m_failure2 = 1.5;
    line.m_isolation1 = 0.25;
    line.m_length = 0.0; // 0 is a value, not "not set"
    line.m_notes = "old";

    CLineEquipmentDlg dlg(line);
    EXPECT_EQ(dlg.windowTitle(), "Line/Equipment Data");
    EXPECT_EQ(GroupTitles(dlg), QStringList{"Line/Equipment Details"});
    EXPECT_EQ(Captions(dlg), (QStringList{"Failure 1", "Failure 2", "Isolation 1", "Isolation 2",
                                          "Repair 1", "Repair 2", "Length", "Capacity"}));
    EXPECT_TRUE(LabelTexts(dlg).contains("Notes"));
    EXPECT_TRUE(LabelTexts(dlg).contains("Check the check box to enable the attribute."));
    ASSERT_NE(Button(dlg, "Apply"), nullptr);

    ExpectRow(*dlg.Row("Failure 1"), false, "0");
    ExpectRow(*dlg.Row("Failure 2"), true, "1.5");
    ExpectRow(*dlg.Row("Isolation 1"), true, "0.25");
    ExpectRow(*dlg.Row("Isolation 2"), false, "0");
    ExpectRow(*dlg.Row("Length"), true, "0");
    ExpectRow(*dlg.Row("Capacity"), false, "0");
    EXPECT_EQ(dlg.Notes()->toPlainText(), "old");

    // A click on the box enables the caption and the field together.
    dlg.Row("Failure 1")->Check()->click();
    EXPECT_TRUE(dlg.Row("Failure 1")->Edit()->isEnabled());
    EXPECT_TRUE(dlg.Row("Failure 1")->Caption()->isEnabled());
    dlg.Row("Failure 1")->Edit()->setText("0.5");
    Enter(*dlg.Row("Repair 2"), "3");
    Enter(*dlg.Row("Capacity"), "400");
    dlg.Row("Failure 2")->Check()->click();
    dlg.Notes()->setPlainText("two\nlines");
    Button(dlg, "Apply")->click();

    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_TRUE(g_messages.empty());
    EXPECT_EQ(line.m_failure1, 0.5);
    EXPECT_EQ(line.m_failure2, -1.0);
    EXPECT_EQ(line.m_isolation1, 0.25);
    EXPECT_EQ(line.m_isolation2, -1.0);
    EXPECT_EQ(line.m_repair1, -1.0);
    EXPECT_EQ(line.m_repair2, 3.0);
    EXPECT_EQ(line.m_length, 0.0);
    EXPECT_EQ(line.m_capacity, 400.0);
    EXPECT_EQ(line.m_notes, "two\nlines");

    // Reopened: the stored values come back; unchecking stores not set.
    CLineEquipmentDlg again(line);
    ExpectRow(*again.Row("Failure 1"), true, "0.5");
    again.Row("Failure 1")->Check()->click();
    ASSERT_TRUE(again.Apply());
    EXPECT_EQ(line.m_failure1, -1.0);
}

TEST_F(DialogTest, ClosingWithoutApplyChangesNothing) {
    CEquipment equipment({0, 0}, {10, 10}, 1, 0);
    equipment.m_failure1 = 0.2;
    equipment.m_notes = "n";
    CLineEquipmentDlg dlg(equipment);
    dlg.Row("Failure 1")->Edit()->setText("9");
    Enter(*dlg.Row("Length"), "12");
    dlg.Notes()->setPlainText("changed");
    dlg.reject(); // Escape and the close box end here
    EXPECT_EQ(equipment.m_failure1, 0.2);
    EXPECT_EQ(equipment.m_length, -1.0);
    EXPECT_EQ(equipment.m_notes, "n");
}

TEST_F(DialogTest, TextThatIsNotANumberIsRefusedAndNothingIsStored) {
    CLine line({0, 0}, {100, 0}, 1, 0);
    CLineEquipmentDlg dlg(line);
    Enter(*dlg.Row("Failure 1"), "0.5");
    Enter(*dlg.Row("Repair 1"), "4h");
    dlg.accept();
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(g_messages, QStringList{"Please enter a number in \"Repair 1\"."});
    EXPECT_EQ(line.m_failure1, -1.0) << "a refused Apply writes nothing";

    // The field is read even while its box is unchecked.
    dlg.Row("Repair 1")->Check()->click();
    EXPECT_FALSE(dlg.Apply());
    dlg.Row("Repair 1")->Edit()->setText("");
    EXPECT_EQ(dlg.Apply(), false);
    EXPECT_EQ(dlg.Refusal(), "Please enter a number in \"Repair 1\".");
    dlg.Row("Repair 1")->Edit()->setText("4");
    EXPECT_TRUE(dlg.Apply());
    EXPECT_TRUE(dlg.Refusal().isEmpty());
    EXPECT_EQ(line.m_failure1, 0.5);
    EXPECT_EQ(line.m_repair1, -1.0);
}

TEST_F(DialogTest, ComponentDialogServesSwitchesAndSources) {
    CCircuitBreaker breaker({0, 0}, {20, 0}, 1, 0);
    breaker.m_notes = "feeder head";
    CComponentDlg dlg(breaker);
    EXPECT_EQ(dlg.windowTitle(), "Component Data");
    EXPECT_EQ(GroupTitles(dlg), QStringList{"Details"});
    EXPECT_EQ(Captions(dlg), QStringList{"Capacity"});
    EXPECT_TRUE(LabelTexts(dlg).contains("Check the check box to enable the attribute."));
    ExpectRow(*dlg.Row("Capacity"), false, "0");
    EXPECT_EQ(dlg.Notes()->toPlainText(), "feeder head");
    Enter(*dlg.Row("Capacity"), "250");
    dlg.Notes()->setPlainText("");
    dlg.accept();
    EXPECT_EQ(breaker.m_capacity, 250.0);
    EXPECT_EQ(breaker.m_notes, "");

    CGenSource source({50, 50}, 1, 0);
    source.m_capacity = 12.5;
    CComponentDlg sourceDlg(source);
    ExpectRow(*sourceDlg.Row("Capacity"), true, "12.5");
    sourceDlg.Row("Capacity")->Check()->click();
    sourceDlg.Notes()->setPlainText("plant");
    sourceDlg.accept();
    EXPECT_EQ(source.m_capacity, -1.0);
    EXPECT_EQ(source.m_notes, "plant");
}

TEST_F(DialogTest, RecloserDialog) {
    CRecloser recloser({0, 0}, {20, 0}, 1, 0);
    recloser.m_reclose1 = 0.01;
    CRecloserDlg dlg(recloser);
    EXPECT_EQ(dlg.windowTitle(), "Recloser Data");
    EXPECT_EQ(GroupTitles(dlg), QStringList{"Details"});
    EXPECT_EQ(Captions(dlg), (QStringList{"Capacity", "Reclosing time 1", "Reclosing time 2"}));
    ExpectRow(*dlg.Row("Capacity"), false, "0");
    ExpectRow(*dlg.Row("Reclosing time 1"), true, "0.01");
    ExpectRow(*dlg.Row("Reclosing time 2"), false, "0");
    Enter(*dlg.Row("Reclosing time 2"), "2");
    dlg.Row("Reclosing time 1")->Check()->click();
    Enter(*dlg.Row("Capacity"), "1e3");
    dlg.Notes()->setPlainText("r");
    dlg.accept();
    EXPECT_EQ(recloser.m_capacity, 1000.0);
    EXPECT_EQ(recloser.m_reclose1, -1.0);
    EXPECT_EQ(recloser.m_reclose2, 2.0);
    EXPECT_EQ(recloser.m_notes, "r");
}

TEST_F(DialogTest, PropertyDialogOfEachType) {
    CLine line;
    CEquipment equipment;
    CCircuitBreaker breaker;
    CFuse fuse;
    CIsolator isolator;
    CRecloser recloser;
    CGenSource source;
    CLoadPoint load;
    CBusBar busBar;
    const std::pair<CWidget*, QString> cases[] = {
        {&line, "Line/Equipment Data"}, {&equipment, "Line/Equipment Data"},
        {&breaker, "Component Data"},   {&fuse, "Component Data"},
        {&isolator, "Component Data"},  {&recloser, "Recloser Data"},
        {&source, "Component Data"},    {&load, "Load Point Data"},
    };
    for (const auto& [widget, title] : cases) {
        auto dlg = MakePropertyDialog(*widget);
        ASSERT_NE(dlg, nullptr) << title.toStdString();
        EXPECT_EQ(dlg->windowTitle(), title);
    }
    EXPECT_EQ(MakePropertyDialog(busBar), nullptr);

    // The dialog edits the component it was made for.
    auto dlg = MakePropertyDialog(fuse);
    Enter(*dlg->Row("Capacity"), "7");
    dlg->accept();
    EXPECT_EQ(fuse.m_capacity, 7.0);
    EXPECT_EQ(isolator.m_capacity, -1.0);
}

TEST_F(DialogTest, LoadPointDetails) {
    CLoadPoint load({10, 10}, 1, 0);
    CLoadPointDlg dlg(load);
    EXPECT_EQ(dlg.windowTitle(), "Load Point Data");
    EXPECT_EQ(GroupTitles(dlg), (QStringList{"Load Point details", "Load Profile"}));
    EXPECT_EQ(Captions(dlg), (QStringList{"Name", "Num customers", "Average", "Peak"}));
    const QStringList labels = LabelTexts(dlg);
    EXPECT_TRUE(labels.contains("Notes"));
    EXPECT_TRUE(labels.contains("Check the check box to enable the attribute."));
    EXPECT_TRUE(labels.contains("User can add new values into the load profile to indicate the "
                                "increase and decrease of load over a time."));
    EXPECT_TRUE(labels.contains(
        "Press the button below to select a predefined load profile for this load point."));
    EXPECT_EQ(dlg.ProfileCheck()->text(), "Enable/disable load profile");
    EXPECT_EQ(dlg.AddButton()->text(), "&Add");
    EXPECT_EQ(dlg.RemoveButton()->text(), "Remove");
    QStringList presets;
    for (const QPushButton* button : dlg.PresetButtons()) {
        presets << button->text();
        EXPECT_FALSE(button->isEnabled());
    }
    EXPECT_EQ(presets, (QStringList{"Residential", "Industrial", "Agriculture", "Load from file"}));

    // A new load point: named "LP", everything else not set.
    ExpectRow(*dlg.Row("Name"), true, "LP");
    ExpectRow(*dlg.Row("Num customers"), false, "0");
    ExpectRow(*dlg.Row("Average"), false, "0");
    ExpectRow(*dlg.Row("Peak"), false, "0");

    Enter(*dlg.Row("Num customers"), "120");
    Enter(*dlg.Row("Average"), "2.5");
    dlg.Row("Name")->Edit()->setText("Mill Road");
    dlg.Notes()->setPlainText("substation B");
    dlg.accept();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(load.m_name, "Mill Road");
    EXPECT_EQ(load.m_customers, 120);
    EXPECT_EQ(load.m_average, 2.5);
    EXPECT_EQ(load.m_peak, -1.0);
    EXPECT_EQ(load.m_notes, "substation B");

    // Unchecked name and customers store the empty name and -1; the empty name opens unchecked.
    CLoadPointDlg again(load);
    ExpectRow(*again.Row("Num customers"), true, "120");
    again.Row("Name")->Check()->click();
    again.Row("Num customers")->Check()->click();
    ASSERT_TRUE(again.Apply());
    EXPECT_EQ(load.m_name, "");
    EXPECT_EQ(load.m_customers, -1);
    CLoadPointDlg third(load);
    ExpectRow(*third.Row("Name"), false, "");

    Enter(*third.Row("Num customers"), "12.5");
    EXPECT_FALSE(third.Apply());
    EXPECT_EQ(third.Refusal(), "Please enter an integer in \"Num customers\".");
    EXPECT_EQ(load.m_customers, -1);
}

TEST_F(DialogTest, LoadPointNameThatNdlCannotCarryIsRefused) {
    const std::pair<QString, QString> cases[] = {
        {"A#1", "'#'"},
        {"say \"hi\"", "'\"'"},
        {"C:\\load", "'\\'"},
        {"$5", "'$'"},
        {QString("two") + QChar('\n') + "lines", "a line feed"},
        {QString("cr") + QChar('\r'), "a carriage return"},
        {QString("nul") + QChar(0), "a NUL byte"},
    };
    for (const auto& [name, why] : cases) {
        SCOPED_TRACE(why.toStdString());
        g_messages.clear();
        CLoadPoint load({10, 10}, 1, 0);
        CLoadPointDlg dlg(load);
        dlg.Row("Name")->Edit()->setText(name);
        ASSERT_EQ(dlg.Row("Name")->Text(), name);
        Enter(*dlg.Row("Peak"), "3");
        dlg.accept();
        EXPECT_NE(dlg.result(), QDialog::Accepted);
        ASSERT_EQ(g_messages.size(), 1);
        EXPECT_EQ(g_messages[0], "The name \"" + name + "\" contains " + why +
                                     ", which NDL cannot carry. Please choose another name.");
        EXPECT_EQ(load.m_name, "LP");
        EXPECT_EQ(load.m_peak, -1.0);
    }

    CLoadPoint load({10, 10}, 1, 0);
    CLoadPointDlg dlg(load);
    dlg.Row("Name")->Edit()->setText("A#1 $2");
    EXPECT_FALSE(dlg.Apply());
    EXPECT_EQ(dlg.Refusal(), "The name \"A#1 $2\" contains '#' and '$', which NDL cannot carry. "
                             "Please choose another name.");
    dlg.Row("Name")->Edit()->setText("Load 12 (east)");
    dlg.accept();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(load.m_name, "Load 12 (east)");

    // An unchecked name is stored empty, whatever its field holds.
    CLoadPointDlg unchecked(load);
    unchecked.Row("Name")->Edit()->setText("A#1");
    unchecked.Row("Name")->Check()->click();
    EXPECT_TRUE(unchecked.Apply());
    EXPECT_EQ(load.m_name, "");
}

std::vector<double> Values(const CLoadPoint& load) {
    std::vector<double> values;
    for (const CUDouble& value : load.m_profile)
        values.push_back(value.GetValue());
    return values;
}

QStringList ListTexts(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

TEST_F(DialogTest, LoadProfileEditor) {
    CLoadPoint load({10, 10}, 1, 0);
    for (double value : {1.0, 1.5, 0.8})
        load.m_profile.emplace_back(value);
    CLoadPointDlg dlg(load);
    EXPECT_TRUE(dlg.ProfileCheck()->isChecked());
    EXPECT_EQ(ListTexts(dlg.ProfileList()), (QStringList{"1", "1.5", "0.8"}));
    EXPECT_TRUE(dlg.ProfileList()->isEnabled());
    EXPECT_TRUE(dlg.ProfileEntry()->isEnabled());
    EXPECT_TRUE(dlg.AddButton()->isEnabled());
    EXPECT_FALSE(dlg.RemoveButton()->isEnabled());
    EXPECT_EQ(dlg.ProfileEntry()->text(), "0");

    // Remove with no entry selected does nothing.
    dlg.RemoveButton()->setEnabled(true);
    dlg.RemoveButton()->click();
    EXPECT_EQ(dlg.ProfileList()->count(), 3);

    dlg.ProfileList()->setCurrentRow(1);
    EXPECT_TRUE(dlg.RemoveButton()->isEnabled());
    dlg.RemoveButton()->click();
    EXPECT_EQ(ListTexts(dlg.ProfileList()), (QStringList{"1", "0.8"}));
    EXPECT_FALSE(dlg.RemoveButton()->isEnabled());

    dlg.ProfileEntry()->setText("2");
    EXPECT_EQ(dlg.CurrentValue(), 2.0);
    dlg.AddButton()->click();
    EXPECT_EQ(dlg.ProfileEntry()->text(), "0");
    EXPECT_EQ(dlg.CurrentValue(), 0.0);
    EXPECT_FALSE(dlg.RemoveButton()->isEnabled());

    // The list taking the focus offers Remove.
    QFocusEvent focusIn(QEvent::FocusIn);
    QApplication::sendEvent(dlg.ProfileList(), &focusIn);
    EXPECT_TRUE(dlg.RemoveButton()->isEnabled());

    // Entry text is read as far as it is a number; the list shows six significant digits.
    dlg.ProfileEntry()->setText("1.23456789 kW");
    dlg.AddButton()->click();
    dlg.ProfileEntry()->setText("high");
    dlg.AddButton()->click();
    EXPECT_EQ(ListTexts(dlg.ProfileList()), (QStringList{"1", "0.8", "2", "1.23457", "0"}));
    EXPECT_EQ(Values(load), (std::vector<double>{1.0, 1.5, 0.8})) << "edits wait for Apply";

    dlg.ProfileList()->setCurrentRow(4);
    dlg.RemoveButton()->click();
    dlg.accept();
    EXPECT_EQ(Values(load), (std::vector<double>{1.0, 0.8, 2.0, 1.23456789}));
}

TEST_F(DialogTest, LoadProfileCheckBox) {
    CLoadPoint load({10, 10}, 1, 0);
    CLoadPointDlg dlg(load);
    EXPECT_FALSE(dlg.ProfileCheck()->isChecked());
    for (QWidget* w : std::initializer_list<QWidget*>{dlg.ProfileList(), dlg.ProfileEntry(),
                                                      dlg.AddButton(), dlg.RemoveButton()})
        EXPECT_FALSE(w->isEnabled());

    dlg.ProfileCheck()->click();
    EXPECT_TRUE(dlg.ProfileList()->isEnabled());
    EXPECT_TRUE(dlg.ProfileEntry()->isEnabled());
    EXPECT_TRUE(dlg.AddButton()->isEnabled());
    EXPECT_FALSE(dlg.RemoveButton()->isEnabled());
    dlg.ProfileEntry()->setText("0.5");
    dlg.AddButton()->click();
    dlg.ProfileList()->setCurrentRow(0);
    dlg.ProfileCheck()->click();
    EXPECT_FALSE(dlg.RemoveButton()->isEnabled());
    QFocusEvent focusIn(QEvent::FocusIn);
    QApplication::sendEvent(dlg.ProfileList(), &focusIn);
    EXPECT_FALSE(dlg.RemoveButton()->isEnabled()) << "not while the profile is off";
    dlg.ProfileCheck()->click();
    dlg.accept();
    EXPECT_EQ(Values(load), std::vector<double>{0.5});

    // Unchecked at Apply: the load point has no profile any more.
    CLoadPointDlg again(load);
    EXPECT_TRUE(again.ProfileCheck()->isChecked());
    again.ProfileCheck()->click();
    again.accept();
    EXPECT_TRUE(load.m_profile.empty());

    // Cancel after profile edits keeps the old profile.
    load.m_profile.emplace_back(3.0);
    CLoadPointDlg cancelled(load);
    cancelled.ProfileEntry()->setText("4");
    cancelled.AddButton()->click();
    cancelled.reject();
    EXPECT_EQ(Values(load), std::vector<double>{3.0});
}

TEST_F(DialogTest, WorkspaceOptionsShowTheDocument) {
    COrvaneDoc doc;
    CSettingsDlg dlg(doc);
    EXPECT_EQ(dlg.windowTitle(), "Workspace options");
    EXPECT_EQ(GroupTitles(dlg), (QStringList{"Workspace size", "Size options", "Screen redraw",
                                             "Adaptive drawing", "Snap Drawing"}));
    const QStringList labels = LabelTexts(dlg);
    for (const char* text :
         {"Horizontal (pixels)", "Verticle (pixels)", "Snap pixel",
          "Regional screen redraw only update a particular area as opposed to full screen redraw "
          "that update the whole screen. Regional redraw might cause artifacts while full screen "
          "redraw is much slower.",
          "Adaptive drawing help user to precisely draw widgets such as cricuit breaker on "
          "screen.",
          "Snap drawing create a virtual grid behind the workspace so widgets would be properly "
          "placed on workspace. Higher px value will waste more workspace while setting it to 0 "
          "px to disable snap drawing."})
        EXPECT_TRUE(labels.contains(text)) << text;
    EXPECT_EQ(dlg.RegionalButton()->text(), "&Regional redraw");
    EXPECT_EQ(dlg.FullButton()->text(), "&Full screen redraw (Default)");
    EXPECT_EQ(dlg.AdaptiveCheck()->text(), "&Enable");
    EXPECT_NE(Button(dlg, "OK"), nullptr);
    EXPECT_NE(Button(dlg, "Cancel"), nullptr);

    EXPECT_EQ(dlg.WidthEdit()->text(), "1024");
    EXPECT_EQ(dlg.HeightEdit()->text(), "786");
    for (const QRadioButton* size : dlg.SizeButtons())
        EXPECT_FALSE(size->isChecked());
    EXPECT_FALSE(dlg.RegionalButton()->isChecked());
    EXPECT_TRUE(dlg.FullButton()->isChecked());
    EXPECT_FALSE(dlg.AdaptiveCheck()->isChecked());
    ASSERT_EQ(dlg.SnapList()->count(), 21);
    EXPECT_EQ(dlg.SnapList()->itemText(0), "0");
    EXPECT_EQ(dlg.SnapList()->itemText(20), "20");
    EXPECT_EQ(dlg.SnapList()->currentIndex(), 10);

    struct Size {
        QString caption;
        QString width, height;
    };
    const Size sizes[] = {{"640*480", "640", "480"},     {"800*600", "800", "600"},
                          {"1024*786", "1024", "786"},   {"1152*864", "1152", "864"},
                          {"1290*960", "1290", "960"},   {"1600*1200", "1600", "1200"},
                          {"1920*1440", "1920", "1440"}, {"&Default", "780", "430"}};
    for (size_t i = 0; i < std::size(sizes); ++i) {
        QRadioButton* button = dlg.SizeButtons()[i];
        EXPECT_EQ(button->text(), sizes[i].caption);
        button->click();
        EXPECT_TRUE(button->isChecked());
        EXPECT_EQ(dlg.WidthEdit()->text(), sizes[i].width) << sizes[i].caption.toStdString();
        EXPECT_EQ(dlg.HeightEdit()->text(), sizes[i].height) << sizes[i].caption.toStdString();
    }
    EXPECT_EQ(doc.m_workspaceWidth, 1024u) << "nothing is written before OK";
}

TEST_F(DialogTest, WorkspaceOptionsWriteBackOnlyOnOk) {
    COrvaneDoc doc;
    doc.m_regionalRedraw = true;
    doc.m_adaptiveDrawing = 1;
    const auto edit = [](CSettingsDlg& dlg) {
        dlg.SizeButtons()[7]->click();
        dlg.FullButton()->click();
        dlg.AdaptiveCheck()->click();
        dlg.SnapList()->setCurrentIndex(0);
    };
    {
        CSettingsDlg dlg(doc);
        EXPECT_TRUE(dlg.RegionalButton()->isChecked());
        EXPECT_TRUE(dlg.AdaptiveCheck()->isChecked());
        edit(dlg);
        dlg.reject();
    }
    EXPECT_EQ(doc.m_workspaceWidth, 1024u);
    EXPECT_TRUE(doc.m_regionalRedraw);
    EXPECT_EQ(doc.m_adaptiveDrawing, 1);
    EXPECT_EQ(doc.m_snapPixel, 10);

    CSettingsDlg dlg(doc);
    edit(dlg);
    Button(dlg, "OK")->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(doc.m_workspaceWidth, 780u);
    EXPECT_EQ(doc.m_workspaceHeight, 430u);
    EXPECT_FALSE(doc.m_regionalRedraw);
    EXPECT_EQ(doc.m_adaptiveDrawing, 0);
    EXPECT_EQ(doc.m_snapPixel, 0);
}

TEST_F(DialogTest, WorkspaceSizeLimitsAndSnapBeyondTheList) {
    COrvaneDoc doc;
    doc.m_snapPixel = 25;
    CSettingsDlg dlg(doc);
    EXPECT_EQ(dlg.SnapList()->currentIndex(), -1);

    dlg.WidthEdit()->setText("40000");
    dlg.accept();
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(
        g_messages,
        QStringList{"Please enter an integer between 0 and 30000 in \"Horizontal (pixels)\"."});
    for (const char* bad : {"-1", "30001", "800.5", "wide", ""}) {
        dlg.WidthEdit()->setText(bad);
        EXPECT_FALSE(dlg.Apply()) << bad;
    }
    dlg.WidthEdit()->setText("30000");
    dlg.HeightEdit()->setText("x");
    EXPECT_FALSE(dlg.Apply());
    EXPECT_EQ(dlg.Refusal(),
              "Please enter an integer between 0 and 30000 in \"Verticle (pixels)\".");
    EXPECT_EQ(doc.m_workspaceWidth, 1024u);

    dlg.HeightEdit()->setText("0");
    ASSERT_TRUE(dlg.Apply());
    EXPECT_EQ(doc.m_workspaceWidth, 30000u);
    EXPECT_EQ(doc.m_workspaceHeight, 0u);
    EXPECT_EQ(doc.m_snapPixel, 25);
}

TEST_F(DialogTest, SimulationSettingsDialog) {
    const auto edit = [](CSimulationSettingsDlg& dlg) {
        dlg.QuantsEdit()->setText("24");
        dlg.Row("Max years")->Check()->click();
        dlg.Row("Accuracy")->Edit()->setText("0.01");
        dlg.FusesCheck()->click();
        dlg.MaxFlowCheck()->click();
    };
    CSimulationSettings settings;
    {
        CSimulationSettingsDlg dlg(settings);
        EXPECT_EQ(dlg.windowTitle(), "Simulation settings");
        EXPECT_EQ(GroupTitles(dlg), (QStringList{"Value", "Values", "Components"}));
        EXPECT_EQ(Captions(dlg), (QStringList{"Min years", "Max years", "Step years", "Accuracy"}));
        const QStringList labels = LabelTexts(dlg);
        EXPECT_TRUE(labels.contains("QuantsPerDay"));
        EXPECT_TRUE(labels.contains("Note: QuantsPerDay represent the time quanta in each "
                                    "simulated day. This value is required for the simulation"));
        EXPECT_EQ(dlg.FusesCheck()->text(), "Fuses");
        EXPECT_EQ(dlg.IsolatorsCheck()->text(), "Isolators");
        EXPECT_EQ(dlg.ReclosersCheck()->text(), "Reclosers");
        EXPECT_EQ(dlg.MaxFlowCheck()->text(), "Maximum Flow");
        EXPECT_NE(Button(dlg, "OK"), nullptr);
        EXPECT_NE(Button(dlg, "Cancel"), nullptr);

        EXPECT_EQ(dlg.QuantsEdit()->text(), "0");
        ExpectRow(*dlg.Row("Min years"), true, "100");
        ExpectRow(*dlg.Row("Max years"), true, "1000000");
        ExpectRow(*dlg.Row("Step years"), true, "100");
        ExpectRow(*dlg.Row("Accuracy"), true, "0.05");
        for (QCheckBox* box :
             {dlg.FusesCheck(), dlg.IsolatorsCheck(), dlg.ReclosersCheck(), dlg.MaxFlowCheck()})
            EXPECT_TRUE(box->isChecked());

        edit(dlg);
        EXPECT_EQ(settings, CSimulationSettings{}) << "nothing is written before OK";
        dlg.reject();
    }
    EXPECT_EQ(settings, CSimulationSettings{});

    CSimulationSettingsDlg dlg(settings);
    edit(dlg);
    Button(dlg, "OK")->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    CSimulationSettings expected;
    expected.quantsPerDay = 24;
    expected.yearMax = 0;
    expected.accuracy = 0.01;
    expected.fuses = 0;
    expected.maxFlow = 0;
    EXPECT_EQ(settings, expected);

    // Values at 0 open unchecked; checking one stores what was typed.
    CSimulationSettingsDlg again(settings);
    ExpectRow(*again.Row("Max years"), false, "0");
    EXPECT_FALSE(again.FusesCheck()->isChecked());
    Enter(*again.Row("Max years"), "5000");
    again.QuantsEdit()->setText("a day");
    EXPECT_FALSE(again.Apply());
    EXPECT_EQ(again.Refusal(), "Please enter an integer in \"QuantsPerDay\".");
    again.QuantsEdit()->setText("48");
    Enter(*again.Row("Step years"), "10.5");
    EXPECT_FALSE(again.Apply());
    EXPECT_EQ(again.Refusal(), "Please enter an integer in \"Step years\".");
    EXPECT_EQ(settings, expected);
    again.Row("Step years")->Edit()->setText("10");
    ASSERT_TRUE(again.Apply());
    EXPECT_EQ(settings.quantsPerDay, 48);
    EXPECT_EQ(settings.yearMax, 5000);
    EXPECT_EQ(settings.yearStep, 10);
}

TEST(NDLDisplayDialogTest, ShowsTextAndUpdatesFromItsSource) {
    int calls = 0;
    std::string fresh = "system: quantsPerDay = 24.;\\\n";
    CNDLDisplayDialog window("first text\nsecond line", [&] {
        ++calls;
        return fresh;
    });
    EXPECT_EQ(window.windowTitle(), "Network NDL");
    EXPECT_FALSE(window.isModal());
    EXPECT_TRUE(window.TextBox()->isReadOnly());
    EXPECT_TRUE(window.TextBox()->font().fixedPitch());
    EXPECT_EQ(window.UpdateButton()->text(), "&Update");
    EXPECT_EQ(window.Text(), "first text\nsecond line");
    EXPECT_EQ(calls, 0);

    window.UpdateButton()->click();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(window.Text(), fresh);
    fresh = "NDL Generator error:\n";
    window.UpdateButton()->click();
    EXPECT_EQ(window.Text(), fresh) << "the old text is replaced, not appended to";

    bool closed = false;
    QObject::connect(&window, &QDialog::finished, [&] { closed = true; });
    window.show();
    window.close();
    EXPECT_TRUE(closed);
}

} // namespace
} // namespace orvane

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}

// The checks that run on every change of an input box, and the on-resistance and
// "Others" input-box loops.

#include "workbench_fixture.h"

#include <QRadioButton>
#include <QTest>
#include <map>
#include <string>
#include <vector>

namespace orvand::test {
namespace {

// The one message of each checked box for a value out of its range: its title
// and its text.
const std::map<std::string, std::pair<QString, QString>> kWarning{
    {"txtEfficiency", {"Out of Range", "Your Efficiency is Zero or exceeds 100%."}},
    {"txtTj",
     {"Syntax Error", "You junction Temperature is below the storage or exceeds the specificated "
                      "Junction Temperature of Kestrel."}},
    {"txtTa",
     {"Syntax Error", "You ambient Temperature is below the storage or exceeds Junction "
                      "Temperature of Kestrel."}},
    {"txtVr", {"Out of Range", "You reflected Voltage has decreased to Zero or below Zero."}},
    {"txtVripple", {"Syntax Error", "You Ripple Voltage is higher than the AC Line In Voltage"}},
    {"txtfwork", {"Out of Range", "The Frequency is running out of Range."}},
    {"txtPoutmax", {"Syntax Error", "Please check your value of the maximum Pout"}},
};
const QString kRonPrompt = "Rdson is running out of Range just 0,45 Ohm up to 6 Ohm are allowed.";
const QString kOthersPrompt = "Set Vacin in a Range of 85V up to 270V.";
const QString kOthersAgain = "Vacin is running out of Range just 85V up to 270V are allowed.";

class MainWindowChecks : public WorkbenchFixture {
  protected:
    // Empties the box as a user would, which runs its check once on "".
    void typeInto(const char* name, const QString& keys) {
        QLineEdit* target = box(name);
        target->selectAll();
        QTest::keyClick(target, Qt::Key_Backspace);
        ASSERT_TRUE(target->text().isEmpty());
        QTest::keyClicks(target, keys);
    }
    static std::vector<ShownBox> warned(const char* name) {
        const auto& [title, text] = kWarning.at(name);
        return {{.text = text, .title = title}};
    }
    // What writing text into the box shows.
    std::vector<ShownBox> shownFor(const char* name, const char* text) {
        toolkit.clearShown();
        box(name)->setText(QString::fromUtf8(text));
        return toolkit.shown();
    }
};

TEST_F(MainWindowChecks, EveryKeystrokeIsChecked) {
    box("txtEfficiency")->setEnabled(true);
    typeInto("txtEfficiency", "0.5");
    const ShownBox efficiency = warned("txtEfficiency")[0];
    EXPECT_EQ(toolkit.shown(), (std::vector{efficiency, efficiency}));
    EXPECT_EQ(record.Eta, 0.5);

    toolkit.clearShown();
    typeInto("txtTj", "200");
    EXPECT_EQ(toolkit.shown(), warned("txtTj"));
    EXPECT_EQ(record.Tj, 200.0) << "a rejected value stays stored";
    EXPECT_EQ(box("txtTj")->text(), "200");

    typeInto("txtTj", "125");
    toolkit.clearShown();
    typeInto("txtTa", "-50");
    EXPECT_EQ(toolkit.shown(), warned("txtTa"));
    EXPECT_EQ(record.Ta, -50.0);
    EXPECT_TRUE(record.InputPresent) << "a rejected value still counts as present";
}

// Each value out of range shows its box's message, whole; blanks and tabs
// before a number, as pasted, are no fault.
TEST_F(MainWindowChecks, RangeBoundariesAndTheirMessages) {
    struct Case {
        const char* box;
        const char* text;
        bool rejected;
    };
    // Tj stays 125 and Vacmin 85 (the Universal Range read at start-up).
    const std::vector<Case> cases{
        {"txtEfficiency", "100", false}, {"txtEfficiency", "100.01", true},
        {"txtEfficiency", "0", true},    {"txtEfficiency", "0.01", false},
        {"txtEfficiency", "-3", true},   {"txtEfficiency", "abc", true},
        {"txtTj", "-45", false},         {"txtTj", "-45.01", true},
        {"txtTj", "150", false},         {"txtTj", "150.01", true},
        {"txtTj", "125", false},         {"txtTa", "125", false},
        {"txtTa", "125.5", true},        {"txtTa", "-45", false},
        {"txtTa", "-45.5", true},        {"txtTa", " -45", false},
        {"txtVripple", "0", false},      {"txtVripple", "85", false},
        {"txtVripple", "85.01", true},   {"txtVripple", "-1", true},
        {"txtfwork", "0", true},         {"txtfwork", "0.001", false},
        {"txtfwork", "-1000", true},     {"txtPoutmax", "0", true},
        {"txtPoutmax", "0.01", false},   {"txtVr", "0", true},
        {"txtVr", "0.5", false},         {"txtVr", "\t120", false},
        {"txtVr", "   ", true},          {"txtPoutmax", "16,6", false},
    };
    for (const Case& c : cases) {
        record.InputPresent = false; // as after an emptied box
        EXPECT_EQ(shownFor(c.box, c.text), c.rejected ? warned(c.box) : std::vector<ShownBox>())
            << c.box << " " << c.text;
        EXPECT_TRUE(record.InputPresent) << c.box << " " << c.text;
    }
    EXPECT_EQ(record.Vr, 0.0) << "a text of blanks reads as 0";
    EXPECT_EQ(record.Ta, -45.0) << "a blank before the sign is no fault";
    EXPECT_EQ(record.Poutmax, 16.0) << "a comma stops the plain reading";
}

TEST_F(MainWindowChecks, EmptyBoxClearsInputPresentSilentlyUntilAnotherEdit) {
    box("txtTa")->clear();
    EXPECT_FALSE(record.InputPresent);
    EXPECT_EQ(record.Ta, 0.0) << "stored before the empty test";

    box("txtVr")->setText("110");
    EXPECT_TRUE(record.InputPresent);
    EXPECT_TRUE(box("txtTa")->text().isEmpty());

    // An empty Pmax or ripple keeps the previous value; the others store 0.
    box("txtRon25")->setEnabled(true);
    using R = DesignRecord;
    for (const auto& [name, field, kept] :
         {std::tuple{"txtPoutmax", &R::Poutmax, 50.0}, std::tuple{"txtVripple", &R::Vripple, 20.0},
          std::tuple{"txtVr", &R::Vr, 0.0}, std::tuple{"txtEfficiency", &R::Eta, 0.0},
          std::tuple{"txtfwork", &R::fwork, 0.0}, std::tuple{"txtTj", &R::Tj, 0.0},
          std::tuple{"txtRon25", &R::Ron25, 0.0}}) {
        box(name)->clear();
        EXPECT_FALSE(record.InputPresent) << name;
        EXPECT_EQ(record.*field, kept) << name;
    }
    QTest::keyClicks(box("txtRon25"), "2");
    EXPECT_TRUE(record.InputPresent);
    EXPECT_EQ(record.Ron25, 2.0);
    EXPECT_TRUE(toolkit.shown().empty());
}

TEST_F(MainWindowChecks, ComparisonsUseTheStoredTjAndVacmin) {
    const std::vector<ShownBox> none;
    EXPECT_EQ(shownFor("txtTa", "130"), warned("txtTa"));
    EXPECT_EQ(shownFor("txtTj", "100"), none) << "Ta is not checked again";
    EXPECT_EQ(shownFor("txtVripple", "90"), warned("txtVripple"));
    find<QRadioButton>("optVacinSmallRange")->click();
    EXPECT_EQ(shownFor("txtVripple", "91"), warned("txtVripple")) << "85 V until a Start";
    window->ReadInputs();
    EXPECT_EQ(shownFor("txtVripple", "92"), none);
}

TEST_F(MainWindowChecks, NegativeOnResistanceIsAskedAgain) {
    window->setBoxText(WorkbenchBox::Ron25, "");
    ASSERT_FALSE(record.InputPresent);
    toolkit.queueInput(QString("-3"));
    toolkit.queueInput(QString("2"));
    box("txtRon25")->setEnabled(true);
    QTest::keyClicks(box("txtRon25"), "-1");
    const ShownBox question{ShownBox::Kind::Input, kRonPrompt, "Out of Range"};
    EXPECT_EQ(toolkit.shown(), (std::vector{question, question}));
    EXPECT_EQ(record.Ron25, 2.0);
    EXPECT_EQ(box("txtRon25")->text(), "2");
    EXPECT_EQ(box("txtRon25")->cursorPosition(), 0) << "written back by the program";
    EXPECT_TRUE(record.InputPresent);

    toolkit.clearShown();
    toolkit.queueInput(std::nullopt); // Cancel
    window->setBoxText(WorkbenchBox::Ron25, "-1");
    EXPECT_EQ(toolkit.shown(), std::vector{question});
    EXPECT_EQ(std::pair(record.Ron25, box("txtRon25")->text()), std::pair(0.0, QString("0")));

    toolkit.clearShown();
    for (const char* accepted : {"50", "0", "0.45"})
        window->setBoxText(WorkbenchBox::Ron25, accepted);
    EXPECT_TRUE(toolkit.shown().empty());
    EXPECT_EQ(record.Ron25, 0.45);

    window->setBoxText(WorkbenchBox::Ron25, "");
    EXPECT_FALSE(record.InputPresent);
    EXPECT_EQ(record.Ron25, 0.0);
}

TEST_F(MainWindowChecks, OnResistanceCommaTextFollowsTheLocale) {
    {
        LocaleScope comma{CommaLocale()};
        // Grouping and decimal comma both count; the plain reading would stop at 1.234.
        window->setBoxText(WorkbenchBox::Ron25, "1.234,5");
        EXPECT_EQ(record.Ron25, 1234.5);

        // The answer is read with the locale too, and written back with its comma.
        toolkit.queueInput(QString("1.002,5"));
        window->setBoxText(WorkbenchBox::Ron25, "-0,5");
        EXPECT_EQ(record.Ron25, 1002.5);
        EXPECT_EQ(box("txtRon25")->text(), "1002,5");
    }
    // Unreadable under the point locale: 0 where the plain reading gives 1, and
    // no question where it gives -1 or -2.
    window->setBoxText(WorkbenchBox::Ron25, "1,5");
    EXPECT_EQ(record.Ron25, 0.0);
    window->setBoxText(WorkbenchBox::Ron25, "-1,5");
    EXPECT_EQ(record.Ron25, 0.0);
    window->setBoxText(WorkbenchBox::Ron25, "");
    ASSERT_FALSE(record.InputPresent);
    toolkit.queueInput(QString("-2,5")); // reads as 0 and ends the loop
    window->setBoxText(WorkbenchBox::Ron25, "-7");
    EXPECT_EQ(std::pair(record.Ron25, box("txtRon25")->text()), std::pair(0.0, QString("0")));
    EXPECT_TRUE(record.InputPresent);
}

TEST_F(MainWindowChecks, OthersAsksForAVoltageUntilItIsInRange) {
    toolkit.queueInput(QString("120"));
    click("optVacinOthers");
    const ShownBox prompt{ShownBox::Kind::Input, kOthersPrompt, "User Defined Input Voltage Range"};
    EXPECT_EQ(toolkit.shown(), std::vector{prompt});
    EXPECT_EQ(record.Vacmin, 120.0);
    window->ReadInputs();
    EXPECT_EQ(record.Vacmin, 120.0) << "Others keeps its voltage at a Start";

    toolkit.clearShown();
    click("optVacinUniversalRange");
    EXPECT_TRUE(toolkit.shown().empty());
    toolkit.queueInput(QString("300"));
    toolkit.queueInput(std::nullopt);
    toolkit.queueInput(QString("85V"));
    click("optVacinOthers");
    const ShownBox again{ShownBox::Kind::Input, kOthersAgain, "Out of Range"};
    EXPECT_EQ(toolkit.shown(), (std::vector{prompt, again, again}));
    EXPECT_EQ(record.Vacmin, 85.0);

    toolkit.clearShown();
    toolkit.queueInput(QString("270"));
    find<QRadioButton>("optVacinOthers")->click();
    EXPECT_EQ(toolkit.shown(), std::vector{prompt});
    EXPECT_EQ(record.Vacmin, 270.0);

    // Selected by code: no click, no question.
    toolkit.clearShown();
    find<QRadioButton>("optVacinSmallRange")->setChecked(true);
    find<QRadioButton>("optVacinOthers")->setChecked(true);
    EXPECT_TRUE(toolkit.shown().empty());
}

} // namespace
} // namespace orvand::test

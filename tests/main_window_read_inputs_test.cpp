// Reading the input section into the record, and what every Start puts back.

#include "design_cases.h"
#include "workbench_fixture.h"

#include <QCheckBox>
#include <QRadioButton>

namespace orvand::test {
namespace {

class MainWindowReadInputs : public WorkbenchFixture {
  protected:
    // Sets a box's text without its check, so a test can hold any text.
    void quietly(const char* name, const QString& text) {
        QLineEdit* target = box(name);
        const QSignalBlocker blocker(target);
        target->setText(text);
    }
    // The field as a Start reads it from the box holding text.
    double read(const char* name, const QString& text, double DesignRecord::*field) {
        quietly(name, text);
        window->ReadInputs();
        return record.*field;
    }
    // Ticks or unticks the user peak current without its handler.
    void tickQuietly(bool ticked) {
        auto* user = find<QCheckBox>("chkuserIlpk");
        const QSignalBlocker blocker(user);
        user->setEnabled(true);
        user->setChecked(ticked);
        user->hide(); // ticked but hidden still counts
    }
};

TEST_F(MainWindowReadInputs, UnitsRangesAndUnusualTexts) {
    find<QRadioButton>("optVacinSmallRange")->setChecked(true);
    quietly("txtEfficiency", "80");
    quietly("txtfwork", "67");
    quietly("txtTa", "");
    quietly("txtVr", "120 V");
    record.InputPresent = false;
    window->ReadInputs();
    EXPECT_FALSE(record.InputPresent) << "reading is not an edit";
    // Volts, kHz as Hz, percent as a fraction; the hidden heatsink boxes are read
    // with what they hold, and nothing else changes.
    using R = DesignRecord;
    Design expected;
    expected.set(&R::Vacmin, 190).set(&R::fwork, 67000).set(&R::Ta, 0).set(&R::Vr, 120);
    EXPECT_TRUE(record == expected.set(&R::Ron25, 0).set(&R::Rthja, 0));
    quietly("txtRthhs", "4.5");
    window->ReadInputs();
    EXPECT_EQ(record.Rthhs, 4.5);
    // A frequency beyond the double range stores 0.
    EXPECT_EQ(read("txtfwork", "1e306", &R::fwork), 0.0);
    EXPECT_EQ(read("txtfwork", "1e300", &R::fwork), 1e303);

    // Others keeps whatever voltage it holds.
    find<QRadioButton>("optVacinOthers")->setChecked(true);
    record.Vacmin = 230.0;
    window->ReadInputs();
    window->ReadInputs();
    EXPECT_EQ(record.Vacmin, 230.0);
    find<QRadioButton>("optVacinUniversalRange")->setChecked(true);
    window->ReadInputs();
    EXPECT_EQ(record.Vacmin, 85.0);
    EXPECT_TRUE(toolkit.shown().empty());
}

// Texts on which the locale reading and the plain reading differ: a comma the
// point locale cannot read gives 0; a text without a comma is read plainly.
TEST_F(MainWindowReadInputs, OnResistanceAndUserPeakCurrentFollowTheLocale) {
    const auto followsTheLocale = [&](const char* name, double DesignRecord::*field) {
        SCOPED_TRACE(name);
        EXPECT_EQ(read(name, "0.45", field), 0.45);
        EXPECT_EQ(read(name, "1,5", field), 0.0);
        LocaleScope comma{CommaLocale()};
        EXPECT_EQ(read(name, "1.234,5", field), 1234.5);
        EXPECT_EQ(read(name, "0.45", field), 0.45);
    };
    followsTheLocale("txtRon25", &DesignRecord::Ron25);
    // The user peak current is read only while its check box is ticked.
    EXPECT_EQ(read("txtUserIlpk", "1.5", &DesignRecord::ILpkUser), 0.0);
    tickQuietly(true);
    followsTheLocale("txtUserIlpk", &DesignRecord::ILpkUser);
    tickQuietly(false);
    EXPECT_EQ(read("txtUserIlpk", "3", &DesignRecord::ILpkUser), 0.45) << "kept while unticked";
}

TEST_F(MainWindowReadInputs, ResetAfterRunPutsFourThingsBack) {
    auto* steady = find<QCheckBox>("chksteadystate");
    auto* create = find<QRadioButton>("optCreateFile");
    QSignalBlocker blocker(create);
    create->setChecked(true);
    blocker.unblock();
    box("txtRon25")->setEnabled(true);
    record.CopperAreaText = "600mm2";
    record.Rthja = 55.0;

    for (int run = 0; run < 2; ++run) {
        window->ResetAfterRun();
        EXPECT_TRUE(steady->isVisible() && !steady->isChecked());
        EXPECT_EQ(selected(), kStartSelection);
        EXPECT_EQ(std::tuple(box("txtRon25")->isEnabled(), record.CopperAreaText, record.Rthja),
                  std::tuple(false, QString(), 55.0));
    }
    EXPECT_TRUE(toolkit.shown().empty()) << "no Save dialog, no message";
}

} // namespace
} // namespace orvand::test

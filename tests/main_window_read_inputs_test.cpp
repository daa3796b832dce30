// Reading the input section into the record, and what every Start puts back.

#include "design_cases.h"
#include "workbench_fixture.h"

#include <QCheckBox>
#include <QRadioButton>
#include <limits>

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
    Design read;
    read.set(&R::Vacmin, 190).set(&R::fwork, 67000).set(&R::Ta, 0).set(&R::Vr, 120);
    EXPECT_TRUE(record == read.set(&R::Ron25, 0).set(&R::Rthja, 0));
    quietly("txtRthhs", "4.5");
    window->ReadInputs();
    EXPECT_EQ(record.Rthhs, 4.5);

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

TEST_F(MainWindowReadInputs, FrequencyBeyondTheDoubleRangeStoresZero) {
    quietly("txtfwork", "1e306");
    window->ReadInputs();
    EXPECT_EQ(record.fwork, 0.0);
    quietly("txtfwork", "1e300");
    window->ReadInputs();
    EXPECT_EQ(record.fwork, 1e303);
}

TEST_F(MainWindowReadInputs, OnResistanceAndUserPeakCurrentFollowTheLocale) {
    // Texts on which the locale reading and the plain reading differ.
    const auto followsTheLocale = [&](const char* name, double DesignRecord::*field) {
        SCOPED_TRACE(name);
        quietly(name, "1,5");
        window->ReadInputs();
        EXPECT_EQ(record.*field, 0.0) << "a comma the point locale cannot read";
        LocaleScope comma{CommaLocale()};
        quietly(name, "1.234,5");
        window->ReadInputs();
        EXPECT_EQ(record.*field, 1234.5);
    };

    quietly("txtRon25", "0.45");
    window->ReadInputs();
    EXPECT_EQ(record.Ron25, 0.45);
    followsTheLocale("txtRon25", &DesignRecord::Ron25);
    {
        LocaleScope comma{CommaLocale()};
        quietly("txtRon25", "0.45"); // no comma: the plain reading, not the locale's
        window->ReadInputs();
        EXPECT_EQ(record.Ron25, 0.45);
    }

    // The user peak current is read only while its check box is ticked.
    quietly("txtUserIlpk", "1.5");
    window->ReadInputs();
    EXPECT_EQ(record.ILpkUser, 0.0);
    auto* user = find<QCheckBox>("chkuserIlpk");
    {
        const QSignalBlocker blocker(user);
        user->setEnabled(true);
        user->setChecked(true);
        user->hide(); // ticked but hidden still counts
    }
    window->ReadInputs();
    EXPECT_EQ(record.ILpkUser, 1.5);
    followsTheLocale("txtUserIlpk", &DesignRecord::ILpkUser);
    {
        const QSignalBlocker blocker(user);
        user->setChecked(false);
    }
    quietly("txtUserIlpk", "3");
    window->ReadInputs();
    EXPECT_EQ(record.ILpkUser, 1234.5) << "kept while unticked";
}

TEST_F(MainWindowReadInputs, ResetAfterRunPutsFourThingsBack) {
    auto* steady = find<QCheckBox>("chksteadystate");
    auto* create = find<QRadioButton>("optCreateFile");
    {
        const QSignalBlocker blocker(create);
        create->setChecked(true);
    }
    box("txtRon25")->setEnabled(true);
    record.CopperAreaText = "600mm2";
    record.Rthja = 55.0;

    window->ResetAfterRun();
    EXPECT_TRUE(steady->isVisible());
    EXPECT_FALSE(steady->isChecked());
    EXPECT_TRUE(find<QRadioButton>("optNoSave")->isChecked());
    EXPECT_FALSE(create->isChecked());
    EXPECT_FALSE(box("txtRon25")->isEnabled());
    EXPECT_TRUE(record.CopperAreaText.isEmpty());
    EXPECT_EQ(record.Rthja, 55.0);
    EXPECT_TRUE(toolkit.shown().empty()) << "no Save dialog, no message";

    window->ResetAfterRun();
    EXPECT_TRUE(steady->isVisible());
    EXPECT_TRUE(find<QRadioButton>("optNoSave")->isChecked());
}

} // namespace
} // namespace orvand::test

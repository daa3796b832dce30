#include "caption_button.h"
#include "dialogs_recording_port.h"
#include "qstring_printer.h"
#include "system_colours.h"
#include "workbench_fixture.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace orvand;
using namespace orvand::test;

namespace {

class ModesTest : public WorkbenchFixture {
  protected:
    CaptionButton* button(const char* name) const { return find<CaptionButton>(name); }
    QCheckBox* check(const char* name) const { return find<QCheckBox>(name); }
    bool shown(const char* name) const { return find<QWidget>(name)->isVisible(); }

    void click(QWidget* widget) const { QTest::mouseClick(widget, Qt::LeftButton); }
    // Opens a dialog by its button and picks the option.
    void choose(const char* buttonName, const char* option) {
        toolkit.queueModal(ChooseAndOk(QLatin1String(option)));
        click(button(buttonName));
    }
};

const QString kPackageStartCaption = QString(15, QLatin1Char(' ')) + QStringLiteral("Kestrel") +
                                     QString(16, QLatin1Char(' ')) +
                                     QStringLiteral("Package - Heatsink Selection");

} // namespace

TEST_F(ModesTest, DiscreteSwitchAfterDeviceClearsOnResistanceAndRthja) {
    choose("cmdKestrelRdson", "optRV22");
    EXPECT_TRUE(record.KestrelSel);
    EXPECT_EQ(box("txtRthja")->text(), QStringLiteral("90"));
    EXPECT_EQ(box("txtPoutmax")->text(), QStringLiteral("34"));
    EXPECT_EQ(record.Poutmax, 34.0);
    EXPECT_EQ(record.Ipkd, 9.0);
    EXPECT_EQ(button("cmdKestrelRdson")->caption(), QStringLiteral("RV22"));
    EXPECT_EQ(button("cmdKestrelHS")->caption(), QStringLiteral("RV22 DIP8"));
    EXPECT_FALSE(box("txtRon25")->isEnabled());

    // An emptied box leaves the inputs incomplete until the next write of a box.
    box("txtVr")->clear();
    ASSERT_FALSE(record.InputPresent);
    click(button("cmdHarrierRdson"));
    EXPECT_FALSE(record.KestrelSel);
    EXPECT_TRUE(record.HarrierSel);
    EXPECT_EQ(record.Ron25, 0.0);
    EXPECT_EQ(record.Rthja, 0.0);
    EXPECT_EQ(box("txtRon25")->text(), QStringLiteral("0"));
    EXPECT_EQ(box("txtRthja")->text(), QStringLiteral("0"));
    EXPECT_EQ(box("txtRon25")->cursorPosition(), 0);
    EXPECT_EQ(box("txtRthja")->cursorPosition(), 0);
    EXPECT_TRUE(box("txtRon25")->isEnabled());
    EXPECT_EQ(box("txtRon25")->palette().color(QPalette::Base),
              SystemColourValue(SystemColour::WindowBackground));
    EXPECT_EQ(button("cmdKestrelRdson")->caption(), QStringLiteral("Kestrel"));
    EXPECT_EQ(button("cmdKestrelHS")->caption(), QStringLiteral("User Defined Heatsink"));
    EXPECT_EQ(button("cmdHarrierRdson")->caption(), QStringLiteral("Harrier"));
    EXPECT_TRUE(check("chkuserIlpk")->isEnabled());
    EXPECT_TRUE(record.InputPresent) << "writing 0 into txtRon25 ran its check";
    EXPECT_TRUE(toolkit.messages().empty());

    // Locked again by a Start (refused here), the box keeps its white and draws
    // its text in a grey still dark enough to read.
    click(find<QPushButton>("CmdStart"));
    expectMessages({{.text = "Please check one of you inputs in the input section is zero.",
                     .title = "Input Error"}});
    toolkit.clearShown();
    ASSERT_FALSE(box("txtRon25")->isEnabled());
    const QPalette locked = box("txtRon25")->palette();
    EXPECT_EQ(locked.color(QPalette::Disabled, QPalette::Base),
              SystemColourValue(SystemColour::WindowBackground));
    EXPECT_EQ(locked.color(QPalette::Disabled, QPalette::Text).name().toStdString(), "#6d6d6d");

    // Back to a device: the package button gets its start caption back before
    // the dialog, which here is closed without a choice.
    toolkit.queueModal(CloseBox);
    click(button("cmdKestrelRdson"));
    EXPECT_EQ(button("cmdKestrelHS")->caption(), kPackageStartCaption);
    EXPECT_EQ(record.Ipkd, 0.0);
    EXPECT_TRUE(record.KestrelSel);
    EXPECT_FALSE(box("txtRon25")->isEnabled());
    EXPECT_EQ(box("txtRon25")->palette().color(QPalette::Base),
              SystemColourValue(SystemColour::InactiveBorder));
}

TEST_F(ModesTest, PeakCurrentBoxOnlyInDiscreteMode) {
    EXPECT_FALSE(check("chkuserIlpk")->isEnabled());
    tick("chkuserIlpk");
    EXPECT_FALSE(check("chkuserIlpk")->isChecked());
    EXPECT_FALSE(shown("txtUserIlpk"));

    click(button("cmdHarrierRdson"));
    tick("chkuserIlpk");
    EXPECT_TRUE(shown("txtUserIlpk"));
    EXPECT_TRUE(shown("lblUserIlpk"));
    EXPECT_FALSE(shown("chkuserIlpk"));
    QTest::keyClicks(box("txtUserIlpk"), QStringLiteral("2.5"));

    // The device button unticks it and takes it out of reach; the typed value
    // stays in the hidden box.
    toolkit.queueModal(CloseBox);
    click(button("cmdKestrelRdson"));
    EXPECT_FALSE(check("chkuserIlpk")->isChecked());
    EXPECT_TRUE(shown("chkuserIlpk"));
    EXPECT_FALSE(check("chkuserIlpk")->isEnabled());
    EXPECT_FALSE(shown("txtUserIlpk"));
    EXPECT_FALSE(shown("lblUserIlpk"));
    EXPECT_EQ(box("txtUserIlpk")->text(), QStringLiteral("2.5"));

    click(button("cmdHarrierRdson"));
    tick("chkuserIlpk");
    EXPECT_EQ(box("txtUserIlpk")->text(), QStringLiteral("2.5"));
    QTest::mouseDClick(box("txtUserIlpk"), Qt::LeftButton);
    EXPECT_FALSE(shown("txtUserIlpk"));
    EXPECT_TRUE(shown("chkuserIlpk"));
    EXPECT_FALSE(check("chkuserIlpk")->isChecked());
    EXPECT_TRUE(check("chkuserIlpk")->isEnabled());
}

TEST_F(ModesTest, HeatsinkTickedTwiceSwapsTheBoxesAndLeavesPackageOnlyCleared) {
    choose("cmdKestrelRdson", "optPX11");
    ASSERT_EQ(record.PackageOnly, 1.0);
    const auto expectPath = [this](bool heatsink) {
        for (const char* name : {"cmdKestrelHS", "txtRthja", "lblRthja"})
            EXPECT_NE(shown(name), heatsink) << name;
        for (const char* name :
             {"txtRthhs", "txtRthht", "txtRthjc", "lblRthhs", "lblRthht", "lblRthjc", "CmdRthjc"})
            EXPECT_EQ(shown(name), heatsink) << name;
    };
    tick("chkHeatsink");
    expectPath(true);
    EXPECT_EQ(record.PackageOnly, 0.0);

    record.PackageOnly = 1.0; // only a tick clears it; an untick leaves it
    tick("chkHeatsink");
    expectPath(false);
    EXPECT_EQ(record.PackageOnly, 1.0);
    tick("chkHeatsink");
    tick("chkHeatsink");
    EXPECT_EQ(record.PackageOnly, 0.0);
    EXPECT_EQ(box("txtRthja")->text(), QStringLiteral("90"));
}

TEST_F(ModesTest, OnlyAMouseClickIntoRthjaMarksItTyped) {
    choose("cmdKestrelHS", "opt6CopperSO14");
    ASSERT_EQ(button("cmdKestrelHS")->caption(), QStringLiteral("DSO14 6cm²"));

    // Reaching the box by keyboard and typing, or a right or middle click,
    // changes nothing here.
    box("txtRthja")->setFocus();
    QTest::keyClicks(box("txtRthja"), QStringLiteral("5"));
    for (const Qt::MouseButton other : {Qt::RightButton, Qt::MiddleButton})
        QTest::mouseClick(box("txtRthja"), other);
    EXPECT_EQ(button("cmdKestrelHS")->caption(), QStringLiteral("DSO14 6cm²"));
    EXPECT_FALSE(record.CopperAreaText.isEmpty());

    click(box("txtRthja"));
    EXPECT_EQ(button("cmdKestrelHS")->caption(), QStringLiteral("Rthja"));
    EXPECT_EQ(record.PackageOnly, 0.0);
    EXPECT_TRUE(record.CopperAreaText.isEmpty());
    // Typed in front: the dialog's write left the cursor at the start.
    EXPECT_EQ(box("txtRthja")->text(), QStringLiteral("578"));
    EXPECT_EQ(record.Rthja, 78.0);
}

TEST_F(ModesTest, OptionalValuesShowAndHideTheirBoxesKeepingTheText) {
    tick("chkuserLpri");
    EXPECT_TRUE(shown("txtUserLpri"));
    EXPECT_TRUE(shown("lblUserLpri"));
    EXPECT_FALSE(shown("chkuserLpri"));
    QTest::keyClicks(box("txtUserLpri"), QStringLiteral("470"));
    QTest::mouseDClick(box("txtUserLpri"), Qt::LeftButton);
    EXPECT_FALSE(shown("txtUserLpri"));
    EXPECT_FALSE(shown("lblUserLpri"));
    EXPECT_TRUE(shown("chkuserLpri"));
    EXPECT_FALSE(check("chkuserLpri")->isChecked());
    tick("chkuserLpri");
    EXPECT_EQ(box("txtUserLpri")->text(), QStringLiteral("470"));

    for (const auto& [boxName, labelName, checkName] :
         {std::tuple{"txtCext", "lblCext", "chkCext"}, std::tuple{"txttr", "lbltr", "chktr"}}) {
        tick(checkName);
        EXPECT_TRUE(shown(boxName) && shown(labelName)) << checkName;
        EXPECT_TRUE(shown(checkName));
        tick(checkName);
        EXPECT_FALSE(shown(boxName) || shown(labelName)) << checkName;
    }
}

TEST_F(ModesTest, DeviceAfterCopperChoiceRestoresPackageValues) {
    choose("cmdKestrelHS", "opt3CopperDIP8");
    EXPECT_EQ(record.PackageOnly, 0.0);
    EXPECT_EQ(box("txtRthja")->text(), QStringLiteral("64"));
    EXPECT_EQ(button("cmdKestrelHS")->caption(), QStringLiteral("DIP8 3cm²"));

    choose("cmdKestrelRdson", "optRV20D");
    EXPECT_EQ(record.PackageOnly, 1.0);
    EXPECT_EQ(record.Rthja, 96.0);
    EXPECT_EQ(box("txtRthja")->text(), QStringLiteral("96"));
    EXPECT_EQ(button("cmdKestrelHS")->caption(), QStringLiteral("RV20D DIP7"));
    EXPECT_EQ(box("txtfwork")->text(), QStringLiteral("100"));
    EXPECT_EQ(box("txtRon25")->text(), QStringLiteral("4.7"));
    EXPECT_EQ(record.Ron25, 4.7);
}

TEST_F(ModesTest, HeatsinkDialogAndChartOpenFromTheirButtons) {
    tick("chkHeatsink");
    choose("CmdRthjc", "optRthjcNo");
    EXPECT_EQ(box("txtRthjc")->text(), QStringLiteral("1.5"));
    EXPECT_EQ(record.Rthjc, 1.5);

    bool closed = false;
    toolkit.queueModal([&](QDialog& dialog) {
        QTest::mouseClick(dialog.findChild<QWidget*>(QStringLiteral("imgRthjavsCopperA")),
                          Qt::LeftButton, {}, QPoint(400, 300));
        closed = !dialog.isVisible();
    });
    click(button("cmdCopperArea"));
    EXPECT_TRUE(closed);
    EXPECT_EQ(ModalsShown(toolkit, QStringLiteral("FormRthjcvsCopper")), 1);
}

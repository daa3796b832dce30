// Switch mode, thermal path and optional values, and the buttons that open the
// dialogs, on the real window.
#include "caption_button.h"
#include "system_colours.h"
#include "workbench_fixture.h"

#include <QCheckBox>
#include <QTest>
#include <gtest/gtest.h>
#include <string>

using namespace orvand;
using namespace orvand::test;

namespace {

class ModesTest : public WorkbenchFixture {
  protected:
    QStringList captions() const {
        return {find<CaptionButton>("cmdKestrelRdson")->caption(),
                find<CaptionButton>("cmdKestrelHS")->caption(),
                find<CaptionButton>("cmdHarrierRdson")->caption()};
    }
    QCheckBox* check(const char* name) const { return find<QCheckBox>(name); }
    // Which of the named controls are shown, as "1" and "0".
    std::string shown(std::initializer_list<const char*> names) const {
        std::string flags;
        for (const char* name : names)
            flags += find<QWidget>(name)->isVisible() ? '1' : '0';
        return flags;
    }
    QColor ron25(QPalette::ColorGroup group, QPalette::ColorRole role) const {
        return box("txtRon25")->palette().color(group, role);
    }
};

} // namespace

TEST_F(ModesTest, DiscreteSwitchAfterDeviceClearsOnResistanceAndRthja) {
    choose("cmdKestrelRdson", "optRV22");
    EXPECT_TRUE(record.KestrelSel);
    EXPECT_EQ(texts({"txtRthja", "txtPoutmax"}), QStringList({"90", "34"}));
    EXPECT_EQ(std::pair(record.Poutmax, record.Ipkd), std::pair(34.0, 9.0));
    EXPECT_EQ(captions(), QStringList({"RV22", "RV22 DIP8", "Harrier"}));
    EXPECT_FALSE(box("txtRon25")->isEnabled());

    // An emptied box leaves the inputs incomplete until the next write of a box.
    box("txtVr")->clear();
    ASSERT_FALSE(record.InputPresent);
    click("cmdHarrierRdson");
    EXPECT_EQ(std::tuple(record.KestrelSel, record.HarrierSel, record.Ron25, record.Rthja),
              std::tuple(false, true, 0.0, 0.0));
    EXPECT_EQ(texts({"txtRon25", "txtRthja"}), QStringList({"0", "0"}));
    EXPECT_EQ(box("txtRon25")->cursorPosition() + box("txtRthja")->cursorPosition(), 0);
    EXPECT_TRUE(box("txtRon25")->isEnabled());
    EXPECT_EQ(ron25(QPalette::Active, QPalette::Base),
              SystemColourValue(SystemColour::WindowBackground));
    EXPECT_EQ(captions(), QStringList({"Kestrel", "User Defined Heatsink", "Harrier"}));
    EXPECT_TRUE(check("chkuserIlpk")->isEnabled());
    EXPECT_TRUE(record.InputPresent) << "writing 0 into txtRon25 ran its check";
    EXPECT_TRUE(toolkit.messages().empty());

    // Locked again by a Start (refused here), the box keeps its white and draws
    // its text in a grey still dark enough to read.
    click("CmdStart");
    expectMessages({{.text = "Please check one of you inputs in the input section is zero.",
                     .title = "Input Error"}});
    toolkit.clearShown();
    ASSERT_FALSE(box("txtRon25")->isEnabled());
    EXPECT_EQ(ron25(QPalette::Disabled, QPalette::Base),
              SystemColourValue(SystemColour::WindowBackground));
    EXPECT_EQ(ron25(QPalette::Disabled, QPalette::Text).name().toStdString(), "#6d6d6d");

    // Back to a device: the package button gets its start caption back before
    // the dialog, which here is closed without a choice.
    toolkit.queueModal(CloseBox);
    click("cmdKestrelRdson");
    EXPECT_EQ(captions(), QStringList({"Kestrel", kPackageStartCaption, "Harrier"}));
    EXPECT_EQ(std::pair(record.Ipkd, record.KestrelSel), std::pair(0.0, true));
    EXPECT_FALSE(box("txtRon25")->isEnabled());
    EXPECT_EQ(ron25(QPalette::Active, QPalette::Base),
              SystemColourValue(SystemColour::InactiveBorder));
}

TEST_F(ModesTest, HeatsinkTickedTwiceSwapsTheBoxesAndLeavesPackageOnlyCleared) {
    choose("cmdKestrelRdson", "optPX11");
    ASSERT_EQ(record.PackageOnly, 1.0);
    // The package path's three, then the heatsink path's seven.
    const std::initializer_list<const char*> paths{
        "cmdKestrelHS", "txtRthja", "lblRthja", "txtRthhs", "txtRthht",
        "txtRthjc",     "lblRthhs", "lblRthht", "lblRthjc", "CmdRthjc"};
    click("chkHeatsink");
    EXPECT_EQ(shown(paths), "0001111111");
    EXPECT_EQ(record.PackageOnly, 0.0);

    record.PackageOnly = 1.0; // only a tick clears it; an untick leaves it
    click("chkHeatsink");
    EXPECT_EQ(shown(paths), "1110000000");
    EXPECT_EQ(record.PackageOnly, 1.0);
    click("chkHeatsink");
    click("chkHeatsink");
    EXPECT_EQ(record.PackageOnly, 0.0);
    EXPECT_EQ(box("txtRthja")->text(), QStringLiteral("90"));
}

TEST_F(ModesTest, OnlyAMouseClickIntoRthjaMarksItTyped) {
    choose("cmdKestrelHS", "opt6CopperSO14");
    ASSERT_EQ(captions()[1], QStringLiteral("DSO14 6cm²"));

    // Reaching the box by keyboard and typing, or a right or middle click,
    // changes nothing here.
    box("txtRthja")->setFocus();
    QTest::keyClicks(box("txtRthja"), QStringLiteral("5"));
    for (const Qt::MouseButton other : {Qt::RightButton, Qt::MiddleButton})
        QTest::mouseClick(box("txtRthja"), other);
    EXPECT_EQ(captions()[1], QStringLiteral("DSO14 6cm²"));
    EXPECT_FALSE(record.CopperAreaText.isEmpty());

    click("txtRthja");
    EXPECT_EQ(captions()[1], QStringLiteral("Rthja"));
    EXPECT_TRUE(record.PackageOnly == 0.0 && record.CopperAreaText.isEmpty());
    // Typed in front: the dialog's write left the cursor at the start.
    EXPECT_EQ(std::pair(box("txtRthja")->text(), record.Rthja), std::pair(QString("578"), 78.0));
}

// A tick shows the value box and its label in place of the tick box, a double-click into the
// box unticks it, and the text stays; the peak current only in discrete mode.
TEST_F(ModesTest, OptionalValuesShowAndHideTheirBoxesKeepingTheText) {
    const std::initializer_list<const char*> peak{"chkuserIlpk", "txtUserIlpk", "lblUserIlpk"};
    EXPECT_FALSE(check("chkuserIlpk")->isEnabled());
    click("chkuserIlpk");
    EXPECT_FALSE(check("chkuserIlpk")->isChecked());
    EXPECT_EQ(shown(peak), "100");

    click("cmdHarrierRdson");
    for (const auto& [checkName, boxName, labelName, text] :
         {std::tuple{"chkuserIlpk", "txtUserIlpk", "lblUserIlpk", "2.5"},
          std::tuple{"chkuserLpri", "txtUserLpri", "lblUserLpri", "470"}}) {
        SCOPED_TRACE(checkName);
        click(checkName);
        EXPECT_EQ(shown({checkName, boxName, labelName}), "011");
        QTest::keyClicks(box(boxName), QLatin1String(text));
        QTest::mouseDClick(box(boxName), Qt::LeftButton);
        EXPECT_EQ(shown({checkName, boxName, labelName}), "100");
        EXPECT_FALSE(check(checkName)->isChecked());
        EXPECT_TRUE(check(checkName)->isEnabled());
        click(checkName);
        EXPECT_EQ(box(boxName)->text(), QLatin1String(text));
    }

    toolkit.queueModal(CloseBox);
    click("cmdKestrelRdson");
    EXPECT_FALSE(check("chkuserIlpk")->isChecked());
    EXPECT_EQ(shown(peak), "100");
    EXPECT_FALSE(check("chkuserIlpk")->isEnabled());
    EXPECT_EQ(box("txtUserIlpk")->text(), QStringLiteral("2.5"));
    click("cmdHarrierRdson");
    click("chkuserIlpk");
    EXPECT_EQ(box("txtUserIlpk")->text(), QStringLiteral("2.5"));

    for (const auto& [boxName, labelName, checkName] :
         {std::tuple{"txtCext", "lblCext", "chkCext"}, std::tuple{"txttr", "lbltr", "chktr"}}) {
        click(checkName);
        EXPECT_EQ(shown({boxName, labelName, checkName}), "111") << checkName;
        click(checkName);
        EXPECT_EQ(shown({boxName, labelName, checkName}), "001") << checkName;
    }
}

TEST_F(ModesTest, DeviceAfterCopperChoiceRestoresPackageValues) {
    choose("cmdKestrelHS", "opt3CopperDIP8");
    EXPECT_EQ(std::tuple(record.PackageOnly, box("txtRthja")->text(), captions()[1]),
              std::tuple(0.0, QStringLiteral("64"), QStringLiteral("DIP8 3cm²")));

    choose("cmdKestrelRdson", "optRV20D");
    EXPECT_EQ(std::pair(record.PackageOnly, record.Rthja), std::pair(1.0, 96.0));
    EXPECT_EQ(captions()[1], QStringLiteral("RV20D DIP7"));
    EXPECT_EQ(texts({"txtRthja", "txtfwork", "txtRon25"}), QStringList({"96", "100", "4.7"}));
    EXPECT_EQ(record.Ron25, 4.7);
}

TEST_F(ModesTest, HeatsinkDialogAndChartOpenFromTheirButtons) {
    click("chkHeatsink");
    choose("CmdRthjc", "optRthjcNo");
    EXPECT_EQ(std::pair(box("txtRthjc")->text(), record.Rthjc), std::pair(QString("1.5"), 1.5));

    bool closed = false;
    toolkit.queueModal([&](QDialog& dialog) {
        QTest::mouseClick(dialog.findChild<QWidget*>(QStringLiteral("imgRthjavsCopperA")),
                          Qt::LeftButton, {}, QPoint(400, 300));
        closed = !dialog.isVisible();
    });
    click("cmdCopperArea");
    EXPECT_TRUE(closed);
    EXPECT_EQ(ModalsShown(toolkit, QStringLiteral("FormRthjcvsCopper")), 1);
}

// The main window as it starts: the start-up notice, the initial state of its
// controls, their places, fonts and colours, the keyboard order, Info and Stop,
// and the ports through which other windows write into it.

#include "caption_button.h"
#include "design_cases.h"
#include "orvand_version.h"
#include "qstring_printer.h"
#include "scripted_toolkit.h"
#include "workbench_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <vector>

namespace orvand::test {
namespace {

using MainWindowLayout = WorkbenchFixture;

TEST_F(MainWindowLayout, NoticeComesBeforeTheWindowAndTheRecordHoldsTheInitialInputs) {
    // A program built afresh, looked at before its start-up.
    window.reset();
    record = DesignRecord{};
    window = std::make_unique<FormWorkbench>(record, toolkit);
    std::vector<bool> visibleAtMessage;
    toolkit.watch([&](const ShownBox&) { visibleAtMessage.push_back(window->isVisible()); });
    // The client area's place; the offscreen platform moves a shown window.
    EXPECT_EQ(window->geometry(), QRect(36, 71, 944, 664));

    // Building the window runs no input check and fills nothing in.
    EXPECT_TRUE(toolkit.shown().empty());
    EXPECT_TRUE(record == DesignRecord{});

    window->Form_Load();
    const ShownBox notice{.text = "NOTE: This is a Preliminary Version of Orvand.",
                          .title = "Preliminary Version"};
    EXPECT_EQ(toolkit.shown(), std::vector{notice});
    EXPECT_EQ(visibleAtMessage, std::vector{false});

    EXPECT_TRUE(record.InputPresent);
    // Case A's inputs, less its switch and package, and nothing else.
    using R = DesignRecord;
    EXPECT_TRUE(record == Design().set(&R::Ron25, 0).set(&R::Rthja, 0).set(&R::InputPresent, true));
    EXPECT_EQ(window->windowTitle(), "Orvand - Kestrel Calculation Software for Flyback Topology "
                                     "Version " ORVAND_VERSION " - Dravik Technologies");
}

// The width a control's caption takes, its indicator included; 0 for a
// control without a caption.
int CaptionWidth(const QWidget& widget) {
    const QStyle* style = widget.style();
    int widest = 0;
    for (const QString& line : widget.property("text").toString().split(u'\n'))
        widest = std::max(widest, widget.fontMetrics().horizontalAdvance(line));
    if (qobject_cast<const QRadioButton*>(&widget))
        return style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
               style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing) + widest;
    if (qobject_cast<const QCheckBox*>(&widget))
        return style->pixelMetric(QStyle::PM_IndicatorWidth) +
               style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing) + widest;
    if (qobject_cast<const QPushButton*>(&widget))
        return widest + 4;
    return qobject_cast<const QLabel*>(&widget) ? widest : 0;
}

TEST_F(MainWindowLayout, InitialTextsSelectionsVisibilityAndEnabledState) {
    const std::vector<std::pair<const char*, const char*>> texts{
        {"txtVripple", "20"}, {"txtPoutmax", "50"}, {"txtVr", "100"},    {"txtEfficiency", "80"},
        {"txtfwork", "100"},  {"txtTa", "50"},      {"txtTj", "125"},    {"txtRon25", "0"},
        {"txttr", "10"},      {"txtCext", "15"},    {"txtRthja", "0"},   {"txtRthht", "1"},
        {"txtRthjc", "2.5"},  {"txtRthhs", "18"},   {"txtUserLpri", ""}, {"txtUserIlpk", ""},
    };
    for (const auto& [name, text] : texts)
        EXPECT_EQ(box(name)->text(), QString::fromUtf8(text)) << name;

    const auto outputs = find<QGroupBox>("frmOutputSection")->findChildren<QLineEdit*>();
    EXPECT_EQ(outputs.size(), 16);
    for (const QLineEdit* output : outputs)
        EXPECT_TRUE(output->text().isEmpty() && output->isReadOnly())
            << output->objectName().toStdString();

    EXPECT_EQ(selected(), kStartSelection);
    for (QCheckBox* check : window->findChildren<QCheckBox*>())
        EXPECT_FALSE(check->isChecked()) << check->objectName().toStdString();

    for (const char* name : {"txtUserLpri", "lblUserLpri", "txtUserIlpk", "lblUserIlpk", "txttr",
                             "lbltr", "txtCext", "lblCext", "txtRthht", "lblRthht", "txtRthjc",
                             "lblRthjc", "CmdRthjc", "txtRthhs", "lblRthhs", "chksteadystate"})
        EXPECT_FALSE(find<QWidget>(name)->isVisible()) << name;
    for (const char* name : {"txtRthja", "lblRthja", "chkuserLpri", "chkuserIlpk", "cmdKestrelHS",
                             "cmdCopperArea", "chkHeatsink", "CmdStart", "CmdStop", "cmdInfo"})
        EXPECT_TRUE(find<QWidget>(name)->isVisible()) << name;
    EXPECT_FALSE(find<QWidget>("chkuserIlpk")->isEnabled());
    EXPECT_FALSE(box("txtRon25")->isEnabled());
    EXPECT_TRUE(box("txtTj")->isEnabled());
    EXPECT_TRUE(record.InputPresent);
}

TEST_F(MainWindowLayout, PlacesSizesAndContainersInPixels) {
    EXPECT_EQ(window->size(), QSize(944, 664));
    const std::vector<std::pair<const char*, QRect>> places{
        {"frmInputSection", {8, 8, 385, 649}},    {"frmAppIn", {8, 48, 369, 217}},
        {"frmHarrierIn", {8, 272, 369, 153}},     {"frmINPackage", {8, 432, 369, 201}},
        {"frmOutputSection", {400, 8, 537, 337}}, {"frmOutLosses", {8, 168, 249, 153}},
        {"optCreateFile", {416, 352, 265, 17}},   {"chksteadystate", {416, 544, 169, 17}},
        {"CmdStart", {416, 576, 113, 25}},        {"cmdInfo", {736, 608, 41, 25}},
        {"picLogo", {856, 608, 77, 22}},          {"optVacinUniversalRange", {72, 24, 103, 17}},
        {"txtUserIlpk", {176, 120, 81, 25}},      {"chkuserIlpk", {176, 120, 188, 17}},
        {"cmdKestrelHS", {8, 24, 161, 33}},       {"CmdRthjc", {256, 128, 97, 25}},
        {"txtoutCoss", {376, 96, 81, 25}},        {"txtOutPtotal", {8, 120, 81, 25}},
    };
    for (const auto& [name, rect] : places)
        EXPECT_EQ(find<QWidget>(name)->geometry(), rect) << name;

    EXPECT_EQ(find<QWidget>("frmAppIn")->parentWidget(), find<QWidget>("frmInputSection"));
    EXPECT_EQ(find<QWidget>("optVacinSmallRange")->parentWidget(), find<QWidget>("frmAppIn"));
    EXPECT_EQ(find<QWidget>("optflybackccm")->parentWidget(), find<QWidget>("frmInputSection"));
    EXPECT_EQ(find<QWidget>("frmOutLosses")->parentWidget(), find<QWidget>("frmOutputSection"));
    EXPECT_EQ(find<QWidget>("optNoSave")->parentWidget(), window.get());

    // Labels stay inside their frames and clear of the control to their right;
    // no caption is clipped.
    for (QLabel* label : window->findChildren<QLabel*>())
        EXPECT_LE(label->geometry().right(), label->parentWidget()->width())
            << label->objectName().toStdString();
    for (QWidget* widget : window->findChildren<QWidget*>())
        EXPECT_LE(CaptionWidth(*widget), widget->width()) << widget->objectName().toStdString();
    EXPECT_LT(find<QWidget>("lblTj")->geometry().right(), box("txtRon25")->x());
    EXPECT_LT(find<QWidget>("lblRthjc")->geometry().right(), find<QWidget>("CmdRthjc")->x());
}

TEST_F(MainWindowLayout, FontsColoursTooltipsAndCaptions) {
    for (const char* name : {"frmAppIn", "frmOutLosses", "txtTa", "txtOutPoff", "lblRon25",
                             "chkHeatsink", "chktr", "chkCext"})
        EXPECT_DOUBLE_EQ(find<QWidget>(name)->font().pointSizeF(), 9.75) << name;
    for (const char* name : {"cmdInfo", "optflybackdcm", "optVacinOthers", "chkuserLpri",
                             "cmdKestrelHS", "CmdStart", "optNoSave"})
        EXPECT_DOUBLE_EQ(find<QWidget>(name)->font().pointSizeF(), 8.25) << name;
    EXPECT_EQ(find<QWidget>("txtTa")->font().family(), "Arial");

    // The rendered images show the boxes' colours in an active window; an output
    // box keeps its grey in an inactive one.
    const QPalette output = box("txtOutPtotal")->palette();
    EXPECT_EQ(output.color(QPalette::Inactive, QPalette::Base),
              output.color(QPalette::Active, QPalette::Base));
    EXPECT_EQ(box("txtCext")->toolTip(),
              "Insert only the capacity of the external components. The output capacitance Coss "
              "of the Harrier  will be calculated by the program.");
    EXPECT_EQ(box("txtouttr")->toolTip(), box("txtoutCoss")->toolTip());
    EXPECT_EQ(find<QWidget>("lblTa")->property("text").toString(), "Ambient Temperature [°C]");
    EXPECT_EQ(find<QWidget>("lbloutLpri")->property("text").toString(), "Lpri [µH]");
    EXPECT_TRUE(find<QWidget>("CmdStop")->toolTip().isEmpty());

    auto* hs = find<CaptionButton>("cmdKestrelHS");
    EXPECT_EQ(hs->caption(), kPackageStartCaption);
    EXPECT_EQ(hs->caption().size(), 66);
    EXPECT_EQ(hs->text(), "Kestrel\nPackage - Heatsink Selection");
    EXPECT_EQ(find<CaptionButton>("cmdKestrelRdson")->caption(), "Kestrel");
    EXPECT_EQ(find<CaptionButton>("cmdHarrierRdson")->caption(), "Harrier");
}

// Every control that can take the focus, in the window's keyboard order.
const QStringList kKeyboardOrder =
    QString::fromLatin1(
        "txtPoutmax txtVripple txtVr txtEfficiency txtfwork txtTa txtTj txtRon25 chktr chkCext "
        "txtRthja txtRthjc CmdStart txtRthhs txtCext txttr txtRthht CmdStop txtOutTjc txtOutILpk "
        "txtOutPtotal txtOutPcond txtOutPoff txtOutPon txtOutRdsonTj txtOutPout txtOutRdson "
        "txtOutD chkHeatsink cmdInfo txtoutCext txtoutCoss txtouttr cmdKestrelRdson cmdKestrelHS "
        "txtoutLpri txtOutDmax chksteadystate chkuserLpri txtUserLpri cmdCopperArea "
        "optCreateFile optNoSave txtOutIHarriermax CmdRthjc txtUserIlpk chkuserIlpk "
        "optflybackccm optflybackdcm optVacinUniversalRange optVacinSmallRange optVacinOthers "
        "cmdHarrierRdson")
        .split(u' ');

class MainWindowKeyboard : public WorkbenchFixture {
  protected:
    void SetUp() override {
        WorkbenchFixture::SetUp();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    // As when a box of the program closes on a display: another window had the
    // focus, and the window gives it back to its own focus widget.
    void comeBack() {
        {
            QWidget box;
            box.show();
            box.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
        }
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    // 60 Tabs from txtPoutmax stop in turn on the keyboard order less the
    // controls that cannot take the focus now. An option group takes one stop,
    // on its selected option.
    void expectTabStops() {
        QStringList stops, expected, walked;
        for (const QString& name : kKeyboardOrder) {
            const QWidget* widget = find<QWidget>(qPrintable(name));
            const auto* option = qobject_cast<const QRadioButton*>(widget);
            if (widget->isVisible() && widget->isEnabled() && (!option || option->isChecked()))
                stops << name;
        }
        box("txtPoutmax")->setFocus(Qt::TabFocusReason);
        for (int i = 1; i <= 60; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            ASSERT_NE(QApplication::focusWidget(), nullptr);
            walked << QApplication::focusWidget()->objectName();
            expected << stops[i % stops.size()];
        }
        EXPECT_EQ(walked.join(u' '), expected.join(u' '));
    }
};

// Hidden txtRthjc, txtRthhs, ... and the disabled txtRon25 are skipped at
// start; shown and enabled later, they take their place.
TEST_F(MainWindowKeyboard, FocusStartsInPmaxAndTabFollowsTheOrder) {
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "txtPoutmax");
    expectTabStops();
    for (const QString& name : kKeyboardOrder) {
        QWidget* widget = find<QWidget>(qPrintable(name));
        widget->setEnabled(true);
        widget->show();
    }
    expectTabStops();
}

// Whoever selects an option, Tab stops on it: the user, or the program after a
// Start that had a file chosen ("No Saving" again) and when CCM falls back to
// DCM with a note, though the focus stays on the option clicked last.
TEST_F(MainWindowKeyboard, TabStopsOnTheOptionTheProgramSelected) {
    toolkit.queueSave(QStringLiteral("/nonexistent/run"));
    for (const char* name : {"optCreateFile", "CmdStart", "optflybackccm"}) {
        SCOPED_TRACE(name);
        click(name);
        comeBack();
        expectTabStops();
    }
    EXPECT_EQ(toolkit.messages(),
              (std::vector<ShownBox>{
                  {.text = "Please check one of you inputs in the input section is zero.",
                   .title = "Input Error"},
                  {.text = "To be defined", .title = "Info", .icon = MessageIcon::Exclamation}}));
    EXPECT_EQ(selected(), kStartSelection);
}

// Each group selects within its own container, whether by a click or by code;
// a selection by code runs no handler.
TEST_F(MainWindowLayout, OptionGroupsAreExclusiveEachWithinItsOwnContainer) {
    find<QRadioButton>("optVacinSmallRange")->setChecked(true);
    EXPECT_EQ(selected(), QStringList({"optflybackdcm", "optVacinSmallRange", "optNoSave"}));
    click("optVacinUniversalRange");
    EXPECT_EQ(selected(), kStartSelection);
    find<QRadioButton>("optCreateFile")->setChecked(true);
    EXPECT_EQ(selected(),
              QStringList({"optflybackdcm", "optVacinUniversalRange", "optCreateFile"}));
    EXPECT_TRUE(toolkit.shown().empty());
}

TEST_F(MainWindowLayout, InfoShowsItsFourLinesAndChangesNothing) {
    box("txtTa")->setText("60");
    const DesignRecord before = record;
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(find<QPushButton>("cmdInfo"), Qt::LeftButton);

    const ShownBox info{
        .text = "Orvand Version " ORVAND_VERSION " - Dravik Technologies\r\n"
                "This tool will calculate the reachable output power of the selected Kestrel "
                "for a SMPS in Flyback Topology.\r\n"
                "Insert your parameters in the input section, and you will get all the "
                "calculated values in the output section.\r\n"
                "In case of an activated create file check, all output values e.g. Pout, "
                "Rdson, ... are saved in a output file!",
        .title = "Info about the Tool",
        .icon = MessageIcon::Information};
    EXPECT_EQ(toolkit.shown(), (std::vector{info, info, info}));

    EXPECT_TRUE(record == before);
    EXPECT_EQ(box("txtTa")->text(), "60");
    EXPECT_EQ(selected(), kStartSelection);
}

// Stop ends the program, whatever its index: the application's event loop
// returns, with nothing asked or written though a file was chosen. main() owns
// the window, which is not deleted.
TEST_F(MainWindowLayout, StopEndsTheProgramWithoutAskingAnything) {
    find<QRadioButton>("optCreateFile")->setChecked(true);
    QPointer<FormWorkbench> guard(window.get());
    QTimer running;
    running.setSingleShot(true);
    QObject::connect(&running, &QTimer::timeout, &running, [] { QApplication::exit(1); });
    for (const int index : {1, 0}) {
        window->show();
        QTimer::singleShot(0, window.get(), [&] {
            if (index == 1)
                QTest::mouseClick(find<QWidget>("CmdStop"), Qt::LeftButton);
            else
                window->CmdStop_Click(index);
        });
        running.start(2000);
        EXPECT_EQ(QApplication::exec(), 0) << "the program still ran 2 s after Stop";
        ASSERT_FALSE(guard.isNull());
        EXPECT_FALSE(window->isVisible());
    }
    EXPECT_TRUE(toolkit.shown().empty());
}

// Each write runs the box's check at once and shows the text from its start.
TEST_F(MainWindowLayout, PortsWriteTheNamedControlsAndRunTheirChecks) {
    window->setBoxText(WorkbenchBox::Poutmax, "0");
    window->setBoxText(WorkbenchBox::Fwork, "67");
    window->setBoxText(WorkbenchBox::Ron25, "0.45");
    window->setBoxText(WorkbenchBox::Rthja, "90");
    window->setBoxText(WorkbenchBox::Rthjc, "3");
    EXPECT_EQ(texts({"txtPoutmax", "txtfwork", "txtRon25", "txtRthja", "txtRthjc"}),
              QStringList({"0", "67", "0.45", "90", "3"}));
    EXPECT_EQ(std::tuple(record.Poutmax, record.fwork, record.Ron25), std::tuple(0.0, 67.0, 0.45));
    for (const char* name : {"txtPoutmax", "txtfwork", "txtRon25", "txtRthja", "txtRthjc"})
        EXPECT_EQ(box(name)->cursorPosition(), 0) << name;
    const ShownBox pout{.text = "Please check your value of the maximum Pout",
                        .title = "Syntax Error"};
    expectMessages({pout});

    window->writeBox(OutputBox::OutPout, "12.34");
    window->writeBox(OutputBox::OutCoss, "5");
    window->writeBox(OutputBox::Outtr, "7");
    window->writeBox(OutputBox::Poutmax, "16.5");
    EXPECT_EQ(texts({"txtOutPout", "txtoutCoss", "txtouttr", "txtPoutmax"}),
              QStringList({"12.34", "5", "7", "16.5"}));
    EXPECT_EQ(record.Poutmax, 16.5);
    for (const int points : {8, 10}) {
        window->setPoffFontSize(points);
        EXPECT_EQ(box("txtOutPoff")->font().pointSize(), points);
    }

    // A long caption breaks only where the next word would not fit the button.
    const QString longCaption = "Kestrel KX 1065 with a rather long name";
    auto* device = find<CaptionButton>("cmdKestrelRdson");
    window->setButtonCaption(WorkbenchButton::KestrelRdson, longCaption);
    EXPECT_EQ(device->caption(), longCaption);
    const QStringList lines = device->text().split(u'\n');
    EXPECT_GE(lines.size(), 2);
    EXPECT_EQ(lines.join(u' '), longCaption);
    // The room the style gives a label: the button's content rectangle less the
    // margin it sizes buttons with.
    QStyleOptionButton option;
    option.initFrom(device);
    const QStyle* style = device->style();
    const int room = style->subElementRect(QStyle::SE_PushButtonContents, &option, device).width() -
                     style->pixelMetric(QStyle::PM_ButtonMargin, &option, device);
    const QFontMetrics metrics = device->fontMetrics();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        EXPECT_LE(metrics.horizontalAdvance(lines[i]), room) << lines[i].toStdString();
        if (i + 1 < lines.size()) {
            const QString longer = lines[i] + u' ' + lines[i + 1].section(u' ', 0, 0);
            EXPECT_GT(metrics.horizontalAdvance(longer), room) << longer.toStdString();
        }
    }
    window->setButtonCaption(WorkbenchButton::KestrelHS, "DIP-8");
    EXPECT_EQ(find<CaptionButton>("cmdKestrelHS")->caption(), "DIP-8");
    expectMessages({pout});
}

} // namespace
} // namespace orvand::test

#include "dialogs.h"
#include "dialogs_recording_port.h"
#include "form_rthjc_vs_copper.h"
#include "locale_scope.h"
#include "qstring_printer.h"
#include "rthja_chart.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace orvand;
using namespace orvand::test;

class FormRthjcSelectionTest : public ScriptedTest {
  protected:
    void show(ScriptedToolkit::ModalAction action) {
        toolkit.queueModal(std::move(action));
        ShowFormRthjcSelection(record, port, toolkit, nullptr);
    }
};

// The options exclude each other: of two clicked in turn only the last applies.
// Ok alone or the close box keeps the old value; every window opens afresh.
TEST_F(FormRthjcSelectionTest, OkAppliesTheOptionClickedLast) {
    record.Rthjc = 7.0;
    // The options clicked, or the close box; then Rthjc, written into its box
    // where it changed.
    const std::pair<const char*, double> rows[] = {{"", 7.0},
                                                   {"close box", 7.0},
                                                   {"optRthjcNo", 1.5},
                                                   {"optRthjcRW27", 2.5},
                                                   {"optRthjcRW27 optRthjcNo", 1.5},
                                                   {"optRthjcNo optRthjcRW27", 2.5}};
    int fresh = 0;
    for (const auto& [clicked, value] : rows) {
        SCOPED_TRACE(clicked);
        port.writes.clear();
        show(CountingFresh(fresh, port, [&](QDialog& dialog) {
            if (clicked == std::string_view("close box"))
                return CloseBox(dialog);
            for (const QString& name : QString::fromLatin1(clicked).split(u' ', Qt::SkipEmptyParts))
                QTest::mouseClick(Option(dialog, name), Qt::LeftButton, {}, QPoint(6, 16));
            ChooseAndOk(QString())(dialog);
        }));
        EXPECT_EQ(record.Rthjc, value);
        EXPECT_EQ(port.log(), value == 7.0 ? QStringList()
                                           : QStringList{"box Rthjc " + QString::number(value)});
    }
    EXPECT_EQ(fresh, 6);
    LocaleScope comma(CommaLocale());
    port.writes.clear();
    show(ChooseAndOk(QStringLiteral("optRthjcRW27")));
    EXPECT_EQ(port.log(), QStringList({"box Rthjc 2,5"}));
    EXPECT_TRUE(toolkit.messages().empty());
}

// By keyboard: the focus opens on the first option, Tab stops on Ok and on the
// group, the arrow keys move within the group and Space selects. Ok is no
// default button and acts when Return or Enter goes down on it: held down on
// an option and let go on Ok, it presses nothing.
TEST_F(FormRthjcSelectionTest, KeyboardOrderAndOkActingOnTheKeyPress) {
    for (const Qt::Key enter : {Qt::Key_Return, Qt::Key_Enter}) {
        port.writes.clear();
        show([&](QDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Rthjc Selection"));
            EXPECT_EQ(dialog.size(), QSize(312, 107));
            EXPECT_EQ(KeyboardOrder(dialog),
                      (std::vector<std::string>{"optRthjcRW27", "cmdOK", "optRthjcNo"}));
            EXPECT_EQ(FocusWhenShown(dialog), "optRthjcRW27");
            std::vector<std::string> focus;
            for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Down, Qt::Key_Space}) {
                QTest::keyClick(QApplication::focusWidget(), key);
                focus.push_back(QApplication::focusWidget()->objectName().toStdString());
            }
            EXPECT_EQ(focus, (std::vector<std::string>{"cmdOK", "optRthjcRW27", "optRthjcNo",
                                                       "optRthjcNo"}));
            QTest::keyPress(QApplication::focusWidget(), enter);
            ASSERT_TRUE(dialog.isVisible()) << "pressed on an option";
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QTest::keyRelease(QApplication::focusWidget(), enter);
            ASSERT_TRUE(dialog.isVisible() && port.writes.empty()) << "let go on Ok";
            QTest::keyPress(QApplication::focusWidget(), enter);
            EXPECT_FALSE(dialog.isVisible());
        });
        EXPECT_EQ(port.log(), QStringList({"box Rthjc 1.5"}));
    }
}

TEST(FormRthjcvsCopperTest, ClickOnThePictureClosesTheWindow) {
    ScriptedToolkit toolkit;
    bool closedByClick = false;
    toolkit.queueModal([&](QDialog& dialog) {
        EXPECT_EQ(dialog.objectName(), "FormRthjcvsCopper");
        EXPECT_EQ(dialog.windowTitle(), "Thermal Resistance of Different Packages and Copper Area");
        EXPECT_EQ(dialog.size(), QSize(1001, 733));
        auto* picture = dialog.findChild<QWidget*>(QStringLiteral("imgRthjavsCopperA"));
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->geometry(), QRect(0, 0, 1001, 737));
        EXPECT_EQ(picture->toolTip(), QStringLiteral("Click here to Close"));
        // A right click or a press dragged off the picture is no click.
        QTest::mouseClick(picture, Qt::RightButton, {}, QPoint(500, 300));
        EXPECT_TRUE(dialog.isVisible());
        QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(990, 720));
        closedByClick = !dialog.isVisible();
    });
    ShowFormRthjcvsCopper(toolkit, nullptr);
    EXPECT_TRUE(closedByClick);
}

// The ticks of an axis as "value=label", each value to its last bit.
std::string Ticks(const std::vector<ChartTick>& ticks) {
    QStringList shown;
    for (const ChartTick& tick : ticks)
        shown << QString::number(tick.value, 'g', 17) + u'=' + tick.text;
    return shown.join(u' ').toStdString();
}

// The axes and the curves the chart is drawn from; how it is drawn, legend
// included, is compared in the rendered images.
TEST(RthjaChart, AxesAndTrendLines) {
    // 0 to 6 cm² every 0.5 and 50 to 120 K/W every 5, labelled alike on every system.
    for (const QLocale& locale : {PointLocale(), CommaLocale()}) {
        LocaleScope scope(locale);
        EXPECT_EQ(Ticks(CopperAreaTicks()), "0=0,0 0.5=0,5 1=1,0 1.5=1,5 2=2,0 2.5=2,5 3=3,0 "
                                            "3.5=3,5 4=4,0 4.5=4,5 5=5,0 5.5=5,5 6=6,0");
        EXPECT_EQ(Ticks(RthjaTicks()), "50=50 55=55 60=60 65=65 70=70 75=75 80=80 85=85 90=90 "
                                       "95=95 100=100 105=105 110=110 115=115 120=120");
        // The first and last ticks stand at the corners of the plot.
        const RthjaChartLayout layout(QSize(1001, 737));
        EXPECT_EQ(layout.toPixel(0, 50), layout.plot.bottomLeft());
        EXPECT_EQ(layout.toPixel(6, 120), layout.plot.topRight());
    }

    // The chart's own curves agree with the package dialog at 0, 3 and 6 cm²:
    // DIP8 and SO14 each without copper, with 3 cm² and with 6 cm².
    const struct { double area, dip8, so14; } table[] = {{0, 90, 112}, {3, 64, 92}, {6, 56, 78}};
    for (const auto& point : table) {
        EXPECT_NEAR(Dip8Trend(point.area), point.dip8, 1e-9);
        EXPECT_NEAR(So14Trend(point.area), point.so14, 1e-9);
    }
    // DIP 8 flattens, SO14 stays nearly straight.
    EXPECT_GT(Dip8Trend(0) - Dip8Trend(3), 3 * (Dip8Trend(3) - Dip8Trend(6)));
    EXPECT_LT(So14Trend(0) - So14Trend(3), 1.5 * (So14Trend(3) - So14Trend(6)));
}

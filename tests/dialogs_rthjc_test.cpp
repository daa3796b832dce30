#include "dialogs.h"
#include "dialogs_recording_port.h"
#include "form_rthjc_vs_copper.h"
#include "locale_scope.h"
#include "qstring_printer.h"
#include "rthja_chart.h"

#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace orvand;
using namespace orvand::test;

class FormRthjcSelectionTest : public DialogTest {
  protected:
    void show(ScriptedToolkit::ModalAction action) {
        toolkit.queueModal(std::move(action));
        ShowFormRthjcSelection(record, port, toolkit, nullptr);
    }
};

TEST_F(FormRthjcSelectionTest, EachChoiceSetsItsValueAndNeitherKeepsTheOld) {
    record.Rthjc = 7.0;
    show(ChooseAndOk(QString()));
    show(CloseBox);
    EXPECT_EQ(record.Rthjc, 7.0);
    EXPECT_TRUE(port.writes.empty());
    EXPECT_TRUE(toolkit.messages().empty());

    show(ChooseAndOk(QStringLiteral("optRthjcNo")));
    EXPECT_EQ(record.Rthjc, 1.5);
    {
        LocaleScope comma(CommaLocale());
        show(ChooseAndOk(QStringLiteral("optRthjcRW27")));
        EXPECT_EQ(record.Rthjc, 2.5);
    }
    EXPECT_EQ(port.log(), QStringList({"box Rthjc 1.5", "box Rthjc 2,5"}));
}

// Ok is no default button: Return on a chosen option presses nothing. Ok
// itself, once it has the focus, is pressed by Return or Enter.
TEST_F(FormRthjcSelectionTest, OpensAfreshWithNeitherSelectedAndOkNotDefault) {
    show(ChooseAndOk(QStringLiteral("optRthjcRW27")));
    EXPECT_EQ(record.Rthjc, 2.5);
    port.writes.clear();
    int fresh = 0;
    show(CountingFresh(fresh, port, [&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Rthjc Selection"));
        EXPECT_EQ(dialog.size(), QSize(312, 107));
        auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"));
        EXPECT_FALSE(ok->autoDefault() || ok->isDefault());
        QRadioButton* no = Option(dialog, QStringLiteral("optRthjcNo"));
        no->setChecked(true);
        no->setFocus();
        QTest::keyClick(no, Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible());
        ok->setFocus();
        QTest::keyClick(ok, Qt::Key_Return);
        EXPECT_FALSE(dialog.isVisible());
    }));
    EXPECT_EQ(fresh, 1);
    EXPECT_EQ(record.Rthjc, 1.5);

    show([&](QDialog& dialog) {
        Option(dialog, QStringLiteral("optRthjcRW27"))->setChecked(true);
        QTest::keyClick(dialog.findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::Key_Enter,
                        Qt::KeypadModifier);
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_EQ(record.Rthjc, 2.5);
}

TEST(FormRthjcvsCopperTest, ClickOnThePictureClosesTheWindow) {
    ScriptedToolkit toolkit;
    bool closedByClick = false;
    toolkit.queueModal([&](QDialog& dialog) {
        EXPECT_EQ(dialog.objectName(), QStringLiteral("FormRthjcvsCopper"));
        EXPECT_EQ(dialog.windowTitle(),
                  QStringLiteral("Thermal Resistance of Different Packages and Copper Area"));
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

// The axes and the curves the chart is drawn from; how it is drawn, legend
// included, is compared in the rendered images.
TEST(RthjaChart, AxesAndTrendLines) {
    // 0 to 6 cm² every 0.5 and 50 to 120 K/W every 5, labelled alike on every system.
    const std::vector<std::string> areaLabels{"0,0", "0,5", "1,0", "1,5", "2,0", "2,5", "3,0",
                                              "3,5", "4,0", "4,5", "5,0", "5,5", "6,0"};
    const std::vector<std::string> rthjaLabels{"50", "55", "60",  "65",  "70",  "75",  "80", "85",
                                               "90", "95", "100", "105", "110", "115", "120"};
    for (const QLocale& locale : {PointLocale(), CommaLocale()}) {
        LocaleScope scope(locale);
        const std::vector<ChartTick> area = CopperAreaTicks();
        const std::vector<ChartTick> rthja = RthjaTicks();
        ASSERT_EQ(area.size(), areaLabels.size());
        ASSERT_EQ(rthja.size(), rthjaLabels.size());
        for (std::size_t i = 0; i < area.size(); ++i) {
            EXPECT_EQ(area[i].value, 0.5 * static_cast<double>(i));
            EXPECT_EQ(area[i].text.toStdString(), areaLabels[i]);
        }
        for (std::size_t i = 0; i < rthja.size(); ++i) {
            EXPECT_EQ(rthja[i].value, 50.0 + 5.0 * static_cast<double>(i));
            EXPECT_EQ(rthja[i].text.toStdString(), rthjaLabels[i]);
        }
        // The first and last ticks stand at the corners of the plot.
        const RthjaChartLayout layout(QSize(1001, 737));
        EXPECT_EQ(layout.toPixel(area.front().value, rthja.front().value),
                  layout.plot.bottomLeft());
        EXPECT_EQ(layout.toPixel(area.back().value, rthja.back().value), layout.plot.topRight());
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

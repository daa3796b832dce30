#include "dialogs.h"
#include "dialogs_recording_port.h"
#include "form_kestrel.h"
#include "kestrel_catalogue.h"
#include "locale_scope.h"
#include "number_text.h"
#include "option_lookup.h"
#include "qstring_printer.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <gtest/gtest.h>
#include <vector>

using namespace orvand;
using namespace orvand::test;

namespace {

struct ExpectedDevice {
    const char* option;
    const char* caption;
    const char* part;
    const char* package;
    double Ron25, Rthja, fworkKHz, Ipkd;
    bool N3;
    const char* pmax;
    int left, top; // twips; the place gives the family and the voltage class
    bool discontinued = false;
};

// Written out, not read from the catalogue, so that a slip in it shows.
const std::vector<ExpectedDevice> kExpected{
    {"optPX11", "PX11", "PX11", "DIP8", 3.5, 90, 100, 0.6, false, "12", 240, 840},
    {"optPX11S", "PX11S", "PX11S", "SO14", 3.5, 112, 100, 0.6, false, "12", 1440, 840},
    {"optPX12", "PX12", "PX12", "DIP8", 3.5, 90, 100, 1.2, false, "20", 240, 1200, true},
    {"optPX12S", "PX12S", "PX12S", "SO14", 3.5, 112, 100, 1.2, false, "16", 1440, 1200, true},
    {"optPX13", "PX13", "PX13", "DIP8", 1.0, 90, 100, 2.2, false, "34", 240, 1560},
    {"optPX13S", "PX13S", "PX13S", "SO14", 1.0, 112, 100, 2.2, false, "28", 1440, 1560},
    {"optPX14", "PX14", "PX14", "DIP8", 0.5, 90, 100, 2.2, false, "45", 240, 1920, true},
    {"optPX10", "PX10", "PX10", "DIP8", 3.0, 90, 100, 2.5, false, "21", 240, 2280},
    {"optRV20", "RV20", "RV20", "DIP8", 4.7, 90, 100, 1.6, true, "10", 3120, 840},
    {"optRV20D", "RV20D", "RV20D", "DIP7", 4.7, 96, 100, 1.6, true, "10", 5760, 840},
    {"optRV21", "RV21", "RV21", "DIP8", 3.0, 90, 100, 3.2, true, "21", 3120, 1200},
    {"optRW21", "RW21", "RW21", "DIP8", 3.0, 90, 67, 3.2, true, "21", 4440, 1200},
    {"optRV22", "RV22", "RV22", "DIP8", 0.9, 90, 100, 9.0, true, "34", 3120, 1560},
    {"optRW22", "RW22", "RW22", "DIP8", 0.9, 90, 67, 9.0, true, "34", 4440, 1560},
    {"optRV22S", "RV22S", "RV22S", "SO16", 0.9, 121, 100, 9.0, true, "22", 5760, 1560},
    {"optRV23", "RV23", "RV23", "DIP8", 0.45, 90, 100, 14.6, true, "50", 3120, 1920},
    {"optRW23", "RW23", "RW23", "DIP8", 0.45, 90, 67, 14.6, true, "50", 4440, 1920},
    {"optRV31", "RV31", "RV31", "DIP8", 3.0, 90, 100, 3.2, true, "21", 3120, 3240},
    {"optRV32", "RV32", "RV32", "DIP8", 0.8, 90, 100, 9.0, true, "37", 3120, 3600},
    {"optRV31D", "RV31D", "RV31D", "DIP7", 3.0, 96, 100, 3.2, true, "21", 5760, 3240},
    {"optRV32D", "RV32D", "RV32D", "DIP7", 0.8, 96, 100, 9.0, true, "37", 5760, 3600},
    {"optRW27", "RW27T", "RW27", "TO220 ISO", 0.5, 74, 67, 21.0, true, "80", 4440, 2280},
    {"optRV27", "RV27T", "RV27", "TO220 ISO", 0.5, 74, 100, 21.0, true, "80", 3120, 2280},
};

const ShownBox kMissingDevice{.text = "Please check your choice.",
                              .title = "Missing Kestrel Selection"};

} // namespace

class FormKestrelTest : public ScriptedTest {};

// Each device after one of the other family and a copper choice, in both
// locales: what the window shows and the record as each write's change handler
// finds it, in the order of the handler's steps.
TEST_F(FormKestrelTest, EachDeviceWritesItsRowStepByStep) {
    ASSERT_EQ(kKestrelCatalogue.size(), kExpected.size());
    DesignRecord start;
    start.KestrelSel = true;
    start.CopperAreaText = QStringLiteral(" (3cm² Copper Area on PCB)");
    for (const QLocale& locale : {PointLocale(), CommaLocale()}) {
        LocaleScope scope(locale);
        const auto shown = [](double value) {
            return QString::number(value).replace(u'.', QLocale().decimalPoint());
        };
        for (std::size_t i = 0; i < kExpected.size(); ++i) {
            const ExpectedDevice& row = kExpected[i];
            SCOPED_TRACE(row.option);
            // The catalogue keeps the order in which OK tests the options.
            EXPECT_EQ(TableText(kKestrelCatalogue[i].option), QLatin1String(row.option));
            record = start;
            record.HarrierN3 = !row.N3;
            DesignRecord then = record;
            port.writes.clear();
            toolkit.queueModal([&row](QDialog& dialog) {
                QRadioButton* option = Option(dialog, QLatin1String(row.option));
                ASSERT_NE(option, nullptr);
                EXPECT_EQ(option->text(), QLatin1String(row.caption));
                EXPECT_EQ(option->geometry(), QRect(row.left / 15, row.top / 15, 81, 25));
                EXPECT_EQ(option->toolTip(), row.discontinued ? "Discontinuation" : QString());
                EXPECT_FALSE(option->isChecked());
                ChooseAndOk(QLatin1String(row.option))(dialog);
            });
            ShowFormKestrel(record, port, toolkit, nullptr);

            const QString part = QLatin1String(row.part);
            ASSERT_EQ(port.log(),
                      QStringList(
                          {"box Rthja " + shown(row.Rthja), "box fwork " + shown(row.fworkKHz),
                           "caption KestrelHS " + part + ' ' + row.package,
                           "caption KestrelRdson " + part, "box Poutmax " + QLatin1String(row.pmax),
                           "box Ron25 " + shown(row.Ron25)}));
            EXPECT_EQ(TextToNumberValue(port.writes[5].text), row.Ron25);
            then.PackageOnly = 1.0;
            then.Ron25 = row.Ron25;
            then.Rthja = row.Rthja;
            EXPECT_TRUE(port.writes[0].recordThen == then);
            then.fwork = row.fworkKHz;
            then.HarrierN3 = row.N3;
            EXPECT_TRUE(port.writes[1].recordThen == then && port.writes[2].recordThen == then);
            then.Ipkd = row.Ipkd;
            EXPECT_TRUE(port.writes[3].recordThen == then);
            then.DeviceName = part;
            EXPECT_TRUE(port.writes[4].recordThen == then && port.writes[5].recordThen == then);
            EXPECT_TRUE(record == then);
        }
    }
    EXPECT_EQ(ModalsShown(toolkit, QStringLiteral("FormKestrel")), 2 * 23);
    EXPECT_TRUE(toolkit.messages().empty());
}

TEST_F(FormKestrelTest, WindowHoldsEveryDeviceInOneGroupWithNoneSelected) {
    FormKestrel dialog(record, port, toolkit);
    EXPECT_EQ(std::tuple(dialog.objectName(), dialog.windowTitle(), dialog.size()),
              std::tuple("FormKestrel", "Kestrel Family Rdson Check", QSize(483, 278)));

    EXPECT_EQ(dialog.findChildren<QRadioButton*>().size(), 23);
    QButtonGroup* group = Option(dialog, QStringLiteral("optPX11"))->group();
    ASSERT_NE(group, nullptr);
    for (QRadioButton* option : dialog.findChildren<QRadioButton*>())
        EXPECT_EQ(option->group(), group) << option->objectName().toStdString();
    EXPECT_TRUE(group->exclusive());
    // OK first, then the devices in the catalogue's order; it has the focus when
    // the window opens, so Space presses it rather than picking a device.
    std::vector<std::string> order{"cmdOK"};
    for (const ExpectedDevice& row : kExpected)
        order.push_back(row.option);
    EXPECT_EQ(KeyboardOrder(dialog), order);
    EXPECT_EQ(FocusWhenShown(dialog), "cmdOK");

    Option(dialog, QStringLiteral("optRV23"))->click();
    Option(dialog, QStringLiteral("optPX11"))->click();
    EXPECT_FALSE(Option(dialog, QStringLiteral("optRV23"))->isChecked());
}

TEST_F(FormKestrelTest, OkWithoutChoiceReopensAfreshAndOnlyTheNewOkApplies) {
    // However often OK is refused, each window comes up alone, empty, with
    // nothing written yet.
    constexpr int kRefusals = 1000;
    int fresh = 0;
    for (int i = 0; i <= kRefusals; ++i)
        toolkit.queueModal(CountingFresh(
            fresh, port, ChooseAndOk(i < kRefusals ? QString() : QStringLiteral("optRV21"))));
    ShowFormKestrel(record, port, toolkit, nullptr);

    EXPECT_EQ(toolkit.messages(), std::vector(kRefusals, kMissingDevice));
    EXPECT_EQ(fresh, kRefusals + 1);
    EXPECT_EQ(ModalsShown(toolkit, QStringLiteral("FormKestrel")), kRefusals + 1);
    EXPECT_EQ(port.writes.size(), 6u);
    EXPECT_EQ(std::tuple(record.DeviceName, record.Ipkd, record.PackageOnly),
              std::tuple(QStringLiteral("RV21"), 3.2, 1.0));
}

TEST_F(FormKestrelTest, CloseBoxOfFirstOrReopenedWindowWritesNothing) {
    record.Ron25 = 1.25;
    const DesignRecord before = record;
    toolkit.queueModal(CloseBox);
    ShowFormKestrel(record, port, toolkit, nullptr);
    toolkit.queueModal(ChooseAndOk(QString()));
    toolkit.queueModal(ChooseAndOk(QString()));
    toolkit.queueModal(CloseBox);
    ShowFormKestrel(record, port, toolkit, nullptr);

    EXPECT_EQ(toolkit.messages(), std::vector(2, kMissingDevice));
    EXPECT_TRUE(port.writes.empty());
    EXPECT_TRUE(record == before);
}

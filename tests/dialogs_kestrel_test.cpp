#include "dialogs.h"
#include "dialogs_recording_port.h"
#include "form_kestrel.h"
#include "kestrel_catalogue.h"
#include "locale_scope.h"
#include "number_text.h"
#include "option_lookup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <gtest/gtest.h>
#include <vector>

using namespace orvand;
using namespace orvand::test;

namespace {

QString Name(std::u16string_view text) {
    return TableText(text);
}

struct ExpectedDevice {
    const char* option;
    const char* caption;
    const char* part;
    const char* package;
    double Ron25, Rthja, fworkKHz, Ipkd;
    bool N3;
    const char* pmax;
    int left, top; // twips; the place gives the family and the voltage class
};

// Written out here rather than read from the catalogue, so that a slip in the
// catalogue shows.
const std::vector<ExpectedDevice> kExpected{
    {"optPX11", "PX11", "PX11", "DIP8", 3.5, 90, 100, 0.6, false, "12", 240, 840},
    {"optPX11S", "PX11S", "PX11S", "SO14", 3.5, 112, 100, 0.6, false, "12", 1440, 840},
    {"optPX12", "PX12", "PX12", "DIP8", 3.5, 90, 100, 1.2, false, "20", 240, 1200},
    {"optPX12S", "PX12S", "PX12S", "SO14", 3.5, 112, 100, 1.2, false, "16", 1440, 1200},
    {"optPX13", "PX13", "PX13", "DIP8", 1.0, 90, 100, 2.2, false, "34", 240, 1560},
    {"optPX13S", "PX13S", "PX13S", "SO14", 1.0, 112, 100, 2.2, false, "28", 1440, 1560},
    {"optPX14", "PX14", "PX14", "DIP8", 0.5, 90, 100, 2.2, false, "45", 240, 1920},
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

} // namespace

class KestrelCatalogue : public DialogTest {};

TEST_F(KestrelCatalogue, EachDeviceAppliesItsRow) {
    ASSERT_EQ(kKestrelCatalogue.size(), kExpected.size());
    for (std::size_t i = 0; i < kExpected.size(); ++i) {
        const ExpectedDevice& row = kExpected[i];
        SCOPED_TRACE(row.option);
        // The catalogue keeps the order in which OK tests the options.
        EXPECT_EQ(Name(kKestrelCatalogue[i].option), QLatin1String(row.option));
        toolkit.queueModal([&row](QDialog& dialog) {
            QRadioButton* option = Option(dialog, QLatin1String(row.option));
            ASSERT_NE(option, nullptr);
            EXPECT_EQ(option->text(), QLatin1String(row.caption));
            EXPECT_EQ(option->pos(), QPoint(row.left / 15, row.top / 15));
            ChooseAndOk(QLatin1String(row.option))(dialog);
        });
        ShowFormKestrel(record, port, toolkit, nullptr);

        const QString part = QLatin1String(row.part);
        EXPECT_EQ(record.Ron25, row.Ron25);
        EXPECT_EQ(record.Rthja, row.Rthja);
        EXPECT_EQ(record.fwork, row.fworkKHz);
        EXPECT_EQ(record.Ipkd, row.Ipkd);
        EXPECT_EQ(record.HarrierN3, row.N3);
        EXPECT_EQ(record.DeviceName, part);
        EXPECT_EQ(port.captions[WorkbenchButton::KestrelRdson], part);
        EXPECT_EQ(port.captions[WorkbenchButton::KestrelHS],
                  part + QLatin1Char(' ') + QLatin1String(row.package));
        EXPECT_EQ(port.boxes[WorkbenchBox::Poutmax], QLatin1String(row.pmax));
    }
    EXPECT_TRUE(toolkit.messages().empty());
}

TEST(FormKestrelWindow, HoldsEveryDeviceInOneGroupWithNoneSelected) {
    DesignRecord record;
    RecordingPort port(record);
    ScriptedToolkit toolkit;
    FormKestrel dialog(record, port, toolkit);
    EXPECT_EQ(dialog.objectName(), QStringLiteral("FormKestrel"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Kestrel Family Rdson Check"));
    EXPECT_EQ(dialog.size(), QSize(483, 278));

    const QList<QRadioButton*> all = dialog.findChildren<QRadioButton*>();
    EXPECT_EQ(all.size(), 23);
    QButtonGroup* group = nullptr;
    for (const KestrelDevice& device : kKestrelCatalogue) {
        QRadioButton* option = Option(dialog, Name(device.option));
        ASSERT_NE(option, nullptr);
        EXPECT_EQ(option->text(), Name(device.caption));
        EXPECT_FALSE(option->isChecked());
        EXPECT_EQ(option->size(), QSize(81, 25));
        if (group == nullptr)
            group = option->group();
        EXPECT_EQ(option->group(), group);
    }
    ASSERT_NE(group, nullptr);
    EXPECT_TRUE(group->exclusive());
    EXPECT_EQ(Option(dialog, QStringLiteral("optPX14"))->toolTip(),
              QStringLiteral("Discontinuation"));
    EXPECT_TRUE(Option(dialog, QStringLiteral("optPX13"))->toolTip().isEmpty());
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

class FormKestrelTest : public DialogTest {};

TEST_F(FormKestrelTest, Px11WritesEveryFieldInOrder) {
    record.PackageOnly = 0.0;
    record.KestrelSel = true;
    record.CopperAreaText = QStringLiteral(" (3cm² Copper Area on PCB)");
    toolkit.queueModal(ChooseAndOk(QStringLiteral("optPX11")));
    ShowFormKestrel(record, port, toolkit, nullptr);

    EXPECT_EQ(record.PackageOnly, 1.0);
    EXPECT_EQ(record.Ron25, 3.5);
    EXPECT_EQ(record.Rthja, 90.0);
    EXPECT_EQ(record.fwork, 100.0);
    EXPECT_FALSE(record.HarrierN3);
    EXPECT_EQ(record.Ipkd, 0.6);
    EXPECT_EQ(record.DeviceName, QStringLiteral("PX11"));
    EXPECT_TRUE(record.KestrelSel);
    EXPECT_EQ(record.CopperAreaText, QStringLiteral(" (3cm² Copper Area on PCB)"));

    EXPECT_EQ(port.order(), QStringList({"box Rthja", "box fwork", "caption KestrelHS",
                                         "caption KestrelRdson", "box Poutmax", "box Ron25"}));
    EXPECT_EQ(port.boxes[WorkbenchBox::Rthja], QStringLiteral("90"));
    EXPECT_EQ(port.boxes[WorkbenchBox::Fwork], QStringLiteral("100"));
    EXPECT_EQ(port.boxes[WorkbenchBox::Poutmax], QStringLiteral("12"));
    EXPECT_EQ(port.boxes[WorkbenchBox::Ron25], QStringLiteral("3.5"));
    EXPECT_EQ(port.captions[WorkbenchButton::KestrelHS], QStringLiteral("PX11 DIP8"));
    EXPECT_EQ(port.captions[WorkbenchButton::KestrelRdson], QStringLiteral("PX11"));

    // What each change handler sees when it runs.
    const PortWrite* rthja = port.find(QStringLiteral("box Rthja"));
    EXPECT_EQ(rthja->recordThen.Rthja, 90.0);
    EXPECT_EQ(rthja->recordThen.Ron25, 3.5);
    EXPECT_EQ(rthja->recordThen.PackageOnly, 1.0);
    EXPECT_EQ(rthja->recordThen.fwork, 0.0);
    const PortWrite* fwork = port.find(QStringLiteral("box fwork"));
    EXPECT_EQ(fwork->recordThen.fwork, 100.0);
    EXPECT_EQ(fwork->recordThen.Ipkd, 0.0);
    const PortWrite* rdson = port.find(QStringLiteral("caption KestrelRdson"));
    EXPECT_EQ(rdson->recordThen.Ipkd, 0.6);
    EXPECT_TRUE(rdson->recordThen.DeviceName.isEmpty());
    EXPECT_EQ(port.find(QStringLiteral("box Poutmax"))->recordThen.DeviceName,
              QStringLiteral("PX11"));
    EXPECT_EQ(ModalsShown(toolkit, QStringLiteral("FormKestrel")), 1);
    EXPECT_TRUE(toolkit.messages().empty());
}

TEST_F(FormKestrelTest, To220DevicesDropTheCaptionSuffix) {
    toolkit.queueModal(ChooseAndOk(QStringLiteral("optRW27")));
    ShowFormKestrel(record, port, toolkit, nullptr);
    EXPECT_EQ(record.DeviceName, QStringLiteral("RW27"));
    EXPECT_EQ(port.captions[WorkbenchButton::KestrelRdson], QStringLiteral("RW27"));
    EXPECT_EQ(port.captions[WorkbenchButton::KestrelHS], QStringLiteral("RW27 TO220 ISO"));
    EXPECT_EQ(record.fwork, 67.0);
    EXPECT_EQ(port.boxes[WorkbenchBox::Fwork], QStringLiteral("67"));
    EXPECT_EQ(record.Rthja, 74.0);
    EXPECT_EQ(record.Ipkd, 21.0);
    EXPECT_EQ(port.boxes[WorkbenchBox::Poutmax], QStringLiteral("80"));
    EXPECT_TRUE(record.HarrierN3);
}

TEST_F(FormKestrelTest, So16DeviceAndSmallOnResistanceInBothLocales) {
    toolkit.queueModal(ChooseAndOk(QStringLiteral("optRV22S")));
    ShowFormKestrel(record, port, toolkit, nullptr);
    EXPECT_EQ(record.Rthja, 121.0);
    EXPECT_EQ(port.captions[WorkbenchButton::KestrelHS], QStringLiteral("RV22S SO16"));
    EXPECT_EQ(port.boxes[WorkbenchBox::Poutmax], QStringLiteral("22"));
    EXPECT_EQ(record.Ron25, 0.9);

    for (const auto& [locale, text] : {std::pair{PointLocale(), QStringLiteral("0.45")},
                                       std::pair{CommaLocale(), QStringLiteral("0,45")}}) {
        LocaleScope scope(locale);
        toolkit.queueModal(ChooseAndOk(QStringLiteral("optRV23")));
        ShowFormKestrel(record, port, toolkit, nullptr);
        EXPECT_EQ(record.Ron25, 0.45);
        EXPECT_EQ(port.boxes[WorkbenchBox::Ron25], text);
        EXPECT_EQ(TextToNumberValue(port.boxes[WorkbenchBox::Ron25]), 0.45);
    }
}

TEST_F(FormKestrelTest, FamilyOneDeviceAfterFamilyTwoClearsN3) {
    toolkit.queueModal(ChooseAndOk(QStringLiteral("optRV32D")));
    ShowFormKestrel(record, port, toolkit, nullptr);
    EXPECT_TRUE(record.HarrierN3);
    EXPECT_EQ(record.Rthja, 96.0);
    toolkit.queueModal(ChooseAndOk(QStringLiteral("optPX13S")));
    ShowFormKestrel(record, port, toolkit, nullptr);
    EXPECT_FALSE(record.HarrierN3);
    EXPECT_EQ(record.Rthja, 112.0);
    EXPECT_EQ(port.captions[WorkbenchButton::KestrelHS], QStringLiteral("PX13S SO14"));
    EXPECT_EQ(port.boxes[WorkbenchBox::Poutmax], QStringLiteral("28"));
}

TEST_F(FormKestrelTest, OkWithoutChoiceReopensAfreshAndOnlyTheNewOkApplies) {
    record.Ipkd = 0.0;
    record.PackageOnly = 0.0;
    // However often OK is refused, each window comes up alone, empty, with
    // nothing written yet.
    constexpr int kRefusals = 1000;
    int freshAndAlone = 0;
    for (int i = 0; i <= kRefusals; ++i)
        toolkit.queueModal([&, i](QDialog& dialog) {
            bool empty = true;
            for (QRadioButton* option : dialog.findChildren<QRadioButton*>())
                empty = empty && !option->isChecked();
            freshAndAlone += empty && DialogsAlive() == 1 && port.writes.empty() ? 1 : 0;
            ChooseAndOk(i < kRefusals ? QString() : QStringLiteral("optRV21"))(dialog);
        });
    ShowFormKestrel(record, port, toolkit, nullptr);

    const std::vector<ShownBox> messages = toolkit.messages();
    ASSERT_EQ(messages.size(), std::size_t{kRefusals});
    for (const ShownBox& message : messages) {
        EXPECT_EQ(message.text, QStringLiteral("Please check your choice."));
        EXPECT_EQ(message.title, QStringLiteral("Missing Kestrel Selection"));
        EXPECT_EQ(message.icon, MessageIcon::Critical);
    }
    EXPECT_EQ(freshAndAlone, kRefusals + 1);
    EXPECT_EQ(ModalsShown(toolkit, QStringLiteral("FormKestrel")), kRefusals + 1);
    // Applied once, by the last window.
    EXPECT_EQ(port.writes.size(), 6u);
    EXPECT_EQ(record.DeviceName, QStringLiteral("RV21"));
    EXPECT_EQ(record.Ipkd, 3.2);
    EXPECT_EQ(record.PackageOnly, 1.0);
}

TEST_F(FormKestrelTest, CloseBoxOfFirstOrReopenedWindowWritesNothing) {
    record.PackageOnly = 0.0;
    record.Ron25 = 1.25;
    toolkit.queueModal(CloseBox);
    ShowFormKestrel(record, port, toolkit, nullptr);
    toolkit.queueModal(ChooseAndOk(QString()));
    toolkit.queueModal(ChooseAndOk(QString()));
    toolkit.queueModal(CloseBox);
    ShowFormKestrel(record, port, toolkit, nullptr);

    EXPECT_EQ(toolkit.messages().size(), 2u);
    EXPECT_TRUE(port.writes.empty());
    EXPECT_EQ(record.PackageOnly, 0.0);
    EXPECT_EQ(record.Ron25, 1.25);
    EXPECT_EQ(record.Ipkd, 0.0);
    EXPECT_TRUE(record.DeviceName.isEmpty());
}

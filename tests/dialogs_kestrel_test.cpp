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
#include <map>
#include <set>

using namespace orvand;
using namespace orvand::test;

namespace {

QString Name(std::u16string_view text) {
    return FromTable(text);
}

const KestrelDevice& Device(const QString& option) {
    for (const KestrelDevice& device : kKestrelCatalogue)
        if (Name(device.option) == option)
            return device;
    ADD_FAILURE() << "no device " << option.toStdString();
    return kKestrelCatalogue.front();
}

} // namespace

TEST(KestrelCatalogue, FollowsItsOwnRules) {
    const std::map<QString, double> packageRthja{{QStringLiteral("DIP8"), 90},
                                                 {QStringLiteral("DIP7"), 96},
                                                 {QStringLiteral("SO14"), 112},
                                                 {QStringLiteral("SO16"), 121},
                                                 {QStringLiteral("TO220 ISO"), 74}};
    std::set<QString> options;
    int rw = 0, k2 = 0;
    for (const KestrelDevice& device : kKestrelCatalogue) {
        const QString part = Name(device.partName);
        SCOPED_TRACE(part.toStdString());
        options.insert(Name(device.option));
        ASSERT_TRUE(packageRthja.contains(Name(device.package)));
        EXPECT_EQ(device.Rthja, packageRthja.at(Name(device.package)));

        const bool isRw = part.startsWith(QStringLiteral("RW"));
        rw += isRw ? 1 : 0;
        EXPECT_EQ(device.fworkKHz, isRw ? 67.0 : 100.0);

        const bool isK2 = part.startsWith(QStringLiteral("RV")) || isRw;
        k2 += isK2 ? 1 : 0;
        EXPECT_EQ(device.HarrierN3, isK2);

        const bool to220 = Name(device.package) == QStringLiteral("TO220 ISO");
        EXPECT_EQ(Name(device.caption), to220 ? part + QStringLiteral("T") : part);
        EXPECT_EQ(Name(device.option), QStringLiteral("opt") + part);
        EXPECT_GT(PlainReading(Name(device.pmaxText)), 0.0);
    }
    EXPECT_EQ(options.size(), kKestrelCatalogue.size());
    EXPECT_EQ(rw, 4);
    EXPECT_EQ(k2, 15);
    // Variants share the silicon: same on-resistance and current limit.
    for (const auto& [a, b] :
         std::vector<std::pair<const char*, const char*>>{{"optPX11", "optPX11S"},
                                                          {"optPX12", "optPX12S"},
                                                          {"optPX13", "optPX13S"},
                                                          {"optRV20", "optRV20D"},
                                                          {"optRV21", "optRW21"},
                                                          {"optRV22", "optRW22"},
                                                          {"optRV22", "optRV22S"},
                                                          {"optRV23", "optRW23"},
                                                          {"optRV31", "optRV31D"},
                                                          {"optRV32", "optRV32D"},
                                                          {"optRV27", "optRW27"}}) {
        EXPECT_EQ(Device(QLatin1String(a)).Ron25, Device(QLatin1String(b)).Ron25) << a << b;
        EXPECT_EQ(Device(QLatin1String(a)).Ipkd, Device(QLatin1String(b)).Ipkd) << a << b;
    }
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
    // OK comes first in the keyboard order.
    EXPECT_EQ(NextTabStop(dialog.findChild<QWidget*>(QStringLiteral("cmdOK"))),
              Option(dialog, QStringLiteral("optPX11")));

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
    bool reopenedEmpty = false;
    toolkit.queueModal(ChooseAndOk(QString()));
    toolkit.queueModal([&](QDialog& dialog) {
        reopenedEmpty = true;
        for (QRadioButton* option : dialog.findChildren<QRadioButton*>())
            reopenedEmpty = reopenedEmpty && !option->isChecked();
        ChooseAndOk(QStringLiteral("optRV21"))(dialog);
    });
    ShowFormKestrel(record, port, toolkit, nullptr);

    ASSERT_EQ(toolkit.messages().size(), 1u);
    EXPECT_EQ(toolkit.messages()[0].text, QStringLiteral("Please check your choice."));
    EXPECT_EQ(toolkit.messages()[0].title, QStringLiteral("Missing Kestrel Selection"));
    EXPECT_EQ(toolkit.messages()[0].icon, MessageIcon::Critical);
    EXPECT_TRUE(reopenedEmpty);
    EXPECT_EQ(ModalsShown(toolkit, QStringLiteral("FormKestrel")), 2);
    // Applied once, by the second window.
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

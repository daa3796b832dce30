#include "dialogs.h"
#include "dialogs_recording_port.h"
#include "form_kestrel_hs.h"
#include "option_lookup.h"
#include "package_table.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <gtest/gtest.h>

using namespace orvand;
using namespace orvand::test;

namespace {

struct ExpectedPackage {
    const char* option;
    double Rthja;
    QString caption;
    double PackageOnly;
    QString copperText; // empty: unchanged
};

// Written out here rather than read from the table, so that a slip in the table
// shows.
const std::vector<ExpectedPackage>& Expected() {
    static const QString three = QStringLiteral(" (3cm² Copper Area on PCB)");
    static const QString six = QStringLiteral(" (6cm² Copper Area on PCB)");
    static const std::vector<ExpectedPackage> rows{
        {"optNoCopperDIP8", 90, QStringLiteral("DIP8 no Hs"), 1.0, {}},
        {"opt3CopperDIP8", 64, QStringLiteral("DIP8 3cm²"), 0.0, three},
        {"opt6CopperDIP8", 56, QStringLiteral("DIP8 6cm²"), 0.0, six},
        {"optNoCopperDIP7", 96, QStringLiteral("DIP7 no Hs"), 1.0, {}},
        {"opt3cmCopperDIP7", 72, QStringLiteral("DIP7 3cm²"), 0.0, three},
        {"opt6CopperDIP7", 65, QStringLiteral("DIP7 6cm²"), 0.0, six},
        {"optNoCopperSO14", 112, QStringLiteral("DSO14 no HS"), 1.0, {}},
        {"opt3CopperSO14", 92, QStringLiteral("DSO14 3cm²"), 0.0, three},
        {"opt6CopperSO14", 78, QStringLiteral("DSO14 6cm²"), 0.0, six},
        {"optnoHSTO220", 62, QStringLiteral("TO220"), 1.0, {}},
        {"optnoHSDIP8", 90, QStringLiteral("DIP8"), 1.0, {}},
        {"optDIP7", 96, QStringLiteral("DIP7"), 1.0, {}},
        {"optnoHSDSO14", 112, QStringLiteral("DSO14"), 1.0, {}},
        {"optnoHSDSO16", 121, QStringLiteral("DSO16 no HS"), 1.0, {}},
        {"optPDSO16", 121, QStringLiteral("DSO16"), 1.0, {}},
        {"optRW27", 74, QStringLiteral("RW27"), 1.0, {}},
        {"optnoHSTO220ISO", 74, QStringLiteral("TO220 ISODRAIN"), 1.0, {}},
    };
    return rows;
}

} // namespace

TEST(FormKestrelHSWindow, HoldsNineteenChoicesInOneGroupWithNoneSelected) {
    DesignRecord record;
    RecordingPort port(record);
    ScriptedToolkit toolkit;
    FormKestrelHS dialog(record, port, toolkit);
    EXPECT_EQ(dialog.objectName(), QStringLiteral("FormKestrelHS"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Kestrel with Copper Area on PCB"));
    EXPECT_EQ(dialog.size(), QSize(456, 279));
    EXPECT_EQ(dialog.findChildren<QRadioButton*>().size(), 19);
    QButtonGroup* group = Option(dialog, QStringLiteral("optRW27"))->group();
    ASSERT_NE(group, nullptr);
    for (const PackageChoice& row : kPackageTable) {
        QRadioButton* option = Option(dialog, TableText(row.option));
        ASSERT_NE(option, nullptr);
        EXPECT_FALSE(option->isChecked());
        EXPECT_EQ(option->group(), group);
    }
    EXPECT_EQ(Option(dialog, QStringLiteral("opt3CopperDIP8"))->text(),
              QStringLiteral("3 cm² Copper Area"));
    EXPECT_EQ(Option(dialog, QStringLiteral("optnoHSTO220ISO"))->text(),
              QStringLiteral("TO220 ISODR"));
    // The keyboard order by tab number; OK, first, has the focus when the window opens.
    EXPECT_EQ(KeyboardOrder(dialog),
              std::vector<std::string>(
                  {"cmdOK",           "optNoCopperDIP8",  "opt3CopperDIP8", "opt6CopperDIP8",
                   "optNoCopperSO14", "opt3CopperSO14",   "opt6CopperSO14", "optnoHSTO220",
                   "optnoHSDIP8",     "optnoHSDSO14",     "opt1HSDSO16",    "opt3HSDSO16",
                   "optRW27",         "optnoHSDSO16",     "optPDSO16",      "optDIP7",
                   "optnoHSTO220ISO", "opt3cmCopperDIP7", "opt6CopperDIP7", "optNoCopperDIP7"}));
    EXPECT_EQ(FocusWhenShown(dialog), "cmdOK");
}

class FormKestrelHSTest : public DialogTest {};

TEST_F(FormKestrelHSTest, EveryDefinedChoiceAppliesItsRow) {
    const QString earlier = QStringLiteral("earlier suffix");
    for (const ExpectedPackage& row : Expected()) {
        SCOPED_TRACE(row.option);
        record.CopperAreaText = earlier;
        record.PackageOnly = 0.5;
        port.writes.clear();
        toolkit.queueModal(ChooseAndOk(QLatin1String(row.option)));
        ShowFormKestrelHS(record, port, toolkit, nullptr);

        EXPECT_EQ(record.Rthja, row.Rthja);
        EXPECT_EQ(record.PackageOnly, row.PackageOnly);
        EXPECT_EQ(record.CopperAreaText, row.copperText.isEmpty() ? earlier : row.copperText);
        EXPECT_EQ(port.order(), QStringList({"caption KestrelHS", "box Rthja"}));
        EXPECT_EQ(port.captions[WorkbenchButton::KestrelHS], row.caption);
        EXPECT_EQ(port.boxes[WorkbenchBox::Rthja], QString::number(row.Rthja));
        // The box is written last, after the record is complete.
        EXPECT_EQ(port.writes.back().recordThen.PackageOnly, row.PackageOnly);
    }
    EXPECT_TRUE(toolkit.messages().empty());
}

TEST_F(FormKestrelHSTest, PackageOnlyChoiceAfterCopperKeepsTheSuffix) {
    toolkit.queueModal(ChooseAndOk(QStringLiteral("opt6CopperSO14")));
    ShowFormKestrelHS(record, port, toolkit, nullptr);
    toolkit.queueModal(ChooseAndOk(QStringLiteral("optPDSO16")));
    ShowFormKestrelHS(record, port, toolkit, nullptr);
    EXPECT_EQ(record.PackageOnly, 1.0);
    EXPECT_EQ(record.Rthja, 121.0);
    EXPECT_EQ(record.CopperAreaText, QStringLiteral(" (6cm² Copper Area on PCB)"));
}

TEST_F(FormKestrelHSTest, RefusalsWriteNothingAndReopenEmpty) {
    record.Rthja = 64;
    record.PackageOnly = 0.0;
    record.CopperAreaText = QStringLiteral(" (3cm² Copper Area on PCB)");
    // However often OK is refused, each window comes up alone and empty.
    int freshAndAlone = 0;
    auto expectFreshThen = [&](ScriptedToolkit::ModalAction next) {
        return [&freshAndAlone, next](QDialog& dialog) {
            bool empty = true;
            for (QRadioButton* option : dialog.findChildren<QRadioButton*>())
                empty = empty && !option->isChecked();
            freshAndAlone += empty && DialogsAlive() == 1 ? 1 : 0;
            next(dialog);
        };
    };
    constexpr int kRounds = 334;
    for (int round = 0; round < kRounds; ++round)
        for (const QString& refused :
             {QString(), QStringLiteral("opt1HSDSO16"), QStringLiteral("opt3HSDSO16")})
            toolkit.queueModal(expectFreshThen(ChooseAndOk(refused)));
    toolkit.queueModal(expectFreshThen(CloseBox));
    ShowFormKestrelHS(record, port, toolkit, nullptr);

    const std::vector<ShownBox> messages = toolkit.messages();
    ASSERT_EQ(messages.size(), std::size_t{3 * kRounds});
    for (std::size_t i = 0; i < messages.size(); ++i) {
        const bool missing = i % 3 == 0;
        EXPECT_EQ(messages[i].text, missing ? QStringLiteral("Please check your choice.")
                                            : QStringLiteral("To be Defined"));
        EXPECT_EQ(messages[i].title,
                  missing ? QStringLiteral("Missing Rthja Value") : QStringLiteral("Note"));
        EXPECT_EQ(messages[i].icon, missing ? MessageIcon::Critical : MessageIcon::Exclamation);
    }
    EXPECT_EQ(freshAndAlone, 3 * kRounds + 1);
    EXPECT_EQ(ModalsShown(toolkit, QStringLiteral("FormKestrelHS")), 3 * kRounds + 1);
    EXPECT_TRUE(port.writes.empty());
    EXPECT_EQ(record.Rthja, 64.0);
    EXPECT_EQ(record.PackageOnly, 0.0);
    EXPECT_EQ(record.CopperAreaText, QStringLiteral(" (3cm² Copper Area on PCB)"));
}

TEST_F(FormKestrelHSTest, ChoiceInReopenedWindowAppliesOnce) {
    toolkit.queueModal(ChooseAndOk(QStringLiteral("opt3HSDSO16")));
    toolkit.queueModal(ChooseAndOk(QStringLiteral("opt3CopperDIP8")));
    ShowFormKestrelHS(record, port, toolkit, nullptr);
    EXPECT_EQ(port.writes.size(), 2u);
    EXPECT_EQ(record.Rthja, 64.0);
    EXPECT_EQ(port.boxes[WorkbenchBox::Rthja], QStringLiteral("64"));
    EXPECT_EQ(port.captions[WorkbenchButton::KestrelHS], QStringLiteral("DIP8 3cm²"));
    EXPECT_EQ(record.PackageOnly, 0.0);
    EXPECT_EQ(record.CopperAreaText, QStringLiteral(" (3cm² Copper Area on PCB)"));
}

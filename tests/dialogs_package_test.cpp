#include "dialogs.h"
#include "dialogs_recording_port.h"
#include "form_kestrel_hs.h"
#include "qstring_printer.h"

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

// Written out, not read from the table, so that a slip in it shows.
const QString three = QStringLiteral(" (3cm² Copper Area on PCB)");
const QString six = QStringLiteral(" (6cm² Copper Area on PCB)");
const std::vector<ExpectedPackage> kExpected{
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

} // namespace

class FormKestrelHSTest : public ScriptedTest {};

TEST_F(FormKestrelHSTest, WindowHoldsNineteenChoicesInOneGroupWithNoneSelected) {
    FormKestrelHS dialog(record, port, toolkit);
    EXPECT_EQ(std::tuple(dialog.objectName(), dialog.windowTitle(), dialog.size()),
              std::tuple("FormKestrelHS", "Kestrel with Copper Area on PCB", QSize(456, 279)));
    EXPECT_EQ(dialog.findChildren<QRadioButton*>().size(), 19);
    QButtonGroup* group = Option(dialog, QStringLiteral("optRW27"))->group();
    ASSERT_NE(group, nullptr);
    for (const QRadioButton* option : dialog.findChildren<QRadioButton*>())
        EXPECT_TRUE(option->group() == group && !option->isChecked())
            << option->objectName().toStdString();
    EXPECT_EQ(Option(dialog, "opt3CopperDIP8")->text(), "3 cm² Copper Area");
    EXPECT_EQ(Option(dialog, "optnoHSTO220ISO")->text(), "TO220 ISODR");
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

// Each choice after an earlier suffix, then one after another: a choice
// without copper keeps the suffix of the copper choice before it.
TEST_F(FormKestrelHSTest, EveryDefinedChoiceAppliesItsRow) {
    for (const bool chained : {false, true})
        for (const ExpectedPackage& row : kExpected) {
            SCOPED_TRACE(row.option);
            if (!chained)
                record.CopperAreaText = QStringLiteral("earlier suffix");
            const QString before = record.CopperAreaText;
            record.PackageOnly = 0.5;
            port.writes.clear();
            toolkit.queueModal(ChooseAndOk(QLatin1String(row.option)));
            ShowFormKestrelHS(record, port, toolkit, nullptr);

            EXPECT_EQ(std::tuple(record.Rthja, record.PackageOnly, record.CopperAreaText),
                      std::tuple(row.Rthja, row.PackageOnly,
                                 row.copperText.isEmpty() ? before : row.copperText));
            EXPECT_EQ(port.log(), QStringList({"caption KestrelHS " + row.caption,
                                               "box Rthja " + QString::number(row.Rthja)}));
            // The box is written last, after the record is complete.
            EXPECT_TRUE(port.writes.back().recordThen == record);
        }
    EXPECT_TRUE(toolkit.messages().empty());
}

TEST_F(FormKestrelHSTest, RefusalsWriteNothingAndReopenEmpty) {
    record.Rthja = 64;
    record.PackageOnly = 0.0;
    record.CopperAreaText = QStringLiteral(" (3cm² Copper Area on PCB)");
    const DesignRecord before = record;
    // However often OK is refused, each window comes up alone and empty.
    int fresh = 0;
    const ShownBox missing{.text = "Please check your choice.", .title = "Missing Rthja Value"};
    const ShownBox note{.text = "To be Defined", .title = "Note", .icon = MessageIcon::Exclamation};
    std::vector<ShownBox> expected;
    constexpr int kRounds = 334;
    for (int round = 0; round < kRounds; ++round)
        for (const QString& refused :
             {QString(), QStringLiteral("opt1HSDSO16"), QStringLiteral("opt3HSDSO16")}) {
            toolkit.queueModal(CountingFresh(fresh, port, ChooseAndOk(refused)));
            expected.push_back(refused.isEmpty() ? missing : note);
        }
    toolkit.queueModal(CountingFresh(fresh, port, CloseBox));
    ShowFormKestrelHS(record, port, toolkit, nullptr);

    EXPECT_EQ(toolkit.messages(), expected);
    EXPECT_EQ(fresh, 3 * kRounds + 1);
    EXPECT_EQ(ModalsShown(toolkit, QStringLiteral("FormKestrelHS")), 3 * kRounds + 1);
    EXPECT_TRUE(port.writes.empty());
    EXPECT_TRUE(record == before);
}

TEST_F(FormKestrelHSTest, ChoiceInReopenedWindowAppliesOnce) {
    toolkit.queueModal(ChooseAndOk(QStringLiteral("opt3HSDSO16")));
    toolkit.queueModal(ChooseAndOk(QStringLiteral("opt3CopperDIP8")));
    ShowFormKestrelHS(record, port, toolkit, nullptr);
    EXPECT_EQ(port.log(), QStringList({"caption KestrelHS DIP8 3cm²", "box Rthja 64"}));
    EXPECT_EQ(std::tuple(record.Rthja, record.PackageOnly, record.CopperAreaText),
              std::tuple(64.0, 0.0, three));
}

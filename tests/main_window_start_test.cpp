// Start and the choice of the output file, on the real window with scripted
// boxes: the input checks that refuse a run, a whole run into the output
// section, and how one file choice serves one report.
#include "number_text.h"
#include "qstring_printer.h"
#include "workbench_fixture.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

using namespace orvand;

namespace {

const QString kZeroInput = "Please check one of you inputs in the input section is zero.";
// What the writer adds to the chosen name for case A.
const QString kSuffix = QStringLiteral(" Universal DCM Discrete Harrier 3.00 Ohm Rth 18.0.txt");

// The output boxes in the order a run writes them, txtPoutmax among them.
const std::initializer_list<const char*> kOutputBoxes = {
    "txtOutRdsonTj", "txtOutRdson",       "txtOutTjc",  "txtOutD",     "txtOutDmax",
    "txtOutPout",    "txtOutPon",         "txtOutPoff", "txtOutPcond", "txtOutPtotal",
    "txtOutILpk",    "txtOutIHarriermax", "txtouttr",   "txtoutLpri",  "txtPoutmax",
    "txtoutCext",    "txtoutCoss"};

class StartRun : public test::WorkbenchFixture {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        freshCaseA();
    }

    // Case A, where every test starts, in a fresh window: a discrete switch of
    // 3 ohm in a package of 90 K/W.
    void freshCaseA() {
        freshWindow();
        click("cmdHarrierRdson");
        setText("txtRon25", "3");
        setText("txtRthja", "90");
        toolkit.clearShown();
    }

    void setText(const char* name, const char* text) { box(name)->setText(text); }
    void start() { click("CmdStart"); }
    // An option as a user sets it: its tick, then its value typed.
    void ticked(const char* check, const char* name, const char* text) {
        click(check);
        type(name, text);
    }

    QStringList outputTexts() const { return texts(kOutputBoxes); }
    // As every run ends, refused or not.
    void expectRunEnded() const {
        EXPECT_TRUE(find<QRadioButton>("optNoSave")->isChecked());
        EXPECT_TRUE(find<QCheckBox>("chksteadystate")->isVisible());
        EXPECT_FALSE(box("txtRon25")->isEnabled());
    }

    // A name in the test's folder, chosen in the Save dialog as a user does.
    void chooseFile(const QString& name) {
        toolkit.queueSave(dir.filePath(name));
        click("optCreateFile");
        ASSERT_TRUE(find<QRadioButton>("optCreateFile")->isChecked());
        toolkit.clearShown();
    }
    // Hidden files too: a temporary file left behind counts.
    QStringList reports() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }

    QTemporaryDir dir;
};

// Each option the calculation reads, set in the window as a user sets it, must
// reach the run: it moves the reachable power and a value that no other option
// moves. Expected values come from the design formulas, not from the engine.
TEST_F(StartRun, OptionsSetInTheWindowReachTheCalculation) {
    using R = DesignRecord;
    // What is set; then the passes (Pout = passes × 0.01 W), ILpk, Lpri in µH and
    // the value only this option moves.
    const std::tuple<const char*, std::function<void()>, int, double, double, double R::*, double>
        cases[] = {
            // Steady state keeps case A's design point; the duty cycle then
            // follows from the inductance and falls below Dmax.
            {"steady state right after case A",
             [&] {
                 start();
                 click("chksteadystate");
             },
             1663, 0.83089, 602.39, &R::D, 0.49933},
            {"Cext 15", [&] { ticked("chkCext", "txtCext", "15"); }, 1665, 0.83164, 601.85,
             &R::Cext, 15.0},
            {"tr 10", [&] { ticked("chktr", "txttr", "10"); }, 1694, 0.84612, 591.55, &R::tr, 10.0},
            // Ticking hides the tick box; the limit must hold all the same.
            {"peak current 0.5 A", [&] { ticked("chkuserIlpk", "txtUserIlpk", "0.5"); }, 1002,
             0.50048, 1000.08, &R::Ipkd, 0.5},
        };
    for (const auto& [what, set, passes, ILpk, LpriMicroHenry, moved, value] : cases) {
        SCOPED_TRACE(what);
        freshCaseA();
        set();
        toolkit.clearShown();
        start();
        expectMessages({});
        EXPECT_NEAR(record.Pout, passes * 0.01, 1e-9);
        EXPECT_NEAR(record.ILpk, ILpk, 1e-5 * ILpk);
        EXPECT_NEAR(record.Lpri * 1e6, LpriMicroHenry, 1e-5 * LpriMicroHenry);
        EXPECT_NEAR(record.*moved, value, 1e-5 * value);
    }
}

// Each of the thirteen zero checks refuses alone, with one message for all; a
// ticked peak current limit that is not positive has its own; what a sign makes
// impossible the run refuses, naming the input. A refused run changes no output
// box and writes no report, though a file was chosen; what may be meant runs,
// writes its report and shows its texts from their start, and with no power out
// writes Pmax back as 0.0 and complains. Every run ends alike.
TEST_F(StartRun, EachSettingIsRefusedOrRuns) {
    const auto others = [&] {
        find<QRadioButton>("optVacinOthers")->setChecked(true);
        record.Vacmin = 0.0;
    };
    const auto heatsink = [&](const char* name, const char* text) {
        click("chkHeatsink");
        setText(name, text);
    };
    // Steady state needs the design point of a first Start.
    const auto steady = [&](const char* name, const char* text) {
        start();
        click("chksteadystate");
        setText(name, text);
    };
    const QString peak = "Please check you peak current limit it is zero or negative.";
    const QString noLpri = "The primary inductance is zero or negative. Please insert a positive "
                           "primary inductance.";
    const QString noPower = "Please check your value of the maximum Pout";
    const QString duty = "The duty cycle at the reached output power is above 100 %. Please check "
                         "the primary inductance, the frequency and the ripple voltage.";
    const struct {
        const char* what;
        std::function<void()> set;
        QString message = {};              // the one message shown, if any
        const char* title = "Input Error"; // a refused run; under any other title it runs
    } rows[] = {
        {"Vacmin", others, kZeroInput},
        {"emptied box", [&] { setText("txtVr", ""); }, kZeroInput},
        {"Poutmax", [&] { setText("txtPoutmax", "0"); }, kZeroInput},
        {"Vr", [&] { setText("txtVr", "0"); }, kZeroInput},
        {"Vripple", [&] { setText("txtVripple", "0"); }, kZeroInput},
        {"Eta", [&] { setText("txtEfficiency", "0"); }, kZeroInput},
        {"fwork", [&] { setText("txtfwork", "0"); }, kZeroInput},
        {"Tj 150.01", [&] { setText("txtTj", "150.01"); }, kZeroInput},
        {"Tj 151", [&] { setText("txtTj", "151"); }, kZeroInput},
        {"Ron25", [&] { setText("txtRon25", "0"); }, kZeroInput},
        {"Rthja", [&] { setText("txtRthja", "0"); }, kZeroInput},
        {"Rthjc", [&] { setText("txtRthjc", "0"); }, kZeroInput},
        {"Rthhs", [&] { setText("txtRthhs", "0"); }, kZeroInput},
        {"Ta above Tj", [&] { setText("txtTa", "125.5"); }, kZeroInput},
        {"peak current limit left empty", [&] { ticked("chkuserIlpk", "txtUserIlpk", ""); }, peak},
        {"peak current limit 0", [&] { ticked("chkuserIlpk", "txtUserIlpk", "0"); }, peak},
        {"peak current limit -1", [&] { ticked("chkuserIlpk", "txtUserIlpk", "-1"); }, peak},
        // Unticked again, whatever its box holds.
        {"peak current limit 0 unticked",
         [&] {
             ticked("chkuserIlpk", "txtUserIlpk", "0");
             QTest::mouseDClick(box("txtUserIlpk"), Qt::LeftButton);
         }},
        {"efficiency -80 %", [&] { setText("txtEfficiency", "-80"); },
         "The efficiency is negative. Please insert a positive efficiency."},
        {"frequency -100 kHz", [&] { setText("txtfwork", "-100"); },
         "The frequency is negative. Please insert a positive frequency."},
        {"rise time -10 ns", [&] { ticked("chktr", "txttr", "-10"); },
         "The rise time is negative. Please insert a rise time of zero or more."},
        {"Cext -15 pF", [&] { ticked("chkCext", "txtCext", "-15"); },
         "The external capacitance is negative. Please insert an external capacitance of zero or "
         "more."},
        {"Lpri -100 µH", [&] { ticked("chkuserLpri", "txtUserLpri", "-100"); }, noLpri},
        {"Lpri 0 µH", [&] { ticked("chkuserLpri", "txtUserLpri", "0"); }, noLpri},
        {"Rthjc -1", [&] { heatsink("txtRthjc", "-1"); },
         "The thermal resistance Rthjc is negative. Please insert a positive Rthjc."},
        {"Rthht -10", [&] { heatsink("txtRthht", "-10"); },
         "The thermal resistance Rthht is negative. Please insert an Rthht of zero or more."},
        {"Rthhs -1", [&] { heatsink("txtRthhs", "-1"); },
         "The thermal resistance Rthhs is negative. Please insert a positive Rthhs."},
        {"steady state, Vripple 110 V", [&] { steady("txtVripple", "110"); }, duty},
        {"steady state, 1000 kHz", [&] { steady("txtfwork", "1000"); }, duty},
        {"steady state, Vr -50 V", [&] { steady("txtVr", "-50"); },
         "The reflected voltage is zero or negative. Please insert a positive reflected voltage."},
        {"efficiency 150 %", [&] { setText("txtEfficiency", "150"); }},
        {"rise time 0 ns", [&] { ticked("chktr", "txttr", "0"); }},
        {"rise time 1e-12 ns", [&] { ticked("chktr", "txttr", "1e-12"); }},
        {"Cext 0 pF", [&] { ticked("chkCext", "txtCext", "0"); }},
        {"Lpri 1e9 µH", [&] { ticked("chkuserLpri", "txtUserLpri", "1e9"); }},
        {"Rthht 0", [&] { heatsink("txtRthht", "0"); }},
        {"Rthja -90 on the heatsink path", [&] { heatsink("txtRthja", "-90"); }},
        {"Rthht -10 on the package path", [&] { setText("txtRthht", "-10"); }},
        {"N3 switch, rise time -10 ns",
         [&] {
             choose("cmdKestrelRdson", "optRV21");
             ticked("chktr", "txttr", "-10");
         }},
        // D lies above Dmax, up to 100 %: only noted.
        {"steady state, Lpri 800 µH, Pmax 50 W",
         [&] {
             steady("txtPoutmax", "50");
             ticked("chkuserLpri", "txtUserLpri", "800");
         },
         "Continuous Conduction Mode Operation", "Note"},
        // The first step already crosses the limit: 0.01 W, shown as 0.0.
        {"Ta 125 °C", [&] { setText("txtTa", "125"); }, noPower, "Syntax Error"},
        // Both temperature tests pass, but with no room for a rise the sweep
        // stops at its first step.
        {"Tj 150 with Ta 150",
         [&] {
             setText("txtTj", "150");
             setText("txtTa", "150");
         },
         noPower, "Syntax Error"},
        // Results far too long for their boxes, looked at after the table.
        {"Rthja 1e308", [&] { setText("txtRthja", "1e308"); }, noPower, "Syntax Error"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        freshCaseA();
        row.set();
        const QStringList reportsBefore = reports();
        chooseFile(QString::fromUtf8(row.what));
        const QStringList before = outputTexts();
        start();
        if (row.message.isEmpty())
            expectMessages({});
        else
            expectMessages({{.text = row.message, .title = row.title}});
        const bool runs = row.message.isEmpty() || row.title != std::string_view("Input Error");
        if (runs) {
            EXPECT_NE(outputTexts(), before);
            EXPECT_FALSE(texts({"txtOutPout", "txtoutCoss"}).contains(QString()));
            for (const char* name : kOutputBoxes)
                EXPECT_EQ(box(name)->cursorPosition(), 0) << name;
        } else {
            EXPECT_EQ(outputTexts(), before);
        }
        if (row.message == noPower) {
            EXPECT_EQ(texts({"txtPoutmax", "txtOutPout"}), QStringList({"0.0", "0.0"}));
            EXPECT_EQ(record.Poutmax, 0.0);
        }
        EXPECT_EQ(reports().size(), reportsBefore.size() + (runs ? 1 : 0));
        expectRunEnded();
    }
    // Typing leaves the cursor where the user typed.
    EXPECT_GE(box("txtOutTjc")->text().size(), 300);
    type("txtPoutmax", "1234567890123456789012345");
    EXPECT_EQ(box("txtPoutmax")->cursorPosition(), 25);
}

// Case A fills the output section. A run the calculation refuses after it
// changes nothing shown, and writes no report, though a file was chosen.
TEST_F(StartRun, CaseAFillsTheOutputSectionThatARefusedRunLeavesAlone) {
    start();
    expectMessages({});
    const QStringList shown = {"6.7",   "3.0",  "75.1", "50",   "50",   "16.6",
                               "0.013", "0.06", "0.77", "0.83", "0.83", "3.13",
                               "20.2",  "602",  "16.6", "18",   "7"};
    EXPECT_EQ(outputTexts(), shown);
    EXPECT_EQ(box("txtOutPoff")->font().pointSize(), 10);
    EXPECT_DOUBLE_EQ(record.Poutmax, 16.6); // read back from the written text
    expectRunEnded();
    const double shownPout = record.Pout;

    const auto startRefused = [&](const QString& message) {
        chooseFile("refused");
        start();
        expectMessages({{.text = message, .title = "Input Error"}});
        EXPECT_EQ(outputTexts(), shown);
        EXPECT_EQ(box("txtOutPoff")->font().pointSize(), 10);
        EXPECT_EQ(record.Pout, shownPout);
        EXPECT_TRUE(reports().isEmpty());
        expectRunEnded();
    };

    // 1e-308 kHz passes its edit check, and Lpri comes out finite in henry but
    // infinite in µH: shown, it would read 0.
    setText("txtfwork", "1e-308");
    startRefused(
        "The calculation gives no valid result for these inputs. Please check your inputs.");

    // An integrated device without a current limit.
    setText("txtfwork", "100");
    record.KestrelSel = true;
    record.Ipkd = 0.0;
    box("txtRon25")->setEnabled(true);
    startRefused("No current limit is set. Please choose a Kestrel device with the Kestrel button, "
                 "or a Harrier switch with the Harrier button.");
}

// One file choice serves one Start. The run keeps a typed inductance that the
// reachable power does not exceed, and with it the requested maximum: the
// report's design point is 50 W while the power reached is 16.6 W.
TEST_F(StartRun, OneFileChoiceServesOneStart) {
    ticked("chkuserLpri", "txtUserLpri", "800");
    chooseFile("run");
    EXPECT_EQ(record.OutputFileName, dir.filePath("run"));
    start();
    expectMessages({});
    const QStringList written = reports();
    ASSERT_EQ(written, QStringList{"run" + kSuffix});
    QFile report(dir.filePath(written[0]));
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    // The code page agrees with Latin-1 on every byte of these lines.
    const QStringList lines = QString::fromLatin1(report.readAll()).split(QStringLiteral("\r\n"));
    ASSERT_GE(lines.size(), 25);
    EXPECT_EQ(lines[21], "Pout:  \t16.6\t [W]");
    EXPECT_EQ(lines[24], "Lpri:  \t800\t [µH] at Poutmax = 50.0W");
    EXPECT_TRUE(find<QRadioButton>("optNoSave")->isChecked());
    EXPECT_EQ(record.DeviceName, "Discrete Harrier 3.00 Ohm");

    // The second Start writes nothing, not even over the first report.
    ASSERT_TRUE(QFile::remove(dir.filePath(written[0])));
    start();
    EXPECT_TRUE(reports().isEmpty());
    EXPECT_TRUE(toolkit.shown().empty());
}

TEST_F(StartRun, SaveDialogChoiceAndCancel) {
    chooseFile("first");
    click("optNoSave");
    ASSERT_TRUE(find<QRadioButton>("optNoSave")->isChecked());

    toolkit.queueSave(std::nullopt);
    click("optCreateFile");
    const ShownBox dialog{ShownBox::Kind::Save, "C:/Eigene Dateien",
                          "Save File for Pout vs. Rdson data"};
    EXPECT_EQ(toolkit.shown(), std::vector{dialog});
    EXPECT_EQ(selected(), test::kStartSelection);
    EXPECT_EQ(record.OutputFileName, dir.filePath("first"));
    // Nothing is created when the file is chosen.
    EXPECT_TRUE(QDir(dir.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

// A report that cannot be written, whether its folder was missing at the file
// choice or went after it: the message names the file and the cause, the
// results stay shown, the run ends as every run does, and the next choice and
// Start write the report. Root ignores read-only bits; a folder in the
// report's place stops any writer.
TEST_F(StartRun, ReportFailureIsShownAndTheProgramGoesOn) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("gone"));
    ASSERT_TRUE(QDir(dir.path()).mkdir("blocked" + kSuffix));
    // The name chosen, whether its folder goes after the choice, the cause.
    const std::tuple<QString, bool, QString> rows[] = {
        {"missing/run", false, "The folder " + dir.filePath("missing") + " does not exist."},
        {"gone/run", true, "The folder " + dir.filePath("gone") + " does not exist."},
        {QString(300, u'n'), false, "The file name is too long."},
        {"blocked", false, "A folder of that name exists."},
    };
    for (const auto& [name, folderGoes, cause] : rows) {
        SCOPED_TRACE(name.toStdString());
        box("txtRon25")->setEnabled(true);
        chooseFile(name);
        ASSERT_TRUE(!folderGoes || QDir(dir.filePath("gone")).removeRecursively());
        start();
        expectMessages({{.text = "The output data file could not be written:\r\n" +
                                 dir.filePath(name) + kSuffix + "\r\n" + cause,
                         .title = "Output Error"}});
        EXPECT_EQ(box("txtOutPout")->text(), "16.6");
        expectRunEnded();
        EXPECT_TRUE(reports().isEmpty());
    }
    EXPECT_TRUE(QFileInfo(dir.filePath("blocked" + kSuffix)).isDir());

    box("txtRon25")->setEnabled(true);
    chooseFile("run");
    start();
    expectMessages({});
    EXPECT_EQ(reports(), QStringList{"run" + kSuffix});
}

} // namespace

// Under a decimal comma the window writes 16,6 and 2,5; the next Start must read
// them back as the numbers they show, not as 16 and 2.
TEST_F(StartRun, DecimalCommaWritesReadBackWhole) {
    test::LocaleScope comma{test::CommaLocale()};
    start();
    EXPECT_EQ(box("txtPoutmax")->text(), "16,6");
    EXPECT_EQ(record.Poutmax, 16.6);

    click("chkHeatsink");
    choose("CmdRthjc", "optRthjcNo");
    EXPECT_EQ(box("txtRthjc")->text(), "1,5");
    toolkit.clearShown();
    start();
    EXPECT_EQ(std::pair(record.Rthjc, record.Rthtotal), std::pair(1.5, 1.0 + 1.5 + 18.0));
    EXPECT_EQ(record.Poutmax, PlainReading(box("txtPoutmax")->text()));
}

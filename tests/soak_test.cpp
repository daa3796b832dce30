// A soak of the real window: long runs of random user actions with fixed seeds,
// so that a failure can be replayed; what each step and each Start with a file
// chosen must leave is told in the README. ORVAND_SOAK_STEPS sets the steps per
// seed (default a short run for CI), ORVAND_SOAK_SEEDS the number of seeds,
// ORVAND_SOAK_SECONDS the time bound of one seed (default 120).
#include "design_record.h"
#include "form_workbench.h"
#include "locale_scope.h"
#include "output_report.h"
#include "scripted_toolkit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <tuple>
#include <unistd.h>

using namespace orvand;

namespace {

int envInt(const char* name, int fallback) {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok && value > 0 ? value : fallback;
}

#if defined(ORVAND_SANITIZED_BUILD)
constexpr qint64 kStepLimitMs = 4000; // the sanitizers slow the sweep several times
#else
constexpr qint64 kStepLimitMs = 1000;
#endif

// What one seed's Starts with a file chosen came to: refused ("Input Error"),
// to a missing folder ("Output Error"), or a report written and checked.
struct ReportCounts {
    int fileStarts = 0, refused = 0, missingFolder = 0, reports = 0;
};

double ResidentMB() {
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / 1e6;
}

class Soak {
  public:
    // Every box is answered at random, but so that every loop of the program
    // ends. The message boxes are kept: a Start is judged by what it reported.
    Soak(unsigned seed, const QString& folder) : random_(seed), folder_(folder) {
        toolkit_.answerInputs([this]() -> std::optional<QString> {
            if (++inputsThisStep_ > 20)
                return QStringLiteral("100");
            return below(2) == 0 ? QString::number(85 + below(186)) : any();
        });
        toolkit_.answerSaves([this]() -> std::optional<QString> {
            const int pick = below(10);
            if (pick > 4)
                return folder_ + "/run" + QString::number(below(5));
            return pick == 0 ? std::optional(folder_ + "/missing/run") : std::nullopt;
        });
        toolkit_.answerModals([this](QDialog& window) { answerModal(window); });
        toolkit_.setFailureHandler(
            [](const QString& what) { ADD_FAILURE() << what.toStdString(); });
        window_ = std::make_unique<FormWorkbench>(record_, toolkit_);
        window_->Form_Load();
        window_->show();
        clock_.start();
    }

    // One random user action; returns what was done, for the failure message.
    QString step() {
        toolkit_.clearShown();
        inputsThisStep_ = 0;
        checkingNs_ = 0;
        QList<QWidget*> targets;
        for (QWidget* widget : window_->findChildren<QWidget*>()) {
            if (!widget->isVisible() || !widget->isEnabled())
                continue;
            if (auto* box = qobject_cast<QLineEdit*>(widget); box && !box->isReadOnly())
                targets << box;
            else if (qobject_cast<QAbstractButton*>(widget) && widget->objectName() != "CmdStop")
                targets << widget;
        }
        if (below(12) == 0) {
            // A discrete switch with a package: many random steps need a design
            // that can run at all to reach the calculation, and a Start with a
            // file chosen needs one to write a report.
            const bool start = below(2) == 0;
            const QString defaults = "txtPoutmax=50 txtVripple=20 txtVr=100 txtEfficiency=80 "
                                     "txtfwork=100 txtTj=125 txtTa=50 txtRthjc=2.5 txtRthht=1 "
                                     "txtRthhs=18";
            if (start || below(2) == 0)
                for (const QString& pair : defaults.split(u' '))
                    child<QLineEdit>(qPrintable(pair.section(u'=', 0, 0)))
                        ->setText(pair.section(u'=', 1));
            child<QPushButton>("cmdHarrierRdson")->click();
            child<QLineEdit>("txtRon25")->setText(QString::number(0.2 + below(50) / 10.0));
            child<QLineEdit>("txtRthja")->setText(QString::number(40 + below(80)));
            if (!start)
                return QStringLiteral("discrete switch set up");
            child<QRadioButton>("optCreateFile")->click();
            startAndCheckReports();
            return QStringLiteral("discrete switch set up, file chosen, Start");
        }
        QWidget* target = targets[below(int(targets.size()))];
        const QString name = target->objectName();
        if (auto* box = qobject_cast<QLineEdit*>(target)) {
            switch (below(4)) {
            case 0:
                box->clear();
                QTest::keyClicks(box, number().left(12));
                return name + QStringLiteral(" typed");
            case 1:
                QTest::mouseDClick(box, Qt::LeftButton);
                return name + QStringLiteral(" double-clicked");
            case 2:
                QTest::mouseClick(box, Qt::LeftButton);
                return name + QStringLiteral(" clicked");
            default:
                box->setText(any());
                return name + QStringLiteral(" pasted");
            }
        }
        if (name == QLatin1String("CmdStart") || below(8) == 0) {
            // Start more often than any single other control.
            startAndCheckReports();
            return QStringLiteral("Start");
        }
        static_cast<QAbstractButton*>(target)->click();
        return name + QStringLiteral(" clicked");
    }

    void checkInvariants(const QString& step) {
        SCOPED_TRACE(step.toStdString());
        const bool heatsink = child<QCheckBox>("chkHeatsink")->isChecked();
        for (const char* name : {"cmdKestrelHS", "txtRthja", "lblRthja"})
            EXPECT_EQ(child<QWidget>(name)->isHidden(), heatsink) << name;
        for (const char* name :
             {"txtRthjc", "txtRthht", "txtRthhs", "lblRthjc", "lblRthht", "lblRthhs", "CmdRthjc"})
            EXPECT_EQ(child<QWidget>(name)->isHidden(), !heatsink) << name;
        for (const auto& [check, box, label] :
             {std::tuple{"chkuserIlpk", "txtUserIlpk", "lblUserIlpk"},
              std::tuple{"chkuserLpri", "txtUserLpri", "lblUserLpri"}}) {
            EXPECT_NE(child<QWidget>(check)->isHidden(), child<QWidget>(box)->isHidden()) << box;
            EXPECT_EQ(child<QWidget>(box)->isHidden(), child<QWidget>(label)->isHidden()) << label;
        }
        EXPECT_EQ(child<QWidget>("chkuserIlpk")->isEnabled(), record_.HarrierSel);
    }

    const ReportCounts& counts() const { return counts_; }
    // What the last step spent on the soak's own file checks.
    qint64 checkingMs() const { return checkingNs_ / 1000000; }

  private:
    void answerModal(QDialog& window) {
        auto* picture = window.findChild<QWidget*>(QStringLiteral("imgRthjavsCopperA"));
        auto* ok = window.findChild<QPushButton*>(QStringLiteral("cmdOK"));
        const auto options = window.findChildren<QRadioButton*>();
        if (++depth_ > 4 || below(5) == 0) {
            window.close(); // its close box
        } else if (picture) {
            QTest::mouseClick(picture, Qt::LeftButton);
        } else {
            if (!options.isEmpty() && below(6) != 0)
                options[below(int(options.size()))]->click();
            ok->click();
        }
        --depth_;
    }

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    QString number() {
        // A whole part w, a fraction f and an exponent e in one of eight forms, or w alone.
        const QString w = QString::number(below(4) == 0 ? below(100000) : below(300));
        const QString f = QString::number(below(1000)), e = QString::number(below(12));
        const QString forms[] = {w + u'.' + f, w + u',' + f, u'-' + w, u'-' + w + u'.' + f,
                                 w + u'e' + e, w + "E-" + f, u'.' + f, w + " V"};
        const int form = below(10);
        return form < 8 ? forms[form] : w;
    }

    QString any() {
        static const char16_t* const odd[] = {
            u"",       u" ",     u"   ",    u"abc",  u"inf",
            u"nan",    u"-",     u".",      u",",    u"1e400",
            u"-0",     u"1,2,3", u"1.2.3",  u"0,45", u"µ²°",
            u"ü€漢字", u"\t5",   u"9e-400", u"0x10", u"999999999999999999999"};
        switch (below(6)) {
        case 0:
            return QString::fromUtf16(odd[below(20)]);
        case 1:
            return QString(1000 + below(4000), QLatin1Char("9.,e-a "[below(7)]));
        default:
            return number();
        }
    }

    template <typename T> T* child(const char* name) { return window_->findChild<T*>(name); }

    // What every file in the folder holds when a Start begins, so that whatever
    // it writes, or replaces, shows.
    static QByteArray stale() { return QByteArrayLiteral("written before this Start\r\n"); }

    void startAndCheckReports() {
        if (!child<QRadioButton>("optCreateFile")->isChecked()) {
            child<QPushButton>("CmdStart")->click();
            return;
        }
        ++counts_.fileStarts;
        // The options as the Start reads them, and the two fields the Start
        // changes after writing: the report is composed from what it found.
        const ReportOptions options{child<QRadioButton>("optflybackdcm")->isChecked(),
                                    child<QRadioButton>("optflybackccm")->isChecked(),
                                    child<QCheckBox>("chkHeatsink")->isChecked()};
        const double packageOnly = record_.PackageOnly;
        const QString copperArea = record_.CopperAreaText;
        toolkit_.clearShown();

        child<QPushButton>("CmdStart")->click();

        const qint64 checkingFrom = clock_.nsecsElapsed();
        DesignRecord written = record_;
        written.PackageOnly = packageOnly;
        written.CopperAreaText = copperArea;
        const OutputReport report = ComposeOutputReport(written, options);
        const QString reportPath = QFileInfo(report.fileName).absoluteFilePath();

        bool refused = false, outputError = false;
        std::string shown;
        for (const ShownBox& box : toolkit_.messages()) {
            refused = refused || box.title == QLatin1String("Input Error");
            outputError = outputError || box.title == QLatin1String("Output Error");
            shown += "\n  [" + box.title.toStdString() + "] " + box.text.toStdString();
        }
        const bool folderExists = QFileInfo(record_.OutputFileName).absoluteDir().exists();
        const bool reportDue = !refused && folderExists;
        SCOPED_TRACE("report " + reportPath.toStdString() + ", messages:" + shown);
        EXPECT_EQ(outputError, !refused && !folderExists);

        bool found = false;
        for (const QString& path : files()) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            if (!reportDue || path != reportPath) {
                EXPECT_EQ(bytes.toStdString(), stale().toStdString())
                    << "written: " << path.toStdString();
                continue;
            }
            found = true;
            EXPECT_EQ(std::tuple(bytes.count("\r\n"), bytes.count('\n'), bytes.count('\r')),
                      std::tuple(32, 32, 32));
            EXPECT_TRUE(bytes.endsWith("\r\n"));
            EXPECT_EQ(bytes.toStdString(), EncodeReport(report.lines).toStdString());
        }
        EXPECT_EQ(found, reportDue) << "no report under its composed name";
        // Only the newest report stays, made stale, as the earlier file the next
        // Start must leave alone or replace: the check's cost stays flat however
        // long the soak runs.
        for (const QString& path : found ? files() : QStringList()) {
            QFile file(path);
            if (path != reportPath)
                file.remove();
            else if (!file.open(QIODevice::WriteOnly) || file.write(stale()) != stale().size())
                ADD_FAILURE() << "could not make " << path.toStdString() << " stale";
        }
        ++(refused ? counts_.refused : !folderExists ? counts_.missingFolder : counts_.reports);
        checkingNs_ += clock_.nsecsElapsed() - checkingFrom;
    }

    QStringList files() const {
        QStringList paths;
        // Hidden files too: a temporary file left behind counts as written.
        for (const QFileInfo& info : QDir(folder_).entryInfoList(QDir::Files | QDir::Hidden))
            paths << info.absoluteFilePath();
        return paths;
    }

    std::mt19937 random_;
    ScriptedToolkit toolkit_;
    int depth_ = 0;
    int inputsThisStep_ = 0;
    QString folder_;
    DesignRecord record_;
    std::unique_ptr<FormWorkbench> window_;
    ReportCounts counts_;
    QElapsedTimer clock_;
    qint64 checkingNs_ = 0; // the soak's own file checks in this step
};

class SoakTest : public ::testing::TestWithParam<unsigned> {};

TEST_P(SoakTest, RandomUseNeverBreaksTheWindow) {
    test::LocaleScope locale(GetParam() % 2 ? test::CommaLocale() : test::PointLocale());
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    Soak soak(GetParam(), folder.path());
    const int steps = envInt("ORVAND_SOAK_STEPS", 1500);
    const int seconds = envInt("ORVAND_SOAK_SECONDS", 120);
    const double startMB = ResidentMB();
    QElapsedTimer total;
    total.start();
    int ran = 0, ranInFirstMinute = 0;
    double firstMinuteMB = startMB;
    qint64 slowest = 0; // ms of the program's work in one step
    bool timeBound = false;
    while (ran < steps && !::testing::Test::HasFailure()) {
        // The first minute is measured before the time bound ends a one-minute seed.
        if (ranInFirstMinute == 0 && total.elapsed() >= 60000) {
            ranInFirstMinute = ran;
            firstMinuteMB = ResidentMB();
        }
        if (total.elapsed() >= seconds * qint64(1000)) {
            timeBound = true;
            break;
        }
        const int i = ran++;
        QElapsedTimer timer;
        timer.start();
        const QString what = soak.step();
        // As the program's own loop does: the windows are painted and their
        // events delivered, so nothing piles up.
        QCoreApplication::processEvents();
        const qint64 took = timer.elapsed() - soak.checkingMs();
        slowest = std::max(slowest, took);
        EXPECT_LT(took, kStepLimitMs) << "step " << i << ": " << what.toStdString();
        soak.checkInvariants(QStringLiteral("step %1: %2").arg(i).arg(what));
        if (::testing::Test::HasFailure())
            ADD_FAILURE() << "replay with seed " << GetParam() << ", step " << i;
    }

    const double secondsRun = total.elapsed() / 1000.0;
    const ReportCounts& n = soak.counts();
    std::printf("soak seed %u: %d of %d steps in %.1f s%s, slowest %lld ms; %d Starts with a file "
                "chosen: %d reports checked, %d refused, %d to a missing folder; %.0f steps/s "
                "overall, %.0f in the first minute; resident memory %.1f MB at the start, %.1f MB "
                "after the first minute, %.1f MB at the end\n",
                GetParam(), ran, steps, secondsRun, timeBound ? ", stopped at its time bound" : "",
                static_cast<long long>(slowest), n.fileStarts, n.reports, n.refused,
                n.missingFolder, ran / secondsRun,
                secondsRun > 60 ? ranInFirstMinute / 60.0 : ran / secondsRun, startMB,
                firstMinuteMB, ResidentMB());
    std::fflush(stdout);
    // A run long enough to reach the file choice many times that checked no
    // report has lost what it is here for.
    if (ran >= 500) {
        EXPECT_GT(n.reports, 0) << "no report was written in " << ran << " steps";
    }
}

constexpr unsigned kFirstSeed = 20261209;
INSTANTIATE_TEST_SUITE_P(Seeds, SoakTest,
                         ::testing::Range(kFirstSeed,
                                          kFirstSeed + unsigned(envInt("ORVAND_SOAK_SEEDS", 4))));

} // namespace

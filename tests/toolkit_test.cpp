#include "qstring_printer.h"
#include "qt_toolkit.h"
#include "scripted_toolkit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFontMetrics>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QStyleOptionTitleBar>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace orvand;

namespace {

// Waits for a modal widget of type T and hands it to act.
template <typename T> void whenModal(std::function<void(T*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
        if (auto* modal = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(modal);
        }
    });
    timer->start();
}

// Whether a title bar of the box's width shows its title whole: the room the
// style leaves between a dialog's menu icon and close button, against the
// title in the box's own font, bold as title bars draw it.
bool TitleFits(const QWidget& box) {
    QStyleOptionTitleBar bar;
    bar.initFrom(&box);
    bar.rect = QRect(0, 0, box.width(), box.style()->pixelMetric(QStyle::PM_TitleBarHeight));
    bar.titleBarFlags =
        Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    bar.subControls = QStyle::SC_All;
    const QRect label =
        box.style()->subControlRect(QStyle::CC_TitleBar, &bar, QStyle::SC_TitleBarLabel, &box);
    QFont bold = box.font();
    bold.setBold(true);
    return QFontMetrics(bold).horizontalAdvance(box.windowTitle()) <= label.width();
}

// The real toolkit under a watchdog: a modal window still open when it fires
// is closed and the test fails, so a forgotten box never hangs the run.
class QtToolkitTest : public ::testing::Test {
  protected:
    QtToolkitTest() {
        QObject::connect(&watchdog, &QTimer::timeout, &watchdog, [] {
            while (QWidget* modal = QApplication::activeModalWidget()) {
                ADD_FAILURE() << "modal window left open: " << modal->windowTitle().toStdString();
                modal->close();
            }
        });
        watchdog.start(5000);
    }
    QTimer watchdog;
    QtToolkit toolkit;
};

} // namespace

// A box is wide enough for its title, however short its text: a window manager
// would otherwise cut the title.
TEST_F(QtToolkitTest, MessageBoxShowsTextTitleAndIconUntilOk) {
    const std::tuple<MessageIcon, QMessageBox::Icon, const char*> rows[] = {
        {MessageIcon::Critical, QMessageBox::Critical, "Missing Kestrel Selection"},
        {MessageIcon::Exclamation, QMessageBox::Warning, "Note"},
        {MessageIcon::Information, QMessageBox::Information, "Info about the Tool"}};
    for (const auto& [icon, qtIcon, title] : rows) {
        SCOPED_TRACE(title);
        // Its text, title and icon, and whether the title fits.
        std::tuple<QString, QString, QMessageBox::Icon, bool> seen;
        whenModal<QMessageBox>([&](QMessageBox* box) {
            seen = {box->text(), box->windowTitle(), box->icon(), TitleFits(*box)};
            box->button(QMessageBox::Ok)->click();
        });
        toolkit.messageBox(QStringLiteral("line one\r\nline two"), QLatin1String(title), icon);
        EXPECT_EQ(seen, std::tuple(QStringLiteral("line one\nline two"), title, qtIcon, true));
    }
}

TEST_F(QtToolkitTest, InputBoxShowsPromptAndTitleAndGivesTextOnOkAndEmptyOnCancel) {
    const QString title = QStringLiteral("User Defined Input Voltage Range");
    for (const bool ok : {true, false}) {
        std::tuple<QString, QString, bool> seen; // prompt, title, whether the title fits
        whenModal<QInputDialog>([&](QInputDialog* box) {
            seen = {box->labelText(), box->windowTitle(), TitleFits(*box)};
            box->setTextValue(QStringLiteral("230"));
            box->done(ok ? QDialog::Accepted : QDialog::Rejected);
        });
        EXPECT_EQ(toolkit.inputBox(QStringLiteral("Set Vacin"), title), ok ? "230" : QString());
        EXPECT_EQ(seen, std::tuple(QStringLiteral("Set Vacin"), title, true));
    }
}

// The program's windows run their handlers inside this call: it shows the
// window modal to the whole program and returns once the window is closed. The
// watchdog fails the test, rather than hang it, if closing does not end the call.
TEST_F(QtToolkitTest, ShowModalRunsTheWindowModallyUntilItCloses) {
    QDialog window;
    bool ranInside = false;
    QTimer::singleShot(20, &window, [&] {
        ranInside = true;
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(window.windowModality(), Qt::ApplicationModal);
        EXPECT_EQ(QApplication::activeModalWidget(), &window);
        window.close();
    });
    toolkit.showModal(window);
    EXPECT_TRUE(ranInside) << "returned before the window was shown";
    EXPECT_FALSE(window.isVisible());
}

// The Save dialog opens in the folder asked for where it exists, else in the
// user's documents folder, else at home; it keeps the title, sets no filter,
// never asks about replacing (the chosen path itself is not written) and
// returns the path as chosen.
TEST_F(QtToolkitTest, SaveDialogOpensInAnExistingFolderAndReturnsTheChosenPath) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QByteArray savedHome = qgetenv("HOME");
    const QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath("config")));
    const QString documents = home.filePath("Documents");
    ASSERT_TRUE(QDir().mkpath(home.filePath("reports")));
    // The folder asked for, whether Documents exists, and where the dialog opens.
    const std::tuple<const char*, QString, bool, QString> rows[] = {
        {"no documents folder", QStringLiteral("C:/Eigene Dateien"), false, home.path()},
        {"missing folder", QStringLiteral("C:/Eigene Dateien"), true, documents},
        {"existing folder", home.filePath("reports"), true, home.filePath("reports")},
    };
    for (const auto& [what, asked, documentsExist, opens] : rows) {
        SCOPED_TRACE(what);
        ASSERT_TRUE(!documentsExist || QDir().mkpath(documents));
        // The folder, the title, the filters and whether it asks before replacing.
        std::tuple<QString, QString, QStringList, bool> seen;
        whenModal<QFileDialog>([&](QFileDialog* dialog) {
            seen = {dialog->directory().absolutePath(), dialog->windowTitle(),
                    dialog->nameFilters(), !dialog->testOption(QFileDialog::DontConfirmOverwrite)};
            dialog->reject();
        });
        EXPECT_EQ(toolkit.saveDialog(QStringLiteral("Save File"), asked), std::nullopt);
        EXPECT_EQ(seen, std::tuple(QDir(opens).absolutePath(), QStringLiteral("Save File"),
                                   QStringList{QStringLiteral("All Files (*)")}, false));
    }
    // An existing name is chosen without a question.
    const QString chosen = home.filePath("reports/run");
    ASSERT_TRUE(QFile(chosen).open(QIODevice::WriteOnly));
    whenModal<QFileDialog>([&](QFileDialog* dialog) {
        // Typed, as a user names an existing file.
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(chosen);
        static_cast<QDialog*>(dialog)->accept();
    });
    EXPECT_EQ(toolkit.saveDialog(QStringLiteral("Save File"), home.filePath("reports")), chosen);
    qputenv("HOME", savedHome);
    qputenv("XDG_CONFIG_HOME", savedConfig);
}

TEST(ScriptedToolkit, RecordsBoxesAndAnswersFromItsQueuesThenItsAnswers) {
    ScriptedToolkit toolkit;
    toolkit.queueInput(QStringLiteral("2"));
    toolkit.queueInput(std::nullopt);
    toolkit.queueSave(QStringLiteral("/tmp/report"));
    int watched = 0;
    toolkit.watch([&](const ShownBox&) { ++watched; });
    const ShownBox note{.text = "To be defined", .title = "Info", .icon = MessageIcon::Exclamation};
    toolkit.messageBox(note.text, note.title, note.icon);
    EXPECT_EQ(toolkit.inputBox(QStringLiteral("p"), QStringLiteral("t")), QStringLiteral("2"));
    EXPECT_EQ(toolkit.inputBox(QStringLiteral("p"), QStringLiteral("t")), QString());
    EXPECT_EQ(toolkit.saveDialog("Save", "C:/"), std::optional<QString>("/tmp/report"));
    toolkit.answerInputs([] { return QStringLiteral("7"); });
    EXPECT_EQ(toolkit.inputBox(QStringLiteral("p"), QStringLiteral("t")), QStringLiteral("7"));
    toolkit.writeBox(OutputBox::OutD, QStringLiteral("50"));
    ASSERT_EQ(toolkit.shown().size(), 6u);
    EXPECT_EQ(watched, 6);
    EXPECT_EQ(toolkit.messages(), std::vector{note});
    EXPECT_EQ(toolkit.indexOf(OutputBox::OutD), 5);
    EXPECT_FALSE(toolkit.answersLeft());
}

TEST(ScriptedToolkit, AnUnexpectedBoxOrAWindowLeftOpenIsReportedAndEndsEveryLoop) {
    ScriptedToolkit toolkit;
    QStringList failures;
    toolkit.setFailureHandler([&](const QString& what) { failures << what; });
    EXPECT_EQ(toolkit.inputBox(QStringLiteral("p"), QStringLiteral("t")), QStringLiteral("100"));
    EXPECT_EQ(toolkit.saveDialog(QStringLiteral("s"), QString()), std::nullopt);
    QDialog window;
    window.setWindowTitle(QStringLiteral("w"));
    toolkit.showModal(window);
    EXPECT_FALSE(window.isVisible());
    // An action that leaves its window open fails too: the program should have closed it.
    toolkit.queueModal([](QDialog&) {});
    toolkit.showModal(window);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(failures,
              QStringList({"input box \"t\" (p)", "Save dialog \"s\"", "modal window \"w\"",
                           "window \"w\" still open after its action"}));
}

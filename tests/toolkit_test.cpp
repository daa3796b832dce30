#include "modal_watchdog.h"
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
#include <QLayout>
#include <QLineEdit>
#include <QMessageBox>
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

// The width a title bar needs, worked out here and not by the program: the
// title in a bold face 1.2 times the box's size, and 120 px for the bar's icon
// and buttons.
int NeededTitleWidth(const QString& title) {
    QFont bold = QApplication::font();
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    bold.setBold(true);
    return QFontMetrics(bold).horizontalAdvance(title) + 120;
}

} // namespace

// A box is at least as wide as its title needs, however short its text: a
// window manager would otherwise cut the title. With the short texts here the
// title alone sets the width, so the box is exactly that plus its margins.
TEST(QtToolkit, MessageBoxShowsTextTitleAndIconUntilOk) {
    test::ModalWatchdog watchdog;
    QtToolkit toolkit;
    const QString title = QStringLiteral("Missing Kestrel Selection");
    QString seenText, seenTitle;
    QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
    int seenWidth = 0, neededWidth = 0;
    whenModal<QMessageBox>([&](QMessageBox* box) {
        seenText = box->text();
        seenTitle = box->windowTitle();
        seenIcon = box->icon();
        seenWidth = box->width();
        const QMargins margins = box->layout()->contentsMargins();
        neededWidth = NeededTitleWidth(title) + margins.left() + margins.right();
        box->button(QMessageBox::Ok)->click();
    });
    toolkit.messageBox(QStringLiteral("line one\r\nline two"), title, MessageIcon::Critical);
    EXPECT_EQ(seenText, QStringLiteral("line one\nline two"));
    EXPECT_EQ(seenTitle, title);
    EXPECT_EQ(seenIcon, QMessageBox::Critical);
    EXPECT_EQ(seenWidth, neededWidth);
}

TEST(QtToolkit, InputBoxGivesTextOnOkAndEmptyOnCancel) {
    test::ModalWatchdog watchdog;
    QtToolkit toolkit;
    const QString title = QStringLiteral("User Defined Input Voltage Range");
    int seenWidth = 0, neededWidth = 0;
    whenModal<QInputDialog>([&](QInputDialog* box) {
        seenWidth = box->width();
        const QMargins margins = box->layout()->contentsMargins();
        neededWidth = NeededTitleWidth(title) + margins.left() + margins.right();
        box->setTextValue(QStringLiteral("230"));
        box->accept();
    });
    EXPECT_EQ(toolkit.inputBox(QStringLiteral("Set Vacin"), title), QStringLiteral("230"));
    EXPECT_EQ(seenWidth, neededWidth);
    whenModal<QInputDialog>([](QInputDialog* box) {
        box->setTextValue(QStringLiteral("999"));
        box->reject();
    });
    EXPECT_EQ(toolkit.inputBox(QStringLiteral("Set Vacin"), title), QString());
}

// The program's windows run their handlers inside this call: it shows the
// window modal to the whole program and returns once the window is closed. The
// watchdog fails the test, rather than hang it, if closing does not end the call.
TEST(QtToolkit, ShowModalRunsTheWindowModallyUntilItCloses) {
    test::ModalWatchdog watchdog;
    QtToolkit toolkit;
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
TEST(QtToolkit, SaveDialogOpensInAnExistingFolderAndReturnsTheChosenPath) {
    test::ModalWatchdog watchdog;
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QByteArray savedHome = qgetenv("HOME");
    const QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath("config")));
    const QString documents = home.filePath("Documents");
    ASSERT_TRUE(QDir().mkpath(home.filePath("reports")));
    const struct {
        const char* what;
        QString asked;
        bool documentsExist;
        QString opens;
    } rows[] = {
        {"no documents folder", QStringLiteral("C:/Eigene Dateien"), false, home.path()},
        {"missing folder", QStringLiteral("C:/Eigene Dateien"), true, documents},
        {"existing folder", home.filePath("reports"), true, home.filePath("reports")},
    };
    QtToolkit toolkit;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        if (row.documentsExist) {
            ASSERT_TRUE(QDir().mkpath(documents));
        }
        QString folder, title;
        bool confirms = true;
        whenModal<QFileDialog>([&](QFileDialog* dialog) {
            folder = dialog->directory().absolutePath();
            title = dialog->windowTitle();
            confirms = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
            EXPECT_EQ(dialog->nameFilters(), QStringList{QStringLiteral("All Files (*)")});
            dialog->reject();
        });
        EXPECT_EQ(toolkit.saveDialog(QStringLiteral("Save File"), row.asked), std::nullopt);
        EXPECT_EQ(folder, QDir(row.opens).absolutePath());
        EXPECT_EQ(title, QStringLiteral("Save File"));
        EXPECT_FALSE(confirms);
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

TEST(ScriptedToolkit, RecordsBoxesAndAnswersFromItsQueues) {
    ScriptedToolkit toolkit;
    toolkit.queueInput(QStringLiteral("2"));
    toolkit.queueInput(std::nullopt);
    toolkit.queueSave(QStringLiteral("/tmp/report"));
    toolkit.messageBox(QStringLiteral("To be defined"), QStringLiteral("Info"),
                       MessageIcon::Exclamation);
    EXPECT_EQ(toolkit.inputBox(QStringLiteral("p"), QStringLiteral("t")), QStringLiteral("2"));
    EXPECT_EQ(toolkit.inputBox(QStringLiteral("p"), QStringLiteral("t")), QString());
    EXPECT_EQ(toolkit.saveDialog(QStringLiteral("Save"), QStringLiteral("C:/")),
              std::optional<QString>(QStringLiteral("/tmp/report")));
    ASSERT_EQ(toolkit.shown().size(), 4u);
    ASSERT_EQ(toolkit.messages().size(), 1u);
    EXPECT_EQ(toolkit.messages()[0].title, QStringLiteral("Info"));
    EXPECT_EQ(toolkit.messages()[0].icon, MessageIcon::Exclamation);
    EXPECT_FALSE(toolkit.answersLeft());
}

TEST(ScriptedToolkit, AnUnexpectedBoxIsReportedAndEndsEveryLoop) {
    ScriptedToolkit toolkit;
    QStringList failures;
    toolkit.setFailureHandler([&](const QString& what) { failures << what; });
    EXPECT_EQ(toolkit.inputBox(QStringLiteral("p"), QStringLiteral("t")), QStringLiteral("100"));
    EXPECT_EQ(toolkit.saveDialog(QStringLiteral("s"), QString()), std::nullopt);
    QDialog window;
    toolkit.showModal(window);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(failures.size(), 3);
}

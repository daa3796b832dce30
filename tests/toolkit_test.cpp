#include "modal_watchdog.h"
#include "qt_toolkit.h"
#include "scripted_toolkit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
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

} // namespace

// A box is at least as wide as its title needs, however short its text: a
// window manager would otherwise cut the title.
TEST(QtToolkit, MessageBoxShowsTextTitleAndIconUntilOk) {
    test::ModalWatchdog watchdog;
    QtToolkit toolkit;
    const QString title = QStringLiteral("Missing Kestrel Selection");
    QString seenText, seenTitle;
    QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
    int seenWidth = 0;
    whenModal<QMessageBox>([&](QMessageBox* box) {
        seenText = box->text();
        seenTitle = box->windowTitle();
        seenIcon = box->icon();
        seenWidth = box->width();
        box->button(QMessageBox::Ok)->click();
    });
    toolkit.messageBox(QStringLiteral("line one\r\nline two"), title, MessageIcon::Critical);
    EXPECT_EQ(seenText, QStringLiteral("line one\nline two"));
    EXPECT_EQ(seenTitle, title);
    EXPECT_EQ(seenIcon, QMessageBox::Critical);
    EXPECT_GE(seenWidth, TitleBarWidth(title));
    EXPECT_GT(TitleBarWidth(title), QFontMetrics(QApplication::font()).horizontalAdvance(title));
}

TEST(QtToolkit, InputBoxGivesTextOnOkAndEmptyOnCancel) {
    test::ModalWatchdog watchdog;
    QtToolkit toolkit;
    const QString title = QStringLiteral("User Defined Input Voltage Range");
    int seenWidth = 0;
    whenModal<QInputDialog>([&seenWidth](QInputDialog* box) {
        seenWidth = box->width();
        box->setTextValue(QStringLiteral("230"));
        box->accept();
    });
    EXPECT_EQ(toolkit.inputBox(QStringLiteral("Set Vacin"), title), QStringLiteral("230"));
    EXPECT_GE(seenWidth, TitleBarWidth(title));
    whenModal<QInputDialog>([](QInputDialog* box) {
        box->setTextValue(QStringLiteral("999"));
        box->reject();
    });
    EXPECT_EQ(toolkit.inputBox(QStringLiteral("Set Vacin"), title), QString());
}

TEST(QtToolkit, ShowModalReturnsWhenTheWindowCloses) {
    test::ModalWatchdog watchdog;
    QtToolkit toolkit;
    QDialog window;
    QTimer::singleShot(20, &window, [&window] { window.close(); });
    toolkit.showModal(window);
    EXPECT_FALSE(window.isVisible());
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

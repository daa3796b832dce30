#include "qt_toolkit.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QSpacerItem>
#include <QStandardPaths>

namespace orvand {

namespace {

QMessageBox::Icon toQtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

// Title bars draw their text larger and bolder than the box's own; the rest is
// the icon and the buttons at the bar's ends.
constexpr double kTitleFontScale = 1.2;
constexpr int kTitleBarAllowance = 120;

// The width a box needs so that a window manager's title bar shows its title
// whole: the title in a bold face, with room for the bar's icon and buttons.
int TitleBarWidth(const QString& title) {
    QFont font = QApplication::font();
    font.setPointSizeF(font.pointSizeF() * kTitleFontScale);
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(title) + kTitleBarAllowance;
}

// The folder the Save dialog opens in. The program names the user's own
// documents folder of another system, which does not exist here: this
// system's documents folder stands in for it, else the home folder, rather
// than whatever folder the program was started from.
QString SaveDialogFolder(const QString& requested) {
    if (QDir(requested).exists())
        return requested;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QDir(documents).exists())
        return documents;
    return QDir::homePath();
}

} // namespace

void QtToolkit::messageBox(const QString& text, const QString& title, MessageIcon icon) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(toQtIcon(icon), title, shown, QMessageBox::Ok, parent_);
    box.setTextFormat(Qt::PlainText);
    // A message box sizes itself to its text and ignores a minimum width; a
    // spacer across its grid makes it as wide as its title needs.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->addItem(
            new QSpacerItem(TitleBarWidth(title), 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
            grid->rowCount(), 0, 1, grid->columnCount());
    }
    box.exec();
}

QString QtToolkit::inputBox(const QString& prompt, const QString& title) {
    QInputDialog box(parent_);
    box.setWindowTitle(title);
    box.setLabelText(prompt);
    box.setInputMode(QInputDialog::TextInput);
    box.setTextValue(QString());
    // The box fixes its size to what its layout holds, so the prompt is given
    // the title's width.
    if (auto* prompt = box.findChild<QLabel*>())
        prompt->setMinimumWidth(TitleBarWidth(title));
    if (box.exec() != QDialog::Accepted)
        return QString();
    return box.textValue();
}

std::optional<QString> QtToolkit::saveDialog(const QString& title, const QString& initialFolder) {
    const QString folder = SaveDialogFolder(initialFolder);
    const QString path = QFileDialog::getSaveFileName(parent_, title, folder, QString(), nullptr,
                                                      QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

void QtToolkit::showModal(QDialog& window) {
    window.setWindowModality(Qt::ApplicationModal);
    window.exec();
}

} // namespace orvand

#include "qt_toolkit.h"

#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

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

} // namespace

void QtToolkit::messageBox(const QString& text, const QString& title, MessageIcon icon) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(toQtIcon(icon), title, shown, QMessageBox::Ok, parent_);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

QString QtToolkit::inputBox(const QString& prompt, const QString& title) {
    QInputDialog box(parent_);
    box.setWindowTitle(title);
    box.setLabelText(prompt);
    box.setInputMode(QInputDialog::TextInput);
    box.setTextValue(QString());
    if (box.exec() != QDialog::Accepted)
        return QString();
    return box.textValue();
}

std::optional<QString> QtToolkit::saveDialog(const QString& title, const QString& initialFolder) {
    // A folder of another machine (or another system) does not exist here:
    // the dialog then opens where the toolkit chooses.
    const QString folder = QDir(initialFolder).exists() ? initialFolder : QString();
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

// Drives the real windows through a design and saves what they show as PNG
// files: the main window after a run, and each selection window; the run's
// report is written there too.
// Usage: orvand_screenshots <folder>
#include "design_record.h"
#include "dialogs.h"
#include "form_workbench.h"
#include "scripted_toolkit.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace orvand;

namespace {

void save(QWidget& widget, const QString& folder, const char* name) {
    widget.grab().save(QDir(folder).filePath(QString::fromLatin1(name)));
}

// Selects an option, saves the window, then presses OK.
ScriptedToolkit::ModalAction pick(const QString& folder, const char* option, const char* file) {
    return [folder, option, file](QDialog& dialog) {
        if (option)
            dialog.findChild<QRadioButton*>(QString::fromLatin1(option))->click();
        save(dialog, folder, file);
        if (auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("cmdOK")))
            ok->click();
    };
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(folder);

    DesignRecord record;
    ScriptedToolkit toolkit;
    FormWorkbench window(record, toolkit);
    window.Form_Load();
    window.show();

    // PX11 on DIP8 with 3 cm² of copper, saved after its run.
    toolkit.queueModal(pick(folder, "optPX11", "device-dialog.png"));
    window.findChild<QPushButton*>(QStringLiteral("cmdKestrelRdson"))->click();
    toolkit.queueModal(pick(folder, "opt3CopperDIP8", "package-dialog.png"));
    window.findChild<QPushButton*>(QStringLiteral("cmdKestrelHS"))->click();
    toolkit.queueSave(QDir(folder).filePath(QStringLiteral("example")));
    window.findChild<QRadioButton*>(QStringLiteral("optCreateFile"))->click();
    window.findChild<QPushButton*>(QStringLiteral("CmdStart"))->click();
    save(window, folder, "main-window.png");

    toolkit.queueModal([folder](QDialog& dialog) {
        save(dialog, folder, "chart.png");
        dialog.close();
    });
    window.findChild<QPushButton*>(QStringLiteral("cmdCopperArea"))->click();

    DesignRecord scratch;
    ScriptedToolkit other;
    other.queueModal(pick(folder, nullptr, "rthjc-dialog.png"));
    ShowFormRthjcSelection(scratch, window, other, &window);
    return 0;
}

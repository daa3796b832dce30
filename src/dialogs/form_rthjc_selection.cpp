#include "form_rthjc_selection.h"

#include "dialog_font.h"
#include "number_text.h"
#include "ui_form_rthjc_selection.h"

#include <QKeyEvent>

namespace orvand {

FormRthjcSelection::FormRthjcSelection(DesignRecord& record, WorkbenchPort& workbench,
                                       QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::FormRthjcSelection>()), record_(record),
      workbench_(workbench) {
    ui->setupUi(this);
    ApplyDialogFont(*this);
    // Ok is not the window's default: Return on an option presses nothing.
    // Focused, Ok is pressed by Return as by Space, as any focused button is;
    // without auto-default Qt leaves that to the window.
    ui->cmdOK->setAutoDefault(false);
    ui->cmdOK->setDefault(false);
    ui->cmdOK->installEventFilter(this);
    connect(ui->cmdOK, &QPushButton::clicked, this, &FormRthjcSelection::cmdOK_Click);
}

bool FormRthjcSelection::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->cmdOK && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            ui->cmdOK->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

FormRthjcSelection::~FormRthjcSelection() = default;

void FormRthjcSelection::cmdOK_Click() {
    if (ui->optRthjcRW27->isChecked()) {
        record_.Rthjc = 2.5;
        workbench_.setBoxText(WorkbenchBox::Rthjc, DefaultNumberText(record_.Rthjc));
    }
    if (ui->optRthjcNo->isChecked()) {
        record_.Rthjc = 1.5;
        workbench_.setBoxText(WorkbenchBox::Rthjc, DefaultNumberText(record_.Rthjc));
    }
    close();
}

} // namespace orvand

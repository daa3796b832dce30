#include "form_rthjc_selection.h"

#include "dialog_font.h"
#include "number_text.h"
#include "ui_form_rthjc_selection.h"

namespace orvand {

FormRthjcSelection::FormRthjcSelection(DesignRecord& record, WorkbenchPort& workbench,
                                       QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::FormRthjcSelection>()), record_(record),
      workbench_(workbench) {
    ui->setupUi(this);
    ApplyDialogFont(*this);
    // Return must not press Ok on the user's behalf.
    ui->cmdOK->setAutoDefault(false);
    ui->cmdOK->setDefault(false);
    connect(ui->cmdOK, &QPushButton::clicked, this, &FormRthjcSelection::cmdOK_Click);
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

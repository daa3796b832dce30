#include "form_workbench.h"

#include "ui_form_workbench.h"

namespace orvand {

FormWorkbench::FormWorkbench(DesignRecord& record, Toolkit& toolkit, QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::FormWorkbench>()), record_(record),
      toolkit_(toolkit) {
    ui->setupUi(this);
    connectChecks();
    connectModes();
    connectStart();
}

FormWorkbench::~FormWorkbench() = default;

void FormWorkbench::Form_Load() {}
void FormWorkbench::ReadInputs() {}
void FormWorkbench::ResetAfterRun() {}
void FormWorkbench::setBoxText(WorkbenchBox, const QString&) {}
void FormWorkbench::setButtonCaption(WorkbenchButton, const QString&) {}
void FormWorkbench::writeBox(OutputBox, const QString&) {}
void FormWorkbench::setPoffFontSize(int) {}
void FormWorkbench::cmdInfo_Click() {}
void FormWorkbench::CmdStop_Click(int) {}

} // namespace orvand

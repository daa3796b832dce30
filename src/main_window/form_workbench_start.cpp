#include "form_workbench.h"

#include "ui_form_workbench.h"

namespace orvand {

void FormWorkbench::connectStart() {}
void FormWorkbench::CmdStart_Click() {}
void FormWorkbench::optCreateFile_Click() {}

} // namespace orvand

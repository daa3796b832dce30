#include "form_workbench.h"

#include "ui_form_workbench.h"

namespace orvand {

void FormWorkbench::connectChecks() {}
void FormWorkbench::txtEfficiency_Change() {}
void FormWorkbench::txtfwork_Change() {}
void FormWorkbench::txtPoutmax_Change() {}
void FormWorkbench::txtRon25_Change() {}
void FormWorkbench::txtTa_Change() {}
void FormWorkbench::txtTj_Change() {}
void FormWorkbench::txtVr_Change() {}
void FormWorkbench::txtVripple_Change() {}
void FormWorkbench::optflybackccm_Click() {}
void FormWorkbench::optVacinOthers_Click() {}

} // namespace orvand

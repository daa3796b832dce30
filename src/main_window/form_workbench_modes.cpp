#include "form_workbench.h"

#include "ui_form_workbench.h"

namespace orvand {

void FormWorkbench::connectModes() {}
void FormWorkbench::chkCext_Click() {}
void FormWorkbench::chktr_Click() {}
void FormWorkbench::chkuserIlpk_Click() {}
void FormWorkbench::chkuserLpri_Click() {}
void FormWorkbench::chkHeatsink_Click() {}
void FormWorkbench::cmdHarrierRdson_Click() {}
void FormWorkbench::cmdKestrelRdson_Click() {}
void FormWorkbench::cmdKestrelHS_Click() {}
void FormWorkbench::cmdCopperArea_Click() {}
void FormWorkbench::CmdRthjc_Click() {}
void FormWorkbench::txtRthja_Click() {}
void FormWorkbench::txtUserIlpk_DblClick() {}
void FormWorkbench::txtUserLpri_DblClick() {}
bool FormWorkbench::eventFilter(QObject* watched, QEvent* event) {
    return QWidget::eventFilter(watched, event);
}

} // namespace orvand

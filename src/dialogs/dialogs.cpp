#include "dialogs.h"

#include "form_kestrel.h"
#include "form_kestrel_hs.h"
#include "form_rthjc_selection.h"
#include "form_rthjc_vs_copper.h"

namespace orvand {

namespace {

// A refused OK closes the window and it comes back afresh, with nothing
// selected, until OK applies a choice or the close box ends it. One window at a
// time: the stack stays as deep however often OK is refused.
template <typename Dialog>
void ShowAgainWhileRefused(DesignRecord& record, WorkbenchPort& workbench, Toolkit& toolkit,
                           QWidget* parent) {
    bool refused = true;
    while (refused) {
        Dialog dialog(record, workbench, toolkit, parent);
        toolkit.showModal(dialog);
        refused = dialog.okRefused();
    }
}

} // namespace

void ShowFormKestrel(DesignRecord& record, WorkbenchPort& workbench, Toolkit& toolkit,
                     QWidget* parent) {
    ShowAgainWhileRefused<FormKestrel>(record, workbench, toolkit, parent);
}

void ShowFormKestrelHS(DesignRecord& record, WorkbenchPort& workbench, Toolkit& toolkit,
                       QWidget* parent) {
    ShowAgainWhileRefused<FormKestrelHS>(record, workbench, toolkit, parent);
}

void ShowFormRthjcSelection(DesignRecord& record, WorkbenchPort& workbench, Toolkit& toolkit,
                            QWidget* parent) {
    FormRthjcSelection dialog(record, workbench, parent);
    toolkit.showModal(dialog);
}

void ShowFormRthjcvsCopper(Toolkit& toolkit, QWidget* parent) {
    FormRthjcvsCopper dialog(parent);
    toolkit.showModal(dialog);
}

} // namespace orvand

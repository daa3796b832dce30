#include "dialogs.h"

#include "form_kestrel.h"
#include "form_kestrel_hs.h"
#include "form_rthjc_selection.h"
#include "form_rthjc_vs_copper.h"

namespace orvand {

void ShowFormKestrel(DesignRecord& record, WorkbenchPort& workbench, Toolkit& toolkit,
                     QWidget* parent) {
    FormKestrel dialog(record, workbench, toolkit, parent);
    toolkit.showModal(dialog);
}

void ShowFormKestrelHS(DesignRecord& record, WorkbenchPort& workbench, Toolkit& toolkit,
                       QWidget* parent) {
    FormKestrelHS dialog(record, workbench, toolkit, parent);
    toolkit.showModal(dialog);
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

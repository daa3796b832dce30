#include "dialogs.h"

namespace orvand {

void ShowFormKestrel(DesignRecord&, WorkbenchPort&, Toolkit&, QWidget*) {}
void ShowFormKestrelHS(DesignRecord&, WorkbenchPort&, Toolkit&, QWidget*) {}
void ShowFormRthjcSelection(DesignRecord&, WorkbenchPort&, Toolkit&, QWidget*) {}
void ShowFormRthjcvsCopper(Toolkit&, QWidget*) {}

} // namespace orvand

#pragma once
// Opening the four windows of device and thermal selection. Each call creates
// its window afresh, shows it modally through the toolkit and returns when it
// has been closed; what the window applies goes into the record and, through
// the port, into the main window. The device and the package window come back
// afresh from here while their OK is refused.

#include "design_record.h"
#include "toolkit.h"
#include "workbench_port.h"

class QWidget;

namespace orvand {

void ShowFormKestrel(DesignRecord& record, WorkbenchPort& workbench, Toolkit& toolkit,
                     QWidget* parent);
void ShowFormKestrelHS(DesignRecord& record, WorkbenchPort& workbench, Toolkit& toolkit,
                       QWidget* parent);
void ShowFormRthjcSelection(DesignRecord& record, WorkbenchPort& workbench, Toolkit& toolkit,
                            QWidget* parent);
void ShowFormRthjcvsCopper(Toolkit& toolkit, QWidget* parent);

} // namespace orvand

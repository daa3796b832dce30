#pragma once
// The device catalogue dialog: the user picks one Kestrel device and OK copies
// its catalogue entry into the record and the main window.

#include "design_record.h"
#include "toolkit.h"
#include "workbench_port.h"

#include <QDialog>
#include <memory>

namespace Ui {
class FormKestrel;
}

namespace orvand {

class FormKestrel final : public QDialog {
    Q_OBJECT
  public:
    FormKestrel(DesignRecord& record, WorkbenchPort& workbench, Toolkit& toolkit,
                QWidget* parent = nullptr);
    ~FormKestrel() override;

    // Whether OK was pressed without a choice and closed the window for it.
    bool okRefused() const { return okRefused_; }

  public Q_SLOTS:
    void cmdOK_Click();

  private:
    std::unique_ptr<Ui::FormKestrel> ui;
    DesignRecord& record_;
    WorkbenchPort& workbench_;
    Toolkit& toolkit_;
    bool okRefused_ = false;
};

} // namespace orvand

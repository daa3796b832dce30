#pragma once
// The junction-to-case dialog: one of two fixed values for Rthjc.

#include "design_record.h"
#include "workbench_port.h"

#include <QDialog>
#include <memory>

namespace Ui {
class FormRthjcSelection;
}

namespace orvand {

class FormRthjcSelection final : public QDialog {
    Q_OBJECT
  public:
    FormRthjcSelection(DesignRecord& record, WorkbenchPort& workbench, QWidget* parent = nullptr);
    ~FormRthjcSelection() override;

  public Q_SLOTS:
    void cmdOK_Click();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::unique_ptr<Ui::FormRthjcSelection> ui;
    DesignRecord& record_;
    WorkbenchPort& workbench_;
};

} // namespace orvand

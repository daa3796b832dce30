#pragma once
// The package dialog: the user picks a package, for some with a copper area on
// the board, and OK sets Rthja in the record and the main window.

#include "design_record.h"
#include "toolkit.h"
#include "workbench_port.h"

#include <QDialog>
#include <memory>

namespace Ui {
class FormKestrelHS;
}

namespace orvand {

class FormKestrelHS final : public QDialog {
    Q_OBJECT
  public:
    FormKestrelHS(DesignRecord& record, WorkbenchPort& workbench, Toolkit& toolkit,
                  QWidget* parent = nullptr);
    ~FormKestrelHS() override;

    // Whether OK was refused (no choice, or one still to be defined) and closed
    // the window for it.
    bool okRefused() const { return okRefused_; }

  public Q_SLOTS:
    void cmdOK_Click();

  private:
    void refuse(const QString& text, const QString& title, MessageIcon icon);

    std::unique_ptr<Ui::FormKestrelHS> ui;
    DesignRecord& record_;
    WorkbenchPort& workbench_;
    Toolkit& toolkit_;
    bool okRefused_ = false;
};

} // namespace orvand

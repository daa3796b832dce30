#pragma once
// The main window: input section, package and thermal section, output section,
// save options, Start, Stop and Info.
//
// Its handlers are split by concern over several files:
//   form_workbench.cpp         construction, start-up, Info, Stop, ReadInputs,
//                              ResetAfterRun, the two ports
//   form_workbench_checks.cpp  input checks while editing (the eight change
//                              handlers, "Others", "CCM")
//   form_workbench_modes.cpp   switch mode, thermal path, optional values and the
//                              buttons that open the dialogs
//   form_workbench_start.cpp   Start and the choice of the output file
//
// The window owns no design data: it reads and writes the DesignRecord it is
// given, and shows every box through the Toolkit it is given.

#include "design_record.h"
#include "output_section_port.h"
#include "toolkit.h"
#include "workbench_port.h"

#include <QWidget>
#include <memory>

class QLineEdit;

namespace Ui {
class FormWorkbench;
}

namespace orvand {

class FormWorkbench final : public QWidget, public WorkbenchPort, public OutputSectionPort {
    Q_OBJECT

  public:
    FormWorkbench(DesignRecord& record, Toolkit& toolkit, QWidget* parent = nullptr);
    ~FormWorkbench() override;

    // Start-up, once, before the window is shown: InputPresent, ReadInputs and
    // the preliminary-version notice.
    void Form_Load();

    // Input section into the record, and the four things put back after a Start.
    void ReadInputs();
    void ResetAfterRun();

    // WorkbenchPort: what the dialogs write.
    void setBoxText(WorkbenchBox box, const QString& text) override;
    void setButtonCaption(WorkbenchButton button, const QString& caption) override;

    // OutputSectionPort: what ShowResults writes.
    void writeBox(OutputBox box, const QString& text) override;
    void setPoffFontSize(int points) override;

  public Q_SLOTS:
    // Start-up, Info, Stop.
    void cmdInfo_Click();
    void CmdStop_Click(int index);

    // Input checks while editing.
    void txtEfficiency_Change();
    void txtfwork_Change();
    void txtPoutmax_Change();
    void txtRon25_Change();
    void txtTa_Change();
    void txtTj_Change();
    void txtVr_Change();
    void txtVripple_Change();
    void optflybackccm_Click();
    void optVacinOthers_Click();

    // Switch mode, thermal path, optional values.
    void chkCext_Click();
    void chktr_Click();
    void chkuserIlpk_Click();
    void chkuserLpri_Click();
    void chkHeatsink_Click();
    void cmdHarrierRdson_Click();
    void cmdKestrelRdson_Click();
    void cmdKestrelHS_Click();
    void cmdCopperArea_Click();
    void CmdRthjc_Click();
    void txtRthja_Click();
    void txtUserIlpk_DblClick();
    void txtUserLpri_DblClick();

    // Start and the output file.
    void CmdStart_Click();
    void optCreateFile_Click();

  protected:
    // Clicks into txtRthja and double-clicks on txtUserIlpk and txtUserLpri,
    // which a QLineEdit does not signal.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Fonts, colours and read-only output boxes of the window.
    void applyLook();
    QLineEdit* outputBox(OutputBox box) const;

    // Each file connects the handlers it defines.
    void connectChecks();
    void connectModes();
    void connectStart();

    std::unique_ptr<Ui::FormWorkbench> ui;
    DesignRecord& record_;
    Toolkit& toolkit_;
};

} // namespace orvand

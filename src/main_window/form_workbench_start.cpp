#include "form_workbench.h"

#include "calculate_dcm.h"
#include "report_writer.h"
#include "show_results.h"
#include "ui_form_workbench.h"

#include <QRadioButton>

namespace orvand {

namespace {

const QString kInputError = QStringLiteral("Input Error");

// The values a run cannot start from. Exact comparisons: only zero refuses,
// negative values pass.
bool InputsAllowRun(const DesignRecord& record) {
    return record.Vacmin != 0.0 && record.InputPresent && record.Poutmax != 0.0 &&
           record.Vr != 0.0 && record.Vripple != 0.0 && record.Eta != 0.0 && record.fwork != 0.0 &&
           record.Tj <= 150.0 && record.Ron25 != 0.0 && record.Rthja != 0.0 &&
           record.Rthjc != 0.0 && record.Rthhs != 0.0 && record.Tj >= record.Ta;
}

} // namespace

void FormWorkbench::connectStart() {
    connect(ui->CmdStart, &QPushButton::clicked, this, &FormWorkbench::CmdStart_Click);
    connect(ui->optCreateFile, &QRadioButton::clicked, this, &FormWorkbench::optCreateFile_Click);
}

void FormWorkbench::CmdStart_Click() {
    ReadInputs();

    bool calculated = false;
    if (!InputsAllowRun(record_)) {
        toolkit_.messageBox(
            QStringLiteral("Please check one of you inputs in the input section is zero."),
            kInputError, MessageIcon::Critical);
    } else if (ui->chkuserIlpk->isChecked() && record_.ILpkUser <= 0.0) {
        toolkit_.messageBox(
            QStringLiteral("Please check you peak current limit it is zero or negative."),
            kInputError, MessageIcon::Critical);
    } else {
        // The run works on a cleared copy: a refused run leaves the record's
        // results as the output section shows them.
        DesignRecord run = record_;
        ClearResults(run);
        DcmOptions options;
        options.dcmSelected = ui->optflybackdcm->isChecked();
        options.userLpri = ui->chkuserLpri->isChecked();
        options.userLpriText = ui->txtUserLpri->text();
        options.steadyState = ui->chksteadystate->isChecked();
        options.userCext = ui->chkCext->isChecked();
        options.cextText = ui->txtCext->text();
        options.userTr = ui->chktr->isChecked();
        options.trText = ui->txttr->text();
        options.heatsink = ui->chkHeatsink->isChecked();
        options.userIlpk = ui->chkuserIlpk->isChecked();
        options.poutmaxText = ui->txtPoutmax->text();
        const DcmOutcome outcome = CalculateDCM(run, options);
        if (outcome.ok()) {
            record_ = run;
            ShowResults(record_, *this, toolkit_);
            calculated = true;
        } else {
            toolkit_.messageBox(RefusalMessage(outcome.refusal), kInputError,
                                MessageIcon::Critical);
        }
    }

    // A refused run has no results of its own; a report would pair the inputs
    // just read with an earlier run's results, so none is written.
    if (calculated && ui->optCreateFile->isChecked()) {
        ReportOptions report;
        report.dcmSelected = ui->optflybackdcm->isChecked();
        report.ccmSelected = ui->optflybackccm->isChecked();
        report.heatsink = ui->chkHeatsink->isChecked();
        WriteOutputDataFile(record_, report, toolkit_);
    }

    ResetAfterRun();
}

void FormWorkbench::optCreateFile_Click() {
    if (!ui->optCreateFile->isChecked())
        return;
    const std::optional<QString> path = toolkit_.saveDialog(
        QStringLiteral("Save File for Pout vs. Rdson data"), QStringLiteral("C:/Eigene Dateien"));
    if (path) {
        record_.OutputFileName = *path;
    } else {
        // setChecked, not click(): "No Saving" has no handler to run.
        ui->optNoSave->setChecked(true);
    }
}

} // namespace orvand

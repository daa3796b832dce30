#include "form_workbench.h"

#include "number_text.h"
#include "ui_form_workbench.h"

#include <QLineEdit>
#include <QRadioButton>

namespace orvand {

namespace {

const QString kOutOfRange = QStringLiteral("Out of Range");
const QString kSyntaxError = QStringLiteral("Syntax Error");

} // namespace

void FormWorkbench::connectChecks() {
    const auto onChange = [this](QLineEdit* box, void (FormWorkbench::*handler)()) {
        connect(box, &QLineEdit::textChanged, this, [this, handler] { (this->*handler)(); });
    };
    onChange(ui->txtEfficiency, &FormWorkbench::txtEfficiency_Change);
    onChange(ui->txtfwork, &FormWorkbench::txtfwork_Change);
    onChange(ui->txtPoutmax, &FormWorkbench::txtPoutmax_Change);
    onChange(ui->txtRon25, &FormWorkbench::txtRon25_Change);
    onChange(ui->txtTa, &FormWorkbench::txtTa_Change);
    onChange(ui->txtTj, &FormWorkbench::txtTj_Change);
    onChange(ui->txtVr, &FormWorkbench::txtVr_Change);
    onChange(ui->txtVripple, &FormWorkbench::txtVripple_Change);
    // A user's click, never a selection made by code.
    connect(ui->optflybackccm, &QRadioButton::clicked, this, &FormWorkbench::optflybackccm_Click);
    connect(ui->optVacinOthers, &QRadioButton::clicked, this, &FormWorkbench::optVacinOthers_Click);
}

// Each check stores what was typed, even when it then warns: the user may be in
// the middle of typing, and the Start checks decide what is finally accepted.

void FormWorkbench::txtEfficiency_Change() {
    const QString text = ui->txtEfficiency->text();
    record_.Eta = PlainReading(text);
    if (text.isEmpty()) {
        record_.InputPresent = false;
        return;
    }
    if (record_.Eta <= 0.0 || record_.Eta > 100.0)
        toolkit_.messageBox(QStringLiteral("Your Efficiency is Zero or exceeds 100%."), kOutOfRange,
                            MessageIcon::Critical);
    record_.InputPresent = true;
}

void FormWorkbench::txtfwork_Change() {
    const QString text = ui->txtfwork->text();
    record_.fwork = PlainReading(text);
    if (text.isEmpty()) {
        record_.InputPresent = false;
        return;
    }
    if (record_.fwork <= 0.0)
        toolkit_.messageBox(QStringLiteral("The Frequency is running out of Range."), kOutOfRange,
                            MessageIcon::Critical);
    record_.InputPresent = true;
}

void FormWorkbench::txtPoutmax_Change() {
    const QString text = ui->txtPoutmax->text();
    if (text.isEmpty()) {
        record_.InputPresent = false;
        return;
    }
    record_.Poutmax = PlainReading(text);
    if (record_.Poutmax <= 0.0)
        toolkit_.messageBox(QStringLiteral("Please check your value of the maximum Pout"),
                            kSyntaxError, MessageIcon::Critical);
    record_.InputPresent = true;
}

void FormWorkbench::txtTa_Change() {
    const QString text = ui->txtTa->text();
    record_.Ta = PlainReading(text);
    if (text.isEmpty()) {
        record_.InputPresent = false;
        return;
    }
    if (record_.Ta < -45.0 || record_.Ta > record_.Tj)
        toolkit_.messageBox(QStringLiteral("You ambient Temperature is below the storage or "
                                           "exceeds Junction Temperature of Kestrel."),
                            kSyntaxError, MessageIcon::Critical);
    record_.InputPresent = true;
}

void FormWorkbench::txtTj_Change() {
    const QString text = ui->txtTj->text();
    record_.Tj = PlainReading(text);
    if (text.isEmpty()) {
        record_.InputPresent = false;
        return;
    }
    if (record_.Tj < -45.0 || record_.Tj > 150.0)
        toolkit_.messageBox(QStringLiteral("You junction Temperature is below the storage or "
                                           "exceeds the specificated Junction Temperature of "
                                           "Kestrel."),
                            kSyntaxError, MessageIcon::Critical);
    record_.InputPresent = true;
}

void FormWorkbench::txtVr_Change() {
    const QString text = ui->txtVr->text();
    record_.Vr = PlainReading(text);
    if (text.isEmpty()) {
        record_.InputPresent = false;
        return;
    }
    if (record_.Vr <= 0.0)
        toolkit_.messageBox(
            QStringLiteral("You reflected Voltage has decreased to Zero or below Zero."),
            kOutOfRange, MessageIcon::Critical);
    record_.InputPresent = true;
}

void FormWorkbench::txtVripple_Change() {
    const QString text = ui->txtVripple->text();
    if (text.isEmpty()) {
        record_.InputPresent = false;
        return;
    }
    record_.Vripple = PlainReading(text);
    if (record_.Vripple < 0.0 || record_.Vripple > record_.Vacmin)
        toolkit_.messageBox(
            QStringLiteral("You Ripple Voltage is higher than the AC Line In Voltage"),
            kSyntaxError, MessageIcon::Critical);
    record_.InputPresent = true;
}

void FormWorkbench::txtRon25_Change() {
    const QString text = ui->txtRon25->text();
    // A comma text the locale cannot read counts as 0: never negative, never a
    // reason to stop.
    record_.Ron25 = TextToNumberValue(text);
    if (text.isEmpty()) {
        record_.InputPresent = false;
        return;
    }
    if (record_.Ron25 < 0.0) {
        while (record_.Ron25 < 0.0) {
            const QString answer = toolkit_.inputBox(
                QStringLiteral(
                    "Rdson is running out of Range just 0,45 Ohm up to 6 Ohm are allowed."),
                kOutOfRange);
            record_.Ron25 = TextToNumberValue(answer);
        }
        // Runs this handler once more, nested, on the value just accepted.
        ui->txtRon25->setText(DefaultNumberText(record_.Ron25));
    }
    record_.InputPresent = true;
}

void FormWorkbench::optVacinOthers_Click() {
    if (!ui->optVacinOthers->isChecked())
        return;
    const auto inRange = [this] { return record_.Vacmin >= 85.0 && record_.Vacmin <= 270.0; };
    record_.Vacmin =
        PlainReading(toolkit_.inputBox(QStringLiteral("Set Vacin in a Range of 85V up to 270V."),
                                       QStringLiteral("User Defined Input Voltage Range")));
    // Cancel reads as 0 and is asked again: "Others" always ends with a voltage.
    while (!inRange()) {
        record_.Vacmin = PlainReading(toolkit_.inputBox(
            QStringLiteral("Vacin is running out of Range just 85V up to 270V are allowed."),
            kOutOfRange));
    }
}

void FormWorkbench::optflybackccm_Click() {
    toolkit_.messageBox(QStringLiteral("To be defined"), QStringLiteral("Info"),
                        MessageIcon::Exclamation);
    ui->optflybackdcm->setChecked(true);
}

} // namespace orvand

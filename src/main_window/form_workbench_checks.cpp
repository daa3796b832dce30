#include "form_workbench.h"

#include "number_text.h"
#include "ui_form_workbench.h"
#include "write_box_text.h"

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
// Most boxes store before the empty test (an emptied box stores 0); the maximum
// power and the ripple keep their last value when emptied.
namespace {

enum class Store { Always, OnlyWhenNotEmpty };

struct Check {
    Store store;
    bool (*rejected)(const DesignRecord&);
    const char* message;
    const QString& title;
};

void RunCheck(QLineEdit& box, double& field, const Check& check, DesignRecord& record,
              Toolkit& toolkit) {
    const QString text = box.text();
    if (check.store == Store::Always)
        field = PlainReading(text);
    if (text.isEmpty()) {
        record.InputPresent = false;
        return;
    }
    field = PlainReading(text);
    if (check.rejected(record))
        toolkit.messageBox(QString::fromLatin1(check.message), check.title, MessageIcon::Critical);
    record.InputPresent = true;
}

} // namespace

void FormWorkbench::txtEfficiency_Change() {
    RunCheck(*ui->txtEfficiency, record_.Eta,
             {Store::Always, [](const DesignRecord& r) { return r.Eta <= 0.0 || r.Eta > 100.0; },
              "Your Efficiency is Zero or exceeds 100%.", kOutOfRange},
             record_, toolkit_);
}

void FormWorkbench::txtfwork_Change() {
    RunCheck(*ui->txtfwork, record_.fwork,
             {Store::Always, [](const DesignRecord& r) { return r.fwork <= 0.0; },
              "The Frequency is running out of Range.", kOutOfRange},
             record_, toolkit_);
}

void FormWorkbench::txtPoutmax_Change() {
    RunCheck(*ui->txtPoutmax, record_.Poutmax,
             {Store::OnlyWhenNotEmpty, [](const DesignRecord& r) { return r.Poutmax <= 0.0; },
              "Please check your value of the maximum Pout", kSyntaxError},
             record_, toolkit_);
}

void FormWorkbench::txtTa_Change() {
    RunCheck(*ui->txtTa, record_.Ta,
             {Store::Always, [](const DesignRecord& r) { return r.Ta < -45.0 || r.Ta > r.Tj; },
              "You ambient Temperature is below the storage or exceeds Junction Temperature of "
              "Kestrel.",
              kSyntaxError},
             record_, toolkit_);
}

void FormWorkbench::txtTj_Change() {
    RunCheck(*ui->txtTj, record_.Tj,
             {Store::Always, [](const DesignRecord& r) { return r.Tj < -45.0 || r.Tj > 150.0; },
              "You junction Temperature is below the storage or exceeds the specificated "
              "Junction Temperature of Kestrel.",
              kSyntaxError},
             record_, toolkit_);
}

void FormWorkbench::txtVr_Change() {
    RunCheck(*ui->txtVr, record_.Vr,
             {Store::Always, [](const DesignRecord& r) { return r.Vr <= 0.0; },
              "You reflected Voltage has decreased to Zero or below Zero.", kOutOfRange},
             record_, toolkit_);
}

void FormWorkbench::txtVripple_Change() {
    RunCheck(*ui->txtVripple, record_.Vripple,
             {Store::OnlyWhenNotEmpty,
              [](const DesignRecord& r) { return r.Vripple < 0.0 || r.Vripple > r.Vacmin; },
              "You Ripple Voltage is higher than the AC Line In Voltage", kSyntaxError},
             record_, toolkit_);
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
        WriteBoxText(*ui->txtRon25, DefaultNumberText(record_.Ron25));
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

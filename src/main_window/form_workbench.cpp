#include "form_workbench.h"

#include "caption_button.h"
#include "number_text.h"
#include "orvand_version.h"
#include "system_colours.h"
#include "tab_stop_follows_selection.h"
#include "ui_form_workbench.h"
#include "write_box_text.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <algorithm>
#include <array>
#include <cmath>

namespace orvand {

namespace {

constexpr double kLargePoints = 9.75;
constexpr double kSmallPoints = 8.25;

QFont ArialFont(double points) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    return font;
}

} // namespace

FormWorkbench::FormWorkbench(DesignRecord& record, Toolkit& toolkit, QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::FormWorkbench>()), record_(record),
      toolkit_(toolkit) {
    // The initial texts come from setupUi, before any handler is connected, so
    // none of the input checks runs at start. The .ui also holds the keyboard
    // order, the option groups and the controls hidden at start.
    ui->setupUi(this);
    setWindowTitle(QStringLiteral("Orvand - Kestrel Calculation Software for Flyback Topology "
                                  "Version " ORVAND_VERSION " - Dravik Technologies"));
    // setupUi only sizes a window; its client area opens at a fixed place.
    setGeometry(36, 71, 944, 664);
    // Take the exact captions before any font change makes the buttons re-wrap.
    for (CaptionButton* button : findChildren<CaptionButton*>())
        button->setCaption(button->text());
    applyLook();

    // Tab stops once in each option group, on its selected option.
    for (QButtonGroup* group : {ui->modeGroup, ui->rangeGroup, ui->saveGroup})
        KeepTabStopOnSelection(*group);
    ui->txtPoutmax->setFocus(Qt::OtherFocusReason);

    connect(ui->cmdInfo, &QPushButton::clicked, this, &FormWorkbench::cmdInfo_Click);
    connect(ui->CmdStop, &QPushButton::clicked, this, [this] { CmdStop_Click(1); });
    connectChecks();
    connectModes();
    connectStart();
}

FormWorkbench::~FormWorkbench() = default;

void FormWorkbench::applyLook() {
    // Frames, boxes, labels and three check boxes use the larger face; everything
    // else keeps the window's face, set on each control so that a frame's font
    // does not pass down to it.
    setFont(ArialFont(kSmallPoints));
    const QFont large = ArialFont(kLargePoints);
    const QFont small = ArialFont(kSmallPoints);
    const std::array<const QWidget*, 3> largeCheckBoxes{ui->chkHeatsink, ui->chktr, ui->chkCext};
    for (QWidget* widget : findChildren<QWidget*>()) {
        const bool isLarge = qobject_cast<QGroupBox*>(widget) || qobject_cast<QLineEdit*>(widget) ||
                             qobject_cast<QLabel*>(widget) ||
                             std::ranges::find(largeCheckBoxes, widget) != largeCheckBoxes.end();
        widget->setFont(isLarge ? large : small);
    }

    const QList<QLineEdit*> outputBoxes = ui->frmOutputSection->findChildren<QLineEdit*>();
    for (QLineEdit* box : outputBoxes) {
        box->setReadOnly(true);
        SetBoxColours(*box, SystemColour::WindowText, SystemColour::InactiveBorder);
    }
    SetBoxColours(*ui->txtRon25, SystemColour::WindowText, SystemColour::InactiveBorder);
}

void FormWorkbench::Form_Load() {
    record_.InputPresent = true;
    ReadInputs();
    toolkit_.messageBox(QStringLiteral("NOTE: This is a Preliminary Version of Orvand."),
                        QStringLiteral("Preliminary Version"), MessageIcon::Critical);
}

void FormWorkbench::cmdInfo_Click() {
    const QString text =
        QStringLiteral("Orvand Version " ORVAND_VERSION " - Dravik Technologies") +
        QStringLiteral("\r\n") +
        QStringLiteral("This tool will calculate the reachable output power of the selected "
                       "Kestrel for a SMPS in Flyback Topology.") +
        QStringLiteral("\r\n") +
        QStringLiteral("Insert your parameters in the input section, and you will get all the "
                       "calculated values in the output section.") +
        QStringLiteral("\r\n") +
        QStringLiteral("In case of an activated create file check, all output values e.g. Pout, "
                       "Rdson, ... are saved in a output file!");
    toolkit_.messageBox(text, QStringLiteral("Info about the Tool"), MessageIcon::Information);
}

void FormWorkbench::CmdStop_Click(int /*index*/) {
    // main() owns the window: closing it ends the event loop, not its life.
    close();
}

void FormWorkbench::ReadInputs() {
    if (ui->optVacinUniversalRange->isChecked())
        record_.Vacmin = 85.0;
    else if (ui->optVacinSmallRange->isChecked())
        record_.Vacmin = 190.0;
    // "Others" keeps the voltage its input box gave.

    record_.Vripple = PlainReading(ui->txtVripple->text());
    record_.Vr = PlainReading(ui->txtVr->text());
    record_.Poutmax = PlainReading(ui->txtPoutmax->text());
    record_.Eta = PlainReading(ui->txtEfficiency->text()) / 100.0;
    const double fwork = PlainReading(ui->txtfwork->text()) * 1000.0;
    // A frequency beyond the double range in Hz has no value; 0 is then refused
    // by the checks of the Start.
    record_.fwork = std::isfinite(fwork) ? fwork : 0.0;
    record_.Ta = PlainReading(ui->txtTa->text());
    record_.Tj = PlainReading(ui->txtTj->text());
    record_.Ron25 = TextToNumberValue(ui->txtRon25->text());
    record_.Rthhs = PlainReading(ui->txtRthhs->text());
    record_.Rthja = PlainReading(ui->txtRthja->text());
    record_.Rthjc = PlainReading(ui->txtRthjc->text());
    record_.Rthht = PlainReading(ui->txtRthht->text());
    if (ui->chkuserIlpk->isChecked())
        record_.ILpkUser = TextToNumberValue(ui->txtUserIlpk->text());
}

void FormWorkbench::ResetAfterRun() {
    ui->chksteadystate->show();
    // setChecked, not click(): no handler may run.
    ui->optNoSave->setChecked(true);
    ui->txtRon25->setEnabled(false);
    record_.CopperAreaText.clear();
}

void FormWorkbench::setBoxText(WorkbenchBox box, const QString& text) {
    QLineEdit* target = nullptr;
    switch (box) {
    case WorkbenchBox::Rthja:
        target = ui->txtRthja;
        break;
    case WorkbenchBox::Fwork:
        target = ui->txtfwork;
        break;
    case WorkbenchBox::Poutmax:
        target = ui->txtPoutmax;
        break;
    case WorkbenchBox::Ron25:
        target = ui->txtRon25;
        break;
    case WorkbenchBox::Rthjc:
        target = ui->txtRthjc;
        break;
    }
    if (target)
        WriteBoxText(*target, text);
}

void FormWorkbench::setButtonCaption(WorkbenchButton button, const QString& caption) {
    switch (button) {
    case WorkbenchButton::KestrelRdson:
        ui->cmdKestrelRdson->setCaption(caption);
        break;
    case WorkbenchButton::KestrelHS:
        ui->cmdKestrelHS->setCaption(caption);
        break;
    }
}

QLineEdit* FormWorkbench::outputBox(OutputBox box) const {
    switch (box) {
    case OutputBox::OutRdsonTj:
        return ui->txtOutRdsonTj;
    case OutputBox::OutRdson:
        return ui->txtOutRdson;
    case OutputBox::OutTjc:
        return ui->txtOutTjc;
    case OutputBox::OutD:
        return ui->txtOutD;
    case OutputBox::OutDmax:
        return ui->txtOutDmax;
    case OutputBox::OutPout:
        return ui->txtOutPout;
    case OutputBox::OutPon:
        return ui->txtOutPon;
    case OutputBox::OutPoff:
        return ui->txtOutPoff;
    case OutputBox::OutPcond:
        return ui->txtOutPcond;
    case OutputBox::OutPtotal:
        return ui->txtOutPtotal;
    case OutputBox::OutILpk:
        return ui->txtOutILpk;
    case OutputBox::OutIHarriermax:
        return ui->txtOutIHarriermax;
    case OutputBox::Outtr:
        return ui->txtouttr;
    case OutputBox::OutLpri:
        return ui->txtoutLpri;
    case OutputBox::Poutmax:
        return ui->txtPoutmax;
    case OutputBox::OutCext:
        return ui->txtoutCext;
    case OutputBox::OutCoss:
        return ui->txtoutCoss;
    }
    return nullptr;
}

void FormWorkbench::writeBox(OutputBox box, const QString& text) {
    if (QLineEdit* target = outputBox(box))
        WriteBoxText(*target, text);
}

void FormWorkbench::setPoffFontSize(int points) {
    QFont font = ui->txtOutPoff->font();
    font.setPointSize(points);
    ui->txtOutPoff->setFont(font);
}

} // namespace orvand

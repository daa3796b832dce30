#include "form_workbench.h"

#include "dialogs.h"
#include "number_text.h"
#include "system_colours.h"
#include "ui_form_workbench.h"
#include "write_box_text.h"

#include <QCheckBox>
#include <QEvent>
#include <QMouseEvent>

namespace orvand {

namespace {

// The package button's caption at start, blanks included: the button breaks it
// into its two lines at those blanks.
QString PackageButtonStartCaption() {
    return QString(15, QLatin1Char(' ')) + QStringLiteral("Kestrel") +
           QString(16, QLatin1Char(' ')) + QStringLiteral("Package - Heatsink Selection");
}

} // namespace

void FormWorkbench::connectModes() {
    connect(ui->cmdKestrelRdson, &QPushButton::clicked, this,
            &FormWorkbench::cmdKestrelRdson_Click);
    connect(ui->cmdHarrierRdson, &QPushButton::clicked, this,
            &FormWorkbench::cmdHarrierRdson_Click);
    connect(ui->cmdKestrelHS, &QPushButton::clicked, this, &FormWorkbench::cmdKestrelHS_Click);
    connect(ui->CmdRthjc, &QPushButton::clicked, this, &FormWorkbench::CmdRthjc_Click);
    connect(ui->cmdCopperArea, &QPushButton::clicked, this, &FormWorkbench::cmdCopperArea_Click);
    // Only the user's click: code merely unticks these, and says when the
    // handler is to run.
    connect(ui->chkHeatsink, &QCheckBox::clicked, this, &FormWorkbench::chkHeatsink_Click);
    connect(ui->chkCext, &QCheckBox::clicked, this, &FormWorkbench::chkCext_Click);
    connect(ui->chktr, &QCheckBox::clicked, this, &FormWorkbench::chktr_Click);
    connect(ui->chkuserIlpk, &QCheckBox::clicked, this, &FormWorkbench::chkuserIlpk_Click);
    connect(ui->chkuserLpri, &QCheckBox::clicked, this, &FormWorkbench::chkuserLpri_Click);

    ui->txtRthja->installEventFilter(this);
    ui->txtUserIlpk->installEventFilter(this);
    ui->txtUserLpri->installEventFilter(this);
}

bool FormWorkbench::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->txtRthja && event->type() == QEvent::MouseButtonRelease) {
        // A click, not a focus change: moving in by keyboard runs nothing.
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            ui->txtRthja->rect().contains(mouse->position().toPoint()))
            txtRthja_Click();
    } else if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == ui->txtUserIlpk) {
            txtUserIlpk_DblClick();
            return true;
        }
        if (watched == ui->txtUserLpri) {
            txtUserLpri_DblClick();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FormWorkbench::cmdKestrelRdson_Click() {
    ui->chkuserIlpk->setEnabled(false);
    if (ui->chkuserIlpk->isChecked()) {
        ui->chkuserIlpk->setChecked(false);
        chkuserIlpk_Click();
    }
    record_.KestrelSel = true;
    record_.HarrierSel = false;
    ui->cmdHarrierRdson->setCaption(QStringLiteral("Harrier"));
    ui->cmdKestrelHS->setCaption(PackageButtonStartCaption());
    ui->txtRon25->setEnabled(false);
    SetBoxColours(*ui->txtRon25, SystemColour::WindowText, SystemColour::InactiveBorder);
    record_.Ipkd = 0.0;
    ui->txtUserIlpk->hide();
    ui->lblUserIlpk->hide();
    ui->chkuserIlpk->show();
    ShowFormKestrel(record_, *this, toolkit_, this);
}

void FormWorkbench::cmdHarrierRdson_Click() {
    ui->chkuserIlpk->setEnabled(true);
    record_.KestrelSel = false;
    record_.HarrierSel = true;
    SetBoxColours(*ui->txtRon25, SystemColour::WindowText, SystemColour::WindowBackground);
    ui->txtRon25->setEnabled(true);
    record_.Ron25 = 0.0;
    WriteBoxText(*ui->txtRon25, DefaultNumberText(record_.Ron25));
    record_.Rthja = 0.0;
    WriteBoxText(*ui->txtRthja, DefaultNumberText(record_.Rthja));
    ui->cmdKestrelRdson->setCaption(QStringLiteral("Kestrel"));
    ui->cmdKestrelHS->setCaption(QStringLiteral("User Defined Heatsink"));
}

void FormWorkbench::chkHeatsink_Click() {
    const bool heatsink = ui->chkHeatsink->isChecked();
    ui->cmdKestrelHS->setVisible(!heatsink);
    ui->txtRthhs->setVisible(heatsink);
    ui->txtRthht->setVisible(heatsink);
    ui->txtRthjc->setVisible(heatsink);
    ui->txtRthja->setVisible(!heatsink);
    ui->lblRthhs->setVisible(heatsink);
    ui->lblRthht->setVisible(heatsink);
    ui->lblRthjc->setVisible(heatsink);
    ui->lblRthja->setVisible(!heatsink);
    ui->CmdRthjc->setVisible(heatsink);
    if (heatsink)
        record_.PackageOnly = 0.0;
}

void FormWorkbench::txtRthja_Click() {
    ui->cmdKestrelHS->setCaption(QStringLiteral("Rthja"));
    record_.PackageOnly = 0.0;
    record_.CopperAreaText.clear();
}

void FormWorkbench::cmdKestrelHS_Click() {
    ShowFormKestrelHS(record_, *this, toolkit_, this);
}

void FormWorkbench::CmdRthjc_Click() {
    ShowFormRthjcSelection(record_, *this, toolkit_, this);
}

void FormWorkbench::cmdCopperArea_Click() {
    ShowFormRthjcvsCopper(toolkit_, this);
}

void FormWorkbench::chkCext_Click() {
    const bool ticked = ui->chkCext->isChecked();
    ui->txtCext->setVisible(ticked);
    ui->lblCext->setVisible(ticked);
}

void FormWorkbench::chktr_Click() {
    const bool ticked = ui->chktr->isChecked();
    ui->txttr->setVisible(ticked);
    ui->lbltr->setVisible(ticked);
}

void FormWorkbench::chkuserIlpk_Click() {
    if (!ui->chkuserIlpk->isChecked())
        return;
    ui->txtUserIlpk->show();
    ui->lblUserIlpk->show();
    ui->chkuserIlpk->hide();
    ui->cmdKestrelRdson->setCaption(QStringLiteral("Kestrel"));
}

void FormWorkbench::chkuserLpri_Click() {
    if (!ui->chkuserLpri->isChecked())
        return;
    ui->txtUserLpri->show();
    ui->lblUserLpri->show();
    ui->chkuserLpri->hide();
}

void FormWorkbench::txtUserIlpk_DblClick() {
    ui->txtUserIlpk->hide();
    ui->lblUserIlpk->hide();
    ui->chkuserIlpk->show();
    ui->chkuserIlpk->setChecked(false);
    chkuserIlpk_Click();
}

void FormWorkbench::txtUserLpri_DblClick() {
    ui->txtUserLpri->hide();
    ui->lblUserLpri->hide();
    ui->chkuserLpri->show();
    ui->chkuserLpri->setChecked(false);
    chkuserLpri_Click();
}

} // namespace orvand

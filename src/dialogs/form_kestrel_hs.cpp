#include "form_kestrel_hs.h"

#include "dialog_font.h"
#include "number_text.h"
#include "option_lookup.h"
#include "package_table.h"
#include "ui_form_kestrel_hs.h"

namespace orvand {

FormKestrelHS::FormKestrelHS(DesignRecord& record, WorkbenchPort& workbench, Toolkit& toolkit,
                             QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::FormKestrelHS>()), record_(record),
      workbench_(workbench), toolkit_(toolkit) {
    // The .ui creates cmdOK before the options, so the keyboard order starts at OK
    // and the window opens with the focus on it: Space presses OK, it picks no choice.
    ui->setupUi(this);
    ApplyDialogFont(*this);
    // The right column of the package group is narrow: its captions are set a
    // little condensed so that "TO220 ISODR" fits beside the window's edge.
    for (QWidget* option :
         {static_cast<QWidget*>(ui->optnoHSTO220ISO), static_cast<QWidget*>(ui->optnoHSDSO14),
          static_cast<QWidget*>(ui->optPDSO16)}) {
        QFont narrow = option->font();
        narrow.setStretch(70);
        option->setFont(narrow);
    }
    setGeometry(275, 366, width(), height());
    connect(ui->cmdOK, &QPushButton::clicked, this, &FormKestrelHS::cmdOK_Click);
}

FormKestrelHS::~FormKestrelHS() = default;

void FormKestrelHS::refuse(const QString& text, const QString& title, MessageIcon icon) {
    toolkit_.messageBox(text, title, icon);
    // ShowFormKestrelHS opens a fresh window for the choice once this one is
    // closed; only that window's OK applies it.
    okRefused_ = true;
    close();
}

void FormKestrelHS::cmdOK_Click() {
    const PackageChoice* choice = FirstSelected(*this, kPackageTable);
    if (choice == nullptr) {
        refuse(QStringLiteral("Please check your choice."), QStringLiteral("Missing Rthja Value"),
               MessageIcon::Critical);
        return;
    }
    if (!choice->defined) {
        refuse(QStringLiteral("To be Defined"), QStringLiteral("Note"), MessageIcon::Exclamation);
        return;
    }

    record_.Rthja = choice->Rthja;
    workbench_.setButtonCaption(WorkbenchButton::KestrelHS, TableText(choice->caption));
    record_.PackageOnly = choice->PackageOnly;
    // A choice without copper keeps the suffix of an earlier copper choice until
    // the next Start empties it.
    if (!choice->copperText.empty())
        record_.CopperAreaText = TableText(choice->copperText);
    workbench_.setBoxText(WorkbenchBox::Rthja, DefaultNumberText(record_.Rthja));
    close();
}

} // namespace orvand

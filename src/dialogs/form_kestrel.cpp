#include "form_kestrel.h"

#include "dialog_font.h"
#include "kestrel_catalogue.h"
#include "number_text.h"
#include "option_lookup.h"
#include "ui_form_kestrel.h"

namespace orvand {

FormKestrel::FormKestrel(DesignRecord& record, WorkbenchPort& workbench, Toolkit& toolkit,
                         QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::FormKestrel>()), record_(record),
      workbench_(workbench), toolkit_(toolkit) {
    // The .ui creates cmdOK before the options, so the keyboard order starts at OK
    // and the window opens with the focus on it: Space presses OK, it picks no choice.
    ui->setupUi(this);
    ApplyDialogFont(*this);
    // Its stored place, not centred over the main window.
    setGeometry(322, 283, width(), height());
    connect(ui->cmdOK, &QPushButton::clicked, this, &FormKestrel::cmdOK_Click);
}

FormKestrel::~FormKestrel() = default;

void FormKestrel::cmdOK_Click() {
    const KestrelDevice* device = FirstSelected(*this, kKestrelCatalogue);
    if (device == nullptr) {
        toolkit_.messageBox(QStringLiteral("Please check your choice."),
                            QStringLiteral("Missing Kestrel Selection"), MessageIcon::Critical);
        // The choice is made again in a fresh window, which ShowFormKestrel
        // opens once this one is closed; only that window's OK applies it.
        okRefused_ = true;
        close();
        return;
    }

    const QString partName = TableText(device->partName);
    // The order matters: the box writes run the main window's checks on the spot,
    // and those read the record as it stands at that moment.
    record_.PackageOnly = 1.0;
    record_.Ron25 = device->Ron25;
    record_.Rthja = device->Rthja;
    workbench_.setBoxText(WorkbenchBox::Rthja, DefaultNumberText(record_.Rthja));
    record_.fwork = device->fworkKHz;
    record_.HarrierN3 = device->HarrierN3;
    workbench_.setBoxText(WorkbenchBox::Fwork, DefaultNumberText(record_.fwork));
    workbench_.setButtonCaption(WorkbenchButton::KestrelHS,
                                partName + QLatin1Char(' ') + TableText(device->package));
    record_.Ipkd = device->Ipkd;
    workbench_.setButtonCaption(WorkbenchButton::KestrelRdson, partName);
    record_.DeviceName = partName;
    workbench_.setBoxText(WorkbenchBox::Poutmax, TableText(device->pmaxText));
    workbench_.setBoxText(WorkbenchBox::Ron25, DefaultNumberText(record_.Ron25));
    close();
}

} // namespace orvand

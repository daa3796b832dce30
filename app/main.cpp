#include "design_record.h"
#include "form_workbench.h"
#include "orvand_version.h"
#include "qt_toolkit.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvand"));
    QApplication::setApplicationVersion(QStringLiteral(ORVAND_VERSION));

    // One design record for the whole program, alive until the window closes.
    orvand::DesignRecord record;
    orvand::QtToolkit toolkit;
    orvand::FormWorkbench window(record, toolkit);
    toolkit.setParent(&window);

    window.Form_Load();
    window.show();
    return QApplication::exec();
}

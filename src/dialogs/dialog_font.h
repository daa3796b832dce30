#pragma once
// The face and size the dialogs share with the main window's plain controls.

#include <QFont>
#include <QWidget>

namespace orvand {

inline void ApplyDialogFont(QWidget& dialog) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(8.25);
    dialog.setFont(font);
}

} // namespace orvand

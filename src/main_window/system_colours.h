#pragma once
// The four system colours the program paints text boxes with, by their index in
// the standard colour scheme.

#include <QColor>

class QLineEdit;

namespace orvand {

enum class SystemColour {
    WindowBackground = 5,
    WindowText = 8,
    InactiveBorder = 11, // the grey of output boxes and of a locked on-resistance box
    GrayText = 17,       // text of a disabled box
};

QColor SystemColourValue(SystemColour colour);

// Paints the box's background in every palette group and its text while it is
// enabled, active or not; a disabled box draws its text in GrayText.
void SetBoxColours(QLineEdit& box, SystemColour text, SystemColour back);

} // namespace orvand

#pragma once
// The three system colours the program paints text boxes with, by their index in
// the standard colour scheme.

#include <QColor>

class QLineEdit;

namespace orvand {

enum class SystemColour {
    WindowBackground = 5,
    WindowText = 8,
    InactiveBorder = 11, // the grey of output boxes and of a locked on-resistance box
};

QColor SystemColourValue(SystemColour colour);

// Paints the box's text and background in every palette group, so that a
// disabled or inactive box shows the same pair.
void SetBoxColours(QLineEdit& box, SystemColour text, SystemColour back);

} // namespace orvand

#include "system_colours.h"

#include <QLineEdit>
#include <QPalette>

namespace orvand {

QColor SystemColourValue(SystemColour colour) {
    switch (colour) {
    case SystemColour::WindowBackground:
        return QColor(255, 255, 255);
    case SystemColour::WindowText:
        return QColor(0, 0, 0);
    case SystemColour::InactiveBorder:
        return QColor(212, 208, 200);
    case SystemColour::GrayText:
        return QColor(109, 109, 109);
    }
    return QColor(0, 0, 0);
}

void SetBoxColours(QLineEdit& box, SystemColour text, SystemColour back) {
    QPalette palette = box.palette();
    for (const QPalette::ColorGroup group :
         {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, SystemColourValue(back));
        if (group != QPalette::Disabled)
            palette.setColor(group, QPalette::Text, SystemColourValue(text));
    }
    // A disabled box keeps its background but greys its text, so it does not
    // look editable; the style's own grey is too pale to read on white.
    palette.setColor(QPalette::Disabled, QPalette::Text, SystemColourValue(SystemColour::GrayText));
    box.setPalette(palette);
}

} // namespace orvand

#include "write_box_text.h"

#include <QLineEdit>

namespace orvand {

void WriteBoxText(QLineEdit& box, const QString& text) {
    box.setText(text);
    // setText leaves the cursor, and so the view, at the end of the text.
    box.setCursorPosition(0);
}

} // namespace orvand

#pragma once

#include <QString>

class QLineEdit;

namespace orvand {

// Writes a box's text as the program does, not as typing does: the box then
// shows its text from the start, so a number too long for the box still shows
// its leading digits. The box's change handler runs inside, as for any write.
void WriteBoxText(QLineEdit& box, const QString& text);

} // namespace orvand

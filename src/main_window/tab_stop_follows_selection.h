#pragma once

class QButtonGroup;

namespace orvand {

// Keeps Tab's one stop in an option group on the selected option, whether the
// user or the code selected it. Qt moves the stop only with the focus, so a
// selection made by code would leave it on an option no longer selected; and
// where the focus itself sits on another option of the group, it follows the
// selection too, or the window would give that option the stop back the next
// time it is activated.
void KeepTabStopOnSelection(QButtonGroup& group);

} // namespace orvand

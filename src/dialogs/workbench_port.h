#pragma once
// What the dialogs may change in the main window. Writing a box's text runs that
// box's change handler at once, before setBoxText returns, exactly as a user's
// edit would; the box then shows the text from its start.

#include <QString>

namespace orvand {

enum class WorkbenchBox { Rthja, Fwork, Poutmax, Ron25, Rthjc };
enum class WorkbenchButton { KestrelRdson, KestrelHS };

class WorkbenchPort {
  public:
    virtual ~WorkbenchPort() = default;
    virtual void setBoxText(WorkbenchBox box, const QString& text) = 0;
    virtual void setButtonCaption(WorkbenchButton button, const QString& caption) = 0;
};

} // namespace orvand

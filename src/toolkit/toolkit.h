#pragma once
// The seam between the program and the window toolkit: every message box,
// input box, Save dialog and modal show goes through one Toolkit. The program
// uses QtToolkit; tests use ScriptedToolkit, which records the boxes and answers
// from a queue.

#include <QString>
#include <optional>

class QDialog;

namespace orvand {

enum class MessageIcon { Critical, Exclamation, Information };

class Toolkit {
  public:
    virtual ~Toolkit() = default;

    // Modal, OK only. A CR LF pair in the text breaks the line.
    virtual void messageBox(const QString& text, const QString& title, MessageIcon icon) = 0;

    // Modal, OK and Cancel. The typed text on OK, an empty text on Cancel.
    virtual QString inputBox(const QString& prompt, const QString& title) = 0;

    // Modal Save dialog. The chosen path as the user gave it, nothing on Cancel.
    // It never asks about overwriting: the chosen path itself is not written.
    virtual std::optional<QString> saveDialog(const QString& title,
                                              const QString& initialFolder) = 0;

    // Shows the window modally and returns when it has been closed. The window's
    // own handlers run meanwhile, nested inside this call.
    virtual void showModal(QDialog& window) = 0;
};

} // namespace orvand

#pragma once
// A Toolkit for tests and benchmarks: it records every box it is asked to show
// and answers from queues that the test fills beforehand. A box with no answer
// queued is reported through the failure handler and answered so that every
// loop of the program ends (an input box gets the fallback answer, a Save dialog
// is cancelled, a modal window is closed): a test fails instead of hanging.

#include "toolkit.h"

#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace orvand {

struct ShownBox {
    enum class Kind { Message, Input, Save, Modal };
    Kind kind = Kind::Message;
    QString text;  // message text, prompt, initial folder or window object name
    QString title; // title or window caption
    MessageIcon icon = MessageIcon::Critical; // messages only
};

class ScriptedToolkit final : public Toolkit {
public:
    using ModalAction = std::function<void(QDialog&)>;

    // Answers, consumed in order. std::nullopt answers Cancel.
    void queueInput(const std::optional<QString>& answer) {
        inputs_.push_back({!answer.has_value(), answer.value_or(QString())});
    }
    void queueSave(const std::optional<QString>& path) {
        saves_.push_back({!path.has_value(), path.value_or(QString())});
    }
    // Runs on the shown window; a window still open afterwards is closed as by its
    // close box.
    void queueModal(ModalAction action) { modals_.push_back(std::move(action)); }

    void setFailureHandler(std::function<void(const QString&)> handler) {
        onUnexpected_ = std::move(handler);
    }

    const std::vector<ShownBox>& shown() const { return shown_; }
    std::vector<ShownBox> messages() const;
    void clearShown() { shown_.clear(); }
    bool answersLeft() const { return !inputs_.empty() || !saves_.empty() || !modals_.empty(); }

    void messageBox(const QString& text, const QString& title, MessageIcon icon) override;
    QString inputBox(const QString& prompt, const QString& title) override;
    std::optional<QString> saveDialog(const QString& title, const QString& initialFolder) override;
    void showModal(QDialog& window) override;

private:
    void unexpected(const QString& what);

    std::vector<ShownBox> shown_;
    struct Answer {
        bool cancel = false;
        QString text;
    };
    std::deque<Answer> inputs_;
    std::deque<Answer> saves_;
    std::deque<ModalAction> modals_;
    std::function<void(const QString&)> onUnexpected_;
    // Ends every input-box loop of the program: within 85 to 270 and not negative.
    QString fallbackInput_ = QStringLiteral("100");
};

} // namespace orvand

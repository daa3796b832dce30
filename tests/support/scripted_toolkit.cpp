#include "scripted_toolkit.h"

#include <QDialog>
#include <cstdio>

namespace orvand {

std::vector<ShownBox> ScriptedToolkit::ofKind(ShownBox::Kind kind) const {
    std::vector<ShownBox> result;
    for (const ShownBox& box : shown_)
        if (box.kind == kind)
            result.push_back(box);
    return result;
}

int ScriptedToolkit::indexOf(OutputBox box) const {
    for (std::size_t i = 0; i < shown_.size(); ++i)
        if (shown_[i].kind == ShownBox::Kind::Write && shown_[i].box == box)
            return static_cast<int>(i);
    return -1;
}

void ScriptedToolkit::record(ShownBox shown) {
    shown_.push_back(shown);
    // The watcher gets its own copy: what it shows in turn may move shown_.
    if (watcher_)
        watcher_(shown);
}

void ScriptedToolkit::unexpected(const QString& what) {
    if (onUnexpected_)
        onUnexpected_(what);
    else
        std::fprintf(stderr, "ScriptedToolkit: unexpected %s\n", qPrintable(what));
}

void ScriptedToolkit::messageBox(const QString& text, const QString& title, MessageIcon icon) {
    record({ShownBox::Kind::Message, text, title, icon});
}

QString ScriptedToolkit::inputBox(const QString& prompt, const QString& title) {
    record({ShownBox::Kind::Input, prompt, title});
    std::optional<QString> answer = fallbackInput_;
    if (!inputs_.empty()) {
        answer = inputs_.front();
        inputs_.pop_front();
    } else if (answerInput_) {
        answer = answerInput_();
    } else {
        unexpected(QStringLiteral("input box \"%1\" (%2)").arg(title, prompt));
    }
    return answer.value_or(QString());
}

std::optional<QString> ScriptedToolkit::saveDialog(const QString& title,
                                                   const QString& initialFolder) {
    record({ShownBox::Kind::Save, initialFolder, title});
    if (!saves_.empty()) {
        const std::optional<QString> answer = saves_.front();
        saves_.pop_front();
        return answer;
    }
    if (answerSave_)
        return answerSave_();
    unexpected(QStringLiteral("Save dialog \"%1\"").arg(title));
    return std::nullopt;
}

void ScriptedToolkit::showModal(QDialog& window) {
    record({ShownBox::Kind::Modal, window.objectName(), window.windowTitle()});
    window.show();
    ModalAction action = answerModal_;
    if (!modals_.empty()) {
        action = std::move(modals_.front());
        modals_.pop_front();
    }
    if (!action)
        unexpected(QStringLiteral("modal window \"%1\"").arg(window.windowTitle()));
    else if (action(window); window.isVisible())
        unexpected(
            QStringLiteral("window \"%1\" still open after its action").arg(window.windowTitle()));
    // As by its close box, so that the program goes on.
    window.close();
}

void ScriptedToolkit::writeBox(OutputBox box, const QString& text) {
    record({ShownBox::Kind::Write, text, {}, MessageIcon::Critical, box});
}

void ScriptedToolkit::setPoffFontSize(int points) {
    record({ShownBox::Kind::Font, {}, {}, MessageIcon::Critical, OutputBox::OutPoff, points});
}

} // namespace orvand

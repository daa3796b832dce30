#include "scripted_toolkit.h"

#include <QDialog>
#include <cstdio>

namespace orvand {

std::vector<ShownBox> ScriptedToolkit::messages() const {
    std::vector<ShownBox> result;
    for (const ShownBox& box : shown_)
        if (box.kind == ShownBox::Kind::Message)
            result.push_back(box);
    return result;
}

void ScriptedToolkit::unexpected(const QString& what) {
    if (onUnexpected_)
        onUnexpected_(what);
    else
        std::fprintf(stderr, "ScriptedToolkit: unexpected %s\n", qPrintable(what));
}

void ScriptedToolkit::messageBox(const QString& text, const QString& title, MessageIcon icon) {
    shown_.push_back({ShownBox::Kind::Message, text, title, icon});
}

QString ScriptedToolkit::inputBox(const QString& prompt, const QString& title) {
    shown_.push_back({ShownBox::Kind::Input, prompt, title, MessageIcon::Critical});
    if (inputs_.empty()) {
        unexpected(QStringLiteral("input box \"%1\" (%2)").arg(title, prompt));
        return fallbackInput_;
    }
    const Answer answer = inputs_.front();
    inputs_.pop_front();
    return answer.cancel ? QString() : answer.text;
}

std::optional<QString> ScriptedToolkit::saveDialog(const QString& title,
                                                   const QString& initialFolder) {
    shown_.push_back({ShownBox::Kind::Save, initialFolder, title, MessageIcon::Critical});
    if (saves_.empty()) {
        unexpected(QStringLiteral("Save dialog \"%1\"").arg(title));
        return std::nullopt;
    }
    const Answer answer = saves_.front();
    saves_.pop_front();
    if (answer.cancel)
        return std::nullopt;
    return answer.text;
}

void ScriptedToolkit::showModal(QDialog& window) {
    shown_.push_back(
        {ShownBox::Kind::Modal, window.objectName(), window.windowTitle(), MessageIcon::Critical});
    window.show();
    if (modals_.empty()) {
        unexpected(QStringLiteral("modal window \"%1\"").arg(window.windowTitle()));
    } else {
        ModalAction action = std::move(modals_.front());
        modals_.pop_front();
        action(window);
    }
    if (window.isVisible())
        window.close();
}

} // namespace orvand

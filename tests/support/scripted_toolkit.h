#pragma once
// A Toolkit for tests and benchmarks: it records every box it is asked to show,
// and every write and font size of the output section among them, and answers
// from queues the test fills beforehand, else as the test set for the box's
// kind. A box with neither, or a modal window its action leaves open, is
// reported through the failure handler and answered or closed so that every
// loop of the program ends: a test fails instead of hanging.

#include "output_section_port.h"
#include "toolkit.h"

#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <ostream>
#include <vector>

namespace orvand {

struct ShownBox {
    enum class Kind { Message, Input, Save, Modal, Write, Font };
    Kind kind = Kind::Message;
    QString text;  // message text, prompt, initial folder, window object name or written text
    QString title; // title or window caption
    MessageIcon icon = MessageIcon::Critical; // messages only
    OutputBox box = OutputBox::OutRdsonTj;    // writes only
    int points = 0;                           // font sizes only
    bool operator==(const ShownBox&) const = default;
};

inline void PrintTo(const ShownBox& b, std::ostream* out) {
    *out << "{" << int(b.kind) << ", \"" << b.text.toStdString() << "\", \""
         << b.title.toStdString() << "\", " << int(b.icon) << ", " << int(b.box) << ", " << b.points
         << "}";
}

class ScriptedToolkit final : public Toolkit, public OutputSectionPort {
  public:
    using ModalAction = std::function<void(QDialog&)>;
    using Answer = std::function<std::optional<QString>()>;

    // Answers, consumed in order. std::nullopt answers Cancel.
    void queueInput(const std::optional<QString>& answer) { inputs_.push_back(answer); }
    void queueSave(const std::optional<QString>& path) { saves_.push_back(path); }
    // Runs on the shown window, and must leave it closed, by the program or as a
    // user closes it.
    void queueModal(ModalAction action) { modals_.push_back(std::move(action)); }

    // What answers a box of each kind once its queue is empty.
    void answerInputs(Answer answer) { answerInput_ = std::move(answer); }
    void answerSaves(Answer answer) { answerSave_ = std::move(answer); }
    void answerModals(ModalAction action) { answerModal_ = std::move(action); }
    // Sees each box as it is recorded, before it is answered; a write of
    // txtPoutmax is seen inside the write, where its change handler runs.
    void watch(std::function<void(const ShownBox&)> watcher) { watcher_ = std::move(watcher); }

    void setFailureHandler(std::function<void(const QString&)> handler) {
        onUnexpected_ = std::move(handler);
    }

    const std::vector<ShownBox>& shown() const { return shown_; }
    std::vector<ShownBox> messages() const { return ofKind(ShownBox::Kind::Message); }
    std::vector<ShownBox> writes() const { return ofKind(ShownBox::Kind::Write); }
    std::vector<ShownBox> ofKind(ShownBox::Kind kind) const;
    // Where the first write of box stands in shown(), or -1.
    int indexOf(OutputBox box) const;
    void clearShown() { shown_.clear(); }
    bool answersLeft() const { return !inputs_.empty() || !saves_.empty() || !modals_.empty(); }

    void messageBox(const QString& text, const QString& title, MessageIcon icon) override;
    QString inputBox(const QString& prompt, const QString& title) override;
    std::optional<QString> saveDialog(const QString& title, const QString& initialFolder) override;
    void showModal(QDialog& window) override;

    void writeBox(OutputBox box, const QString& text) override;
    void setPoffFontSize(int points) override;

  private:
    void record(ShownBox shown);
    void unexpected(const QString& what);

    std::vector<ShownBox> shown_;
    std::deque<std::optional<QString>> inputs_;
    std::deque<std::optional<QString>> saves_;
    std::deque<ModalAction> modals_;
    Answer answerInput_;
    Answer answerSave_;
    ModalAction answerModal_;
    std::function<void(const ShownBox&)> watcher_;
    std::function<void(const QString&)> onUnexpected_;
    // Ends every input-box loop of the program: within 85 to 270 and not negative.
    QString fallbackInput_ = QStringLiteral("100");
};

} // namespace orvand

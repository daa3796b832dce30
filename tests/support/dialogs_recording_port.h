#pragma once
// A stand-in for the main window in dialog tests: it records every write in
// order, with a copy of the record as it stood at that moment, so a test can
// check the order of a handler's steps.

#include "design_record.h"
#include "scripted_toolkit.h"
#include "workbench_port.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QRadioButton>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace orvand::test {

struct PortWrite {
    QString what; // "box Rthja", "caption KestrelHS", ...
    QString text;
    DesignRecord recordThen;
};

class RecordingPort final : public WorkbenchPort {
  public:
    explicit RecordingPort(const DesignRecord& record) : record_(record) {}

    // Named in the order of the enumerations.
    void setBoxText(WorkbenchBox box, const QString& text) override {
        const char* names[] = {"Rthja", "fwork", "Poutmax", "Ron25", "Rthjc"};
        writes.push_back({QStringLiteral("box ") + names[int(box)], text, record_});
    }
    void setButtonCaption(WorkbenchButton button, const QString& caption) override {
        const char* names[] = {"KestrelRdson", "KestrelHS"};
        writes.push_back({QStringLiteral("caption ") + names[int(button)], caption, record_});
    }

    // Each write as "what text", in order.
    QStringList log() const {
        QStringList lines;
        for (const PortWrite& write : writes)
            lines << write.what + QLatin1Char(' ') + write.text;
        return lines;
    }

    std::vector<PortWrite> writes;

  private:
    const DesignRecord& record_;
};

inline QRadioButton* Option(QDialog& dialog, const QString& name) {
    auto* option = dialog.findChild<QRadioButton*>(name);
    EXPECT_NE(option, nullptr) << "no option " << name.toStdString();
    return option;
}

// A scripted modal action: select the option (none when name is empty) and
// press OK.
inline ScriptedToolkit::ModalAction ChooseAndOk(const QString& name) {
    return [name](QDialog& dialog) {
        if (QRadioButton* option = name.isEmpty() ? nullptr : Option(dialog, name))
            QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
        auto* ok = dialog.findChild<QAbstractButton*>(QStringLiteral("cmdOK"));
        ASSERT_NE(ok, nullptr);
        QTest::mouseClick(ok, Qt::LeftButton);
    };
}

// The controls that take the focus by Tab, in the window's keyboard order from
// its start. Tab visits an option group once; the order within it decides
// which option the focus enters first.
inline std::vector<std::string> KeyboardOrder(QWidget& window) {
    std::vector<std::string> names;
    for (QWidget* next = window.nextInFocusChain(); next != &window;
         next = next->nextInFocusChain())
        if ((next->focusPolicy() & Qt::TabFocus) != 0 && next->isEnabled())
            names.push_back(next->objectName().toStdString());
    return names;
}

// Shows the window as a user sees it, active, and names the control that has
// the focus then.
inline std::string FocusWhenShown(QDialog& dialog) {
    dialog.show();
    if (!QTest::qWaitForWindowActive(&dialog))
        return "(not active)";
    QWidget* focus = QApplication::focusWidget();
    return focus != nullptr ? focus->objectName().toStdString() : "(none)";
}

// Closed by its close box, nothing pressed.
inline void CloseBox(QDialog& dialog) {
    dialog.close();
}

// Does next in the window, counting it in fresh when it came up alone, with no
// option selected and nothing written yet.
inline ScriptedToolkit::ModalAction CountingFresh(int& fresh, const RecordingPort& port,
                                                  ScriptedToolkit::ModalAction next) {
    return [&fresh, &port, next](QDialog& dialog) {
        // The dialog windows that exist now, shown or not: this one alone.
        const auto windows = QApplication::topLevelWidgets();
        bool empty = port.writes.empty() && std::ranges::count_if(windows, [](QWidget* window) {
                                                return qobject_cast<QDialog*>(window) != nullptr;
                                            }) == 1;
        for (QRadioButton* option : dialog.findChildren<QRadioButton*>())
            empty = empty && !option->isChecked();
        fresh += empty ? 1 : 0;
        next(dialog);
    };
}

inline long ModalsShown(const ScriptedToolkit& toolkit, const QString& window) {
    return std::ranges::count(toolkit.ofKind(ShownBox::Kind::Modal), window, &ShownBox::text);
}

// A test on the scripted toolkit that fails on any box it was not told to
// expect and on an answer left unused; port stands in for the main window.
class ScriptedTest : public ::testing::Test {
  protected:
    void SetUp() override {
        toolkit.setFailureHandler(
            [](const QString& what) { ADD_FAILURE() << "unexpected " << what.toStdString(); });
    }
    void TearDown() override { EXPECT_FALSE(toolkit.answersLeft()) << "unused answers"; }

    DesignRecord record;
    RecordingPort port{record};
    ScriptedToolkit toolkit;
};

} // namespace orvand::test

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
#include <array>
#include <gtest/gtest.h>
#include <map>
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

    void setBoxText(WorkbenchBox box, const QString& text) override {
        boxes[box] = text;
        writes.push_back({QStringLiteral("box ") + BoxName(box), text, record_});
    }
    void setButtonCaption(WorkbenchButton button, const QString& caption) override {
        captions[button] = caption;
        writes.push_back({QStringLiteral("caption ") + ButtonName(button), caption, record_});
    }

    QStringList order() const {
        QStringList names;
        for (const PortWrite& write : writes)
            names << write.what;
        return names;
    }
    const PortWrite* find(const QString& what) const {
        for (const PortWrite& write : writes)
            if (write.what == what)
                return &write;
        return nullptr;
    }

    // In the order of the enumerations.
    static QString BoxName(WorkbenchBox box) {
        return QString::fromLatin1(
            std::array{"Rthja", "fwork", "Poutmax", "Ron25", "Rthjc"}[std::size_t(box)]);
    }
    static QString ButtonName(WorkbenchButton button) {
        return QString::fromLatin1(std::array{"KestrelRdson", "KestrelHS"}[std::size_t(button)]);
    }

    std::vector<PortWrite> writes;
    std::map<WorkbenchBox, QString> boxes;
    std::map<WorkbenchButton, QString> captions;

private:
    const DesignRecord& record_;
};

inline QRadioButton* Option(QDialog& dialog, const QString& name) {
    auto* option = dialog.findChild<QRadioButton*>(name);
    EXPECT_NE(option, nullptr) << "no option " << name.toStdString();
    return option;
}

inline void ClickOk(QDialog& dialog) {
    auto* ok = dialog.findChild<QAbstractButton*>(QStringLiteral("cmdOK"));
    ASSERT_NE(ok, nullptr);
    QTest::mouseClick(ok, Qt::LeftButton);
}

// A scripted modal action: select the option (none when name is empty) and
// press OK.
inline ScriptedToolkit::ModalAction ChooseAndOk(const QString& name) {
    return [name](QDialog& dialog) {
        if (!name.isEmpty()) {
            if (QRadioButton* option = Option(dialog, name))
                QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
        }
        ClickOk(dialog);
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
inline void CloseBox(QDialog&) {}

inline int ModalsShown(const ScriptedToolkit& toolkit, const QString& window) {
    int count = 0;
    for (const ShownBox& box : toolkit.shown())
        if (box.kind == ShownBox::Kind::Modal && box.text == window)
            ++count;
    return count;
}

// Dialog windows that exist now, shown or not.
inline int DialogsAlive() {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        count += qobject_cast<QDialog*>(widget) != nullptr ? 1 : 0;
    return count;
}

class DialogTest : public ::testing::Test {
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

#pragma once
// A fresh program for one test: the main window after start-up (its notice is
// expected and cleared) on the test's record and toolkit. freshWindow() starts
// the program afresh within a test, as for each row of a table.

#include "design_record.h"
#include "dialogs_recording_port.h"
#include "form_workbench.h"
#include "locale_scope.h"
#include "qstring_printer.h"
#include "scripted_toolkit.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>

namespace orvand::test {

// As the window starts: the options selected, and the package button's caption,
// whose blanks put "Kestrel" alone on the first line.
inline const QStringList kStartSelection{"optflybackdcm", "optVacinUniversalRange", "optNoSave"};
inline const QString kPackageStartCaption =
    QString(15, u' ') + "Kestrel" + QString(16, u' ') + "Package - Heatsink Selection";

class WorkbenchFixture : public ScriptedTest {
  protected:
    void SetUp() override {
        ScriptedTest::SetUp();
        window = std::make_unique<FormWorkbench>(record, toolkit);
        window->Form_Load();
        window->show();
        toolkit.clearShown();
    }
    void TearDown() override {
        ScriptedTest::TearDown();
        window.reset();
    }
    void freshWindow() {
        WorkbenchFixture::TearDown();
        record = DesignRecord{};
        WorkbenchFixture::SetUp();
    }

    template <typename T> T* find(const char* name) const {
        T* widget = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << "no control named " << name;
        return widget;
    }
    QLineEdit* box(const char* name) const { return find<QLineEdit>(name); }

    // Every message box shown since the toolkit's record was last cleared.
    void expectMessages(const std::vector<ShownBox>& expected) const {
        EXPECT_EQ(toolkit.messages(), expected);
    }

    // The texts of the named boxes, in order.
    QStringList texts(std::initializer_list<const char*> names) const {
        QStringList shown;
        for (const char* name : names)
            shown << box(name)->text();
        return shown;
    }

    // The selected option of each group, in the order setupUi made them.
    QStringList selected() const {
        QStringList names;
        for (const QRadioButton* option : window->findChildren<QRadioButton*>())
            if (option->isChecked())
                names << option->objectName();
        return names;
    }

    // As a user does it: a click near the control's left edge, where a short
    // caption cannot make the click miss an option's or a tick box's indicator,
    // and keys typed over the box's selected text.
    void click(const char* name) const {
        QWidget* target = find<QWidget>(name);
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(6, target->height() / 2));
    }
    void type(const char* name, const QString& keys) const {
        QLineEdit* target = box(name);
        target->selectAll();
        QTest::keyClicks(target, keys);
    }
    // Opens a dialog by its button and picks the option there with OK.
    void choose(const char* button, const char* option) {
        toolkit.queueModal(ChooseAndOk(QLatin1String(option)));
        click(button);
    }

    LocaleScope locale{PointLocale()};
    std::unique_ptr<FormWorkbench> window;
};

} // namespace orvand::test

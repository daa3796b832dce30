#include "tab_stop_follows_selection.h"

#include <QAbstractButton>
#include <QButtonGroup>

namespace orvand {

namespace {

void PutTabStopOnSelection(QButtonGroup& group) {
    QAbstractButton* selected = group.checkedButton();
    if (selected == nullptr)
        return;
    for (QAbstractButton* button : group.buttons()) {
        const Qt::FocusPolicy policy = button->focusPolicy();
        button->setFocusPolicy(button == selected ? Qt::FocusPolicy(policy | Qt::TabFocus)
                                                  : Qt::FocusPolicy(policy & ~Qt::TabFocus));
    }
    const auto* focus = qobject_cast<const QAbstractButton*>(selected->window()->focusWidget());
    if (focus != nullptr && focus != selected && focus->group() == &group)
        selected->setFocus(Qt::OtherFocusReason);
}

} // namespace

void KeepTabStopOnSelection(QButtonGroup& group) {
    PutTabStopOnSelection(group);
    QObject::connect(&group, &QButtonGroup::buttonToggled, &group,
                     [&group](QAbstractButton*, bool checked) {
                         if (checked)
                             PutTabStopOnSelection(group);
                     });
}

} // namespace orvand

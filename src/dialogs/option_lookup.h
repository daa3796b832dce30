#pragma once
// Finding a dialog's option buttons by the names its tables use.

#include <QDialog>
#include <QRadioButton>
#include <QString>
#include <string_view>

namespace orvand {

// A text of a dialog's table, as the window shows it.
inline QString TableText(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// The first row of table whose option button is selected, or nullptr.
template <typename Table>
const typename Table::value_type* FirstSelected(const QDialog& dialog, const Table& table) {
    for (const auto& row : table) {
        const auto* option = dialog.findChild<const QRadioButton*>(TableText(row.option));
        if (option != nullptr && option->isChecked())
            return &row;
    }
    return nullptr;
}

} // namespace orvand

#pragma once

#include "toolkit.h"

#include <QPointer>
#include <QWidget>

namespace orvand {

class QtToolkit final : public Toolkit {
  public:
    // Boxes are centred on the parent once one is set (the main window).
    void setParent(QWidget* parent) { parent_ = parent; }

    void messageBox(const QString& text, const QString& title, MessageIcon icon) override;
    QString inputBox(const QString& prompt, const QString& title) override;
    std::optional<QString> saveDialog(const QString& title, const QString& initialFolder) override;
    void showModal(QDialog& window) override;

  private:
    QPointer<QWidget> parent_;
};

} // namespace orvand

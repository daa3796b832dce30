#pragma once
// The small logo at the lower right of the main window. It only draws itself.

#include <QWidget>

namespace orvand {

class LogoWidget final : public QWidget {
    Q_OBJECT
  public:
    explicit LogoWidget(QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace orvand

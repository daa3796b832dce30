#pragma once
// The chart window: a picture of Rthja against the copper area that closes the
// window when clicked.

#include <QDialog>
#include <QWidget>

namespace orvand {

class RthjaChartPicture final : public QWidget {
    Q_OBJECT
  public:
    explicit RthjaChartPicture(QWidget* parent = nullptr);

  Q_SIGNALS:
    void clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    bool pressed_ = false;
};

class FormRthjcvsCopper final : public QDialog {
    Q_OBJECT
  public:
    explicit FormRthjcvsCopper(QWidget* parent = nullptr);

  public Q_SLOTS:
    void imgRthjavsCopperA_Click();
};

} // namespace orvand

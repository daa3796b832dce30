#pragma once
// Guards tests that drive the real Qt toolkit: any modal widget that is still
// open when the watchdog fires is closed and the test fails, so a forgotten box
// never hangs the run.

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

namespace orvand::test {

class ModalWatchdog {
  public:
    explicit ModalWatchdog(int milliseconds = 5000) {
        timer_.setInterval(milliseconds);
        QObject::connect(&timer_, &QTimer::timeout, &timer_, [] {
            while (QWidget* modal = QApplication::activeModalWidget()) {
                ADD_FAILURE() << "modal window left open: " << modal->windowTitle().toStdString();
                modal->close();
            }
        });
        timer_.start();
    }

  private:
    QTimer timer_;
};

} // namespace orvand::test

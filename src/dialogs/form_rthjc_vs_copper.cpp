#include "form_rthjc_vs_copper.h"

#include "rthja_chart.h"

#include <QMouseEvent>
#include <QPainter>

namespace orvand {

RthjaChartPicture::RthjaChartPicture(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void RthjaChartPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintRthjaChart(painter, size());
}

// A click is a press and a release on the picture, as for a button.
void RthjaChartPicture::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
}

void RthjaChartPicture::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click)
        Q_EMIT clicked();
}

FormRthjcvsCopper::FormRthjcvsCopper(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormRthjcvsCopper"));
    setWindowTitle(QStringLiteral("Thermal Resistance of Different Packages and Copper Area"));
    setGeometry(17, 23, 1001, 733);

    // The picture reaches a little below the client area, as it always has.
    auto* picture = new RthjaChartPicture(this);
    picture->setObjectName(QStringLiteral("imgRthjavsCopperA"));
    picture->setGeometry(0, 0, 1001, 737);
    picture->setToolTip(QStringLiteral("Click here to Close"));
    connect(picture, &RthjaChartPicture::clicked, this,
            &FormRthjcvsCopper::imgRthjavsCopperA_Click);
}

void FormRthjcvsCopper::imgRthjavsCopperA_Click() {
    close();
}

} // namespace orvand

#include "logo_widget.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

namespace orvand {

LogoWidget::LogoWidget(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LogoWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = rect();
    const qreal h = area.height();

    // A ring crossed by a flyback pulse, then the name.
    const QColor blue(0, 70, 140);
    const QRectF ring(1.5, 1.5, h - 3.0, h - 3.0);
    painter.setPen(QPen(blue, 2.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(ring);
    QPainterPath pulse;
    pulse.moveTo(ring.left() + 2.0, ring.center().y() + 2.0);
    pulse.lineTo(ring.center().x() - 2.0, ring.center().y() + 2.0);
    pulse.lineTo(ring.center().x() - 2.0, ring.top() + 4.0);
    pulse.lineTo(ring.center().x() + 2.0, ring.bottom() - 4.0);
    pulse.lineTo(ring.right() - 2.0, ring.center().y() - 2.0);
    painter.setPen(QPen(QColor(200, 30, 30), 1.5));
    painter.drawPath(pulse);

    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    const QRectF textArea = area.adjusted(h + 3.0, 0, 0, 0);
    const QString name = QStringLiteral("ORVAND");
    // The largest size up to 60 % of the height that still fits the width.
    for (int pixels = qMax(8, int(h * 0.6)); pixels > 6; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetricsF(font).horizontalAdvance(name) <= textArea.width())
            break;
    }
    painter.setFont(font);
    painter.setPen(blue);
    painter.drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter, name);
}

} // namespace orvand

#include "rthja_chart.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QString>
#include <array>
#include <cmath>

namespace orvand {

namespace {

struct Measured {
    double area;
    double rthja;
};

// Measured on the test board; the values at 0, 3 and 6 cm² are those of the
// package dialog.
constexpr std::array<Measured, 7> kDip8Measured{
    {{0, 90}, {1, 80}, {2, 70}, {3, 64}, {4, 59.5}, {5, 57}, {6, 56}}};
constexpr std::array<Measured, 7> kSo14Measured{
    {{0, 112}, {1, 105}, {2, 97.5}, {3, 92}, {4, 86}, {5, 82.5}, {6, 78}}};

constexpr double kAreaStep = 0.5;
constexpr double kRthjaStep = 5.0;

QFont ChartFont(const QSize& size, double share, bool bold = false) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(std::max(8, static_cast<int>(std::lround(size.height() * share))));
    font.setBold(bold);
    return font;
}

template <typename Points>
QPolygonF MeasuredLine(const RthjaChartLayout& layout, const Points& points) {
    QPolygonF line;
    for (const Measured& point : points)
        line << layout.toPixel(point.area, point.rthja);
    return line;
}

QPolygonF TrendLine(const RthjaChartLayout& layout, double (*trend)(double)) {
    QPolygonF line;
    constexpr int steps = 120;
    for (int i = 0; i <= steps; ++i) {
        const double area = kChartAreaMax * i / steps;
        line << layout.toPixel(area, trend(area));
    }
    return line;
}

void PaintGrid(QPainter& painter, const RthjaChartLayout& layout) {
    const QFont font = ChartFont(layout.size, 0.022);
    const QFontMetricsF metrics(font);
    painter.setFont(font);
    const std::vector<ChartTick> areaTicks = CopperAreaTicks();
    const std::vector<ChartTick> rthjaTicks = RthjaTicks();
    painter.setPen(QPen(QColor(192, 192, 192), 1));
    for (const ChartTick& tick : areaTicks) {
        const double x = layout.toPixel(tick.value, kChartRthjaMin).x();
        painter.drawLine(QPointF(x, layout.plot.top()), QPointF(x, layout.plot.bottom()));
    }
    for (const ChartTick& tick : rthjaTicks) {
        const double y = layout.toPixel(0, tick.value).y();
        painter.drawLine(QPointF(layout.plot.left(), y), QPointF(layout.plot.right(), y));
    }

    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(layout.plot);
    const double gap = metrics.height() * 0.4;
    for (const ChartTick& tick : areaTicks) {
        const QPointF at = layout.toPixel(tick.value, kChartRthjaMin);
        const double w = metrics.horizontalAdvance(tick.text);
        painter.drawText(QPointF(at.x() - w / 2, at.y() + gap + metrics.ascent()), tick.text);
    }
    for (const ChartTick& tick : rthjaTicks) {
        const QPointF at = layout.toPixel(0, tick.value);
        const double w = metrics.horizontalAdvance(tick.text);
        painter.drawText(QPointF(at.x() - gap - w, at.y() + metrics.ascent() / 2 - 1), tick.text);
    }
}

void PaintTitles(QPainter& painter, const RthjaChartLayout& layout) {
    const QRectF whole(QPointF(0, 0), QSizeF(layout.size));
    painter.setPen(Qt::black);
    painter.setFont(ChartFont(layout.size, 0.030, true));
    painter.drawText(QRectF(0, 0, whole.width(), layout.plot.top()), Qt::AlignCenter,
                     QStringLiteral("Junction-to-Ambient Thermal Resistance Rthja of Different "
                                    "Packages and Copper Areas"));

    const QFont font = ChartFont(layout.size, 0.025, true);
    const QFontMetricsF metrics(font);
    painter.setFont(font);
    const double below = layout.plot.bottom() + metrics.height() * 1.3;
    painter.drawText(QRectF(layout.plot.left(), below, layout.plot.width(), metrics.height()),
                     Qt::AlignCenter, QStringLiteral("Copper Area [cm²]"));

    painter.save();
    painter.translate(layout.plot.left() * 0.3, layout.plot.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-layout.plot.height() / 2, -metrics.height() / 2, layout.plot.height(),
                            metrics.height()),
                     Qt::AlignCenter, QStringLiteral("Rthja [K/W]"));
    painter.restore();
}

QPen MeasuredPen(const QColor& colour) {
    QPen pen(colour, 1.5, Qt::DashLine);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

QPen TrendPen(const QColor& colour) {
    QPen pen(colour, 3.5);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

void PaintLegend(QPainter& painter, const RthjaChartLayout& layout) {
    struct Entry {
        QPen pen;
        QString text;
    };
    const std::array<Entry, 4> entries{{
        {MeasuredPen(Dip8ChartColour()), QStringLiteral("DIP 8 measured")},
        {TrendPen(Dip8ChartColour()), QStringLiteral("DIP 8 polynomial trend")},
        {MeasuredPen(So14ChartColour()), QStringLiteral("SO14 measured")},
        {TrendPen(So14ChartColour()), QStringLiteral("SO14 polynomial trend")},
    }};
    const QFont font = ChartFont(layout.size, 0.022);
    const QFontMetricsF metrics(font);
    painter.setFont(font);
    // Two columns, one per package; measured above trend.
    const double top = layout.plot.bottom() + metrics.height() * 3.4;
    const double cell = layout.plot.width() / 2;
    const double sample = cell * 0.15;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const double left = layout.plot.left() + cell * 0.25 + cell * static_cast<double>(i / 2);
        const double y = top + metrics.height() * 1.4 * static_cast<double>(i % 2);
        painter.setPen(entries[i].pen);
        painter.drawLine(QPointF(left, y), QPointF(left + sample, y));
        painter.setPen(Qt::black);
        painter.drawText(
            QPointF(left + sample + metrics.height() * 0.5, y + metrics.ascent() / 2 - 1),
            entries[i].text);
    }
}

} // namespace

RthjaChartLayout::RthjaChartLayout(QSize chartSize)
    : size(chartSize), plot(QPointF(chartSize.width() * 0.09, chartSize.height() * 0.09),
                            QPointF(chartSize.width() * 0.96, chartSize.height() * 0.78)) {}

QPointF RthjaChartLayout::toPixel(double copperArea, double rthja) const {
    const double x = plot.left() + plot.width() * copperArea / kChartAreaMax;
    const double y = plot.bottom() -
                     plot.height() * (rthja - kChartRthjaMin) / (kChartRthjaMax - kChartRthjaMin);
    return {x, y};
}

std::vector<ChartTick> CopperAreaTicks() {
    std::vector<ChartTick> ticks;
    for (int i = 0; i <= static_cast<int>(kChartAreaMax / kAreaStep); ++i) {
        const double area = i * kAreaStep;
        ticks.push_back(
            {area, QString::number(area, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(','))});
    }
    return ticks;
}

std::vector<ChartTick> RthjaTicks() {
    std::vector<ChartTick> ticks;
    const int rows = static_cast<int>((kChartRthjaMax - kChartRthjaMin) / kRthjaStep);
    for (int i = 0; i <= rows; ++i) {
        const double rthja = kChartRthjaMin + i * kRthjaStep;
        ticks.push_back({rthja, QString::number(rthja, 'f', 0)});
    }
    return ticks;
}

QColor Dip8ChartColour() {
    return QColor(0, 0, 139);
}
QColor So14ChartColour() {
    return QColor(255, 0, 0);
}

double Dip8Trend(double a) {
    return 90.0 - 35.0 / 3.0 * a + a * a;
}
double So14Trend(double a) {
    return 112.0 - 23.0 / 3.0 * a + a * a / 3.0;
}

void PaintRthjaChart(QPainter& painter, QSize size) {
    const RthjaChartLayout layout(size);
    painter.save();
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    PaintGrid(painter, layout);
    PaintTitles(painter, layout);

    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setClipRect(layout.plot);
    // Measured lines first: the thick trend lines stay on top where they meet.
    painter.setPen(MeasuredPen(Dip8ChartColour()));
    painter.drawPolyline(MeasuredLine(layout, kDip8Measured));
    painter.setPen(MeasuredPen(So14ChartColour()));
    painter.drawPolyline(MeasuredLine(layout, kSo14Measured));
    painter.setPen(TrendPen(Dip8ChartColour()));
    painter.drawPolyline(TrendLine(layout, &Dip8Trend));
    painter.setPen(TrendPen(So14ChartColour()));
    painter.drawPolyline(TrendLine(layout, &So14Trend));
    painter.setClipping(false);

    PaintLegend(painter, layout);
    painter.restore();
}

} // namespace orvand

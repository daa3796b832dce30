#pragma once
// The chart of Rthja against the copper area on the board for the DIP 8 and
// SO14 packages, drawn for any size of picture.

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>
#include <vector>

class QPainter;

namespace orvand {

// Where the plot area of a chart of a given size lies, and where a value falls.
struct RthjaChartLayout {
    explicit RthjaChartLayout(QSize size);
    QPointF toPixel(double copperArea, double rthja) const;

    QSize size;
    QRectF plot;
};

inline constexpr double kChartAreaMax = 6.0;   // cm²
inline constexpr double kChartRthjaMin = 50.0; // K/W
inline constexpr double kChartRthjaMax = 120.0;

// A value on an axis with the label written beside it; each also carries a grid
// line. The labels read the same on every system: the chart copies a printed
// one, decimal comma included.
struct ChartTick {
    double value;
    QString text;
};
std::vector<ChartTick> CopperAreaTicks(); // cm², every 0.5
std::vector<ChartTick> RthjaTicks();      // K/W, every 5

QColor Dip8ChartColour();
QColor So14ChartColour();

// The polynomial trend lines through the measured values (K/W over cm²).
double Dip8Trend(double copperArea);
double So14Trend(double copperArea);

void PaintRthjaChart(QPainter& painter, QSize size);

} // namespace orvand

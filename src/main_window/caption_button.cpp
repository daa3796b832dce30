#include "caption_button.h"

#include <QEvent>
#include <QFontMetrics>
#include <QStringList>

namespace orvand {

QString WrapAtBlanks(const QString& text, const QFontMetrics& metrics, int width) {
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    // Words are separated by single blanks; runs of blanks become line breaks
    // where a line would overflow, and are kept where the line still fits.
    QStringList lines;
    QString line;
    const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString& word : words) {
        const QString candidate = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (!line.isEmpty() && metrics.horizontalAdvance(candidate) > width) {
            lines << line;
            line = word;
        } else {
            line = candidate;
        }
    }
    if (!line.isEmpty())
        lines << line;
    return lines.join(QLatin1Char('\n'));
}

CaptionButton::CaptionButton(QWidget* parent) : QPushButton(parent) {}

void CaptionButton::setCaption(const QString& caption) {
    caption_ = caption;
    rewrap();
}

void CaptionButton::resizeEvent(QResizeEvent* event) {
    QPushButton::resizeEvent(event);
    rewrap();
}

void CaptionButton::changeEvent(QEvent* event) {
    QPushButton::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        rewrap();
}

void CaptionButton::rewrap() {
    // A few pixels of frame on each side.
    const int usable = width() - 8;
    const QString shown = WrapAtBlanks(caption_, fontMetrics(), usable > 0 ? usable : width());
    if (shown != text())
        setText(shown);
}

} // namespace orvand

#include "caption_button.h"

#include <QEvent>
#include <QFontMetrics>
#include <QStringList>

namespace orvand {

QString WrapAtBlanks(const QString& text, const QFontMetrics& metrics, int width) {
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    // Blanks take their width like any character, so a run of them can push the
    // next word onto a new line; a run at a break is swallowed by the break,
    // and so are those before the first word and after the last. The blanks
    // before the first word still take their room on the first line: they are
    // dropped only once the lines are set.
    QStringList lines;
    QString line;
    const QChar blank = QLatin1Char(' ');
    for (qsizetype i = 0; i < text.size();) {
        qsizetype start = i;
        while (i < text.size() && text[i] == blank)
            ++i;
        const QString blanks = text.mid(start, i - start);
        start = i;
        while (i < text.size() && text[i] != blank)
            ++i;
        const QString word = text.mid(start, i - start);
        if (word.isEmpty())
            break;
        const QString candidate = line + blanks + word;
        if (metrics.horizontalAdvance(candidate) <= width) {
            line = candidate;
        } else {
            if (!line.isEmpty())
                lines << line;
            line = word;
        }
    }
    if (!line.isEmpty())
        lines << line;
    if (!lines.isEmpty()) {
        qsizetype lead = 0;
        while (lead < lines[0].size() && lines[0][lead] == blank)
            ++lead;
        lines[0].remove(0, lead);
    }
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

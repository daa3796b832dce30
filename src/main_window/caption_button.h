#pragma once
// A push button that keeps its caption exactly as set and shows it on several
// lines, broken at blanks, when it is wider than the button (a QPushButton would
// clip it on one line).

#include <QPushButton>
#include <QString>

namespace orvand {

// Breaks text at blanks so that no line is wider than width, where that can be
// done; a single word wider than width stays on its own line. A text that fits
// comes back as it is; of a broken one, the blanks at its ends and at each
// break are not shown.
QString WrapAtBlanks(const QString& text, const QFontMetrics& metrics, int width);

class CaptionButton : public QPushButton {
    Q_OBJECT
  public:
    explicit CaptionButton(QWidget* parent = nullptr);

    void setCaption(const QString& caption);
    QString caption() const { return caption_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void rewrap();

    QString caption_;
};

} // namespace orvand

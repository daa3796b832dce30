// Each window as a user sees it, pixel by pixel: the main window as it starts
// and after case A, and each other window as it opens, drawn offscreen in one
// style and palette (the windows set their fonts) and compared with its picture
// in tests/reference; one that differs is saved beside the build with a picture
// of where. ORVAND_WRITE_IMAGES=<folder> saves every picture there instead of
// comparing: scripts/reference-images.sh makes the references so.

#include "workbench_fixture.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFontInfo>
#include <QPushButton>
#include <QStyle>
#include <algorithm>
#include <cstdlib>

namespace orvand::test {
namespace {

// The largest difference of a colour channel that still counts as the same
// pixel. The three builds, repeated runs and other processors' drawing code
// differ by none; a margin of rounding stays, while a colour three steps off,
// another letter or a control one pixel away differ by more.
constexpr int kTolerance = 2;

// Compares the window, active and fully drawn, with its reference picture.
void ExpectAsReference(QWidget& window, const char* name) {
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window)) << name;
    const QImage shown = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QString file = QString::fromLatin1(name) + ".png";
    if (const QString folder = qEnvironmentVariable("ORVAND_WRITE_IMAGES"); !folder.isEmpty()) {
        EXPECT_TRUE(shown.save(QDir(folder).filePath(file)));
        return;
    }
    const QString referenceFile = QDir(ORVAND_REFERENCE_IMAGES).filePath(file);
    const QImage reference = QImage(referenceFile).convertToFormat(QImage::Format_RGB32);
    // Differing pixels in red over a faded copy of the window.
    QImage difference(shown.size(), QImage::Format_RGB32);
    int worst = 0, beyond = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            const QRgb a = shown.pixel(x, y),
                       b = reference.valid(x, y) ? reference.pixel(x, y) : a ^ 0x808080u;
            const int d = std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                    std::abs(qBlue(a) - qBlue(b))});
            worst = std::max(worst, d);
            beyond += d > kTolerance ? 1 : 0;
            const int faded = 191 + qGray(a) / 4;
            difference.setPixel(x, y, d > kTolerance ? qRgb(255, 0, 0) : qRgb(faded, faded, faded));
        }
    if (beyond == 0 && shown.size() == reference.size())
        return;
    const QDir out(ORVAND_RENDERED_IMAGES);
    out.mkpath(".");
    shown.save(out.filePath(file));
    difference.save(out.filePath(QString::fromLatin1(name) + "-difference.png"));
    ADD_FAILURE() << name << " (" << shown.width() << "x" << shown.height() << ") against "
                  << referenceFile.toStdString() << " (" << reference.width() << "x"
                  << reference.height() << "): " << beyond << " pixels differ by more than "
                  << kTolerance << ", at most by " << worst << "; see "
                  << out.filePath(file).toStdString() << " and its -difference.png";
}

class RenderedImages : public WorkbenchFixture {
  protected:
    static void SetUpTestSuite() {
        QApplication::setStyle(QStringLiteral("Fusion"));
        QApplication::setPalette(QApplication::style()->standardPalette());
        QApplication::setCursorFlashTime(0); // a text cursor that does not blink
    }
    // Opens a window by its button, compares it as it opens, and closes it.
    void expectOpensAsReference(const char* button, const char* name) {
        toolkit.queueModal([name](QDialog& dialog) {
            ExpectAsReference(dialog, name);
            dialog.close();
        });
        find<QAbstractButton>(button)->click();
    }
};

TEST_F(RenderedImages, EachWindowLooksAsItsReference) {
    // The pictures were drawn with the face fonts-liberation gives Arial.
    ASSERT_EQ(QFontInfo(window->font()).family(), "Liberation Sans");
    ExpectAsReference(*window, "main-window-start");
    // Case A: a discrete switch of 3 ohm in a package of 90 K/W.
    find<QPushButton>("cmdHarrierRdson")->click();
    box("txtRon25")->setText("3");
    box("txtRthja")->setText("90");
    find<QPushButton>("CmdStart")->click();
    ExpectAsReference(*window, "main-window-case-a");

    expectOpensAsReference("cmdKestrelRdson", "device-window");
    expectOpensAsReference("cmdKestrelHS", "package-window");
    expectOpensAsReference("cmdCopperArea", "rthja-chart");
    find<QAbstractButton>("chkHeatsink")->click();
    expectOpensAsReference("CmdRthjc", "rthjc-selection");
}

} // namespace
} // namespace orvand::test

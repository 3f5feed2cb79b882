// The paint boxes on a high-density screen, run with QT_SCALE_FACTOR set (2
// and 1.5): each image pixel is shown as whole device pixels of its own
// colour, nearest-neighbour, with no smoothing between neighbours; at 2 as
// exact 2 x 2 blocks.
#include <cmath>

#include <QPixmap>
#include <QSet>

#include "ShellTestSupport.h"
#include "shell/PaintBox.h"
#include "shell/VarkelonApplication.h"

namespace varkelon::test {

namespace {

// The image pixels under device pixel d: those that [d, d + 1) overlaps once
// scaled back by the ratio. Nearest-neighbour shows one of them; which one,
// where a device pixel straddles two, is Qt's rounding.
int firstUnder(int device, double ratio) {
    return static_cast<int>(std::floor(device / ratio));
}
int lastUnder(int device, double ratio) {
    return static_cast<int>(std::ceil((device + 1) / ratio)) - 1;
}

// The first device pixel that shows a colour none of the image pixels under
// it has (a blend, or a pixel from elsewhere), or an empty string.
QString firstForeignPixel(const QImage& shown, const QImage& image, double ratio) {
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            bool found = false;
            for (int iy = firstUnder(y, ratio); iy <= lastUnder(y, ratio); ++iy)
                for (int ix = firstUnder(x, ratio); ix <= lastUnder(x, ratio); ++ix)
                    found = found || image.pixel(ix, iy) == shown.pixel(x, y);
            if (!found)
                return QStringLiteral("device pixel %1, %2 shows %3")
                    .arg(x)
                    .arg(y)
                    .arg(shown.pixel(x, y), 8, 16);
        }
    }
    return QString();
}

QImage shownOn(QWidget& box) {
    return box.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

}  // namespace

class ScaleTest : public QObject {
    Q_OBJECT

private:
    double ratio = 1;

private slots:
    void initTestCase() {
        ratio = qApp->devicePixelRatio();
        QVERIFY2(ratio > 1, "run with QT_SCALE_FACTOR=2 or 1.5");
    }

    void paintBoxShowsEveryPixelInWholeDevicePixels() {
        PaintBox box(nullptr, QRect(0, 0, 40, 20), Qt::white);
        // A colour of its own for every pixel, neighbours far apart in every
        // channel, so that a blend of two is none of them.
        QImage& image = box.image();
        QSet<QRgb> colours;
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 40; ++x) {
                image.setPixel(x, y, qRgb(x * 6, y * 12, (x + y) % 2 * 255));
                colours.insert(image.pixel(x, y));
            }
        }

        const QImage shown = shownOn(box);
        QCOMPARE(shown.size(), QSize(qRound(40 * ratio), qRound(20 * ratio)));
        const QString foreign = firstForeignPixel(shown, image, ratio);
        QVERIFY2(foreign.isEmpty(), qPrintable(foreign));
        // No image pixel is lost between device pixels.
        QSet<QRgb> seen;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                seen.insert(shown.pixel(x, y));
        QCOMPARE(seen, colours);
    }

    void graphFrameTopLineIsSharp() {
        ShownForm shown;
        auto* box = shown.control<PaintBox>("PaintBox1");
        const QImage screen = shownOn(*box);
        QCOMPARE(screen.size(), QSize(qRound(374 * ratio), qRound(246 * ratio)));
        const QString foreign = firstForeignPixel(screen, box->image(), ratio);
        QVERIFY2(foreign.isEmpty(), qPrintable(foreign));

        if (ratio != 2)
            return;
        // The frame's top line, y = 30 from x = 10 to 363, as two device rows
        // 60 and 61 from x = 20 to 727, with the window colour around it.
        const QRgb black = qRgb(0, 0, 0);
        const QRgb background = QApplication::palette().color(QPalette::Base).rgb();
        for (int x = 20; x <= 727; ++x) {
            QCOMPARE(screen.pixel(x, 60), black);
            QCOMPARE(screen.pixel(x, 61), black);
        }
        for (int x : {19, 728, 729})
            QCOMPARE(screen.pixel(x, 60), background);
        for (int x : {30, 200, 500}) {
            QCOMPARE(screen.pixel(x, 59), background);
            QCOMPARE(screen.pixel(x, 62), background);
        }
    }
};

}  // namespace varkelon::test

int main(int argc, char** argv) {
    varkelon::VarkelonApplication application(argc, argv, varkelon::test::recordedErrors());
    QApplication::setQuitOnLastWindowClosed(false);
    varkelon::test::ScaleTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ScaleTest.moc"

// The paint boxes on a high-density screen, run with QT_SCALE_FACTOR set (2,
// 1.5 and 1.25): each image pixel is shown as whole device pixels of its own
// colour, with no smoothing between neighbours; at 2 as exact 2 x 2 blocks.
// At every ratio a line of one kind has one width in device pixels: the
// plots' lines, the group boxes' frames; the spinner's arrows are alike and
// the radio circles whole.
#include <algorithm>
#include <cmath>

#include <QPixmap>
#include <QSet>
#include <QTabWidget>
#include <QTableView>

#include "ShellTestSupport.h"
#include "shell/EvenLines.h"
#include "shell/PaintBox.h"
#include "shell/VarkelonApplication.h"

namespace varkelon::test {

namespace {

// The box's pixels as a QImage, read in place.
QImage wrapped(const PixelImage& pixels) {
    return QImage(reinterpret_cast<const uchar*>(pixels.data()), pixels.width(), pixels.height(),
                  pixels.stride() * qsizetype{4}, QImage::Format_RGB32);
}

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

// The length of the run of `colour` that starts at `from` and goes `step`
// at a time; 0 when `from` has another colour.
int runOf(const QImage& picture, QPoint from, QPoint step, QRgb colour) {
    int length = 0;
    for (QPoint at = from; picture.rect().contains(at) && picture.pixel(at) == colour; at += step)
        ++length;
    return length;
}

// The first point from `from`, going `step` at a time, that has `colour`.
QPoint firstOf(const QImage& picture, QPoint from, QPoint step, QRgb colour) {
    QPoint at = from;
    while (picture.rect().contains(at) && picture.pixel(at) != colour)
        at += step;
    return at;
}

// The smallest rectangle holding every pixel inside `area` that `matches`.
template <class Matches>
QRect boundsOf(const QImage& picture, const QRect& area, Matches matches) {
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (matches(picture.pixel(x, y)))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

}  // namespace

class ScaleTest : public QObject {
    Q_OBJECT

  private:
    double ratio = 1;

  private slots:
    void initTestCase() {
        ratio = qApp->devicePixelRatio();
        QVERIFY2(ratio > 1, "run with QT_SCALE_FACTOR=2, 1.5 or 1.25");
    }

    void paintBoxShowsEveryPixelInWholeDevicePixels() {
        PaintBox box(nullptr, QRect(0, 0, 40, 20), Qt::white);
        // A colour of its own for every pixel, neighbours far apart in every
        // channel, so that a blend of two is none of them.
        PixelImage& pixels = box.image();
        QSet<QRgb> colours;
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 40; ++x) {
                pixels.row(y)[x] = qRgb(x * 6, y * 12, (x + y) % 2 * 255);
                colours.insert(pixels.pixel(x, y));
            }
        }
        const QImage image = wrapped(pixels);

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
        const QString foreign = firstForeignPixel(screen, wrapped(box->image()), ratio);
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

    // A line one pixel wide, wherever it lies, comes out lineWidth device
    // pixels wide from floor(x * ratio).
    void evenLinesGiveEveryLineOneWidth_data() {
        QTest::addColumn<double>("lineRatio");
        QTest::addColumn<int>("width");
        QTest::newRow("1.25") << 1.25 << 2;
        QTest::newRow("1.5") << 1.5 << 2;
        QTest::newRow("1.75") << 1.75 << 2;
        QTest::newRow("2.5") << 2.5 << 3;
        QTest::newRow("3") << 3.0 << 3;
    }

    void evenLinesGiveEveryLineOneWidth() {
        QFETCH(double, lineRatio);
        QFETCH(int, width);
        const QRgb white = qRgb(255, 255, 255);
        const QRgb black = qRgb(0, 0, 0);
        for (int at = 0; at < 12; ++at) {
            for (bool vertical : {true, false}) {
                QImage picture(24, 24, QImage::Format_RGB32);
                picture.fill(white);
                for (int along = 2; along < 20; ++along)
                    picture.setPixel(vertical ? QPoint(at, along) : QPoint(along, at), black);
                const int size = static_cast<int>(std::ceil(24 * lineRatio));
                const QImage shown =
                    EvenLines::blocks(picture, white, lineRatio, QSize(size, size));
                const int start = static_cast<int>(std::floor(at * lineRatio));
                const int middle = static_cast<int>(10 * lineRatio);
                const QPoint from = vertical ? QPoint(start, middle) : QPoint(middle, start);
                const QPoint step = vertical ? QPoint(1, 0) : QPoint(0, 1);
                QVERIFY2(runOf(shown, from, step, black) == width,
                         qPrintable(QStringLiteral("line at %1").arg(at)));
                if (start > 0)
                    QCOMPARE(shown.pixel(from - step), white);
            }
        }
    }

    // Where nearest-neighbour scaling is even (whole ratios) the rendition
    // is exactly that plain scaling.
    void evenLinesArePlainScalingAtWholeRatios() {
        QImage picture(37, 23, QImage::Format_RGB32);
        const QRgb background = qRgb(212, 208, 200);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y, (x * 7 + y * 3) % 5 == 0 ? qRgb(0, 0, 0) : background);
        for (int whole : {1, 2, 3}) {
            const QSize size = picture.size() * whole;
            QCOMPARE(EvenLines::blocks(picture, background, whole, size),
                     picture.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation));
        }
    }

    void paintBoxShowsTheEvenRendition() {
        ShownForm shown;
        auto* box = shown.control<PaintBox>("PaintBox1");
        QImage screen = shownOn(*box);
        screen.setDevicePixelRatio(1);
        const QRgb background = QApplication::palette().color(QPalette::Base).rgb();
        QCOMPARE(screen,
                 EvenLines::blocks(wrapped(box->image()), background, ratio, screen.size()));
    }

    // A group box's frame is a dark and a light line; the dark one is one
    // width on every side.
    void groupBoxFramesAreOneWidth_data() {
        QTest::addColumn<QString>("name");
        for (const char* name :
             {"GroupBox1", "GroupBox2", "GroupBox3", "RadioGroup1", "RadioGroup2"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void groupBoxFramesAreOneWidth() {
        QFETCH(QString, name);
        ShownForm shown;
        auto* group = shown.control<QWidget>(qPrintable(name));
        const QImage screen = shownOn(*group);
        const QRgb dark = group->palette().color(QPalette::Dark).rgb();
        const int width = EvenLines::lineWidth(ratio);
        // Across the sides, and the top left of the caption, which covers
        // the top line further right.
        for (int part = 1; part <= 3; ++part) {
            const int x = screen.width() * (part + 4) / 9;
            const int y = screen.height() * (part + 2) / 6;
            const QPoint left = firstOf(screen, QPoint(0, y), QPoint(1, 0), dark);
            const QPoint right =
                firstOf(screen, QPoint(screen.width() - 1, y), QPoint(-1, 0), dark);
            const QPoint bottom =
                firstOf(screen, QPoint(x, screen.height() - 1), QPoint(0, -1), dark);
            QCOMPARE(runOf(screen, left, QPoint(1, 0), dark), width);
            QCOMPARE(runOf(screen, right, QPoint(-1, 0), dark), width);
            QCOMPARE(runOf(screen, bottom, QPoint(0, -1), dark), width);
        }
        const QPoint top = firstOf(screen, QPoint(3 * width, 0), QPoint(0, 1), dark);
        QCOMPARE(runOf(screen, top, QPoint(0, 1), dark), width);
    }

    // Inside their bevels the two arrows are one size, one up, one down.
    void spinnerArrowsAreAlike() {
        ShownForm shown;
        const QList<QWidget*> buttons = shown.control<QWidget>("UpDown1")->findChildren<QWidget*>();
        QCOMPARE(buttons.size(), 2);
        QRect arrows[2];
        for (int n = 0; n < 2; ++n) {
            const QImage screen = shownOn(*buttons[n]);
            const QRgb text = buttons[n]->palette().color(QPalette::ButtonText).rgb();
            // The bevel's black line is its outermost.
            const int bevel = EvenLines::lineWidth(ratio);
            arrows[n] = boundsOf(screen, screen.rect().adjusted(bevel, bevel, -bevel, -bevel),
                                 [text](QRgb colour) { return colour == text; });
        }
        QVERIFY(!arrows[0].isEmpty());
        QCOMPARE(arrows[0].size(), arrows[1].size());
        QCOMPARE(arrows[0].width(), 2 * arrows[0].height() - 1);
    }

    // The table's grid lines are one width across the whole grid: every
    // run of the grid's colour across a line (not along one) is that wide.
    void tableGridLinesAreOneWidth() {
        ShownForm shown;
        shown.control<QTabWidget>("PageControl1")->setCurrentIndex(2);
        auto* grid = shown.control<QTableView>("StringGrid1");
        const QImage screen = shownOn(*grid->viewport());
        const QRgb line = grid->palette().color(QPalette::Mid).rgb();
        const int width = EvenLines::lineWidth(ratio);
        QSet<int> widths;
        const auto runsFrom = [&](QPoint start, QPoint step) {
            for (QPoint at = start; screen.rect().contains(at); at += step) {
                if (screen.pixel(at) == line && screen.pixel(at - step) != line) {
                    const int run = runOf(screen, at, step, line);
                    if (run < 4 * width)
                        widths.insert(run);
                }
            }
        };
        for (int x = 0; x < screen.width(); x += 7)
            runsFrom(QPoint(x, 1), QPoint(0, 1));
        for (int y = 0; y < screen.height(); y += 7)
            runsFrom(QPoint(1, y), QPoint(1, 0));
        QCOMPARE(widths, QSet<int>{width});
    }

    // A radio circle is as wide as it is high: none of it is cut away.
    void radioCirclesAreWhole() {
        ShownForm shown;
        for (const char* name : {"RadioButton5", "RadioButton6", "RadioButton2"}) {
            auto* radio = shown.control<QWidget>(name);
            const QImage screen = shownOn(*radio);
            const QRgb background = radio->palette().color(QPalette::Window).rgb();
            const int circleWidth = qRound(13 * ratio);
            const QRect circle =
                boundsOf(screen, QRect(0, 0, circleWidth, screen.height()),
                         [background](QRgb colour) { return colour != background; });
            QVERIFY2(circle.width() == circle.height(), name);
            QVERIFY2(circle.width() >= qRound(11 * ratio), name);
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

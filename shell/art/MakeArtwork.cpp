// Draws the program's pictures. Two uses:
//
//   varkelon-artwork DIRECTORY
//     the window's own pictures, indexed PNG files compiled into the program:
//       icon.png     32 x 32, 16 colours: the window and task-bar icon
//       picture.png  320 x 240, 256 colours: the about box's picture
//     Run it after changing a drawing and commit the two files.
//
//   varkelon-artwork --hicolor DIRECTORY
//     the desktop's icons in the hicolor theme's layout, made by every build:
//       NxN/apps/varkelon.png        full colour, N = 16 22 24 32 48 64 128 256
//       scalable/apps/varkelon.svg   the same painting written as SVG
#include <QColor>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>

namespace {

// Three layers of a small network: two inputs, three hidden, one output.
struct Node {
    double x;
    double y;
};

void drawNetwork(QPainter& painter, const Node (&inputs)[2], const Node (&hidden)[3],
                 const Node& output, double radius, const QColor& line, const QColor& fill) {
    painter.setPen(QPen(line, radius / 3.0));
    for (const Node& i : inputs)
        for (const Node& h : hidden)
            painter.drawLine(QPointF(i.x, i.y), QPointF(h.x, h.y));
    for (const Node& h : hidden)
        painter.drawLine(QPointF(h.x, h.y), QPointF(output.x, output.y));
    painter.setPen(QPen(line, radius / 4.0));
    painter.setBrush(fill);
    for (const Node& i : inputs)
        painter.drawEllipse(QPointF(i.x, i.y), radius, radius);
    for (const Node& h : hidden)
        painter.drawEllipse(QPointF(h.x, h.y), radius, radius);
    painter.drawEllipse(QPointF(output.x, output.y), radius, radius);
}

// The icon, drawn on a 32 x 32 grid: every size and the SVG paint these same
// strokes, only scaled.
void paintIcon(QPainter& painter, int size) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    painter.setPen(QPen(QColor(0, 0, 128), 1));
    painter.setBrush(QColor(255, 255, 192));
    painter.drawRoundedRect(QRectF(0.5, 0.5, 31, 31), 5, 5);
    const Node inputs[2] = {{7, 10}, {7, 22}};
    const Node hidden[3] = {{16, 7}, {16, 16}, {16, 25}};
    const Node output = {25, 16};
    drawNetwork(painter, inputs, hidden, output, 3.0, QColor(0, 0, 128), QColor(0, 160, 0));
}

QImage drawIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paintIcon(painter, size);
    painter.end();
    return image;
}

QImage drawPicture() {
    QImage image(320, 240, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 240);
    sky.setColorAt(0, QColor(250, 250, 210));
    sky.setColorAt(1, QColor(170, 215, 170));
    painter.fillRect(image.rect(), sky);

    // A plant's output and the network's prediction closing in on it.
    QPainterPath plant;
    QPainterPath prediction;
    for (int x = 0; x <= 320; x += 2) {
        const double phase = x / 320.0 * 2.0 * std::numbers::pi * 2.0;
        const double y = 190 - 30 * std::sin(phase);
        const double guess = y + 22 * std::exp(-x / 120.0) * std::cos(phase * 1.7);
        if (x == 0) {
            plant.moveTo(x, y);
            prediction.moveTo(x, guess);
        } else {
            plant.lineTo(x, y);
            prediction.lineTo(x, guess);
        }
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0, 0, 0), 2, Qt::DotLine));
    painter.drawPath(plant);
    painter.setPen(QPen(QColor(0, 110, 0), 3));
    painter.drawPath(prediction);

    const Node inputs[2] = {{70, 50}, {70, 130}};
    const Node hidden[3] = {{160, 30}, {160, 90}, {160, 150}};
    const Node output = {250, 90};
    drawNetwork(painter, inputs, hidden, output, 16.0, QColor(0, 0, 110), QColor(40, 170, 40));
    painter.end();
    return image;
}

// The sixteen colours of the icon: the classic fifteen of a 16-colour
// display and transparent.
QList<QRgb> iconPalette() {
    return {qRgba(0, 0, 0, 0),   qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),
            qRgb(128, 128, 0),   qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128),
            qRgb(192, 192, 192), qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),
            qRgb(255, 255, 0),   qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(255, 255, 255)};
}

bool save(const QImage& indexed, const QString& path) {
    if (!indexed.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// The window's icon and the about box's picture, reduced to their palettes.
bool writeWindowArt(const QDir& directory) {
    const QImage icon = drawIcon(32).convertToFormat(
        QImage::Format_Indexed8, iconPalette(), Qt::ThresholdDither | Qt::ThresholdAlphaDither);
    // Qt's own reduction picks the picture's 256 colours.
    const QImage picture =
        drawPicture().convertToFormat(QImage::Format_Indexed8, Qt::DiffuseDither);
    return save(icon, directory.filePath("icon.png")) &&
           save(picture, directory.filePath("picture.png"));
}

// The desktop's icons: no palette, so that large sizes keep their smooth edges.
bool writeHicolorIcons(const QDir& theme) {
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        if (!theme.mkpath(folder) ||
            !save(drawIcon(size), theme.filePath(folder + QStringLiteral("/varkelon.png"))))
            return false;
    }
    if (!theme.mkpath(QStringLiteral("scalable/apps")))
        return false;
    const QString svgPath = theme.filePath(QStringLiteral("scalable/apps/varkelon.svg"));
    QSvgGenerator svg;
    svg.setFileName(svgPath);
    svg.setSize(QSize(32, 32));
    svg.setViewBox(QRect(0, 0, 32, 32));
    svg.setTitle(QStringLiteral("Varkelon"));
    svg.setDescription(
        QStringLiteral("A small network of two inputs, three hidden neurons and one output"));
    QPainter painter;
    if (!painter.begin(&svg)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(svgPath));
        return false;
    }
    paintIcon(painter, 32);
    return painter.end();
}

}  // namespace

// Painting on images and into SVG needs no application object, and so no
// display: the build runs this anywhere.
int main(int argc, char** argv) {
    if (argc == 2)
        return writeWindowArt(QDir(QString::fromLocal8Bit(argv[1]))) ? 0 : 1;
    if (argc == 3 && std::strcmp(argv[1], "--hicolor") == 0)
        return writeHicolorIcons(QDir(QString::fromLocal8Bit(argv[2]))) ? 0 : 1;
    std::fprintf(stderr, "usage: varkelon-artwork [--hicolor] DIRECTORY\n");
    return 2;
}

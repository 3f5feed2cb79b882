#pragma once

#include <QImage>
#include <QSize>
#include <QtGlobal>

namespace varkelon {

// Pictures drawn in logical pixels and shown in device pixels. At a whole
// device pixel ratio nearest-neighbour scaling gives every logical pixel the
// same square of device pixels. At a ratio like 1.25 or 1.5 it cannot: some
// pixels get one device pixel and their neighbours two, so a line drawn one
// pixel wide comes out one or two device pixels wide by where it lies. The
// renditions here give every line of one kind one width instead.
class EvenLines {
  public:
    // Whether the ratio is one at which nearest-neighbour scaling is uneven.
    static bool needed(qreal ratio);
    // The width in device pixels of a line one logical pixel wide.
    static int lineWidth(qreal ratio);

    // Lines on a background (the plots): the background, then every other
    // pixel at x, y as a square of lineWidth device pixels at
    // floor(x * ratio), floor(y * ratio). At ratios 1 and 2 the same as
    // plain nearest-neighbour scaling. Lines meeting at a pixel share its square; a pixel's square
    // may cover the first device pixels of its right and lower neighbours,
    // which only the background leaves free.
    static QImage blocks(const QImage& picture, QRgb background, qreal ratio, QSize deviceSize);

    // Line art of a control (frames, bevels, tab shapes): the `edge` pixels
    // next to each side, where a control draws its frame lines, become
    // lineWidth device pixels each; the inside, which is filled, is scaled
    // nearest-neighbour into what is left. A side too short for both of its
    // edges keeps fewer edge pixels.
    static QImage edgeAnchored(const QImage& art, QSize deviceSize, qreal ratio, int edge);
};

}  // namespace varkelon

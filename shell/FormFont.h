#pragma once

#include <QFont>

namespace varkelon {

// The forms' font. The layout was drawn for an 8 point font at 96 pixels per
// inch whose lines are 11 pixels high; Liberation Sans at 10 pixels has that
// line height and text widths that fit every label of the layout, and it
// carries Cyrillic. DejaVu Sans stands in where it is missing. Held in pixels,
// because every place and size of the forms is in pixels too.
QFont formFont(int pixelSize = 10);

}  // namespace varkelon

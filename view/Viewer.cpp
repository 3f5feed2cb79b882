#include "Viewer.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "lesson/Lesson.h"
#include "model/Manager.h"
#include "model/Network.h"
#include "model/Plant.h"
#include "view/CaptionTable.h"

namespace varkelon {

namespace {

constexpr std::uint32_t kBlack = 0xff000000u;
constexpr std::uint32_t kWhite = 0xffffffffu;
// The Running mode erases this many ring positions ahead of the newest.
constexpr std::int32_t kEraseGap = 10;

// Pixel coordinates are truncated toward zero, never rounded.
int truncated(double value) {
    return static_cast<int>(value);
}

// Single precision, as the tick positions are held.
float single(double value) {
    return static_cast<float>(value);
}

// The general conversion of printf (%.*g), except that infinities and
// not-a-numbers read "+INF", "-INF", "+NAN" and "-NAN". std::to_chars writes
// what printf writes in the "C" locale: the decimal point stays a point
// whatever locale the user runs the program in. A C++ library without the
// floating to_chars (WebAssembly's) has only the "C" locale, where printf
// writes the same. Returns the text's length; text has room for any double
// at the precisions used here.
std::size_t formatGeneral(char* text, std::size_t size, int precision, double value) {
    if (std::isinf(value) || std::isnan(value)) {
        const char* word = std::isinf(value) ? (value < 0 ? "-INF" : "+INF")
                                             : (std::signbit(value) ? "-NAN" : "+NAN");
        std::memcpy(text, word, 4);
        return 4;
    }
#if defined(__cpp_lib_to_chars)
    const std::to_chars_result written =
        std::to_chars(text, text + size, value, std::chars_format::general, precision);
    return static_cast<std::size_t>(written.ptr - text);
#else
    return static_cast<std::size_t>(std::snprintf(text, size, "%.*g", precision, value));
#endif
}

std::string readoutText(float value) {
    char text[32];
    const std::size_t length = formatGeneral(text, sizeof text, 6, static_cast<double>(value));
    return std::string(text, length);
}

}  // namespace

Viewer::Viewer(ViewerWindow& window, const Lesson& lesson)
    : window_(window),
      lesson_(lesson),
      manager_(lesson.model()->manager),
      network_(lesson.model()->network),
      plant_(lesson.model()->plant) {}

Viewer::PlotArea::PlotArea(const PixelImage& box)
    : boxHeight(box.height()),
      left(10),
      top(30),
      right(box.width() - 10),
      bottom(box.height() - 30) {}

Canvas& Viewer::paintBoxCanvas(Page page) {
    Canvas& canvas = page == Page::Graph ? paintBox1Canvas_ : paintBox2Canvas_;
    canvas.setTarget(window_.paintBoxImage(page));
    return canvas;
}

Canvas& Viewer::bitmapCanvas() {
    bitmapCanvas_.setTarget(window_.offscreenBitmap());
    return bitmapCanvas_;
}

// The canvas's pen takes the panel's colour before the area is cleared to it.
void Viewer::clearEstimationBox() {
    const std::uint32_t background = window_.windowColour();
    Canvas& canvas = paintBoxCanvas(Page::Estimation);
    canvas.setPenColour(background);
    canvas.target().fill(background);
    window_.repaintPaintBox(Page::Estimation);
}

void Viewer::teachingReset() {
    if (lesson_.page() == Page::Estimation)
        clearEstimationBox();
    fullRedraw_ = true;
}

void Viewer::refresh() {
    if (lesson_.page() == Page::Graph) {
        drawOutputGraph();
    } else if (lesson_.page() == Page::Estimation) {
        if (manager_.iteration == 0) {
            clearEstimationBox();
            fullRedraw_ = true;
        }
        if (lesson_.plot() == PlotMode::Running) {
            drawEstimationRunning();
        } else {
            drawEstimationSliding();
        }
    }
    showNumbers();
}

void Viewer::showNumbers() {
    // Built whatever page is on view.
    const std::string iterationText = std::to_string(lesson_.iterationShown());
    const std::string estimationText = readoutText(network_.estimation);
    const std::string noiseText = readoutText(plant_.noiseLevel);

    const Page page = lesson_.page();
    if (page == Page::Table) {
        const std::int32_t slot = network_.timeSlot;
        for (std::int32_t i = 0; i < network_.outputCount; ++i) {
            window_.setTableCell(1, i + 1, formatCell(plant_.outputs[i]));
            window_.setTableCell(2, i + 1, formatCell(network_.outputs[i][slot]));
            window_.setTableCell(3, i + 1, formatCell(network_.errors[i][slot]));
        }
    }
    writeReadouts(page, iterationText, estimationText, noiseText);
}

void Viewer::writeReadouts(Page page, const std::string& iteration, const std::string& estimation,
                           const std::string& noise) {
    window_.setReadout(page, Readout::Iteration, iteration);
    window_.setReadout(page, Readout::Estimation, estimation);
    window_.setReadout(page, Readout::Noise, noise);
}

std::string Viewer::formatCell(float value) {
    // %.10g gives at most 16 characters (-1.234567891e-38); with the prefix
    // the text stays below 20.
    char number[24];
    const std::size_t length = formatGeneral(number, sizeof number, 10, static_cast<double>(value));

    // Three spaces before a minus sign, four otherwise: the sign column is
    // always the fourth, the first digit the fifth.
    char text[32];
    const std::size_t prefix = number[0] == '-' ? 3 : 4;
    std::memset(text, ' ', prefix);
    std::memcpy(text + prefix, number, length);
    text[prefix + length] = '\0';

    // An exponent that would be cut off moves left to column 8; the mantissa
    // digits it covers are dropped.
    const char* exponent = std::strchr(text, 'e');
    if (exponent != nullptr && exponent - text >= 9) {
        std::memmove(text + 8, exponent, std::strlen(exponent) + 1);
    }
    text[12] = '\0';
    return std::string(text);
}

void Viewer::drawOutputGraph() {
    const PlotArea area(window_.paintBoxImage(Page::Graph));

    // Plotting constants, held in single precision.
    const float left = static_cast<float>(area.left);
    const float top = static_cast<float>(area.top);
    const float plotHeight = static_cast<float>(area.height());
    const float midY = plotHeight * 0.5f + top;
    const float scale = plotHeight * 0.5f;
    const auto yOf = [midY, scale](float value) {
        // Clamped to the range -1.5 to 1.5; not-a-number goes to -1.5.
        if (value > 1.5f)
            value = 1.5f;
        if (!(value >= -1.5f))
            value = -1.5f;
        return truncated(static_cast<double>(midY) - static_cast<double>(value) * scale);
    };

    Canvas& bitmap = bitmapCanvas();
    clearBitmap(bitmap);
    bitmap.setPenColour(kBlack);

    const std::int32_t count = network_.outputCount;
    const std::int32_t slot = network_.timeSlot;
    int previousX = truncated(left);
    for (std::int32_t k = 1; k < count; ++k) {
        const int x = truncated(left + (area.width() * k) / (count - 1));

        bitmap.setPenStyle(Canvas::PenStyle::Dotted);
        bitmap.moveTo(previousX, yOf(plant_.outputs[k - 1]));
        bitmap.lineTo(x, yOf(plant_.outputs[k]));

        bitmap.setPenStyle(Canvas::PenStyle::Solid);
        bitmap.moveTo(previousX, yOf(network_.outputs[k - 1][slot]));
        bitmap.lineTo(x, yOf(network_.outputs[k][slot]));

        previousX = x;
    }

    drawGraphFrame(bitmap, area);
    paintBoxCanvas(Page::Graph).copyFrom(bitmap.target());
    window_.paintBoxChanged(Page::Graph);
}

void Viewer::drawEstimationSegment(Canvas& target, const PlotArea& area, std::int32_t column,
                                   float current, float previous) {
    // Clamped to 0 to 1.5; not-a-number goes to 0.
    if (!(current >= 0))
        current = 0;
    if (current > 1.5f)
        current = 1.5f;
    if (!(previous >= 0))
        previous = 0;
    if (previous > 1.5f)
        previous = 1.5f;

    const std::int32_t size = network_.estimationHistorySize;
    const double step = single(static_cast<double>(area.width()) / (size - 1));
    const double left = single(window_.paintBoxLeft(Page::Estimation) + area.left);
    const int currentX = truncated(left + column * step);
    const int previousX = column == 0 ? currentX : truncated(left + (column - 1) * step);
    // Half the paint box's height per unit, up from the bottom line.
    const auto yOf = [&area](float value) {
        return truncated(area.bottom - (area.boxHeight * 0.5) * static_cast<double>(value));
    };

    target.moveTo(previousX, yOf(previous));
    target.lineTo(currentX, yOf(current));
}

void Viewer::drawRingSegment(Canvas& target, const PlotArea& area, std::int32_t position) {
    const std::int32_t size = network_.estimationHistorySize;
    drawEstimationSegment(target, area, position, network_.estimationHistory[position],
                          network_.estimationHistory[(position + size - 1) % size]);
}

void Viewer::drawEstimationSliding() {
    const PlotArea area(window_.paintBoxImage(Page::Estimation));
    const std::int32_t size = network_.estimationHistorySize;
    const std::int32_t newest = network_.estimationIndex;

    // Oldest entry first once the ring is full; while it fills, the entries
    // of this run from position 0, the newest one left for the next cycle.
    std::int32_t start = 0;
    std::int32_t count = newest;
    if (manager_.iteration >= size) {
        start = (newest + 1) % size;
        count = size;
    }

    Canvas& bitmap = bitmapCanvas();
    clearBitmap(bitmap);
    bitmap.setPenColour(kBlack);
    bitmap.setPenStyle(Canvas::PenStyle::Solid);

    // The first segment is drawn even when there is nothing to show.
    std::int32_t column = 0;
    std::int32_t position = start;
    do {
        drawEstimationSegment(bitmap, area, column, network_.estimationHistory[position],
                              network_.estimationHistory[(position + size - 1) % size]);
        column += 1;
        position = (position + 1) % size;
    } while (column < count);

    drawEstimationFrame(bitmap, area);
    paintBoxCanvas(Page::Estimation).copyFrom(bitmap.target());
    window_.paintBoxChanged(Page::Estimation);
}

void Viewer::drawEstimationRunning() {
    const PlotArea area(window_.paintBoxImage(Page::Estimation));
    const std::uint32_t background = window_.windowColour();
    const std::int32_t size = network_.estimationHistorySize;
    const std::int32_t newest = network_.estimationIndex;
    Canvas& box = paintBoxCanvas(Page::Estimation);

    if (!fullRedraw_) {
        // One step: erase the trace one pass of the ring old, draw the newest.
        box.setPenColour(background);
        drawRingSegment(box, area, (newest + kEraseGap) % size);
        box.setPenColour(kBlack);
        drawRingSegment(box, area, newest);
        // Erasing zero entries runs along the bottom line: the frame mends it.
        drawEstimationFrame(box, area);
        window_.paintBoxChanged(Page::Estimation);
        return;
    }

    drawEstimationFrame(box, area);
    // The walk: the newest position, then the stored ones from the oldest up
    // to the newest again. Erasing starts where it leaves the gap of ten
    // positions after the newest blank.
    bool erasing = false;
    const std::int32_t eraseFrom = (newest + size - 1) % size;
    const auto visit = [&](std::int32_t position) {
        if (!erasing && (position + kEraseGap) % size == eraseFrom)
            erasing = true;
        if (erasing) {
            box.setPenColour(background);
            drawRingSegment(box, area, (position + kEraseGap) % size);
        }
        box.setPenColour(kBlack);
        drawRingSegment(box, area, position);
    };
    visit(newest);
    if (manager_.iteration < size) {
        for (std::int32_t position = 0; position <= newest; ++position)
            visit(position);
    } else {
        for (std::int32_t k = 1; k <= size; ++k)
            visit((newest + k) % size);
    }
    fullRedraw_ = false;
    drawEstimationFrame(box, area);
    window_.paintBoxChanged(Page::Estimation);
}

void Viewer::drawGraphFrame(Canvas& target, const PlotArea& area) {
    target.setPenColour(kBlack);
    target.setPenStyle(Canvas::PenStyle::Solid);

    // Frame and centre cross.
    for (int i = 0; i <= 2; ++i) {
        const int y = area.top + i * area.height() / 2;
        target.moveTo(area.left, y);
        target.lineTo(area.right, y);
    }
    for (int i = 0; i <= 2; ++i) {
        const int x = area.left + i * area.width() / 2;
        target.moveTo(x, area.bottom);
        target.lineTo(x, area.top);
    }

    // One tick per channel across the zero line, from 2 above it to 3 below.
    const int middleY = area.top + area.height() / 2;
    for (int i = 0; i <= 16; ++i) {
        const int x = truncated(single(area.left + i * area.width() * 0.0625));
        target.moveTo(x, middleY - 2);
        target.lineTo(x, middleY + 3);
    }

    // Twenty ticks across the vertical centre line, none on the bottom line.
    const int middleX = area.left + area.width() / 2;
    const float step = single(area.height() * 0.05);
    for (int i = 0; i <= 19; ++i) {
        const int y = truncated(single(area.top + i * static_cast<double>(step)));
        target.moveTo(middleX - 2, y);
        target.lineTo(middleX + 3, y);
    }
}

void Viewer::drawEstimationFrame(Canvas& target, const PlotArea& area) {
    target.setPenColour(kBlack);
    target.setPenStyle(Canvas::PenStyle::Solid);

    for (int i = 0; i <= 1; ++i) {
        const int y = area.top + i * area.height();
        target.moveTo(area.left, y);
        target.lineTo(area.right, y);
    }
    for (int i = 0; i <= 1; ++i) {
        const int x = area.left + i * area.width();
        target.moveTo(x, area.bottom);
        target.lineTo(x, area.top);
    }

    // 21 ticks hanging 3 pixels below the bottom line, 11 sticking 2 out left
    // of the left line.
    const float across = single(area.width() * 0.05);
    for (int i = 0; i <= 20; ++i) {
        const int x = truncated(single(area.left + i * static_cast<double>(across)));
        target.moveTo(x, area.bottom);
        target.lineTo(x, area.bottom + 3);
    }
    const float down = single(area.height() * 0.1);
    for (int i = 0; i <= 10; ++i) {
        const int y = truncated(single(area.top + i * static_cast<double>(down)));
        target.moveTo(area.left - 2, y);
        target.lineTo(area.left, y);
    }
}

// Whitens historyBox's rectangle of the bitmap: both plots share it.
void Viewer::clearBitmap(Canvas& bitmap) {
    const PixelImage& box = window_.paintBoxImage(Page::Estimation);
    bitmap.fillRect(0, 0, box.width(), box.height(), kWhite);
}

void Viewer::setEnglishCaptions() {
    for (const Caption& caption : kCaptionTable)
        window_.setCaption(caption.slot, caption.english);
}

void Viewer::setRussianCaptions() {
    for (const Caption& caption : kCaptionTable)
        window_.setCaption(caption.slot, caption.russian);
}

void Viewer::plotChosen(PlotMode mode) {
    if (mode == PlotMode::Running) {
        clearEstimationBox();
        fullRedraw_ = true;
    }
    refresh();
}

void Viewer::pageShown() {
    // Whichever page comes into view shows the model as it is now: the
    // graph of the last cycle, the whole estimation history, the table.
    if (lesson_.page() == Page::Estimation)
        fullRedraw_ = true;
    refresh();
}

void Viewer::languageChosen(CaptionLanguage language) {
    if (language == CaptionLanguage::English) {
        setEnglishCaptions();
    } else {
        setRussianCaptions();
    }
}

}  // namespace varkelon

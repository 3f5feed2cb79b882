#include "Viewer.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "model/Manager.h"
#include "model/NObject.h"
#include "model/Network.h"

namespace varkelon {

namespace {

constexpr QRgb kBlack = 0xff000000u;
constexpr QRgb kWhite = 0xffffffffu;
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
// whatever locale the user runs the program in. Returns the text's length;
// text has room for any double at the precisions used here.
std::size_t formatGeneral(char* text, std::size_t size, int precision, double value) {
    if (std::isinf(value) || std::isnan(value)) {
        const char* word = std::isinf(value) ? (value < 0 ? "-INF" : "+INF")
                                             : (std::signbit(value) ? "-NAN" : "+NAN");
        std::memcpy(text, word, 4);
        return 4;
    }
    const std::to_chars_result written =
        std::to_chars(text, text + size, value, std::chars_format::general, precision);
    return static_cast<std::size_t>(written.ptr - text);
}

QString readoutText(float value) {
    char text[32];
    const std::size_t length = formatGeneral(text, sizeof text, 6, static_cast<double>(value));
    return QString::fromLatin1(text, static_cast<qsizetype>(length));
}

// The two caption tables: the same 31 targets in the order they are written.
// A target with a grid column is a header cell of StringGrid1, row 0.
struct Caption {
    const char* control;
    int gridColumn;
    const char* english;
    const char* russian;
};

constexpr Caption kCaptions[] = {
    {"Form1", 0, "  Varkelon", "  Varkelon"},
    {"Panel2", 0, "Teaching Dynamics", "Динамика обучения"},
    {"TabSheet1", 0, "Graph", "График"},
    {"TabSheet2", 0, "Estimation", "Оценка"},
    {"TabSheet3", 0, "Table", "Таблица"},
    {"StringGrid1", 1, "Object", "Объект"},
    {"StringGrid1", 2, "Neuronet", "Нейросеть"},
    {"StringGrid1", 3, "Net Mistakes", "Ошибки сети"},
    {"Label1", 0, "Iteration", "Итерация"},
    {"Label4", 0, "Iteration", "Итерация"},
    {"Label11", 0, "Iteration", "Итерация"},
    {"Label2", 0, "Estimation", "Оценка"},
    {"Label5", 0, "Estimation", "Оценка"},
    {"Label10", 0, "Estimation", "Оценка"},
    {"Label3", 0, "Noise", "Шум"},
    {"Label6", 0, "Noise", "Шум"},
    {"Label9", 0, "Noise", "Шум"},
    {"RadioButton5", 0, "Running", "Бегущая"},
    {"RadioButton6", 0, "Sliding", "Скользящая"},
    {"Panel3", 0, "Adjustment", "Настройки"},
    {"RadioGroup1", 0, "Teaching Regime", "Режим обучения"},
    {"RadioButton1", 0, "Static", "Статический"},
    {"Panel1", 0, "Dynamic", "Динамический"},
    {"GroupBox1", 0, "Quantity of Neurons", "Число нейронов"},
    {"Panel4", 0, "Commands", "Команды"},
    {"GroupBox2", 0, "Teaching", "Обучение"},
    {"Label7", 0, "Speed", "Скорость"},
    {"Button4", 0, "Stop", "Стоп"},
    {"Button3", 0, "Step", "Шаг"},
    {"Button1", 0, "Quickly", "Быстро"},
    {"Button2", 0, "Exit", "Выход"},
};
static_assert(sizeof kCaptions / sizeof kCaptions[0] == 31);

}  // namespace

Viewer::Viewer(ViewerWindow& window, const Manager& manager, const Network& network,
               const NObject& plant)
    : window_(window), manager_(manager), network_(network), plant_(plant) {}

Canvas& Viewer::paintBox2Canvas() {
    paintBox2Canvas_.setTarget(window_.paintBoxImage(Page::Estimation));
    return paintBox2Canvas_;
}

Canvas& Viewer::bitmapCanvas() {
    bitmapCanvas_.setTarget(window_.offscreenBitmap());
    return bitmapCanvas_;
}

// The synchronous repaint that clears PaintBox2 to its panel's colour; the
// canvas's pen takes that colour first.
void Viewer::clearEstimationBox() {
    const QRgb background = window_.windowColour().rgb();
    Canvas& canvas = paintBox2Canvas();
    canvas.setPenColour(background);
    canvas.target().fill(background);
    window_.repaintPaintBox(Page::Estimation);
}

void Viewer::teachingReset() {
    fullRedraw = 1;
    if (window_.isPageVisible(Page::Estimation))
        clearEstimationBox();
    fullRedraw = 1;
}

void Viewer::refresh() {
    if (window_.isPageVisible(Page::Graph)) {
        drawOutputGraph();
    } else if (window_.isPageVisible(Page::Estimation)) {
        if (manager_.iteration == 0) {
            clearEstimationBox();
            fullRedraw = 1;
        }
        if (window_.isRunningChecked()) {
            drawEstimationRunning();
        } else if (window_.isSlidingChecked()) {
            drawEstimationSliding();
        }
    }
    showNumbers();
}

void Viewer::showNumbers() {
    // Built whatever page is on view.
    const QString iterationText = QString::number(manager_.iteration + 1);
    const QString estimationText = readoutText(network_.estimation);
    const QString noiseText = readoutText(plant_.noiseLevel);

    if (window_.isPageVisible(Page::Table)) {
        const std::int32_t slot = network_.timeSlot;
        for (std::int32_t i = 0; i < network_.outputCount; ++i) {
            window_.setTableCell(1, i + 1, formatCell(plant_.outputs[i]));
            window_.setTableCell(2, i + 1, formatCell(network_.outputs[i][slot]));
            window_.setTableCell(3, i + 1, formatCell(network_.errors[i][slot]));
        }
        writeReadouts(Page::Table, iterationText, estimationText, noiseText);
    }
    if (window_.isPageVisible(Page::Estimation)) {
        writeReadouts(Page::Estimation, iterationText, estimationText, noiseText);
    }
    if (window_.isPageVisible(Page::Graph)) {
        writeReadouts(Page::Graph, iterationText, estimationText, noiseText);
    }
}

void Viewer::writeReadouts(Page page, const QString& iteration, const QString& estimation,
                           const QString& noise) {
    window_.setReadout(page, Readout::Iteration, iteration);
    window_.setReadout(page, Readout::Estimation, estimation);
    window_.setReadout(page, Readout::Noise, noise);
}

QString Viewer::formatCell(float value) {
    // %.10g gives at most 16 characters (-1.234567891e-38); with the prefix
    // the text stays below 20.
    char number[24];
    const std::size_t length =
        formatGeneral(number, sizeof number, 10, static_cast<double>(value));

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
    return QString::fromLatin1(text);
}

void Viewer::drawOutputGraph() {
    const QImage& box = window_.paintBoxImage(Page::Graph);
    const int width = box.width();
    const int height = box.height();
    const int clientWidth = box.width();

    // Plotting constants, held in single precision.
    const float left = single(width * 0.5 - (width - 20) * 0.5);
    const float top = 30;
    const float bottom = single(height - 30);
    const float plotHeight = bottom - top;
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

    clearBitmap();
    Canvas& canvas = bitmapCanvas();
    canvas.setPenColour(kBlack);

    const std::int32_t count = network_.outputCount;
    const std::int32_t slot = network_.timeSlot;
    int previousX = truncated(left);
    for (std::int32_t k = 1; k < count; ++k) {
        const int x = truncated(left + ((clientWidth - 20) * k) / (count - 1));

        canvas.setPenStyle(Canvas::PenStyle::Dotted);
        canvas.moveTo(previousX, yOf(plant_.outputs[k - 1]));
        canvas.lineTo(x, yOf(plant_.outputs[k]));

        canvas.setPenStyle(Canvas::PenStyle::Solid);
        canvas.moveTo(previousX, yOf(network_.outputs[k - 1][slot]));
        canvas.lineTo(x, yOf(network_.outputs[k][slot]));

        previousX = x;
    }

    drawGraphFrame();
    paintBox1Canvas_.setTarget(window_.paintBoxImage(Page::Graph));
    paintBox1Canvas_.copyFrom(window_.offscreenBitmap());
    window_.paintBoxChanged(Page::Graph);
}

void Viewer::drawEstimationSegment(std::int32_t column, float current, float previous) {
    // Clamped to 0 to 1.5; not-a-number goes to 0.
    if (!(current >= 0))
        current = 0;
    if (current > 1.5f)
        current = 1.5f;
    if (!(previous >= 0))
        previous = 0;
    if (previous > 1.5f)
        previous = 1.5f;

    const QImage& box = window_.paintBoxImage(Page::Estimation);
    const int width = box.width();
    const int height = box.height();
    const std::int32_t size = network_.estimationHistorySize;

    const double step = single(static_cast<double>(width - 20) / (size - 1));
    const double left = single(window_.paintBoxLeft(Page::Estimation) + 10);
    const int currentX = truncated(left + column * step);
    const int previousX = column == 0 ? currentX : truncated(left + (column - 1) * step);
    const auto yOf = [height](float value) {
        return truncated((height - 30) - (height * 0.5) * static_cast<double>(value));
    };

    Canvas& canvas = window_.isRunningChecked() ? paintBox2Canvas() : bitmapCanvas();
    canvas.moveTo(previousX, yOf(previous));
    canvas.lineTo(currentX, yOf(current));
}

void Viewer::drawEstimationSliding() {
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

    clearBitmap();
    Canvas& canvas = bitmapCanvas();
    canvas.setPenColour(kBlack);
    canvas.setPenStyle(Canvas::PenStyle::Solid);

    // The first segment is drawn even when there is nothing to show.
    std::int32_t column = 0;
    std::int32_t position = start;
    do {
        drawEstimationSegment(column, network_.estimationHistory[position],
                              network_.estimationHistory[(position + size - 1) % size]);
        column += 1;
        position = (position + 1) % size;
    } while (column < count);

    drawEstimationFrame(bitmapCanvas());
    Canvas& box = paintBox2Canvas();
    box.copyFrom(window_.offscreenBitmap());
    window_.paintBoxChanged(Page::Estimation);
}

void Viewer::drawRingSegment(std::int32_t position) {
    const std::int32_t size = network_.estimationHistorySize;
    drawEstimationSegment(position, network_.estimationHistory[position],
                          network_.estimationHistory[(position + size - 1) % size]);
}

void Viewer::drawEstimationRunning() {
    const QRgb background = window_.windowColour().rgb();
    const std::int32_t size = network_.estimationHistorySize;
    const std::int32_t newest = network_.estimationIndex;
    Canvas& canvas = paintBox2Canvas();

    if (fullRedraw == 0) {
        // One step: erase the trace one pass of the ring old, draw the newest.
        canvas.setPenColour(background);
        drawRingSegment((newest + kEraseGap) % size);
        canvas.setPenColour(kBlack);
        drawRingSegment(newest);
        // Erasing zero entries runs along the bottom line: the frame mends it.
        drawEstimationFrame(canvas);
        window_.paintBoxChanged(Page::Estimation);
        return;
    }

    drawEstimationFrame(canvas);
    // The walk: the newest position, then the stored ones from the oldest up
    // to the newest again. Erasing starts where it leaves the gap of ten
    // positions after the newest blank.
    bool erasing = false;
    const std::int32_t eraseFrom = (newest + size - 1) % size;
    const auto visit = [&](std::int32_t position) {
        if (!erasing && (position + kEraseGap) % size == eraseFrom)
            erasing = true;
        if (erasing) {
            canvas.setPenColour(background);
            drawRingSegment((position + kEraseGap) % size);
        }
        canvas.setPenColour(kBlack);
        drawRingSegment(position);
    };
    visit(newest);
    if (manager_.iteration < size) {
        for (std::int32_t position = 0; position <= newest; ++position)
            visit(position);
    } else {
        for (std::int32_t k = 1; k <= size; ++k)
            visit((newest + k) % size);
    }
    fullRedraw = 0;
    drawEstimationFrame(canvas);
    window_.paintBoxChanged(Page::Estimation);
}

void Viewer::drawGraphFrame() {
    const QImage& box = window_.paintBoxImage(Page::Graph);
    const int width = box.width();
    const int height = box.height();
    Canvas& canvas = bitmapCanvas();
    canvas.setPenColour(kBlack);
    canvas.setPenStyle(Canvas::PenStyle::Solid);

    // Frame and centre cross.
    for (int i = 0; i <= 2; ++i) {
        const int y = 30 + i * (height - 60) / 2;
        canvas.moveTo(10, y);
        canvas.lineTo(width - 10, y);
    }
    for (int i = 0; i <= 2; ++i) {
        const int x = 10 + i * (width - 20) / 2;
        canvas.moveTo(x, height - 30);
        canvas.lineTo(x, 30);
    }

    // One tick per channel across the zero line.
    for (int i = 0; i <= 16; ++i) {
        const int x = truncated(single(10 + i * (width - 20) * 0.0625));
        canvas.moveTo(x, (height - 60) / 2 + 28);
        canvas.lineTo(x, (height - 60) / 2 + 33);
    }

    // Twenty ticks across the vertical centre line, none on the bottom line.
    const float step = single((height - 60) * 0.05);
    for (int i = 0; i <= 19; ++i) {
        const int y = truncated(single(30 + i * static_cast<double>(step)));
        canvas.moveTo((width - 20) / 2 + 8, y);
        canvas.lineTo((width - 20) / 2 + 13, y);
    }
}

void Viewer::drawEstimationFrame(Canvas& target) {
    const QImage& box = window_.paintBoxImage(Page::Estimation);
    const int width = box.width();
    const int height = box.height();
    target.setPenColour(kBlack);
    target.setPenStyle(Canvas::PenStyle::Solid);

    for (int i = 0; i <= 1; ++i) {
        const int y = 30 + i * (height - 60);
        target.moveTo(10, y);
        target.lineTo(width - 10, y);
    }
    for (int i = 0; i <= 1; ++i) {
        const int x = 10 + i * (width - 20);
        target.moveTo(x, height - 30);
        target.lineTo(x, 30);
    }

    // 21 ticks hanging below the bottom line, 11 left of the left line.
    const float across = single((width - 20) * 0.05);
    for (int i = 0; i <= 20; ++i) {
        const int x = truncated(single(10 + i * static_cast<double>(across)));
        target.moveTo(x, height - 30);
        target.lineTo(x, height - 27);
    }
    const float down = single((height - 60) * 0.1);
    for (int i = 0; i <= 10; ++i) {
        const int y = truncated(single(30 + i * static_cast<double>(down)));
        target.moveTo(8, y);
        target.lineTo(10, y);
    }
}

void Viewer::clearBitmap() {
    const QImage& box = window_.paintBoxImage(Page::Estimation);
    bitmapCanvas().fillRect(QRect(0, 0, box.width(), box.height()), kWhite);
}

void Viewer::setEnglishCaptions() {
    for (const Caption& caption : kCaptions)
        writeCaption(caption.control, caption.gridColumn, caption.english);
}

void Viewer::setRussianCaptions() {
    for (const Caption& caption : kCaptions)
        writeCaption(caption.control, caption.gridColumn, caption.russian);
}

void Viewer::writeCaption(const char* control, int gridColumn, const char* text) {
    const QString caption = QString::fromUtf8(text);
    if (gridColumn > 0) {
        window_.setTableCell(gridColumn, 0, caption);
    } else {
        window_.setCaption(control, caption);
    }
}

void Viewer::runningChosen() {
    clearEstimationBox();
    fullRedraw = 1;
    refresh();
}

void Viewer::slidingChosen() {
    refresh();
}

void Viewer::pageClicked() {
    if (!window_.isPageVisible(Page::Estimation))
        return;
    fullRedraw = 1;
    refresh();
}

void Viewer::languageChosen(int index) {
    if (index == 0) {
        setEnglishCaptions();
    } else if (index == 1) {
        setRussianCaptions();
    }
}

}  // namespace varkelon

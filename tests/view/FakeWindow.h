#pragma once

#include <algorithm>
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

#include <QImage>
#include <QString>

#include "model/TeachingModel.h"
#include "view/Viewer.h"
#include "view/ViewerWindow.h"

// Readable QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace varkelon::test {

inline constexpr QRgb kWindowColour = 0xffd4d0c8u;
inline constexpr QRgb kBlackPixel = 0xff000000u;
inline constexpr int kWidth = 374;
inline constexpr int kHeight = 246;

// The window as plain images and strings. Every text write is logged in order.
class FakeWindow : public ViewerWindow {
  public:
    FakeWindow() {
        for (QImage& image : images) {
            image = QImage(kWidth, kHeight, QImage::Format_RGB32);
            image.fill(kWindowColour);
        }
        for (auto& page : readouts) {
            for (QString& text : page)
                text = "stale";
        }
        for (auto& column : cells) {
            for (QString& text : column)
                text = "stale";
        }
    }

    Page visible = Page::Graph;
    bool running = false;
    bool sliding = true;
    QImage images[3];  // graphBox, historyBox, offscreenBitmap
    int repaints[2] = {};
    bool blankWhenRepainted = true;  // every repaint found its image in the window colour
    QString readouts[3][3];
    QString cells[4][18];
    std::vector<std::string> log;

    bool isPageVisible(Page page) const override { return page == visible; }
    bool isRunningChecked() const override { return running; }
    bool isSlidingChecked() const override { return sliding; }
    QImage& paintBoxImage(Page page) override { return images[page == Page::Graph ? 0 : 1]; }
    int paintBoxLeft(Page) const override { return 0; }
    void repaintPaintBox(Page page) override {
        const int box = page == Page::Graph ? 0 : 1;
        repaints[box] += 1;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                if (images[box].pixel(x, y) != kWindowColour)
                    blankWhenRepainted = false;
            }
        }
    }
    QImage& offscreenBitmap() override { return images[2]; }
    QColor windowColour() const override { return QColor::fromRgb(kWindowColour); }
    void setReadout(Page page, Readout readout, const QString& text) override {
        readouts[static_cast<int>(page)][static_cast<int>(readout)] = text;
        log.push_back("readout");
    }
    void setTableCell(int column, int row, const QString& text) override {
        cells[column][row] = text;
        log.push_back("StringGrid1[" + std::to_string(column) + "," + std::to_string(row) +
                      "]=" + text.toStdString());
    }
    void setCaption(std::string_view control, const QString& text) override {
        log.push_back(std::string(control) + "=" + text.toStdString());
    }
};

// A model reset once with a fixed clock, and a Viewer on the fake window.
struct ViewerFixture {
    ViewerFixture() { model.manager.reset(); }

    FakeWindow window;
    TeachingModel model{[] { return 1234567u; }, [] { return TeachingRegime::Static; }};
    Viewer viewer{window, model.manager, model.network, model.plant};

    float* history() { return model.network.estimationHistory; }
    // Ring position R and cycle count n, as after n cycles.
    void atCycle(std::int32_t n, std::int32_t newest) {
        model.manager.iteration = n;
        model.network.estimationIndex = newest;
    }
};

inline bool isBlack(const QImage& image, int x, int y) {
    return image.pixel(x, y) == kBlackPixel;
}

inline std::vector<int> blackInRow(const QImage& image, int y) {
    std::vector<int> xs;
    for (int x = 0; x < image.width(); ++x) {
        if (isBlack(image, x, y))
            xs.push_back(x);
    }
    return xs;
}

inline std::vector<int> blackInColumn(const QImage& image, int x) {
    std::vector<int> ys;
    for (int y = 0; y < image.height(); ++y) {
        if (isBlack(image, x, y))
            ys.push_back(y);
    }
    return ys;
}

// Pixels of `image` that differ from `reference`, as (x, y) pairs.
inline std::vector<std::pair<int, int>> differences(const QImage& image, const QImage& reference) {
    std::vector<std::pair<int, int>> points;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != reference.pixel(x, y))
                points.emplace_back(x, y);
        }
    }
    return points;
}

inline std::vector<int> range(int first, int last) {
    std::vector<int> values;
    for (int v = first; v <= last; ++v)
        values.push_back(v);
    return values;
}

// The values and a few more, sorted, each once.
inline std::vector<int> with(std::vector<int> values, std::initializer_list<int> more) {
    values.insert(values.end(), more);
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
    return values;
}

}  // namespace varkelon::test

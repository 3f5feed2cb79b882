#pragma once

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "lesson/Lesson.h"
#include "lesson/LessonDisplay.h"
#include "lesson/PaceTimer.h"
#include "model/TeachingModel.h"
#include "view/PixelImage.h"
#include "view/Viewer.h"
#include "view/ViewerWindow.h"

namespace varkelon::test {

inline constexpr std::uint32_t kWindowColour = 0xffd4d0c8u;
inline constexpr std::uint32_t kBlackPixel = 0xff000000u;
inline constexpr int kWidth = 374;
inline constexpr int kHeight = 246;

// The window as plain images and strings. Every text write is logged in order.
class FakeWindow : public ViewerWindow {
  public:
    FakeWindow() {
        for (PixelImage& image : images)
            image = PixelImage(kWidth, kHeight, kWindowColour);
        for (auto& page : readouts) {
            for (std::string& text : page)
                text = "stale";
        }
        for (auto& column : cells) {
            for (std::string& text : column)
                text = "stale";
        }
    }

    PixelImage images[3];  // graphBox, historyBox, offscreenBitmap
    int repaints[2] = {};
    bool blankWhenRepainted = true;  // every repaint found its image in the window colour
    std::string readouts[3][3];
    std::string cells[4][18];
    std::vector<std::string> log;

    PixelImage& paintBoxImage(Page page) override { return images[page == Page::Graph ? 0 : 1]; }
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
    PixelImage& offscreenBitmap() override { return images[2]; }
    std::uint32_t windowColour() const override { return kWindowColour; }
    void setReadout(Page page, Readout readout, std::string_view text) override {
        readouts[static_cast<int>(page)][static_cast<int>(readout)] = text;
        log.push_back("readout");
    }
    void setTableCell(int column, int row, std::string_view text) override {
        cells[column][row] = text;
        log.push_back("cell[" + std::to_string(column) + "," + std::to_string(row) +
                      "]=" + std::string(text));
    }
    void setCaption(CaptionSlot slot, std::string_view text) override {
        log.push_back(std::to_string(static_cast<int>(slot)) + "=" + std::string(text));
    }
};

// A display that shows nothing: the lesson's own, while the tests call the
// Viewer themselves.
class IdleDisplay : public LessonDisplay {
  public:
    void teachingReset() override {}
    void refresh() override {}
    void pageShown() override {}
    void plotChosen(PlotMode) override {}
    void languageChosen(CaptionLanguage) override {}
};

// A timer that never ticks: tests run the cycles themselves.
class StillTimer : public PaceTimer {
  public:
    void start() override {}
    void stop() override {}
    void setInterval(int) override {}
};

inline TeachingModel& modelOf(Lesson& lesson) {
    lesson.makeModel([](Manager::RegimeSource regime) {
        return std::make_unique<TeachingModel>([] { return 1234567u; }, std::move(regime));
    });
    return *lesson.model();
}

// A lesson with a fixed clock, started and then reset, and a Viewer on the
// fake window. The lesson's choices (the page, the plot) go to a display of
// its own; the tests call the Viewer themselves.
struct ViewerFixture {
    ViewerFixture() {
        lesson.attachDisplay(idle);
        lesson.open();
        lesson.step();
        model.manager.reset();
    }

    StillTimer timer;
    IdleDisplay idle;
    Lesson lesson{timer};
    FakeWindow window;
    TeachingModel& model = modelOf(lesson);
    Viewer viewer{window, lesson};

    float* history() { return model.network.estimationHistory; }
    // Ring position R and cycle count n, as after n cycles.
    void atCycle(std::int32_t n, std::int32_t newest) {
        model.manager.iteration = n;
        model.network.estimationIndex = newest;
    }
};

inline bool isBlack(const PixelImage& image, int x, int y) {
    return image.pixel(x, y) == kBlackPixel;
}

inline std::vector<int> blackInRow(const PixelImage& image, int y) {
    std::vector<int> xs;
    for (int x = 0; x < image.width(); ++x) {
        if (isBlack(image, x, y))
            xs.push_back(x);
    }
    return xs;
}

inline std::vector<int> blackInColumn(const PixelImage& image, int x) {
    std::vector<int> ys;
    for (int y = 0; y < image.height(); ++y) {
        if (isBlack(image, x, y))
            ys.push_back(y);
    }
    return ys;
}

// Pixels of `image` that differ from `reference`, as (x, y) pairs.
inline std::vector<std::pair<int, int>> differences(const PixelImage& image,
                                                    const PixelImage& reference) {
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

// Time of one Viewer refresh and of one quick tick (ten teaching cycles, each
// with its refresh) on each page, drawing on a window of plain images.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "lesson/Lesson.h"
#include "lesson/PaceTimer.h"
#include "model/TeachingModel.h"
#include "view/Viewer.h"

using namespace varkelon;

namespace {

constexpr std::uint32_t kClock = 1700000000u;

// Which page is on view and how the Estimation page is drawn.
enum class View { Graph, Sliding, Running, Table };

const char* nameOf(View view) {
    switch (view) {
        case View::Graph:
            return "Graph";
        case View::Sliding:
            return "Estimation Sliding";
        case View::Running:
            return "Estimation Running";
        case View::Table:
            return "Table";
    }
    return "?";
}

// The window as images and strings, with nothing on screen.
class BenchWindow : public ViewerWindow {
  public:
    PixelImage& paintBoxImage(Page page) override { return images_[page == Page::Graph ? 0 : 1]; }
    int paintBoxLeft(Page) const override { return 0; }
    void repaintPaintBox(Page) override {}
    PixelImage& offscreenBitmap() override { return images_[2]; }
    std::uint32_t windowColour() const override { return kWindowColour; }
    void setReadout(Page page, Readout readout, std::string_view text) override {
        readouts_[static_cast<int>(page)][static_cast<int>(readout)] = text;
    }
    void setTableCell(int column, int row, std::string_view text) override {
        cells_[column][row] = text;
    }
    void setCaption(CaptionSlot, std::string_view) override {}

  private:
    static constexpr std::uint32_t kWindowColour = 0xffd4d0c8u;
    PixelImage images_[3] = {
        {374, 246, kWindowColour}, {374, 246, kWindowColour}, {374, 246, kWindowColour}};
    std::string readouts_[3][3];
    std::string cells_[4][18];
};

class NoTimer : public PaceTimer {
  public:
    void start() override {}
    void stop() override {}
    void setInterval(int) override {}
};

// A lesson taught for 300 cycles of Sin + Random, so that the estimation
// ring is full, with the page and plot of the view chosen.
struct Setup {
    explicit Setup(View view) {
        lesson.chooseRegime(TeachingRegime::SinPlusRandom);
        lesson.makeModel([](Manager::RegimeSource regime) {
            return std::make_unique<TeachingModel>([] { return kClock; }, std::move(regime));
        });
        viewer = std::make_unique<Viewer>(window, lesson);
        lesson.attachDisplay(*viewer);
        lesson.open();
        lesson.step();
        for (int cycle = 0; cycle < 300; ++cycle)
            model().manager.step();
        lesson.choosePlot(view == View::Running ? PlotMode::Running : PlotMode::Sliding);
        lesson.showPage(view == View::Graph   ? Page::Graph
                        : view == View::Table ? Page::Table
                                              : Page::Estimation);
    }
    TeachingModel& model() { return *lesson.model(); }

    BenchWindow window;
    NoTimer timer;
    Lesson lesson{timer};
    std::unique_ptr<Viewer> viewer;
};

void BM_Refresh(benchmark::State& state) {
    const auto view = static_cast<View>(state.range(0));
    Setup setup(view);
    for (auto _ : state) {
        setup.viewer->refresh();
        benchmark::ClobberMemory();
    }
    state.SetLabel(nameOf(view));
}

void BM_QuickTick(benchmark::State& state) {
    const auto view = static_cast<View>(state.range(0));
    Setup setup(view);
    for (auto _ : state) {
        for (int cycle = 0; cycle < 10; ++cycle)
            setup.model().manager.step();
        benchmark::DoNotOptimize(setup.model().network.estimation);
    }
    state.SetLabel(nameOf(view));
}

// The same ten cycles without any display, for comparison.
void BM_QuickTickWithoutDisplay(benchmark::State& state) {
    Setup setup(View::Graph);
    setup.model().manager.setDisplay(nullptr);
    for (auto _ : state) {
        for (int cycle = 0; cycle < 10; ++cycle)
            setup.model().manager.step();
        benchmark::DoNotOptimize(setup.model().network.estimation);
    }
}

}  // namespace

BENCHMARK(BM_Refresh)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QuickTick)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QuickTickWithoutDisplay)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

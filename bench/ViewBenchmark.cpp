// Time of one Viewer refresh and of one quick tick (ten teaching cycles, each
// with its refresh) on each page, drawing on a window of plain images.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>

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
    explicit BenchWindow(View view) : view_(view) {
        for (QImage& image : images_) {
            image = QImage(374, 246, QImage::Format_RGB32);
            image.fill(kWindowColour);
        }
    }

    bool isPageVisible(Page page) const override {
        switch (view_) {
            case View::Graph:
                return page == Page::Graph;
            case View::Sliding:
            case View::Running:
                return page == Page::Estimation;
            case View::Table:
                return page == Page::Table;
        }
        return false;
    }
    bool isRunningChecked() const override { return view_ == View::Running; }
    bool isSlidingChecked() const override { return view_ != View::Running; }
    QImage& paintBoxImage(Page page) override { return images_[page == Page::Graph ? 0 : 1]; }
    int paintBoxLeft(Page) const override { return 0; }
    void repaintPaintBox(Page) override {}
    QImage& offscreenBitmap() override { return images_[2]; }
    QColor windowColour() const override { return QColor::fromRgb(kWindowColour); }
    void setReadout(Page page, Readout readout, const QString& text) override {
        readouts_[static_cast<int>(page)][static_cast<int>(readout)] = text;
    }
    void setTableCell(int column, int row, const QString& text) override {
        cells_[column][row] = text;
    }
    void setCaption(std::string_view, const QString&) override {}

  private:
    static constexpr QRgb kWindowColour = 0xffd4d0c8u;
    View view_;
    QImage images_[3];
    QString readouts_[3][3];
    QString cells_[4][18];
};

// A model taught for 300 cycles of Sin + Random, so that the estimation ring is full.
struct Setup {
    explicit Setup(View view) : window(view) {
        model.manager.reset();
        for (int cycle = 0; cycle < 300; ++cycle)
            model.manager.step();
        model.manager.setDisplay(&viewer);
        viewer.refresh();  // a Running full redraw, once
    }

    BenchWindow window;
    TeachingModel model{[] { return kClock; }, [] { return TeachingRegime::SinPlusRandom; }};
    Viewer viewer{window, model.manager, model.network, model.plant};
};

void BM_Refresh(benchmark::State& state) {
    const auto view = static_cast<View>(state.range(0));
    Setup setup(view);
    for (auto _ : state) {
        setup.viewer.refresh();
        benchmark::ClobberMemory();
    }
    state.SetLabel(nameOf(view));
}

void BM_QuickTick(benchmark::State& state) {
    const auto view = static_cast<View>(state.range(0));
    Setup setup(view);
    for (auto _ : state) {
        for (int cycle = 0; cycle < 10; ++cycle)
            setup.model.manager.step();
        benchmark::DoNotOptimize(setup.model.network.estimation);
    }
    state.SetLabel(nameOf(view));
}

// The same ten cycles without any display, for comparison.
void BM_QuickTickWithoutDisplay(benchmark::State& state) {
    Setup setup(View::Graph);
    setup.model.manager.setDisplay(nullptr);
    for (auto _ : state) {
        for (int cycle = 0; cycle < 10; ++cycle)
            setup.model.manager.step();
        benchmark::DoNotOptimize(setup.model.network.estimation);
    }
}

}  // namespace

BENCHMARK(BM_Refresh)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QuickTick)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QuickTickWithoutDisplay)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

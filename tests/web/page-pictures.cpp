// The paint boxes' pictures of a lesson run natively through the page's
// face, for the browser tests to hold the page's canvases against:
//
//   varkelon-page-pictures CLOCK COMMAND...
//
// COMMAND is step, quick, continuous, tick, stop, or page:N, regime:N,
// count:N, plot:N, language:N with the enumerations' values. The two boxes'
// pixels go to standard output as R, G, B, A bytes, the graph's first.
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "web/LessonFace.h"

namespace {

using namespace varkelon;

class SilentOutput : public FaceOutput {
  public:
    void showReadout(Page, Readout, std::string_view) override {}
    void showTableCell(int, int, std::string_view) override {}
    void showCaption(CaptionSlot, std::string_view) override {}
    void showPicture(Page, bool) override {}
};

// The commands' ticks come from the command line.
class CommandTimer : public PaceTimer {
  public:
    void start() override {}
    void stop() override {}
    void setInterval(int) override {}
};

bool run(LessonFace& face, const std::string& command) {
    const std::size_t colon = command.find(':');
    const std::string name = command.substr(0, colon);
    const int value = colon == std::string::npos ? 0 : std::atoi(command.c_str() + colon + 1);
    if (name == "step")
        face.step();
    else if (name == "quick")
        face.startQuick();
    else if (name == "continuous")
        face.startContinuous();
    else if (name == "tick")
        face.tick();
    else if (name == "stop")
        face.stop();
    else if (name == "page")
        face.showPage(static_cast<Page>(value));
    else if (name == "regime")
        face.chooseRegime(static_cast<TeachingRegime>(value));
    else if (name == "count")
        face.spinHiddenCount(value);
    else if (name == "plot")
        face.choosePlot(static_cast<PlotMode>(value));
    else if (name == "language")
        face.chooseLanguage(static_cast<CaptionLanguage>(value));
    else
        return false;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: varkelon-page-pictures CLOCK COMMAND...\n";
        return 2;
    }
    SilentOutput output;
    CommandTimer timer;
    LessonFace face(timer, output, static_cast<std::uint32_t>(std::strtoul(argv[1], nullptr, 10)));
    for (int i = 2; i < argc; ++i) {
        if (!run(face, argv[i])) {
            std::cerr << "unknown command " << argv[i] << '\n';
            return 2;
        }
    }
    std::vector<unsigned char> bytes;
    for (Page page : {Page::Graph, Page::Estimation}) {
        const PixelImage& image = face.picture(page);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const std::uint32_t pixel = image.pixel(x, y);
                bytes.insert(bytes.end(), {static_cast<unsigned char>(pixel >> 16),
                                           static_cast<unsigned char>(pixel >> 8),
                                           static_cast<unsigned char>(pixel),
                                           static_cast<unsigned char>(pixel >> 24)});
            }
        }
    }
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    return 0;
}

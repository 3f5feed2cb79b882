#include "PageLesson.h"

#include <emscripten/bind.h>

#include <optional>
#include <utility>

namespace varkelon {

namespace {

std::optional<std::uint32_t> clockOf(double seconds) {
    if (seconds < 0)
        return std::nullopt;
    return static_cast<std::uint32_t>(seconds);
}

}  // namespace

PageLesson::PageLesson(emscripten::val page, double clock)
    : output_(std::move(page)),
      timer_([this] { face_.tick(); }),
      face_(timer_, output_, clockOf(clock)) {}

void PageLesson::chooseRegime(int regime) {
    if (regime >= 0 && regime <= static_cast<int>(TeachingRegime::SinPlusRandom))
        face_.chooseRegime(static_cast<TeachingRegime>(regime));
}

void PageLesson::showPage(int page) {
    if (page >= 0 && page <= static_cast<int>(Page::Table))
        face_.showPage(static_cast<Page>(page));
}

void PageLesson::choosePlot(int mode) {
    face_.choosePlot(mode == 0 ? PlotMode::Running : PlotMode::Sliding);
}

void PageLesson::chooseLanguage(int language) {
    face_.chooseLanguage(language == 1 ? CaptionLanguage::Russian : CaptionLanguage::English);
}

emscripten::val PageLesson::picture(int page) const {
    const PixelImage& image = face_.picture(page == 1 ? Page::Estimation : Page::Graph);
    const auto size =
        static_cast<std::size_t>(image.stride()) * static_cast<std::size_t>(image.height());
    return emscripten::val(emscripten::typed_memory_view(size, image.data()));
}

EMSCRIPTEN_BINDINGS(varkelon_page) {
    emscripten::class_<PageLesson>("PageLesson")
        .constructor<emscripten::val, double>()
        .function("step", &PageLesson::step)
        .function("startContinuous", &PageLesson::startContinuous)
        .function("startQuick", &PageLesson::startQuick)
        .function("stop", &PageLesson::stop)
        .function("chooseRegime", &PageLesson::chooseRegime)
        .function("setSpeed", &PageLesson::setSpeed)
        .function("spinHiddenCount", &PageLesson::spinHiddenCount)
        .function("typeHiddenCount", &PageLesson::typeHiddenCount)
        .function("showPage", &PageLesson::showPage)
        .function("choosePlot", &PageLesson::choosePlot)
        .function("chooseLanguage", &PageLesson::chooseLanguage)
        .function("mode", &PageLesson::mode)
        .function("regime", &PageLesson::regime)
        .function("hiddenCount", &PageLesson::hiddenCount)
        .function("page", &PageLesson::page)
        .function("plot", &PageLesson::plot)
        .function("language", &PageLesson::language)
        .function("lastClock", &PageLesson::lastClock)
        .function("picture", &PageLesson::picture);
}

}  // namespace varkelon

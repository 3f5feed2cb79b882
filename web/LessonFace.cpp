#include "LessonFace.h"

#include <utility>

#include "model/RandomGenerator.h"

namespace varkelon {

namespace {

// The code points of UTF-8 text as UTF-16 code units; a malformed byte
// becomes U+FFFD, as a browser would show it.
std::u16string toUtf16(std::string_view text) {
    std::u16string units;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80       ? 1
                           : lead >> 5 == 6  ? 2
                           : lead >> 4 == 14 ? 3
                           : lead >> 3 == 30 ? 4
                                             : 0;
        char32_t point = length == 1   ? lead
                         : length == 2 ? lead & 0x1fu
                         : length == 3 ? lead & 0x0fu
                                       : lead & 0x07u;
        bool valid = length > 0 && i + static_cast<std::size_t>(length) <= text.size();
        for (int k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            valid = next >> 6 == 2;
            point = (point << 6) | (next & 0x3fu);
        }
        if (!valid) {
            units.push_back(u'\ufffd');
            i += 1;
            continue;
        }
        i += static_cast<std::size_t>(length);
        if (point >= 0x10000) {
            point -= 0x10000;
            units.push_back(static_cast<char16_t>(0xd800 + (point >> 10)));
            units.push_back(static_cast<char16_t>(0xdc00 + (point & 0x3ff)));
        } else {
            units.push_back(static_cast<char16_t>(point));
        }
    }
    return units;
}

}  // namespace

LessonFace::LessonFace(PaceTimer& timer, FaceOutput& output, std::optional<std::uint32_t> clock)
    : output_(output),
      clock_(clock),
      boxes_{PixelImage(kBoxWidth, kBoxHeight, kWindowColour),
             PixelImage(kBoxWidth, kBoxHeight, kWindowColour)},
      bitmap_(kBoxWidth, kBoxHeight, kWindowColour),
      lesson_(timer) {
    lesson_.makeModel([this](Manager::RegimeSource regime) {
        RandomGenerator::Clock read = [this] {
            lastClock_ = clock_ ? *clock_ : RandomGenerator::systemSeconds();
            return lastClock_;
        };
        return std::make_unique<TeachingModel>(std::move(read), std::move(regime));
    });
    viewer_ = std::make_unique<Viewer>(*this, lesson_);
    lesson_.attachDisplay(*viewer_);
    lesson_.open();
}

LessonFace::~LessonFace() {
    lesson_.close();
}

void LessonFace::step() {
    lesson_.step();
}

void LessonFace::startContinuous() {
    lesson_.startContinuous();
}

void LessonFace::startQuick() {
    lesson_.startQuick();
}

void LessonFace::stop() {
    lesson_.stop();
}

void LessonFace::tick() {
    // Ten cycles a tick: only the last one's readouts reach the screen.
    holding_ = lesson_.quickMode();
    lesson_.tick();
    holding_ = false;
    for (int p = 0; p < 3; ++p) {
        for (int r = 0; r < 3; ++r) {
            if (isHeld_[p][r]) {
                isHeld_[p][r] = false;
                writeReadout(p, r, held_[p][r]);
            }
        }
    }
}

void LessonFace::chooseRegime(TeachingRegime regime) {
    lesson_.chooseRegime(regime);
}

void LessonFace::setSpeed(int speed) {
    lesson_.setSpeed(speed);
}

void LessonFace::spinHiddenCount(int count) {
    lesson_.chooseHiddenCount(count);
}

void LessonFace::typeHiddenCount(std::string_view utf8) {
    lesson_.typeHiddenCount(toUtf16(utf8));
}

void LessonFace::showPage(Page page) {
    // A paint box whose page is hidden loses its picture; the page coming
    // into view is drawn afresh by the lesson.
    for (Page box : {Page::Graph, Page::Estimation}) {
        if (box != page && box == lesson_.page()) {
            paintBoxImage(box).fill(kWindowColour);
            output_.showPicture(box, true);
        }
    }
    lesson_.showPage(page);
}

void LessonFace::choosePlot(PlotMode mode) {
    lesson_.choosePlot(mode);
}

void LessonFace::chooseLanguage(CaptionLanguage language) {
    lesson_.chooseLanguage(language);
}

void LessonFace::repaintPaintBox(Page page) {
    output_.showPicture(page, true);
}

void LessonFace::paintBoxChanged(Page page) {
    output_.showPicture(page, false);
}

void LessonFace::setReadout(Page page, Readout readout, std::string_view text) {
    const int p = static_cast<int>(page);
    const int r = static_cast<int>(readout);
    if (holding_) {
        held_[p][r] = text;
        isHeld_[p][r] = true;
        return;
    }
    writeReadout(p, r, std::string(text));
}

void LessonFace::writeReadout(int page, int readout, const std::string& text) {
    // The same text again is no news, to the eye or to a screen reader.
    if (shown_[page][readout] == text)
        return;
    shown_[page][readout] = text;
    output_.showReadout(static_cast<Page>(page), static_cast<Readout>(readout), text);
}

void LessonFace::setTableCell(int column, int row, std::string_view text) {
    output_.showTableCell(column, row, text);
}

void LessonFace::setCaption(CaptionSlot slot, std::string_view text) {
    output_.showCaption(slot, text);
}

}  // namespace varkelon

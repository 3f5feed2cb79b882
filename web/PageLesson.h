#pragma once

#include <emscripten/val.h>

#include <string>

#include "web/BrowserTimer.h"
#include "web/LessonFace.h"
#include "web/ScriptOutput.h"

namespace varkelon {

// The lesson as the page's script sees it: its controls' commands with the
// numbers the page gives them (the enumerations' values), the state the
// controls show, and the paint boxes' pixels as views into memory.
class PageLesson {
  public:
    // `clock` below 0 means the real clock.
    PageLesson(emscripten::val page, double clock);

    void step() { face_.step(); }
    void startContinuous() { face_.startContinuous(); }
    void startQuick() { face_.startQuick(); }
    void stop() { face_.stop(); }
    void chooseRegime(int regime);
    void setSpeed(int speed) { face_.setSpeed(speed); }
    void spinHiddenCount(int count) { face_.spinHiddenCount(count); }
    void typeHiddenCount(const std::string& text) { face_.typeHiddenCount(text); }
    void showPage(int page);
    void choosePlot(int mode);
    void chooseLanguage(int language);

    int mode() const { return static_cast<int>(face_.lesson().mode()); }
    int regime() const { return static_cast<int>(face_.lesson().regime()); }
    int hiddenCount() const { return face_.lesson().hiddenCount(); }
    int page() const { return static_cast<int>(face_.lesson().page()); }
    int plot() const { return static_cast<int>(face_.lesson().plot()); }
    int language() const { return static_cast<int>(face_.lesson().language()); }
    double lastClock() const { return face_.lastClock(); }
    // The paint box's 0xAARRGGBB pixels, row after row, without a copy.
    emscripten::val picture(int page) const;

  private:
    ScriptOutput output_;
    BrowserTimer timer_;
    LessonFace face_;
};

}  // namespace varkelon

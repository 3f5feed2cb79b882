#pragma once

#include "lesson/LessonChoices.h"
#include "model/TeachingDisplay.h"

namespace varkelon {

// What the lesson asks of the display besides the two moments of teaching:
// a page came into view, a plot mode or a caption language was chosen.
class LessonDisplay : public TeachingDisplay {
  public:
    virtual void pageShown() = 0;
    virtual void plotChosen(PlotMode mode) = 0;
    virtual void languageChosen(CaptionLanguage language) = 0;
};

}  // namespace varkelon

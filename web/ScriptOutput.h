#pragma once

#include <emscripten/val.h>

#include "web/FaceOutput.h"

namespace varkelon {

// A LessonFace's output handed to the page's script: an object with the
// methods showReadout(page, readout, text), showTableCell(column, row,
// text), showCaption(slot, text) and showPicture(page, now).
class ScriptOutput : public FaceOutput {
  public:
    explicit ScriptOutput(emscripten::val page) : page_(std::move(page)) {}

    void showReadout(Page page, Readout readout, std::string_view text) override;
    void showTableCell(int column, int row, std::string_view text) override;
    void showCaption(CaptionSlot slot, std::string_view text) override;
    void showPicture(Page page, bool now) override;

  private:
    emscripten::val page_;
};

}  // namespace varkelon

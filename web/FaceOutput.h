#pragma once

#include <string_view>

#include "lesson/LessonChoices.h"
#include "view/CaptionTable.h"

namespace varkelon {

// Where a LessonFace sends what reaches the screen: the page's script in
// the browser, a recorder in tests. Texts are UTF-8 and arrive only when
// they change.
class FaceOutput {
  public:
    virtual ~FaceOutput() = default;

    virtual void showReadout(Page page, Readout readout, std::string_view text) = 0;
    // Row 0 holds the column titles, column 0 the channel numbers.
    virtual void showTableCell(int column, int row, std::string_view text) = 0;
    virtual void showCaption(CaptionSlot slot, std::string_view text) = 0;
    // The paint box's image changed: at once (`now`), or at the next frame.
    virtual void showPicture(Page page, bool now) = 0;
};

}  // namespace varkelon

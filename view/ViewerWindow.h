#pragma once

#include <cstdint>
#include <string_view>

#include "lesson/LessonChoices.h"
#include "view/CaptionTable.h"
#include "view/PixelImage.h"

namespace varkelon {

// The narrow part of a face that the Viewer draws on and writes to. The
// desktop implements it with widgets, the browser page with canvases and
// HTML, tests with plain images and strings. Texts are UTF-8.
class ViewerWindow {
  public:
    virtual ~ViewerWindow() = default;

    // The image a paint box shows (Graph: graphBox, Estimation: historyBox),
    // 374 x 246 in the window's layout. The Viewer draws on it.
    virtual PixelImage& paintBoxImage(Page page) = 0;
    // The paint box's left position within its panel (0 in the layout).
    virtual int paintBoxLeft(Page page) const = 0;
    // Shows the paint box's image on screen at once (synchronous repaint).
    virtual void repaintPaintBox(Page page) = 0;
    // The Viewer has drawn on the paint box's image: show it at the next
    // paint (an asynchronous update, so ten cycles of a tick paint once).
    virtual void paintBoxChanged(Page /*page*/) {}
    // The off-screen bitmap, graphBox's size.
    virtual PixelImage& offscreenBitmap() = 0;
    // The colour a cleared paint box shows: the panels' window colour.
    virtual std::uint32_t windowColour() const = 0;

    virtual void setReadout(Page page, Readout readout, std::string_view text) = 0;
    // channelTable's cell; row 0 holds the column titles, column 0 the
    // channel numbers.
    virtual void setTableCell(int column, int row, std::string_view text) = 0;
    virtual void setCaption(CaptionSlot slot, std::string_view text) = 0;
};

}  // namespace varkelon

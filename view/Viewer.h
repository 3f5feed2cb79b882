#pragma once

#include <cstdint>
#include <string>

#include "lesson/LessonDisplay.h"
#include "view/Canvas.h"
#include "view/ViewerWindow.h"

namespace varkelon {

class Lesson;
class Manager;
class Network;
class Plant;

// Turns the lesson's state into pixels and text after every teaching cycle
// and whenever the user changes the page, the plotting mode or the caption
// language. Everything it draws or writes goes to the face through
// ViewerWindow; which page is on view and which plot is chosen it reads from
// the lesson.
class Viewer : public LessonDisplay {
  public:
    // The lesson must have its model.
    Viewer(ViewerWindow& window, const Lesson& lesson);

    // TeachingDisplay
    void teachingReset() override;
    // Draws the page on view, then writes its readouts (and the table's cells).
    void refresh() override;

    // LessonDisplay
    void pageShown() override;
    void plotChosen(PlotMode mode) override;
    void languageChosen(CaptionLanguage language) override;

    // 12-column text of one table number.
    static std::string formatCell(float value);

    // The Running estimation plot is redrawn in full at its next drawing.
    bool fullRedraw() const { return fullRedraw_; }

  private:
    // Where a plot goes on a paint box: the frame's rectangle, 10 pixels in
    // from the left and right edges and 30 from the top and bottom.
    struct PlotArea {
        explicit PlotArea(const PixelImage& box);
        int boxHeight;                 // the paint box's own height
        int left, top, right, bottom;  // the frame's lines
        int width() const { return right - left; }
        int height() const { return bottom - top; }
    };

    void showNumbers();
    void writeReadouts(Page page, const std::string& iteration, const std::string& estimation,
                       const std::string& noise);

    void drawOutputGraph();
    void drawEstimationRunning();
    void drawEstimationSliding();
    void drawEstimationSegment(Canvas& target, const PlotArea& area, std::int32_t column,
                               float current, float previous);
    // The segment of a ring position, drawn in the column of its position.
    void drawRingSegment(Canvas& target, const PlotArea& area, std::int32_t position);
    void drawGraphFrame(Canvas& target, const PlotArea& area);
    void drawEstimationFrame(Canvas& target, const PlotArea& area);
    void clearBitmap(Canvas& bitmap);
    // The synchronous repaint that clears historyBox to its panel's colour.
    void clearEstimationBox();

    void setEnglishCaptions();
    void setRussianCaptions();

    // A canvas bound to the window's current image, ready to draw on.
    Canvas& paintBoxCanvas(Page page);
    Canvas& bitmapCanvas();

    ViewerWindow& window_;
    const Lesson& lesson_;
    const Manager& manager_;
    const Network& network_;
    const Plant& plant_;

    bool fullRedraw_ = true;

    // Pen state of the three drawing surfaces, kept from call to call: a
    // Running step draws in the style the last frame left on historyBox.
    Canvas paintBox1Canvas_;
    Canvas paintBox2Canvas_;
    Canvas bitmapCanvas_;
};

}  // namespace varkelon

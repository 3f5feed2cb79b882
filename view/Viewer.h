#pragma once

#include <cstdint>

#include <QString>

#include "model/TeachingDisplay.h"
#include "view/Canvas.h"
#include "view/ViewerWindow.h"

namespace varkelon {

class Manager;
class Network;
class NObject;

// Turns the model's state into pixels and text after every teaching cycle
// and whenever the user changes the page or the plotting mode.
class Viewer : public TeachingDisplay {
public:
    Viewer(ViewerWindow& window, const Manager& manager, const Network& network,
           const NObject& plant);

    // 1: the Running estimation plot must be redrawn in full at its next drawing.
    std::int16_t fullRedraw = 1;

    // TeachingDisplay
    void teachingReset() override;
    void refresh() override;

    void showNumbers();
    // 12-column text of one table number.
    static QString formatCell(float value);

    void drawOutputGraph();
    void drawEstimationRunning();
    void drawEstimationSliding();
    void drawEstimationSegment(std::int32_t column, float current, float previous);
    void drawGraphFrame();
    // On PaintBox2's canvas (paintBox2Canvas) or the bitmap's (bitmapCanvas).
    void drawEstimationFrame(Canvas& target);
    void clearBitmap();

    void setEnglishCaptions();
    void setRussianCaptions();

    // What the window's handlers ask of the Viewer.
    void runningChosen();            // RadioButton5Click
    void slidingChosen();            // RadioButton6Click
    void pageClicked();              // PageControl1MouseUp
    void languageChosen(int index);  // ComboBox1Change: 0 English, 1 Russian

    // The canvases, bound to the window's current images.
    Canvas& paintBox2Canvas();
    Canvas& bitmapCanvas();

private:
    void clearEstimationBox();
    void writeReadouts(Page page, const QString& iteration, const QString& estimation,
                       const QString& noise);
    // The Running segment of a ring position, drawn in its own column.
    void drawRingSegment(std::int32_t position);
    void writeCaption(const char* control, int gridColumn, const char* text);

    ViewerWindow& window_;
    const Manager& manager_;
    const Network& network_;
    const NObject& plant_;

    // Pen state of the three drawing surfaces; each is bound to the window's
    // image before it is drawn on.
    Canvas paintBox1Canvas_;
    Canvas paintBox2Canvas_;
    Canvas bitmapCanvas_;
};

}  // namespace varkelon

#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "lesson/Lesson.h"
#include "lesson/PaceTimer.h"
#include "view/PixelImage.h"
#include "view/Viewer.h"
#include "view/ViewerWindow.h"
#include "web/FaceOutput.h"

namespace varkelon {

// The browser page's window over one lesson, without the browser: the
// paint boxes' images, the rules of what reaches the screen (a readout only
// when its text changes, during a quick tick only the last cycle's; a
// hidden page's paint box cleared), and the controls' commands forwarded to
// the lesson. The page's script calls the commands and draws the images;
// tests run the same class natively.
class LessonFace : public ViewerWindow {
  public:
    static constexpr int kBoxWidth = 374;
    static constexpr int kBoxHeight = 246;
    // The paint boxes' and the off-screen bitmap's colour: white, the desktop
    // window's base colour.
    static constexpr std::uint32_t kWindowColour = 0xffffffffu;

    // Every seeding reads `clock` when given, the real clock otherwise.
    // Throws when the model cannot be made.
    LessonFace(PaceTimer& timer, FaceOutput& output, std::optional<std::uint32_t> clock);
    ~LessonFace() override;

    void step();
    void startContinuous();
    void startQuick();
    void stop();
    void tick();
    void chooseRegime(TeachingRegime regime);
    void setSpeed(int speed);
    void spinHiddenCount(int count);
    void typeHiddenCount(std::string_view utf8);
    void showPage(Page page);
    void choosePlot(PlotMode mode);
    void chooseLanguage(CaptionLanguage language);

    const Lesson& lesson() const { return lesson_; }
    // The clock the last seeding read: the one that replays this lesson.
    std::uint32_t lastClock() const { return lastClock_; }
    const PixelImage& picture(Page page) const { return boxes_[boxIndex(page)]; }

    // ViewerWindow
    PixelImage& paintBoxImage(Page page) override { return boxes_[boxIndex(page)]; }
    int paintBoxLeft(Page) const override { return 0; }
    void repaintPaintBox(Page page) override;
    void paintBoxChanged(Page page) override;
    PixelImage& offscreenBitmap() override { return bitmap_; }
    std::uint32_t windowColour() const override { return kWindowColour; }
    void setReadout(Page page, Readout readout, std::string_view text) override;
    void setTableCell(int column, int row, std::string_view text) override;
    void setCaption(CaptionSlot slot, std::string_view text) override;

  private:
    static int boxIndex(Page page) { return page == Page::Estimation ? 1 : 0; }
    void writeReadout(int page, int readout, const std::string& text);

    FaceOutput& output_;
    std::optional<std::uint32_t> clock_;
    std::uint32_t lastClock_ = 0;
    std::array<PixelImage, 2> boxes_;
    PixelImage bitmap_;
    Lesson lesson_;
    std::unique_ptr<Viewer> viewer_;

    // The texts on screen, and those a quick tick holds back until its end.
    std::string shown_[3][3];
    std::string held_[3][3];
    bool isHeld_[3][3] = {};
    bool holding_ = false;
};

}  // namespace varkelon

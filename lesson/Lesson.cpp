#include "Lesson.h"

#include <algorithm>

#include "lesson/LessonDisplay.h"
#include "lesson/NeuronCountText.h"
#include "lesson/PaceTimer.h"
#include "lesson/TickSchedule.h"
#include "model/Capacity.h"

namespace varkelon {

Lesson::Lesson(PaceTimer& timer)
    : timer_(timer),
      interval_(TickSchedule::kFirstInterval),
      speed_(TickSchedule::kFastest),
      hiddenCount_(kStartHidden) {}

Lesson::~Lesson() {
    close();
}

void Lesson::makeModel(const ModelMaker& maker) {
    model_.reset();
    model_ = maker([this] { return regime_; });
}

void Lesson::attachDisplay(LessonDisplay& display) {
    display_ = &display;
    if (model_)
        model_->manager.setDisplay(display_);
}

void Lesson::open() {
    if (!model_ || display_ == nullptr)
        return;
    open_ = true;
    model_->manager.reset();
    hiddenCount_ = model_->network.hiddenCount;
    display_->refresh();
    rebuildAtNextStart_ = true;
}

void Lesson::close() {
    // Nothing may tick into objects that are gone.
    if (timerOn_)
        timer_.stop();
    timerOn_ = false;
    open_ = false;
    if (model_)
        model_->manager.setDisplay(nullptr);
    display_ = nullptr;
    model_.reset();
}

bool Lesson::beginStart(TeachingMode mode) {
    if (!open_)
        return false;
    mode_ = mode;
    started_ = true;
    if (rebuildAtNextStart_)
        rebuild();
    return true;
}

void Lesson::rebuild() {
    model_->manager.reset();
    rebuildAtNextStart_ = false;
    // The rebuilt network teaches with the count the box shows, and the page
    // on view shows the rebuilt model, not the run before it.
    model_->network.hiddenCount = hiddenCount_;
    display_->refresh();
}

void Lesson::step() {
    if (!beginStart(TeachingMode::SingleStep))
        return;
    if (timerOn_)
        timer_.stop();
    timerOn_ = false;
    model_->manager.step();
}

void Lesson::startContinuous() {
    if (!beginStart(TeachingMode::Continuous))
        return;
    switchTimerOn();
    quickMode_ = false;
}

void Lesson::startQuick() {
    if (!beginStart(TeachingMode::Quick))
        return;
    quickMode_ = true;
    // The first quick tick comes at the quick pace, not after the period a
    // slow pace left behind.
    if (interval_ > TickSchedule::kQuickInterval)
        setInterval(TickSchedule::kQuickInterval);
    switchTimerOn();
}

void Lesson::stop() {
    if (!open_)
        return;
    mode_ = TeachingMode::Stopped;
    if (timerOn_)
        timer_.stop();
    timerOn_ = false;
    rebuildAtNextStart_ = true;
}

void Lesson::tick() {
    if (!open_)
        return;
    setInterval(TickSchedule::intervalAt(speed_));
    model_->manager.step();
    if (quickMode_) {
        for (int cycle = 1; cycle < TickSchedule::kQuickCycles; ++cycle) {
            setInterval(TickSchedule::kQuickInterval);
            model_->manager.step();
        }
    }
}

void Lesson::requestExit() {
    exitRequested_ = true;
}

void Lesson::chooseRegime(TeachingRegime regime) {
    regime_ = regime;
}

void Lesson::setSpeed(int speed) {
    speed_ = std::clamp(speed, TickSchedule::kSlowest, TickSchedule::kFastest);
}

void Lesson::chooseHiddenCount(int count) {
    hiddenCount_ = std::clamp(count, int{kMinHidden}, int{kMaxHidden});
    if (model_)
        model_->network.hiddenCount = hiddenCount_;
}

void Lesson::typeHiddenCount(std::u16string_view text) {
    chooseHiddenCount(NeuronCountText::count(text));
}

void Lesson::showPage(Page page) {
    page_ = page;
    if (open_)
        display_->pageShown();
}

void Lesson::choosePlot(PlotMode mode) {
    plot_ = mode;
    if (open_)
        display_->plotChosen(mode);
}

void Lesson::chooseLanguage(CaptionLanguage language) {
    language_ = language;
    if (display_ != nullptr)
        display_->languageChosen(language);
}

std::int64_t Lesson::iterationShown() const {
    if (!started_ || !model_)
        return 0;
    return std::int64_t{model_->manager.iteration} + 1;
}

void Lesson::switchTimerOn() {
    if (!timerOn_)
        timer_.start();
    timerOn_ = true;
}

void Lesson::setInterval(int milliseconds) {
    if (interval_ != milliseconds)
        timer_.setInterval(milliseconds);
    interval_ = milliseconds;
}

}  // namespace varkelon

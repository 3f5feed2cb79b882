#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

#include "lesson/LessonChoices.h"
#include "model/Manager.h"
#include "model/TeachingModel.h"
#include "model/TeachingRegime.h"

namespace varkelon {

class LessonDisplay;
class PaceTimer;

// One lesson in the window: the teaching commands and the choices the user
// makes, over the model they drive. A face forwards each control's event to
// one command here and shows what the lesson then holds; it decides nothing
// about what a command means.
//
// A lesson is opened in three steps: makeModel, then the display is made
// over the model and attached, then open draws the first picture. Until
// open has run, and for good after close, every command does nothing.
class Lesson {
  public:
    // Makes the model objects with the regime source the lesson passes; it
    // reports failure by throwing.
    using ModelMaker = std::function<std::unique_ptr<TeachingModel>(Manager::RegimeSource)>;

    explicit Lesson(PaceTimer& timer);
    ~Lesson();

    Lesson(const Lesson&) = delete;
    Lesson& operator=(const Lesson&) = delete;

    // Builds the model; throws what the maker throws and then has none.
    void makeModel(const ModelMaker& maker);
    void attachDisplay(LessonDisplay& display);
    // The picture of the window as it opens: a model reset once and shown,
    // teaching nothing; the first start command rebuilds it.
    void open();
    // The window goes: the timer stops and the model and display are let go.
    void close();

    // Start commands: each sets the mode, rebuilds the model when Stop (or
    // the opening) asked for it, then does its own part.
    void step();             // one cycle at once, the timer off
    void startContinuous();  // the timer on, one cycle a tick
    void startQuick();       // the timer on, ten cycles a tick
    void stop();             // the timer off; the next start rebuilds
    // A tick of the face's timer: the pace read from the speed, the cycles.
    void tick();
    // Exit: the face closes the window when it sees the request.
    void requestExit();

    void chooseRegime(TeachingRegime regime);
    void setSpeed(int speed);
    // The neuron count from the spinner, and as typed into the box (parsed
    // and clamped); both apply at once and survive the next rebuild.
    void chooseHiddenCount(int count);
    void typeHiddenCount(std::u16string_view text);
    void showPage(Page page);
    void choosePlot(PlotMode mode);
    void chooseLanguage(CaptionLanguage language);

    TeachingMode mode() const { return mode_; }
    bool quickMode() const { return quickMode_; }
    bool exitRequested() const { return exitRequested_; }
    TeachingRegime regime() const { return regime_; }
    int speed() const { return speed_; }
    // The count the neuron box shows: the network's, whenever there is one.
    int hiddenCount() const { return hiddenCount_; }
    Page page() const { return page_; }
    PlotMode plot() const { return plot_; }
    CaptionLanguage language() const { return language_; }
    // The iteration the readouts show: the cycle's number counted from 1,
    // and 0 until the first start command has run.
    std::int64_t iterationShown() const;

    // Null until makeModel succeeds, and after close.
    TeachingModel* model() { return model_.get(); }
    const TeachingModel* model() const { return model_.get(); }

  private:
    bool beginStart(TeachingMode mode);
    void rebuild();
    void switchTimerOn();
    void setInterval(int milliseconds);

    PaceTimer& timer_;
    std::unique_ptr<TeachingModel> model_;
    LessonDisplay* display_ = nullptr;
    // Commands act once open has run, until close.
    bool open_ = false;

    TeachingMode mode_ = TeachingMode::Stopped;
    bool quickMode_ = false;
    bool timerOn_ = false;
    int interval_;
    // The model shown at the opening, and the one Stop leaves, are rebuilt
    // by the next start command.
    bool rebuildAtNextStart_ = true;
    // No start command has run yet: the readouts say iteration 0.
    bool started_ = false;
    bool exitRequested_ = false;

    TeachingRegime regime_ = TeachingRegime::Static;
    int speed_;
    int hiddenCount_;
    Page page_ = Page::Graph;
    PlotMode plot_ = PlotMode::Sliding;
    CaptionLanguage language_ = CaptionLanguage::English;
};

}  // namespace varkelon

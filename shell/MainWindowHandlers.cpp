// The main window's handlers: each forwards its control's event to the
// lesson, then shows what the lesson holds.
#include "MainWindow.h"

#include <exception>
#include <string_view>

#include <QFrame>
#include <QLineEdit>
#include <QScrollBar>
#include <QTimer>

#include "shell/AboutBox.h"
#include "shell/ModeLamp.h"
#include "shell/PaintBox.h"
#include "shell/UpDown.h"

namespace varkelon {

// ---------------------------------------------------------------------------
// Creation and close

void MainWindow::buildModel() {
    try {
        lesson_->makeModel(parts_.makeModel);
        viewer_ = std::make_unique<Viewer>(*this, *lesson_);
        lesson_->attachDisplay(*viewer_);
        offscreenBitmap_ = parts_.makeBitmap(graphBox->size());
    } catch (const std::exception& error) {
        errors_.show(error);
    } catch (...) {
        errors_.showUnknown();
    }
    // Without its model objects the window shows its controls and teaches
    // nothing: the lesson stays closed.
    if (lesson_->model() && viewer_ && !offscreenBitmap_.isNull())
        lesson_->open();
    showLesson();
}

void MainWindow::takeModelDown() {
    lesson_->close();
    viewer_.reset();
    offscreenBitmap_ = PixelImage();
}

// ---------------------------------------------------------------------------
// Commands

void MainWindow::startQuickTeaching() {
    lesson_->startQuick();
    showLesson();
}

void MainWindow::exitProgram() {
    lesson_->requestExit();
    if (lesson_->exitRequested())
        close();
}

void MainWindow::teachOneStep() {
    lesson_->step();
    showLesson();
}

void MainWindow::stopTeaching() {
    lesson_->stop();
    showLesson();
}

void MainWindow::showAboutBox() {
    // A fresh dialog for every showing; teachingTimer goes on ticking behind it.
    AboutBox aboutBox;
    aboutBox.exec();
}

void MainWindow::startContinuousTeaching() {
    lesson_->startContinuous();
    showLesson();
}

void MainWindow::teachOnTick() {
    // Ten cycles a tick: only the last one's readouts reach the screen.
    holdingReadouts_ = lesson_->quickMode();
    lesson_->tick();
    flushHeldReadouts();
}

void MainWindow::applySpinnerCount() {
    lesson_->chooseHiddenCount(neuronSpinner->position());
    showLesson();
}

void MainWindow::applyTypedCount() {
    const QString text = neuronCountBox->text();
    lesson_->typeHiddenCount(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                                 static_cast<std::size_t>(text.size())));
    // The box ends showing the count in use, whatever was typed.
    neuronCountBox->clear();
    neuronSpinner->setPosition(lesson_->hiddenCount());
    showLesson();
}

void MainWindow::switchCaptions(int index) {
    if (index != 0 && index != 1)
        return;
    lesson_->chooseLanguage(index == 0 ? CaptionLanguage::English : CaptionLanguage::Russian);
    showLesson();
}

// ---------------------------------------------------------------------------
// What the window shows of the lesson

void MainWindow::showLesson() {
    if (lesson_->hiddenCount() != shownCount_) {
        shownCount_ = lesson_->hiddenCount();
        neuronSpinner->setPosition(shownCount_);
    }
    if (lesson_->language() != shownLanguage_) {
        shownLanguage_ = lesson_->language();
        dialogLanguage_.choose(shownLanguage_ == CaptionLanguage::Russian);
        nameForAssistiveTechnology();
        showMode();
    } else if (lesson_->mode() != shownMode_) {
        showMode();
    }
}

const ShellWords& MainWindow::words() const {
    return shownLanguage_ == CaptionLanguage::Russian ? kRussianWords : kEnglishWords;
}

void MainWindow::showMode() {
    shownMode_ = lesson_->mode();
    modeLamp->showMode(shownMode_, words());
}

QColor MainWindow::lampColour() const {
    return modeLamp->colour();
}

}  // namespace varkelon

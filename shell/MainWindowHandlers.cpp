// The main window's handlers: creation and close, the teaching commands and
// their pace, the neuron count, and the choices the Viewer acts on.
#include "MainWindow.h"

#include <exception>
#include <string_view>

#include <QFrame>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

#include "shell/AboutBox.h"
#include "shell/NeuronCountText.h"
#include "shell/PaintBox.h"
#include "shell/UpDown.h"

namespace varkelon {

namespace {

// teachingTimer's period in quick mode after a tick's first cycle.
constexpr int kQuickInterval = 30;
constexpr int kQuickCycles = 10;

}  // namespace

// ---------------------------------------------------------------------------
// Creation and close

void MainWindow::buildModel() {
    try {
        model_ = parts_.makeModel([this] { return currentRegime(); });
        viewer_ = std::make_unique<Viewer>(*this, model_->manager, model_->network, model_->plant);
        model_->manager.setDisplay(viewer_.get());
        offscreenBitmap_ = parts_.makeBitmap(graphBox->size());
    } catch (const std::exception& error) {
        errors_.show(error);
    } catch (...) {
        errors_.showUnknown();
    }

    setTableCell(1, 0, QStringLiteral("Object"));
    setTableCell(2, 0, QStringLiteral("Neuronet"));
    setTableCell(3, 0, QStringLiteral("Net Mistakes"));
    // The channel numbers, right-aligned by the header.
    for (int n = 1; n < kGridRows; ++n)
        setTableCell(0, n, QString::number(n));

    // Without its model objects the window shows its controls and teaches nothing.
    if (teachingReady()) {
        model_->manager.reset();
        showNeuronCount();
        viewer_->refresh();
    }
    graphIteration->setText(QStringLiteral("0"));
    if (teachingReady())
        model_->manager.built = false;
}

void MainWindow::takeModelDown() {
    // Nothing may tick into destroyed objects.
    teachingTimer->stop();
    model_.reset();
    viewer_.reset();
    offscreenBitmap_ = QImage();
}

bool MainWindow::teachingReady() const {
    return model_ && viewer_ && !offscreenBitmap_.isNull();
}

// ---------------------------------------------------------------------------
// Commands

bool MainWindow::beginStart(QRgb lamp) {
    if (!teachingReady())
        return false;
    setLamp(lamp);
    startedOnce_ = true;
    if (!model_->manager.built) {
        model_->manager.reset();
        // The rebuilt network teaches with its own count, and the page on
        // view shows the rebuilt model, not the run before it.
        showNeuronCount();
        viewer_->refresh();
    }
    return true;
}

void MainWindow::startQuickTeaching() {
    if (!beginStart(kQuickLamp))
        return;
    quickMode = true;
    // The first quick tick comes at the quick pace, not after the period a
    // slow pace left behind.
    if (teachingTimer->interval() > kQuickInterval)
        setTimerInterval(kQuickInterval);
    switchTimerOn();
}

void MainWindow::exitProgram() {
    close();
}

void MainWindow::teachOneStep() {
    if (!beginStart(kStepLamp))
        return;
    teachingTimer->stop();
    model_->manager.step();
}

void MainWindow::stopTeaching() {
    if (!teachingReady())
        return;
    setLamp(kStoppedLamp);
    teachingTimer->stop();
    model_->manager.built = false;
}

void MainWindow::showAboutBox() {
    // A fresh dialog for every showing; teachingTimer goes on ticking behind it.
    AboutBox aboutBox;
    aboutBox.exec();
}

void MainWindow::startContinuousTeaching() {
    if (!beginStart(kContinuousLamp))
        return;
    switchTimerOn();
    quickMode = false;
}

void MainWindow::teachOnTick() {
    if (!teachingReady())
        return;
    setTimerInterval(speedBar->maximum() + speedBar->minimum() - speedBar->value());
    // Ten cycles a tick: only the last one's readouts reach the screen.
    holdingReadouts_ = quickMode;
    model_->manager.step();
    if (quickMode) {
        for (int cycle = 1; cycle < kQuickCycles; ++cycle) {
            setTimerInterval(kQuickInterval);
            model_->manager.step();
        }
    }
    flushHeldReadouts();
}

void MainWindow::applySpinnerCount() {
    if (model_)
        model_->network.hiddenCount = neuronSpinner->position();
}

void MainWindow::applyTypedCount() {
    const QString text = neuronCountBox->text();
    const int count = NeuronCountText::count(std::u16string_view(
        reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())));
    neuronCountBox->clear();
    neuronCountBox->setText(QString::number(count));
    if (model_)
        model_->network.hiddenCount = count;
}

void MainWindow::chooseRunningPlot() {
    if (teachingReady())
        viewer_->runningChosen();
}

void MainWindow::chooseSlidingPlot() {
    if (teachingReady())
        viewer_->slidingChosen();
}

void MainWindow::showPageInView() {
    if (!teachingReady())
        return;
    viewer_->pageShown();
}

void MainWindow::switchCaptions(int index) {
    if (!viewer_ || (index != 0 && index != 1))
        return;
    viewer_->languageChosen(index);
    russianCaptions_ = index == 1;
    dialogLanguage_.choose(russianCaptions_);
    nameTheLamp();
    neuronSpinner->nameArrows(QString::fromUtf8(words().up), QString::fromUtf8(words().down));
}

const ShellWords& MainWindow::words() const {
    return russianCaptions_ ? kRussianWords : kEnglishWords;
}

void MainWindow::showNeuronCount() {
    neuronSpinner->setPosition(model_->network.hiddenCount);
}

void MainWindow::setLamp(QRgb colour) {
    QPalette palette = modeLamp->palette();
    // The lamp is disabled: its colour must hold in every colour group.
    palette.setColor(QPalette::Window, QColor(colour));
    modeLamp->setPalette(palette);
    nameTheLamp();
}

void MainWindow::nameTheLamp() {
    // The mode in words as well, for those who do not see the colour. A new
    // name goes out to assistive technology as a NameChanged event, so a
    // screen reader hears the change.
    const QRgb lamp = lampColour().rgb();
    const ShellWords& said = words();
    const char* mode = lamp == kQuickLamp        ? said.quick
                       : lamp == kStepLamp       ? said.step
                       : lamp == kContinuousLamp ? said.continuous
                                                 : said.stopped;
    modeLamp->setAccessibleName(QString::fromUtf8(mode));
}

QColor MainWindow::lampColour() const {
    return modeLamp->palette().color(QPalette::Disabled, QPalette::Window);
}

void MainWindow::switchTimerOn() {
    if (!teachingTimer->isActive())
        teachingTimer->start();
}

void MainWindow::setTimerInterval(int milliseconds) {
    if (teachingTimer->interval() != milliseconds)
        teachingTimer->setInterval(milliseconds);
}

TeachingRegime MainWindow::currentRegime() const {
    if (staticButton->isChecked())
        return TeachingRegime::Static;
    if (sinButton->isChecked())
        return TeachingRegime::Sin;
    if (sinRandomButton->isChecked())
        return TeachingRegime::SinPlusRandom;
    if (randomButton->isChecked())
        return TeachingRegime::Random;
    return TeachingRegime::None;
}

}  // namespace varkelon

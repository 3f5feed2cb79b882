// The main window's handlers: creation and close, the teaching commands and
// their pace, the neuron count, and the choices the Viewer acts on.
#include "TForm1.h"

#include <exception>
#include <string_view>

#include <QFrame>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

#include "shell/NeuronCountText.h"
#include "shell/PaintBox.h"
#include "shell/TAboutBox.h"
#include "shell/UpDown.h"

namespace varkelon {

namespace {

// Timer1's period in quick mode after a tick's first cycle.
constexpr int kQuickInterval = 30;
constexpr int kQuickCycles = 10;

}  // namespace

// ---------------------------------------------------------------------------
// Creation and close

void TForm1::FormCreate() {
    try {
        model_ = parts_.makeModel([this] { return currentRegime(); });
        viewer_ = std::make_unique<Viewer>(*this, model_->manager, model_->network, model_->plant);
        model_->manager.setDisplay(viewer_.get());
        offscreenBitmap_ = parts_.makeBitmap(PaintBox1->size());
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
    Edit5->setText(QStringLiteral("0"));
    if (teachingReady())
        model_->manager.built = 0;
}

void TForm1::FormClose() {
    // Nothing may tick into destroyed objects.
    Timer1->stop();
    model_.reset();
    viewer_.reset();
    offscreenBitmap_ = QImage();
}

bool TForm1::teachingReady() const {
    return model_ && viewer_ && !offscreenBitmap_.isNull();
}

// ---------------------------------------------------------------------------
// Commands

bool TForm1::beginStart(QRgb lamp) {
    if (!teachingReady())
        return false;
    setLamp(lamp);
    startedOnce_ = true;
    if (model_->manager.built == 0) {
        model_->manager.reset();
        // The rebuilt network teaches with its own count, and the page on
        // view shows the rebuilt model, not the run before it.
        showNeuronCount();
        viewer_->refresh();
    }
    return true;
}

void TForm1::Button1Click() {
    if (!beginStart(kQuickLamp))
        return;
    quickMode = 1;
    // The first quick tick comes at the quick pace, not after the period a
    // slow pace left behind.
    if (Timer1->interval() > kQuickInterval)
        setTimer1Interval(kQuickInterval);
    switchTimer1On();
}

void TForm1::Button2Click() {
    close();
}

void TForm1::Button3Click() {
    if (!beginStart(kStepLamp))
        return;
    Timer1->stop();
    model_->manager.step();
}

void TForm1::Button4Click() {
    if (!teachingReady())
        return;
    setLamp(kStoppedLamp);
    Timer1->stop();
    model_->manager.built = 0;
}

void TForm1::Button5Click() {
    // A fresh dialog for every showing; Timer1 goes on ticking behind it.
    TAboutBox aboutBox;
    aboutBox.exec();
}

void TForm1::ScrollBar1Enter() {
    if (!beginStart(kContinuousLamp))
        return;
    switchTimer1On();
    quickMode = 0;
}

void TForm1::Timer1Timer() {
    if (!teachingReady())
        return;
    setTimer1Interval(ScrollBar1->maximum() + ScrollBar1->minimum() - ScrollBar1->value());
    // Ten cycles a tick: only the last one's readouts reach the screen.
    holdingReadouts_ = quickMode != 0;
    model_->manager.step();
    if (quickMode != 0) {
        for (int cycle = 1; cycle < kQuickCycles; ++cycle) {
            setTimer1Interval(kQuickInterval);
            model_->manager.step();
        }
    }
    flushHeldReadouts();
}

void TForm1::UpDown1MouseUp() {
    if (model_)
        model_->network.hiddenCount = UpDown1->position();
}

void TForm1::Memo2Exit() {
    const QString text = Memo2->text();
    const int count = NeuronCountText::count(std::u16string_view(
        reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())));
    Memo2->clear();
    Memo2->setText(QString::number(count));
    if (model_)
        model_->network.hiddenCount = count;
}

void TForm1::RadioButton5Click() {
    if (teachingReady())
        viewer_->runningChosen();
}

void TForm1::RadioButton6Click() {
    if (teachingReady())
        viewer_->slidingChosen();
}

void TForm1::PageControl1MouseUp() {
    if (!teachingReady())
        return;
    viewer_->pageShown();
}

void TForm1::ComboBox1Change(int index) {
    if (!viewer_ || (index != 0 && index != 1))
        return;
    viewer_->languageChosen(index);
    russianCaptions_ = index == 1;
    nameTheLamp();
    UpDown1->nameArrows(QString::fromUtf8(words().up), QString::fromUtf8(words().down));
}

const ShellWords& TForm1::words() const {
    return russianCaptions_ ? kRussianWords : kEnglishWords;
}

void TForm1::showNeuronCount() {
    UpDown1->setPosition(model_->network.hiddenCount);
}

void TForm1::setLamp(QRgb colour) {
    QPalette palette = Memo1->palette();
    // The lamp is disabled: its colour must hold in every colour group.
    palette.setColor(QPalette::Window, QColor(colour));
    Memo1->setPalette(palette);
    nameTheLamp();
}

void TForm1::nameTheLamp() {
    // The mode in words as well, for those who do not see the colour. A new
    // name goes out to assistive technology as a NameChanged event, so a
    // screen reader hears the change.
    const QRgb lamp = lampColour().rgb();
    const ShellWords& said = words();
    const char* mode = lamp == kQuickLamp        ? said.quick
                       : lamp == kStepLamp       ? said.step
                       : lamp == kContinuousLamp ? said.continuous
                                                 : said.stopped;
    Memo1->setAccessibleName(QString::fromUtf8(mode));
}

QColor TForm1::lampColour() const {
    return Memo1->palette().color(QPalette::Disabled, QPalette::Window);
}

void TForm1::switchTimer1On() {
    if (!Timer1->isActive())
        Timer1->start();
}

void TForm1::setTimer1Interval(int milliseconds) {
    if (Timer1->interval() != milliseconds)
        Timer1->setInterval(milliseconds);
}

TeachingRegime TForm1::currentRegime() const {
    if (RadioButton1->isChecked())
        return TeachingRegime::Static;
    if (RadioButton2->isChecked())
        return TeachingRegime::Sin;
    if (RadioButton4->isChecked())
        return TeachingRegime::SinPlusRandom;
    if (RadioButton3->isChecked())
        return TeachingRegime::Random;
    return TeachingRegime::None;
}

}  // namespace varkelon

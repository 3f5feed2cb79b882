// The main window's construction and its event routing: which control's
// event runs which handler, the keys the window takes itself, and the guard
// that shows what a handler throws.
#include "MainWindow.h"

#include <exception>
#include <type_traits>
#include <utility>

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>

#include "lesson/TickSchedule.h"
#include "shell/FormFont.h"
#include "shell/PaintBox.h"
#include "shell/Placement.h"
#include "shell/UpDown.h"

namespace varkelon {

namespace {

constexpr int kClientWidth = 516;
constexpr int kClientHeight = 326;

// Focus that comes and goes with the window's activation, or with a popup
// menu, is not the user moving between controls.
bool movesBetweenControls(const QEvent* event) {
    const Qt::FocusReason reason = static_cast<const QFocusEvent*>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

}  // namespace

MainWindow::MainWindow(ErrorDisplay& errors, FormParts parts)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      errors_(errors),
      parts_(std::move(parts)),
      windowColour_(QApplication::palette().color(QPalette::Base)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("  Varkelon"));
    setWindowIcon(QIcon(QStringLiteral(":/varkelon/icon.png")));
    setFont(formFont());
    // Resizable, but no control moves: there is no layout, only fixed places.
    resize(kClientWidth, kClientHeight);

    teachingTimer = new QTimer(this);
    teachingTimer->setObjectName(QStringLiteral("Timer1"));
    teachingTimer->setTimerType(Qt::PreciseTimer);
    teachingTimer->setInterval(TickSchedule::kFirstInterval);
    pace_ = std::make_unique<TimerPace>(*teachingTimer);
    lesson_ = std::make_unique<Lesson>(*pace_);

    buildPages();
    buildAdjustment();
    buildCommands();

    setTabOrder();
    connectHandlers();
    nameForAssistiveTechnology();
    // The form names no first control: the first Tab stop has the focus.
    staticButton->setFocus();

    buildModel();
}

MainWindow::~MainWindow() {
    takeModelDown();
}

void MainWindow::connectHandlers() {
    connect(quickButton, &QPushButton::clicked, this,
            [this] { guarded(&MainWindow::startQuickTeaching); });
    connect(exitButton, &QPushButton::clicked, this, [this] { guarded(&MainWindow::exitProgram); });
    connect(stepButton, &QPushButton::clicked, this,
            [this] { guarded(&MainWindow::teachOneStep); });
    connect(stopButton, &QPushButton::clicked, this,
            [this] { guarded(&MainWindow::stopTeaching); });
    connect(aboutButton, &QPushButton::clicked, this,
            [this] { guarded(&MainWindow::showAboutBox); });
    connect(teachingTimer, &QTimer::timeout, this, [this] { guarded(&MainWindow::teachOnTick); });
    connect(neuronSpinner, &UpDown::mouseUp, this,
            [this] { guarded(&MainWindow::applySpinnerCount); });
    const std::pair<QRadioButton*, PlotMode> plots[] = {{runningButton, PlotMode::Running},
                                                        {slidingButton, PlotMode::Sliding}};
    for (const auto& [button, mode] : plots) {
        connect(button, &QRadioButton::toggled, this, [this, mode = mode](bool checked) {
            if (checked)
                guarded([this, mode] { lesson_->choosePlot(mode); });
        });
    }
    const std::pair<QRadioButton*, TeachingRegime> regimes[] = {
        {staticButton, TeachingRegime::Static},
        {sinButton, TeachingRegime::Sin},
        {randomButton, TeachingRegime::Random},
        {sinRandomButton, TeachingRegime::SinPlusRandom}};
    for (const auto& [button, regime] : regimes) {
        connect(button, &QRadioButton::toggled, this, [this, regime = regime](bool checked) {
            if (checked)
                lesson_->chooseRegime(regime);
        });
    }
    connect(speedBar, &QScrollBar::valueChanged, this,
            [this](int speed) { lesson_->setSpeed(speed); });
    connect(languageBox, &QComboBox::activated, this,
            [this](int index) { guarded([this, index] { switchCaptions(index); }); });
    connect(pageTabs, &QTabWidget::currentChanged, this, [this] { pageChanged(); });
    connect(channelTable, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& where) { showTableMenu(where); });
    for (PaintBox* box : {graphBox, historyBox}) {
        box->setContextMenuPolicy(Qt::CustomContextMenu);
        const Page page = box == graphBox ? Page::Graph : Page::Estimation;
        connect(box, &QWidget::customContextMenuRequested, this,
                [this, page](const QPoint& where) { showPictureMenu(page, where); });
    }
    // The pages turn from anywhere in the window, not only from inside them.
    // Shift+Tab comes as Backtab from some keyboards and as Tab from others;
    // where one key press matches both, one of them is told it is ambiguous.
    const std::pair<QKeyCombination, int> turns[] = {{Qt::CTRL | Qt::Key_Tab, 1},
                                                     {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, -1},
                                                     {Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, -1},
                                                     {Qt::CTRL | Qt::Key_PageDown, 1},
                                                     {Qt::CTRL | Qt::Key_PageUp, -1}};
    for (const auto& [keys, by] : turns) {
        auto* shortcut = new QShortcut(QKeySequence(keys), this);
        const auto turn = [this, by = by] { turnPage(by); };
        connect(shortcut, &QShortcut::activated, this, turn);
        connect(shortcut, &QShortcut::activatedAmbiguously, this, turn);
    }
    channelTable->installEventFilter(this);
    channelTable->viewport()->installEventFilter(this);
    speedBar->installEventFilter(this);
    neuronCountBox->installEventFilter(this);
    pageTabs->installEventFilter(this);
    pageTabs->tabBar()->installEventFilter(this);
}

void MainWindow::chooseLanguage(int index) {
    languageBox->setCurrentIndex(index);
    guarded([this, index] { switchCaptions(index); });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == speedBar && event->type() == QEvent::MouseButtonPress && !isActiveWindow()) {
        // A click on the bar of an inactive window gives it the focus only
        // when the window then becomes active: that is still the user's click.
        speedBarClickedInactive_ = true;
    } else if (watched == speedBar && event->type() == QEvent::FocusIn) {
        const bool clicked =
            speedBarClickedInactive_ &&
            static_cast<QFocusEvent*>(event)->reason() == Qt::ActiveWindowFocusReason;
        speedBarClickedInactive_ = false;
        if (clicked || movesBetweenControls(event))
            guarded(&MainWindow::startContinuousTeaching);
    } else if (watched == neuronCountBox) {
        if (event->type() == QEvent::FocusOut && movesBetweenControls(event)) {
            guarded(&MainWindow::applyTypedCount);
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Up || key == Qt::Key_Down) {
                neuronSpinner->stepBy(key == Qt::Key_Up ? 1 : -1);
                return true;
            }
        }
    } else if (watched == speedBar && event->type() == QEvent::KeyPress) {
        // Qt's scroll bars take Left for a step towards the maximum; this
        // one moves its thumb the way the arrow points.
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Left || key == Qt::Key_Right) {
            speedBar->triggerAction(key == Qt::Key_Left ? QAbstractSlider::SliderSingleStepSub
                                                        : QAbstractSlider::SliderSingleStepAdd);
            return true;
        }
    } else if (watched == channelTable && event->type() == QEvent::KeyPress &&
               static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        guarded([this] { copyTable(); });
        return true;
    } else if (watched == channelTable->viewport() && event->type() == QEvent::MouseButtonPress &&
               static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        // A right click opens the menu and leaves the selection as it was.
        return true;
    } else if ((watched == pageTabs || watched == pageTabs->tabBar()) &&
               event->type() == QEvent::MouseButtonRelease &&
               releasedOnTabs(watched, static_cast<QMouseEvent*>(event))) {
        // A click on the tab row shows the page on view afresh, changed or not.
        pageChanged();
    }
    return QWidget::eventFilter(watched, event);
}

bool MainWindow::releasedOnTabs(QObject* watched, const QMouseEvent* event) const {
    if (watched == pageTabs->tabBar())
        return true;
    // A release that a page's own controls left unhandled travels up to the
    // page control: that is not a click on its tabs.
    const QWidget* page = pageTabs->currentWidget();
    const QRect pageArea(page->mapTo(pageTabs, QPoint(0, 0)), page->size());
    return !pageArea.contains(event->position().toPoint());
}

void MainWindow::pageChanged() {
    // By a click on a tab, Ctrl+Tab, the arrow keys on the tab bar or the wheel.
    const Page page = static_cast<Page>(pageTabs->currentIndex());
    guarded([this, page] { lesson_->showPage(page); });
}

void MainWindow::turnPage(int by) {
    const int pages = pageTabs->count();
    pageTabs->setCurrentIndex((pageTabs->currentIndex() + by + pages) % pages);
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    // Enter reaches the window only when the focused control has no use for
    // it: the default button takes it. A count typed into the neuron box is
    // applied first, as leaving the box would.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        event->modifiers() == Qt::NoModifier) {
        if (QApplication::focusWidget() == neuronCountBox)
            guarded(&MainWindow::applyTypedCount);
        quickButton->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void MainWindow::showEvent(QShowEvent* event) {
    if (!shownOnce_) {
        shownOnce_ = true;
        centreOnScreen(*this);
    }
    QWidget::showEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    takeModelDown();
    event->accept();
}

}  // namespace varkelon

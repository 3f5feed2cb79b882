// The main window's construction and its event routing: which control's
// event runs which handler, the keys the window takes itself, and the guard
// that shows what a handler throws.
#include "TForm1.h"

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

#include "shell/FormFont.h"
#include "shell/PaintBox.h"
#include "shell/Placement.h"
#include "shell/UpDown.h"

namespace varkelon {

namespace {

constexpr int kClientWidth = 516;
constexpr int kClientHeight = 326;
// Timer1's period at start.
constexpr int kFirstInterval = 100;

// Focus that comes and goes with the window's activation, or with a popup
// menu, is not the user moving between controls.
bool movesBetweenControls(const QEvent* event) {
    const Qt::FocusReason reason = static_cast<const QFocusEvent*>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

}  // namespace

TForm1::TForm1(ErrorDisplay& errors, FormParts parts)
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

    buildPages();
    buildAdjustment();
    buildCommands();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setInterval(kFirstInterval);

    setTabOrder();
    connectHandlers();
    nameControlsForAssistiveTechnology();
    // The form names no first control: the first Tab stop has the focus.
    RadioButton1->setFocus();

    FormCreate();
}

TForm1::~TForm1() {
    FormClose();
}

void TForm1::connectHandlers() {
    connect(Button1, &QPushButton::clicked, this, [this] { guarded(&TForm1::Button1Click); });
    connect(Button2, &QPushButton::clicked, this, [this] { guarded(&TForm1::Button2Click); });
    connect(Button3, &QPushButton::clicked, this, [this] { guarded(&TForm1::Button3Click); });
    connect(Button4, &QPushButton::clicked, this, [this] { guarded(&TForm1::Button4Click); });
    connect(Button5, &QPushButton::clicked, this, [this] { guarded(&TForm1::Button5Click); });
    connect(Timer1, &QTimer::timeout, this, [this] { guarded(&TForm1::Timer1Timer); });
    connect(UpDown1, &UpDown::mouseUp, this, [this] { guarded(&TForm1::UpDown1MouseUp); });
    connect(RadioButton5, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked)
            guarded(&TForm1::RadioButton5Click);
    });
    connect(RadioButton6, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked)
            guarded(&TForm1::RadioButton6Click);
    });
    connect(ComboBox1, &QComboBox::activated, this,
            [this](int index) { guarded([this, index] { ComboBox1Change(index); }); });
    connect(PageControl1, &QTabWidget::currentChanged, this, [this] { pageChanged(); });
    connect(StringGrid1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& where) { showTableMenu(where); });
    for (PaintBox* box : {PaintBox1, PaintBox2}) {
        box->setContextMenuPolicy(Qt::CustomContextMenu);
        const Page page = box == PaintBox1 ? Page::Graph : Page::Estimation;
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
    StringGrid1->installEventFilter(this);
    ScrollBar1->installEventFilter(this);
    Memo2->installEventFilter(this);
    PageControl1->installEventFilter(this);
    PageControl1->tabBar()->installEventFilter(this);
}

void TForm1::chooseLanguage(int index) {
    ComboBox1->setCurrentIndex(index);
    guarded([this, index] { ComboBox1Change(index); });
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ScrollBar1 && event->type() == QEvent::MouseButtonPress && !isActiveWindow()) {
        // A click on the bar of an inactive window gives it the focus only
        // when the window then becomes active: that is still the user's click.
        speedBarClickedInactive_ = true;
    } else if (watched == ScrollBar1 && event->type() == QEvent::FocusIn) {
        const bool clicked =
            speedBarClickedInactive_ &&
            static_cast<QFocusEvent*>(event)->reason() == Qt::ActiveWindowFocusReason;
        speedBarClickedInactive_ = false;
        if (clicked || movesBetweenControls(event))
            guarded(&TForm1::ScrollBar1Enter);
    } else if (watched == Memo2) {
        if (event->type() == QEvent::FocusOut && movesBetweenControls(event)) {
            guarded(&TForm1::Memo2Exit);
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Up || key == Qt::Key_Down) {
                UpDown1->stepBy(key == Qt::Key_Up ? 1 : -1);
                return true;
            }
        }
    } else if (watched == ScrollBar1 && event->type() == QEvent::KeyPress) {
        // Qt's scroll bars take Left for a step towards the maximum; this
        // one moves its thumb the way the arrow points.
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Left || key == Qt::Key_Right) {
            ScrollBar1->triggerAction(key == Qt::Key_Left ? QAbstractSlider::SliderSingleStepSub
                                                          : QAbstractSlider::SliderSingleStepAdd);
            return true;
        }
    } else if (watched == StringGrid1 && event->type() == QEvent::KeyPress &&
               static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        guarded(&TForm1::copyTable);
        return true;
    } else if ((watched == PageControl1 || watched == PageControl1->tabBar()) &&
               event->type() == QEvent::MouseButtonRelease &&
               releasedOnTabs(watched, static_cast<QMouseEvent*>(event))) {
        guarded(&TForm1::PageControl1MouseUp);
    }
    return QWidget::eventFilter(watched, event);
}

bool TForm1::releasedOnTabs(QObject* watched, const QMouseEvent* event) const {
    if (watched == PageControl1->tabBar())
        return true;
    // A release that a page's own controls left unhandled travels up to the
    // page control: that is not a click on its tabs.
    const QWidget* page = PageControl1->currentWidget();
    const QRect pageArea(page->mapTo(PageControl1, QPoint(0, 0)), page->size());
    return !pageArea.contains(event->position().toPoint());
}

void TForm1::pageChanged() {
    // A click on a tab changes the page while the button is down, and its
    // release then runs the handler; any other change (Ctrl+Tab, the arrow
    // keys on the tab bar, the wheel) runs it here, once.
    if (QGuiApplication::mouseButtons() == Qt::NoButton)
        guarded(&TForm1::PageControl1MouseUp);
}

void TForm1::turnPage(int by) {
    const int pages = PageControl1->count();
    PageControl1->setCurrentIndex((PageControl1->currentIndex() + by + pages) % pages);
}

void TForm1::keyPressEvent(QKeyEvent* event) {
    // Enter reaches the window only when the focused control has no use for
    // it: the default button takes it. A count typed into the neuron box is
    // applied first, as leaving the box would.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        event->modifiers() == Qt::NoModifier) {
        if (QApplication::focusWidget() == Memo2)
            guarded(&TForm1::Memo2Exit);
        Button1->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TForm1::showEvent(QShowEvent* event) {
    if (!shownOnce_) {
        shownOnce_ = true;
        centreOnScreen(*this);
    }
    QWidget::showEvent(event);
}

void TForm1::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

}  // namespace varkelon

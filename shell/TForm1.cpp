#include "TForm1.h"

#include <algorithm>
#include <exception>
#include <initializer_list>
#include <string_view>
#include <type_traits>
#include <utility>

#include <QApplication>
#include <QGuiApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>

#include "shell/FormFont.h"
#include "shell/NeuronCountText.h"
#include "shell/PaintBox.h"
#include "shell/Placement.h"
#include "shell/TAboutBox.h"
#include "shell/UpDown.h"

namespace varkelon {

namespace {

constexpr int kClientWidth = 516;
constexpr int kClientHeight = 326;
constexpr int kPaintBoxWidth = 374;
constexpr int kPaintBoxHeight = 246;
// The border of Panel5 and Panel6 around their paint box: the panel's area
// inside it, which the paint box fills, starts 2 pixels in.
constexpr int kPanelBorder = 2;
constexpr QRect kPaintBoxArea(kPanelBorder, kPanelBorder, kPaintBoxWidth, kPaintBoxHeight);
// Timer1's period at start, and in quick mode after a tick's first cycle.
constexpr int kFirstInterval = 100;
constexpr int kQuickInterval = 30;
constexpr int kQuickCycles = 10;
constexpr int kGridColumns = 4;
constexpr int kGridRows = 18;
constexpr int kMinimumNeurons = 1;
constexpr int kMaximumNeurons = 10;

// Creates a control of the form: its name, its parent, its place.
template <class Control>
Control* place(QWidget* parent, const char* name, int left, int top, int width, int height) {
    auto* control = new Control(parent);
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(left, top, width, height);
    return control;
}

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// The bevels of a captioned panel.
enum class Bevel { RaisedInLowered, Lowered };

QLabel* makePanel(QWidget* parent, const char* name, QRect where, const char* caption,
                  Bevel bevel) {
    auto* panel = place<QLabel>(parent, name, where.x(), where.y(), where.width(), where.height());
    panel->setText(text(caption));
    panel->setAlignment(Qt::AlignCenter);
    // An etched box is an outer lowered bevel around an inner raised one.
    if (bevel == Bevel::RaisedInLowered) {
        panel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    } else {
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    }
    panel->setLineWidth(1);
    panel->setAutoFillBackground(true);
    return panel;
}

// A label is as wide as its text, as the form's labels size themselves: its
// left and top stay, its width follows every caption written to it.
constexpr char kFitsText[] = "fitsText";

void fitToText(QLabel* label) {
    label->resize(label->sizeHint().width(), label->height());
}

QLabel* makeLabel(QWidget* parent, const char* name, QRect where, const char* caption) {
    auto* label = place<QLabel>(parent, name, where.x(), where.y(), where.width(), where.height());
    label->setProperty(kFitsText, true);
    label->setText(text(caption));
    fitToText(label);
    return label;
}

QLineEdit* makeReadout(QWidget* parent, const char* name, QRect where, const char* value) {
    auto* edit =
        place<QLineEdit>(parent, name, where.x(), where.y(), where.width(), where.height());
    edit->setText(text(value));
    edit->setReadOnly(true);
    return edit;
}

QPushButton* makeButton(QWidget* parent, const char* name, QRect where, const char* caption) {
    auto* button =
        place<QPushButton>(parent, name, where.x(), where.y(), where.width(), where.height());
    button->setText(text(caption));
    // Enter on a focused button clicks that button, as on the system's forms.
    button->setAutoDefault(true);
    return button;
}

QRadioButton* makeRadio(QWidget* parent, const char* name, QRect where, const char* caption) {
    auto* radio =
        place<QRadioButton>(parent, name, where.x(), where.y(), where.width(), where.height());
    radio->setText(text(caption));
    return radio;
}

QGroupBox* makeGroup(QWidget* parent, const char* name, QRect where, const char* caption) {
    auto* group =
        place<QGroupBox>(parent, name, where.x(), where.y(), where.width(), where.height());
    group->setTitle(text(caption));
    return group;
}

// Of a group of radio buttons only the selected one is a Tab stop; the
// others still take the focus when clicked.
void keepTabStopOnSelected(QButtonGroup& group) {
    const auto update = [&group] {
        for (QAbstractButton* button : group.buttons())
            button->setFocusPolicy(button->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    };
    QObject::connect(&group, &QButtonGroup::buttonToggled, &group, update);
    update();
}

// Focus that comes and goes with the window's activation, or with a popup
// menu, is not the user moving between controls.
bool movesBetweenControls(const QEvent* event) {
    const Qt::FocusReason reason = static_cast<const QFocusEvent*>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

// A page's drawing area: a panel in the window colour with a single-line
// border, and the paint box filling the panel inside that border.
QFrame* makeDrawingPanel(QWidget* page, const char* name, const QColor& colour) {
    auto* panel = place<QFrame>(page, name, 0, 0, kPaintBoxWidth + 2 * kPanelBorder,
                                kPaintBoxHeight + 2 * kPanelBorder);
    panel->setFrameStyle(QFrame::Box | QFrame::Plain);
    panel->setLineWidth(1);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, colour);
    panel->setPalette(palette);
    panel->setAutoFillBackground(true);
    return panel;
}

// What the lamp's colour tells.
QString modeInWords(QRgb lamp) {
    switch (lamp) {
        case TForm1::kQuickLamp:
            return QStringLiteral("Quick");
        case TForm1::kStepLamp:
            return QStringLiteral("Step");
        case TForm1::kContinuousLamp:
            return QStringLiteral("Continuous");
        default:
            return QStringLiteral("Stopped");
    }
}

QWidget* sheetOf(Page page, QWidget* graph, QWidget* estimation, QWidget* table) {
    switch (page) {
        case Page::Graph:
            return graph;
        case Page::Estimation:
            return estimation;
        case Page::Table:
            return table;
    }
    return graph;
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

void TForm1::buildPages() {
    PageControl1 = place<QTabWidget>(this, "PageControl1", 0, 0, 386, 322);
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    TabSheet2 = new QWidget;
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    TabSheet3 = new QWidget;
    TabSheet3->setObjectName(QStringLiteral("TabSheet3"));
    PageControl1->addTab(TabSheet1, QStringLiteral("Graph"));
    PageControl1->addTab(TabSheet2, QStringLiteral("Estimation"));
    PageControl1->addTab(TabSheet3, QStringLiteral("Table"));
    PageControl1->setCurrentWidget(TabSheet1);
    buildGraphPage();
    buildEstimationPage();
    buildTablePage();

    // Panel2 and Button5 sit in the tab row, over the page control.
    Panel2 =
        makePanel(this, "Panel2", {160, 0, 185, 18}, "Teaching Dynamics", Bevel::RaisedInLowered);
    Panel2->setToolTip(QStringLiteral("Neuronet is predict of the object outputs"));
    Button5 = makeButton(this, "Button5", {360, 0, 25, 17}, "?");
}

void TForm1::buildGraphPage() {
    Panel5 = makeDrawingPanel(TabSheet1, "Panel5", windowColour_);
    PaintBox1 = new PaintBox(Panel5, kPaintBoxArea, windowColour_);
    PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
    PaintBox1->setToolTip(QStringLiteral("Outputs of neuronet & object"));
    Edit5 = makeReadout(TabSheet1, "Edit5", {24, 256, 74, 21}, "0");
    Edit6 = makeReadout(TabSheet1, "Edit6", {152, 256, 74, 21}, "1.0");
    Edit7 = makeReadout(TabSheet1, "Edit7", {280, 256, 74, 21}, "0.0");
    Label4 = makeLabel(TabSheet1, "Label4", {32, 280, 38, 13}, "Iteration");
    Label4->setToolTip(QStringLiteral("Number of teaching cycle"));
    Label5 = makeLabel(TabSheet1, "Label5", {160, 280, 48, 13}, "Estimation");
    Label5->setToolTip(QStringLiteral("Quality of the neuronet adaptation"));
    Label6 = makeLabel(TabSheet1, "Label6", {288, 280, 27, 13}, "Noise");
    Label6->setToolTip(QStringLiteral("Random component of input"));
}

void TForm1::buildEstimationPage() {
    Panel6 = makeDrawingPanel(TabSheet2, "Panel6", windowColour_);
    PaintBox2 = new PaintBox(Panel6, kPaintBoxArea, windowColour_);
    PaintBox2->setObjectName(QStringLiteral("PaintBox2"));
    PaintBox2->setToolTip(QStringLiteral("Quality of the neuronet adaptation"));
    Edit8 = makeReadout(TabSheet2, "Edit8", {8, 256, 74, 21}, "0");
    Edit9 = makeReadout(TabSheet2, "Edit9", {104, 256, 74, 21}, "1.0");
    Edit10 = makeReadout(TabSheet2, "Edit10", {200, 256, 74, 21}, "0.0");
    Label11 = makeLabel(TabSheet2, "Label11", {16, 280, 38, 13}, "Iteration");
    Label11->setToolTip(QStringLiteral("Number of teaching cycle"));
    Label10 = makeLabel(TabSheet2, "Label10", {112, 280, 48, 13}, "Estimation");
    Label10->setToolTip(QStringLiteral("Quality of the neuronet adaptation"));
    Label9 = makeLabel(TabSheet2, "Label9", {208, 280, 27, 13}, "Noise");
    Label9->setToolTip(QStringLiteral("Random component of input"));
    RadioGroup2 = makeGroup(TabSheet2, "RadioGroup2", {288, 256, 89, 33}, "");
    RadioButton5 = makeRadio(TabSheet2, "RadioButton5", {288, 256, 73, 17}, "Running");
    RadioButton6 = makeRadio(TabSheet2, "RadioButton6", {288, 272, 89, 17}, "Sliding");
    RadioButton6->setChecked(true);
    plotButtons_ = new QButtonGroup(TabSheet2);
    plotButtons_->addButton(RadioButton5);
    plotButtons_->addButton(RadioButton6);
    keepTabStopOnSelected(*plotButtons_);
}

void TForm1::buildTablePage() {
    StringGrid1 = place<QTableWidget>(TabSheet3, "StringGrid1", 16, 0, 258, 290);
    StringGrid1->setToolTip(QStringLiteral("Outputs of neuronet & object"));
    StringGrid1->setColumnCount(kGridColumns);
    StringGrid1->setRowCount(kGridRows);
    StringGrid1->horizontalHeader()->hide();
    StringGrid1->verticalHeader()->hide();
    StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setSelectionMode(QAbstractItemView::NoSelection);
    StringGrid1->setShowGrid(true);
    StringGrid1->setWordWrap(false);
    // Tab goes on to the next control, as everywhere else in the window.
    StringGrid1->setTabKeyNavigation(false);
    // A Qt section holds its cell and the 1-pixel grid line after it.
    const int widths[kGridColumns] = {27, 72, 75, 75};
    QHeaderView* columns = StringGrid1->horizontalHeader();
    QHeaderView* rows = StringGrid1->verticalHeader();
    columns->setMinimumSectionSize(1);
    rows->setMinimumSectionSize(1);
    columns->setSectionResizeMode(QHeaderView::Fixed);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    for (int column = 0; column < kGridColumns; ++column)
        StringGrid1->setColumnWidth(column, widths[column] + 1);
    rows->setDefaultSectionSize(15 + 1);
    const QColor headerColour = palette().color(QPalette::Button);
    for (int row = 0; row < kGridRows; ++row) {
        for (int column = 0; column < kGridColumns; ++column) {
            auto* cell = new QTableWidgetItem;
            cell->setFlags(Qt::ItemIsEnabled);
            if (row == 0 || column == 0)
                cell->setBackground(headerColour);
            // The channel numbers line up on the right, whatever the widths
            // of the font's digits and spaces.
            if (column == 0)
                cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            StringGrid1->setItem(row, column, cell);
        }
    }

    Label1 = makeLabel(TabSheet3, "Label1", {288, 128, 38, 13}, "Iteration");
    Edit2 = makeReadout(TabSheet3, "Edit2", {288, 144, 74, 21}, "0");
    Edit2->setToolTip(QStringLiteral("Number of teaching cycle"));
    Label2 = makeLabel(TabSheet3, "Label2", {288, 184, 48, 13}, "Estimation");
    Edit3 = makeReadout(TabSheet3, "Edit3", {288, 200, 74, 21}, "1.0");
    Edit3->setToolTip(QStringLiteral("Quality of the neuronet adaptation"));
    Label3 = makeLabel(TabSheet3, "Label3", {288, 240, 27, 13}, "Noise");
    Label3->setToolTip(QStringLiteral("Random component of input"));
    Edit4 = makeReadout(TabSheet3, "Edit4", {288, 256, 74, 21}, "0.0");
    Edit4->setToolTip(QStringLiteral("Random component of input"));

    GroupBox3 = makeGroup(TabSheet3, "GroupBox3", {280, 16, 97, 49}, "Language  Язык");
    ComboBox1 = place<QComboBox>(GroupBox3, "ComboBox1", 16, 16, 73, 21);
    ComboBox1->setToolTip(QStringLiteral("Choose of language"));
    ComboBox1->addItem(QStringLiteral("English"));
    ComboBox1->addItem(text("Русский"));
    ComboBox1->setMaxVisibleItems(2);
    ComboBox1->setCurrentIndex(-1);
    QPalette menuColours = ComboBox1->palette();
    menuColours.setColor(QPalette::Base, menuColours.color(QPalette::Window));
    ComboBox1->setPalette(menuColours);
}

void TForm1::buildAdjustment() {
    Panel3 = makePanel(this, "Panel3", {392, 0, 122, 18}, "Adjustment", Bevel::RaisedInLowered);
    // The frame lies under the four regime buttons, which belong to the window.
    RadioGroup1 = makeGroup(this, "RadioGroup1", {392, 24, 122, 105}, "Teaching Regime");
    RadioGroup1->setToolTip(QStringLiteral("Inputs of neuronet & object"));
    RadioButton1 = makeRadio(this, "RadioButton1", {400, 40, 90, 18}, "     Static");
    RadioButton1->setToolTip(QStringLiteral("Static inputs"));
    RadioButton1->setChecked(true);
    Panel1 = makePanel(this, "Panel1", {400, 64, 106, 18}, "Dynamic", Bevel::Lowered);
    Panel1->setToolTip(QStringLiteral("Dinamic inputs"));
    RadioButton2 = makeRadio(this, "RadioButton2", {400, 88, 42, 18}, "Sin");
    RadioButton3 = makeRadio(this, "RadioButton3", {440, 88, 66, 18}, "Random");
    RadioButton4 = makeRadio(this, "RadioButton4", {400, 104, 97, 17}, "Sin + Random");
    regimeButtons_ = new QButtonGroup(this);
    for (QRadioButton* button : {RadioButton1, RadioButton2, RadioButton3, RadioButton4})
        regimeButtons_->addButton(button);
    keepTabStopOnSelected(*regimeButtons_);

    GroupBox1 = makeGroup(this, "GroupBox1", {392, 136, 113, 41}, "Quantity of Neurons");
    Memo2 = place<QLineEdit>(GroupBox1, "Memo2", 32, 16, 25, 17);
    Memo2->setAlignment(Qt::AlignCenter);
    Memo2->setToolTip(QStringLiteral("Quantity of neurons in the neuronet"));
    UpDown1 = new UpDown(GroupBox1, {57, 16, 15, 17}, *Memo2, kMinimumNeurons, kMaximumNeurons, 7);
    UpDown1->setObjectName(QStringLiteral("UpDown1"));
}

void TForm1::buildCommands() {
    Panel4 = makePanel(this, "Panel4", {392, 184, 122, 18}, "Commands", Bevel::RaisedInLowered);
    GroupBox2 = makeGroup(this, "GroupBox2", {392, 208, 121, 113}, "Teaching");
    Button4 = makeButton(GroupBox2, "Button4", {8, 16, 33, 25}, "Stop");
    Button4->setToolTip(QStringLiteral("Stop and rebuild of neuronet & object"));
    Label7 = makeLabel(GroupBox2, "Label7", {57, 12, 31, 13}, "Speed");
    ScrollBar1 = place<QScrollBar>(GroupBox2, "ScrollBar1", 48, 25, 65, 16);
    ScrollBar1->setOrientation(Qt::Horizontal);
    ScrollBar1->setToolTip(QStringLiteral("Speed of teaching"));
    ScrollBar1->setRange(50, 2000);
    ScrollBar1->setValue(2000);
    ScrollBar1->setSingleStep(400);
    ScrollBar1->setPageStep(1);
    // A click or the Tab key gives it the focus, and that starts teaching.
    ScrollBar1->setFocusPolicy(Qt::StrongFocus);
    Label8 = makeLabel(GroupBox2, "Label8", {46, 44, 67, 13}, "Min          Max");
    Button3 = makeButton(GroupBox2, "Button3", {8, 48, 33, 25}, "Step");
    Button3->setToolTip(QStringLiteral("One step of teaching"));
    Button1 = makeButton(GroupBox2, "Button1", {8, 80, 50, 26}, "Quickly");
    Button1->setToolTip(QStringLiteral("Max speed of teaching"));
    Button1->setDefault(true);
    Button2 = makeButton(GroupBox2, "Button2", {64, 79, 49, 26}, "Exit");
    Button2->setToolTip(QStringLiteral("Exit from Varkelon"));

    // The lamp lies over the group box, right of Button3.
    Memo1 = place<QFrame>(this, "Memo1", 464, 264, 17, 17);
    Memo1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Memo1->setAutoFillBackground(true);
    Memo1->setEnabled(false);
    setLamp(kStoppedLamp);
}

void TForm1::setTabOrder() {
    // Controls that take no focus (labels, panels, frames, the spinner, the
    // disabled lamp) drop out of the chain by themselves.
    QWidget* const order[] = {RadioButton1, RadioButton2, RadioButton3, Memo2,        PageControl1,
                              Edit5,        Edit6,        Edit7,        Edit8,        Edit9,
                              Edit10,       RadioButton5, RadioButton6, StringGrid1,  Edit2,
                              Edit3,        Edit4,        ComboBox1,    RadioButton4, Button1,
                              Button2,      ScrollBar1,   Button3,      Button4,      Button5};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void TForm1::nameControlsForAssistiveTechnology() {
    // A label that is an edit's or a scroll bar's buddy gives it its
    // accessible name, in the caption language of the moment.
    const std::pair<QLabel*, QWidget*> named[] = {
        {Label4, Edit5}, {Label5, Edit6},  {Label6, Edit7},  {Label11, Edit8},
        {Label10, Edit9}, {Label9, Edit10}, {Label1, Edit2}, {Label2, Edit3},
        {Label3, Edit4}, {Label7, ScrollBar1}};
    for (const auto& [label, control] : named)
        label->setBuddy(control);
    // The pictures and the table are named by their hints.
    for (QWidget* control : std::initializer_list<QWidget*>{PaintBox1, PaintBox2, StringGrid1})
        control->setAccessibleName(control->toolTip());
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
    ScrollBar1->installEventFilter(this);
    Memo2->installEventFilter(this);
    PageControl1->installEventFilter(this);
    PageControl1->tabBar()->installEventFilter(this);
}

template <class Handler>
void TForm1::guarded(Handler handler) {
    try {
        if constexpr (std::is_member_function_pointer_v<Handler>) {
            (this->*handler)();
        } else {
            handler();
        }
    } catch (const std::exception& error) {
        errors_.show(error);
    } catch (...) {
        errors_.showUnknown();
    }
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ScrollBar1 && event->type() == QEvent::FocusIn && movesBetweenControls(event)) {
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

void TForm1::keyPressEvent(QKeyEvent* event) {
    // Enter reaches the window only when the focused control has no use for
    // it: the default button takes it.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        event->modifiers() == Qt::NoModifier) {
        Button1->click();
        return;
    }
    // Ctrl+PgDn and Ctrl+PgUp turn the pages from anywhere on them, as
    // Ctrl+Tab and Ctrl+Shift+Tab do.
    if ((event->key() == Qt::Key_PageDown || event->key() == Qt::Key_PageUp) &&
        event->modifiers() == Qt::ControlModifier &&
        PageControl1->isAncestorOf(QApplication::focusWidget())) {
        const int pages = PageControl1->count();
        const int turn = event->key() == Qt::Key_PageDown ? 1 : pages - 1;
        PageControl1->setCurrentIndex((PageControl1->currentIndex() + turn) % pages);
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
    for (int n = 1; n < kGridRows; ++n)
        setTableCell(0, n, QString::number(n).rightJustified(3, QLatin1Char(' ')));

    // Without its model objects the window shows its controls and teaches nothing.
    if (teachingReady()) {
        model_->manager.reset();
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
    if (model_->manager.built == 0)
        model_->manager.reset();
    return true;
}

void TForm1::Button1Click() {
    if (!beginStart(kQuickLamp))
        return;
    quickMode = 1;
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
    model_->manager.step();
    if (quickMode != 0) {
        for (int cycle = 1; cycle < kQuickCycles; ++cycle) {
            setTimer1Interval(kQuickInterval);
            model_->manager.step();
        }
    }
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
    if (teachingReady())
        viewer_->pageClicked();
}

void TForm1::ComboBox1Change(int index) {
    if (viewer_)
        viewer_->languageChosen(index);
}

void TForm1::setLamp(QRgb colour) {
    QPalette palette = Memo1->palette();
    // The lamp is disabled: its colour must hold in every colour group.
    palette.setColor(QPalette::Window, QColor(colour));
    Memo1->setPalette(palette);
    // The mode in words as well, for those who do not see the colour. A new
    // name goes out to assistive technology as a NameChanged event, so a
    // screen reader hears the change.
    Memo1->setAccessibleName(modeInWords(colour));
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

// ---------------------------------------------------------------------------
// The window as the Viewer sees it

bool TForm1::isPageVisible(Page page) const {
    // The page control's choice, whether or not the window is on screen yet.
    return PageControl1->currentWidget() == sheetOf(page, TabSheet1, TabSheet2, TabSheet3);
}

bool TForm1::isRunningChecked() const {
    return RadioButton5->isChecked();
}

bool TForm1::isSlidingChecked() const {
    return RadioButton6->isChecked();
}

PaintBox& TForm1::paintBox(Page page) const {
    return page == Page::Estimation ? *PaintBox2 : *PaintBox1;
}

QImage& TForm1::paintBoxImage(Page page) {
    return paintBox(page).image();
}

int TForm1::paintBoxLeft(Page page) const {
    // Its place in the panel's area inside the border.
    return paintBox(page).x() - kPanelBorder;
}

void TForm1::repaintPaintBox(Page page) {
    paintBox(page).repaint();
}

void TForm1::paintBoxChanged(Page page) {
    paintBox(page).update();
}

void TForm1::setReadout(Page page, Readout readout, const QString& text) {
    QLineEdit* const edits[3][3] = {
        {Edit5, Edit6, Edit7}, {Edit8, Edit9, Edit10}, {Edit2, Edit3, Edit4}};
    edits[static_cast<int>(page)][static_cast<int>(readout)]->setText(text);
}

void TForm1::setTableCell(int column, int row, const QString& text) {
    if (QTableWidgetItem* cell = StringGrid1->item(row, column))
        cell->setText(text);
}

void TForm1::setCaption(std::string_view controlName, const QString& text) {
    const QString name = QString::fromUtf8(controlName.data(), qsizetype(controlName.size()));
    if (name == objectName()) {
        setWindowTitle(text);
        return;
    }
    QWidget* control = findChild<QWidget*>(name);
    if (control == nullptr)
        return;
    const int tab = PageControl1->indexOf(control);
    if (tab >= 0) {
        PageControl1->setTabText(tab, text);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(text);
        if (label->property(kFitsText).toBool())
            fitToText(label);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
        group->setTitle(text);
    }
}

}  // namespace varkelon

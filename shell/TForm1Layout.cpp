// The main window's controls at their places, one function per group of the
// form: the page control and its three pages, the Adjustment column, the
// Commands column; then the Tab order and the names read out by assistive
// technology. Places are pixels in the parent, as the form's tables give them.
#include "TForm1.h"

#include <initializer_list>
#include <iterator>
#include <utility>

#include <QButtonGroup>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>

#include "shell/FormControls.h"
#include "shell/PaintBox.h"
#include "shell/UpDown.h"

namespace varkelon {

namespace {

constexpr int kPaintBoxWidth = 374;
constexpr int kPaintBoxHeight = 246;
constexpr int kGridColumns = 4;

// A page's drawing area: a panel in the window colour with a single-line
// border, and the paint box filling the panel inside that border.
QFrame* makeDrawingPanel(QWidget* page, const char* name, const QColor& colour) {
    auto* panel = place<QFrame>(page, name,
                                {0, 0, kPaintBoxWidth + 2 * TForm1::kPanelBorder,
                                 kPaintBoxHeight + 2 * TForm1::kPanelBorder});
    panel->setFrameStyle(QFrame::Box | QFrame::Plain);
    panel->setLineWidth(1);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, colour);
    panel->setPalette(palette);
    panel->setAutoFillBackground(true);
    return panel;
}

PaintBox* makePaintBox(QFrame* panel, const char* name, const QColor& colour, const char* hint) {
    constexpr QRect kArea(TForm1::kPanelBorder, TForm1::kPanelBorder, kPaintBoxWidth,
                          kPaintBoxHeight);
    auto* box = new PaintBox(panel, kArea, colour);
    box->setObjectName(QString::fromLatin1(name));
    box->setToolTip(QString::fromUtf8(hint));
    return box;
}

QWidget* addPage(QTabWidget* pages, const char* name, const char* caption) {
    auto* page = new QWidget;
    page->setObjectName(QString::fromLatin1(name));
    pages->addTab(page, QString::fromUtf8(caption));
    return page;
}

}  // namespace

void TForm1::buildPages() {
    PageControl1 = place<QTabWidget>(this, "PageControl1", {0, 0, 386, 322});
    TabSheet1 = addPage(PageControl1, "TabSheet1", "Graph");
    TabSheet2 = addPage(PageControl1, "TabSheet2", "Estimation");
    TabSheet3 = addPage(PageControl1, "TabSheet3", "Table");
    PageControl1->setCurrentWidget(TabSheet1);
    buildGraphPage();
    buildEstimationPage();
    buildTablePage();

    // Panel2 and Button5 sit in the tab row, over the page control.
    Panel2 = makePanel(this, "Panel2", {160, 0, 185, 18}, "Teaching Dynamics",
                       Bevel::RaisedInLowered, "Neuronet is predict of the object outputs");
    Button5 = makeButton(this, "Button5", {360, 0, 25, 17}, "?");
}

void TForm1::buildGraphPage() {
    Panel5 = makeDrawingPanel(TabSheet1, "Panel5", windowColour_);
    PaintBox1 = makePaintBox(Panel5, "PaintBox1", windowColour_, "Outputs of neuronet & object");
    Edit5 = makeReadout(TabSheet1, "Edit5", {24, 256, 74, 21}, "0");
    Edit6 = makeReadout(TabSheet1, "Edit6", {152, 256, 74, 21}, "1.0");
    Edit7 = makeReadout(TabSheet1, "Edit7", {280, 256, 74, 21}, "0.0");
    Label4 =
        makeLabel(TabSheet1, "Label4", {32, 280, 38, 13}, "Iteration", "Number of teaching cycle");
    Label5 = makeLabel(TabSheet1, "Label5", {160, 280, 48, 13}, "Estimation",
                       "Quality of the neuronet adaptation");
    Label6 =
        makeLabel(TabSheet1, "Label6", {288, 280, 27, 13}, "Noise", "Random component of input");
}

void TForm1::buildEstimationPage() {
    Panel6 = makeDrawingPanel(TabSheet2, "Panel6", windowColour_);
    PaintBox2 =
        makePaintBox(Panel6, "PaintBox2", windowColour_, "Quality of the neuronet adaptation");
    Edit8 = makeReadout(TabSheet2, "Edit8", {8, 256, 74, 21}, "0");
    Edit9 = makeReadout(TabSheet2, "Edit9", {104, 256, 74, 21}, "1.0");
    Edit10 = makeReadout(TabSheet2, "Edit10", {200, 256, 74, 21}, "0.0");
    Label11 =
        makeLabel(TabSheet2, "Label11", {16, 280, 38, 13}, "Iteration", "Number of teaching cycle");
    Label10 = makeLabel(TabSheet2, "Label10", {112, 280, 48, 13}, "Estimation",
                        "Quality of the neuronet adaptation");
    Label9 =
        makeLabel(TabSheet2, "Label9", {208, 280, 27, 13}, "Noise", "Random component of input");
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
    StringGrid1 = place<QTableWidget>(TabSheet3, "StringGrid1", {16, 0, 258, 290});
    StringGrid1->setToolTip(QStringLiteral("Outputs of neuronet & object"));
    buildStringGrid1();
    Label1 = makeLabel(TabSheet3, "Label1", {288, 128, 38, 13}, "Iteration");
    Edit2 = makeReadout(TabSheet3, "Edit2", {288, 144, 74, 21}, "0", "Number of teaching cycle");
    Label2 = makeLabel(TabSheet3, "Label2", {288, 184, 48, 13}, "Estimation");
    Edit3 = makeReadout(TabSheet3, "Edit3", {288, 200, 74, 21}, "1.0",
                        "Quality of the neuronet adaptation");
    Label3 =
        makeLabel(TabSheet3, "Label3", {288, 240, 27, 13}, "Noise", "Random component of input");
    Edit4 = makeReadout(TabSheet3, "Edit4", {288, 256, 74, 21}, "0.0", "Random component of input");

    GroupBox3 = makeGroup(TabSheet3, "GroupBox3", {280, 16, 97, 49}, "Language  Язык");
    ComboBox1 = place<QComboBox>(GroupBox3, "ComboBox1", {16, 16, 73, 21});
    ComboBox1->setToolTip(QStringLiteral("Choose of language"));
    ComboBox1->addItem(QStringLiteral("English"));
    ComboBox1->addItem(QString::fromUtf8("Русский"));
    ComboBox1->setMaxVisibleItems(2);
    ComboBox1->setCurrentIndex(-1);
    QPalette menuColours = ComboBox1->palette();
    menuColours.setColor(QPalette::Base, menuColours.color(QPalette::Window));
    ComboBox1->setPalette(menuColours);
}

void TForm1::buildStringGrid1() {
    // The titles' row and the channels' column are the table's headers, so
    // that assistive technology reads each number with its column and
    // channel; they look like the fixed cells of a grid.
    StringGrid1->setColumnCount(kGridColumns - 1);
    StringGrid1->setRowCount(kGridRows - 1);
    StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Cells are selected for copying; a header click selects its row or column.
    StringGrid1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectItems);
    StringGrid1->setCornerButtonEnabled(false);
    StringGrid1->setShowGrid(true);
    StringGrid1->setWordWrap(false);
    // Tab goes on to the next control, as everywhere else in the window.
    StringGrid1->setTabKeyNavigation(false);
    StringGrid1->setContextMenuPolicy(Qt::CustomContextMenu);

    // A Qt section holds its cell and the 1-pixel grid line after it.
    const int widths[kGridColumns] = {27, 72, 75, 75};
    constexpr int kRowHeight = 15 + 1;
    QHeaderView* columns = StringGrid1->horizontalHeader();
    QHeaderView* rows = StringGrid1->verticalHeader();
    for (QHeaderView* header : {columns, rows}) {
        header->setMinimumSectionSize(1);
        header->setSectionResizeMode(QHeaderView::Fixed);
        header->setHighlightSections(false);
    }
    columns->setFixedHeight(kRowHeight);
    columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    rows->setFixedWidth(widths[0] + 1);
    rows->setDefaultSectionSize(kRowHeight);
    // The channel numbers line up on the right, whatever the widths of the
    // font's digits.
    rows->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (int column = 1; column < kGridColumns; ++column) {
        StringGrid1->setColumnWidth(column - 1, widths[column] + 1);
        StringGrid1->setHorizontalHeaderItem(column - 1, new QTableWidgetItem);
    }
    for (int row = 1; row < kGridRows; ++row) {
        StringGrid1->setVerticalHeaderItem(row - 1, new QTableWidgetItem);
        for (int column = 1; column < kGridColumns; ++column) {
            auto* cell = new QTableWidgetItem;
            cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            StringGrid1->setItem(row - 1, column - 1, cell);
        }
    }
}

void TForm1::buildAdjustment() {
    Panel3 = makePanel(this, "Panel3", {392, 0, 122, 18}, "Adjustment", Bevel::RaisedInLowered);
    // The frame lies under the four regime buttons, which belong to the window.
    RadioGroup1 = makeGroup(this, "RadioGroup1", {392, 24, 122, 105}, "Teaching Regime",
                            "Inputs of neuronet & object");
    RadioButton1 =
        makeRadio(this, "RadioButton1", {400, 40, 90, 18}, "     Static", "Static inputs");
    RadioButton1->setChecked(true);
    Panel1 =
        makePanel(this, "Panel1", {400, 64, 106, 18}, "Dynamic", Bevel::Lowered, "Dinamic inputs");
    RadioButton2 = makeRadio(this, "RadioButton2", {400, 88, 42, 18}, "Sin");
    RadioButton3 = makeRadio(this, "RadioButton3", {440, 88, 66, 18}, "Random");
    RadioButton4 = makeRadio(this, "RadioButton4", {400, 104, 97, 17}, "Sin + Random");
    regimeButtons_ = new QButtonGroup(this);
    for (QRadioButton* button : {RadioButton1, RadioButton2, RadioButton3, RadioButton4})
        regimeButtons_->addButton(button);
    keepTabStopOnSelected(*regimeButtons_);

    GroupBox1 = makeGroup(this, "GroupBox1", {392, 136, 113, 41}, "Quantity of Neurons");
    Memo2 = place<QLineEdit>(GroupBox1, "Memo2", {32, 16, 25, 17});
    Memo2->setAlignment(Qt::AlignCenter);
    Memo2->setToolTip(QStringLiteral("Quantity of neurons in the neuronet"));
    // Counts 1 to 10, 7 at start.
    UpDown1 = new UpDown(GroupBox1, {57, 16, 15, 17}, *Memo2, 1, 10, 7);
    UpDown1->setObjectName(QStringLiteral("UpDown1"));
}

void TForm1::buildCommands() {
    Panel4 = makePanel(this, "Panel4", {392, 184, 122, 18}, "Commands", Bevel::RaisedInLowered);
    GroupBox2 = makeGroup(this, "GroupBox2", {392, 208, 121, 113}, "Teaching");
    Button4 = makeButton(GroupBox2, "Button4", {8, 16, 33, 25}, "Stop",
                         "Stop and rebuild of neuronet & object");
    Label7 = makeLabel(GroupBox2, "Label7", {57, 12, 31, 13}, "Speed");
    ScrollBar1 = place<QScrollBar>(GroupBox2, "ScrollBar1", {48, 25, 65, 16});
    ScrollBar1->setOrientation(Qt::Horizontal);
    ScrollBar1->setToolTip(QStringLiteral("Speed of teaching"));
    ScrollBar1->setRange(50, 2000);
    ScrollBar1->setValue(2000);
    ScrollBar1->setSingleStep(400);
    ScrollBar1->setPageStep(1);
    // A click or the Tab key gives it the focus, and that starts teaching.
    ScrollBar1->setFocusPolicy(Qt::StrongFocus);
    Label8 = makeLabel(GroupBox2, "Label8", {46, 44, 67, 13}, "Min          Max");
    Button3 = makeButton(GroupBox2, "Button3", {8, 48, 33, 25}, "Step", "One step of teaching");
    Button1 = makeButton(GroupBox2, "Button1", {8, 80, 50, 26}, "Quickly", "Max speed of teaching");
    Button1->setDefault(true);
    Button2 = makeButton(GroupBox2, "Button2", {64, 79, 49, 26}, "Exit", "Exit from Varkelon");

    // The lamp lies over the group box, right of Button3.
    Memo1 = place<QFrame>(this, "Memo1", {464, 264, 17, 17});
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
        {Label4, Edit5},  {Label5, Edit6}, {Label6, Edit7}, {Label11, Edit8}, {Label10, Edit9},
        {Label9, Edit10}, {Label1, Edit2}, {Label2, Edit3}, {Label3, Edit4},  {Label7, ScrollBar1}};
    for (const auto& [label, control] : named)
        label->setBuddy(control);
    // The pictures and the table are named by their hints.
    for (QWidget* control : std::initializer_list<QWidget*>{PaintBox1, PaintBox2, StringGrid1})
        control->setAccessibleName(control->toolTip());
}

}  // namespace varkelon

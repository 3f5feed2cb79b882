// The main window's controls at their places, one function per group of the
// form: the page control and its three pages, the Adjustment column, the
// Commands column; then the Tab order and the names read out by assistive
// technology. Places are pixels in the parent, as the form's tables give them.
#include "MainWindow.h"

#include <initializer_list>
#include <iterator>
#include <utility>

#include <QAccessible>
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

#include "lesson/TickSchedule.h"
#include "model/Capacity.h"
#include "shell/FormControls.h"
#include "shell/ModeLamp.h"
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
                                {0, 0, kPaintBoxWidth + 2 * MainWindow::kPanelBorder,
                                 kPaintBoxHeight + 2 * MainWindow::kPanelBorder});
    panel->setFrameStyle(QFrame::Box | QFrame::Plain);
    panel->setLineWidth(1);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, colour);
    panel->setPalette(palette);
    panel->setAutoFillBackground(true);
    return panel;
}

PaintBox* makePaintBox(QFrame* panel, const char* name, const QColor& colour, const char* hint) {
    constexpr QRect kArea(MainWindow::kPanelBorder, MainWindow::kPanelBorder, kPaintBoxWidth,
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

void MainWindow::buildPages() {
    pageTabs = place<QTabWidget>(this, "PageControl1", {0, 0, 386, 322});
    graphPage = addPage(pageTabs, "TabSheet1", "Graph");
    historyPage = addPage(pageTabs, "TabSheet2", "Estimation");
    tablePage = addPage(pageTabs, "TabSheet3", "Table");
    pageTabs->setCurrentWidget(graphPage);
    buildGraphPage();
    buildEstimationPage();
    buildTablePage();

    // titlePanel and aboutButton sit in the tab row, over the page control.
    titlePanel = makePanel(this, "Panel2", {160, 0, 185, 18}, "Teaching Dynamics",
                           Bevel::RaisedInLowered, "Neuronet is predict of the object outputs");
    aboutButton = makeButton(this, "Button5", {360, 0, 25, 17}, "?");
}

void MainWindow::buildGraphPage() {
    graphPanel = makeDrawingPanel(graphPage, "Panel5", windowColour_);
    graphBox = makePaintBox(graphPanel, "PaintBox1", windowColour_, "Outputs of neuronet & object");
    graphIteration = makeReadout(graphPage, "Edit5", {24, 256, 74, 21}, "0");
    graphEstimation = makeReadout(graphPage, "Edit6", {152, 256, 74, 21}, "1.0");
    graphNoise = makeReadout(graphPage, "Edit7", {280, 256, 74, 21}, "0.0");
    graphIterationLabel =
        makeLabel(graphPage, "Label4", {32, 280, 38, 13}, "Iteration", "Number of teaching cycle");
    graphEstimationLabel = makeLabel(graphPage, "Label5", {160, 280, 48, 13}, "Estimation",
                                     "Quality of the neuronet adaptation");
    graphNoiseLabel =
        makeLabel(graphPage, "Label6", {288, 280, 27, 13}, "Noise", "Random component of input");
}

void MainWindow::buildEstimationPage() {
    historyPanel = makeDrawingPanel(historyPage, "Panel6", windowColour_);
    historyBox = makePaintBox(historyPanel, "PaintBox2", windowColour_,
                              "Quality of the neuronet adaptation");
    historyIteration = makeReadout(historyPage, "Edit8", {8, 256, 74, 21}, "0");
    historyEstimation = makeReadout(historyPage, "Edit9", {104, 256, 74, 21}, "1.0");
    historyNoise = makeReadout(historyPage, "Edit10", {200, 256, 74, 21}, "0.0");
    historyIterationLabel = makeLabel(historyPage, "Label11", {16, 280, 38, 13}, "Iteration",
                                      "Number of teaching cycle");
    historyEstimationLabel = makeLabel(historyPage, "Label10", {112, 280, 48, 13}, "Estimation",
                                       "Quality of the neuronet adaptation");
    historyNoiseLabel =
        makeLabel(historyPage, "Label9", {208, 280, 27, 13}, "Noise", "Random component of input");
    plotModeFrame = makeGroup(historyPage, "RadioGroup2", {288, 256, 89, 33}, "");
    runningButton = makeRadio(historyPage, "RadioButton5", {288, 256, 73, 17}, "Running");
    slidingButton = makeRadio(historyPage, "RadioButton6", {288, 272, 89, 17}, "Sliding");
    slidingButton->setChecked(true);
    plotButtons_ = new QButtonGroup(historyPage);
    plotButtons_->addButton(runningButton);
    plotButtons_->addButton(slidingButton);
    keepTabStopOnSelected(*plotButtons_);
}

void MainWindow::buildTablePage() {
    channelTable = place<QTableWidget>(tablePage, "StringGrid1", {16, 0, 258, 290});
    channelTable->setToolTip(QStringLiteral("Outputs of neuronet & object"));
    buildChannelTable();
    tableIterationLabel = makeLabel(tablePage, "Label1", {288, 128, 38, 13}, "Iteration");
    tableIteration =
        makeReadout(tablePage, "Edit2", {288, 144, 74, 21}, "0", "Number of teaching cycle");
    tableEstimationLabel = makeLabel(tablePage, "Label2", {288, 184, 48, 13}, "Estimation");
    tableEstimation = makeReadout(tablePage, "Edit3", {288, 200, 74, 21}, "1.0",
                                  "Quality of the neuronet adaptation");
    tableNoiseLabel =
        makeLabel(tablePage, "Label3", {288, 240, 27, 13}, "Noise", "Random component of input");
    tableNoise =
        makeReadout(tablePage, "Edit4", {288, 256, 74, 21}, "0.0", "Random component of input");

    languageGroup = makeGroup(tablePage, "GroupBox3", {280, 16, 97, 49}, "Language  Язык");
    languageBox = place<QComboBox>(languageGroup, "ComboBox1", {16, 16, 73, 21});
    languageBox->setToolTip(QStringLiteral("Choose of language"));
    languageBox->addItem(QStringLiteral("English"));
    languageBox->addItem(QString::fromUtf8("Русский"));
    languageBox->setMaxVisibleItems(2);
    languageBox->setCurrentIndex(-1);
    QPalette menuColours = languageBox->palette();
    menuColours.setColor(QPalette::Base, menuColours.color(QPalette::Window));
    languageBox->setPalette(menuColours);
}

void MainWindow::buildChannelTable() {
    // The titles' row and the channels' column are the table's headers, so
    // that assistive technology reads each number with its column and
    // channel; they look like the fixed cells of a grid.
    channelTable->setColumnCount(kGridColumns - 1);
    channelTable->setRowCount(kGridRows - 1);
    channelTable->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    channelTable->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    channelTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Cells are selected for copying; a header click selects its row or column.
    channelTable->setSelectionMode(QAbstractItemView::ExtendedSelection);
    channelTable->setSelectionBehavior(QAbstractItemView::SelectItems);
    channelTable->setCornerButtonEnabled(false);
    channelTable->setShowGrid(true);
    channelTable->setWordWrap(false);
    // Tab goes on to the next control, as everywhere else in the window.
    channelTable->setTabKeyNavigation(false);
    channelTable->setContextMenuPolicy(Qt::CustomContextMenu);

    // A Qt section holds its cell and the 1-pixel grid line after it.
    const int widths[kGridColumns] = {27, 72, 75, 75};
    constexpr int kRowHeight = 15 + 1;
    QHeaderView* columns = channelTable->horizontalHeader();
    QHeaderView* rows = channelTable->verticalHeader();
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
    const char* const titles[] = {"Object", "Neuronet", "Net Mistakes"};
    for (int column = 1; column < kGridColumns; ++column) {
        channelTable->setColumnWidth(column - 1, widths[column] + 1);
        channelTable->setHorizontalHeaderItem(
            column - 1, new QTableWidgetItem(QString::fromLatin1(titles[column - 1])));
    }
    for (int row = 1; row < kGridRows; ++row) {
        channelTable->setVerticalHeaderItem(row - 1, new QTableWidgetItem(QString::number(row)));
        for (int column = 1; column < kGridColumns; ++column) {
            auto* cell = new QTableWidgetItem;
            cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            channelTable->setItem(row - 1, column - 1, cell);
        }
    }
}

void MainWindow::buildAdjustment() {
    adjustmentHeading =
        makePanel(this, "Panel3", {392, 0, 122, 18}, "Adjustment", Bevel::RaisedInLowered);
    // The frame lies under the four regime buttons, which belong to the window.
    regimeFrame = makeGroup(this, "RadioGroup1", {392, 24, 122, 105}, "Teaching Regime",
                            "Inputs of neuronet & object");
    staticButton =
        makeRadio(this, "RadioButton1", {400, 40, 90, 18}, "     Static", "Static inputs");
    staticButton->setChecked(true);
    dynamicHeading =
        makePanel(this, "Panel1", {400, 64, 106, 18}, "Dynamic", Bevel::Lowered, "Dinamic inputs");
    sinButton = makeRadio(this, "RadioButton2", {400, 88, 42, 18}, "Sin");
    randomButton = makeRadio(this, "RadioButton3", {440, 88, 66, 18}, "Random");
    sinRandomButton = makeRadio(this, "RadioButton4", {400, 104, 97, 17}, "Sin + Random");
    regimeButtons_ = new QButtonGroup(this);
    for (QRadioButton* button : {staticButton, sinButton, randomButton, sinRandomButton})
        regimeButtons_->addButton(button);
    keepTabStopOnSelected(*regimeButtons_);

    neuronGroup = makeGroup(this, "GroupBox1", {392, 136, 113, 41}, "Quantity of Neurons");
    neuronCountBox = place<QLineEdit>(neuronGroup, "Memo2", {32, 16, 25, 17});
    neuronCountBox->setAlignment(Qt::AlignCenter);
    neuronCountBox->setToolTip(QStringLiteral("Quantity of neurons in the neuronet"));
    neuronSpinner = new UpDown(neuronGroup, {57, 16, 15, 17}, *neuronCountBox, kMinHidden,
                               kMaxHidden, kStartHidden);
    neuronSpinner->setObjectName(QStringLiteral("UpDown1"));
}

void MainWindow::buildCommands() {
    commandsHeading =
        makePanel(this, "Panel4", {392, 184, 122, 18}, "Commands", Bevel::RaisedInLowered);
    teachingGroup = makeGroup(this, "GroupBox2", {392, 208, 121, 113}, "Teaching");
    stopButton = makeButton(teachingGroup, "Button4", {8, 16, 33, 25}, "Stop",
                            "Stop and rebuild of neuronet & object");
    speedLabel = makeLabel(teachingGroup, "Label7", {57, 12, 31, 13}, "Speed");
    speedBar = place<QScrollBar>(teachingGroup, "ScrollBar1", {48, 25, 65, 16});
    speedBar->setOrientation(Qt::Horizontal);
    speedBar->setToolTip(QStringLiteral("Speed of teaching"));
    speedBar->setRange(TickSchedule::kSlowest, TickSchedule::kFastest);
    speedBar->setValue(TickSchedule::kFastest);
    speedBar->setSingleStep(TickSchedule::kArrowStep);
    speedBar->setPageStep(TickSchedule::kPageStep);
    // A click or the Tab key gives it the focus, and that starts teaching.
    speedBar->setFocusPolicy(Qt::StrongFocus);
    speedScaleLabel = makeLabel(teachingGroup, "Label8", {46, 44, 67, 13}, "Min          Max");
    stepButton =
        makeButton(teachingGroup, "Button3", {8, 48, 33, 25}, "Step", "One step of teaching");
    quickButton =
        makeButton(teachingGroup, "Button1", {8, 80, 50, 26}, "Quickly", "Max speed of teaching");
    quickButton->setDefault(true);
    exitButton =
        makeButton(teachingGroup, "Button2", {64, 79, 49, 26}, "Exit", "Exit from Varkelon");

    // The lamp lies over the group box, right of stepButton.
    modeLamp = place<ModeLamp>(this, "Memo1", {464, 264, 17, 17});
    showMode();
}

void MainWindow::setTabOrder() {
    // Controls that take no focus (labels, panels, frames, the spinner, the
    // disabled lamp) drop out of the chain by themselves.
    QWidget* const order[] = {staticButton,    sinButton,       randomButton,     neuronCountBox,
                              pageTabs,        graphBox,        graphIteration,   graphEstimation,
                              graphNoise,      historyBox,      historyIteration, historyEstimation,
                              historyNoise,    runningButton,   slidingButton,    channelTable,
                              tableIteration,  tableEstimation, tableNoise,       languageBox,
                              sinRandomButton, quickButton,     exitButton,       speedBar,
                              stepButton,      stopButton,      aboutButton};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void MainWindow::nameForAssistiveTechnology() {
    // Each control is named by its label, in the caption language of the
    // moment. An explicit name, unlike a buddy's text, goes out to a running
    // screen reader as a NameChanged event when the language changes.
    const std::pair<QLabel*, QWidget*> named[] = {{graphIterationLabel, graphIteration},
                                                  {graphEstimationLabel, graphEstimation},
                                                  {graphNoiseLabel, graphNoise},
                                                  {historyIterationLabel, historyIteration},
                                                  {historyEstimationLabel, historyEstimation},
                                                  {historyNoiseLabel, historyNoise},
                                                  {tableIterationLabel, tableIteration},
                                                  {tableEstimationLabel, tableEstimation},
                                                  {tableNoiseLabel, tableNoise},
                                                  {speedLabel, speedBar}};
    for (const auto& [label, control] : named) {
        label->setBuddy(control);
        control->setAccessibleName(label->text());
    }
    neuronCountBox->setAccessibleName(neuronGroup->title());
    neuronSpinner->nameArrows(QString::fromUtf8(words().up), QString::fromUtf8(words().down));
    aboutButton->setAccessibleName(QString::fromUtf8(words().about));
    // The pictures and the table are named by their hints.
    for (QWidget* control : std::initializer_list<QWidget*>{graphBox, historyBox, channelTable})
        control->setAccessibleName(control->toolTip());
    // The tabs and the table's column titles are items of their controls,
    // named by their texts: a new text is news to a screen reader too.
    for (int tab = 0; tab < pageTabs->count(); ++tab) {
        QAccessibleEvent renamed(pageTabs->tabBar(), QAccessible::NameChanged);
        renamed.setChild(tab);
        QAccessible::updateAccessibility(&renamed);
    }
    // The table's items: the corner, then the column titles.
    for (int column = 0; column < channelTable->columnCount(); ++column) {
        QAccessibleEvent renamed(channelTable, QAccessible::NameChanged);
        renamed.setChild(1 + column);
        QAccessible::updateAccessibility(&renamed);
    }
}

}  // namespace varkelon

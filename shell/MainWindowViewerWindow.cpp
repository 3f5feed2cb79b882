// The main window as the Viewer sees it: the paint boxes' images, and the
// controls its texts go to.
#include "MainWindow.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>

#include "shell/FormControls.h"
#include "shell/PaintBox.h"

namespace varkelon {

namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

PaintBox& MainWindow::paintBox(Page page) const {
    return page == Page::Estimation ? *historyBox : *graphBox;
}

PixelImage& MainWindow::paintBoxImage(Page page) {
    return paintBox(page).image();
}

int MainWindow::paintBoxLeft(Page page) const {
    // Its place in the panel's area inside the border.
    return paintBox(page).x() - kPanelBorder;
}

void MainWindow::repaintPaintBox(Page page) {
    paintBox(page).repaint();
}

void MainWindow::paintBoxChanged(Page page) {
    paintBox(page).update();
}

void MainWindow::setReadout(Page page, Readout readout, std::string_view text) {
    const int p = static_cast<int>(page);
    const int r = static_cast<int>(readout);
    if (holdingReadouts_) {
        heldReadouts_[p][r] = fromUtf8(text);
        readoutHeld_[p][r] = true;
        return;
    }
    writeReadout(page, readout, fromUtf8(text));
}

void MainWindow::flushHeldReadouts() {
    holdingReadouts_ = false;
    for (int p = 0; p < 3; ++p) {
        for (int r = 0; r < 3; ++r) {
            if (readoutHeld_[p][r]) {
                readoutHeld_[p][r] = false;
                writeReadout(static_cast<Page>(p), static_cast<Readout>(r), heldReadouts_[p][r]);
            }
        }
    }
}

void MainWindow::writeReadout(Page page, Readout readout, const QString& text) {
    QLineEdit* const edits[3][3] = {{graphIteration, graphEstimation, graphNoise},
                                    {historyIteration, historyEstimation, historyNoise},
                                    {tableIteration, tableEstimation, tableNoise}};
    QLineEdit& edit = *edits[static_cast<int>(page)][static_cast<int>(readout)];
    // Every new text is news to a screen reader; the same text is not.
    if (edit.text() == text)
        return;
    // A readout reached with Tab shows its focus as the whole text selected;
    // the new text keeps it so.
    const bool focusShown = edit.hasFocus() && edit.hasSelectedText() &&
                            edit.selectedText().size() == edit.text().size();
    edit.setText(text);
    if (focusShown)
        edit.selectAll();
}

void MainWindow::setTableCell(int column, int row, std::string_view text) {
    // Row 0 holds the column titles and column 0 the channels: the headers.
    const QString cellText = fromUtf8(text);
    if (row == 0 && column > 0) {
        channelTable->horizontalHeaderItem(column - 1)->setText(cellText);
    } else if (column == 0 && row > 0) {
        channelTable->verticalHeaderItem(row - 1)->setText(cellText);
    } else if (QTableWidgetItem* cell = channelTable->item(row - 1, column - 1)) {
        // The number stands in its column as the table shows it; assistive
        // technology reads it without the spaces that place it there.
        cell->setText(cellText);
        cell->setData(Qt::AccessibleTextRole, cellText.trimmed());
    }
}

QWidget* MainWindow::captionTarget(CaptionSlot slot) const {
    switch (slot) {
        case CaptionSlot::WindowTitle:
            return nullptr;
        case CaptionSlot::Title:
            return titlePanel;
        case CaptionSlot::GraphTab:
            return graphPage;
        case CaptionSlot::EstimationTab:
            return historyPage;
        case CaptionSlot::TableTab:
            return tablePage;
        case CaptionSlot::ObjectColumn:
        case CaptionSlot::NeuronetColumn:
        case CaptionSlot::MistakesColumn:
            return channelTable;
        case CaptionSlot::TableIterationLabel:
            return tableIterationLabel;
        case CaptionSlot::GraphIterationLabel:
            return graphIterationLabel;
        case CaptionSlot::HistoryIterationLabel:
            return historyIterationLabel;
        case CaptionSlot::TableEstimationLabel:
            return tableEstimationLabel;
        case CaptionSlot::GraphEstimationLabel:
            return graphEstimationLabel;
        case CaptionSlot::HistoryEstimationLabel:
            return historyEstimationLabel;
        case CaptionSlot::TableNoiseLabel:
            return tableNoiseLabel;
        case CaptionSlot::GraphNoiseLabel:
            return graphNoiseLabel;
        case CaptionSlot::HistoryNoiseLabel:
            return historyNoiseLabel;
        case CaptionSlot::RunningButton:
            return runningButton;
        case CaptionSlot::SlidingButton:
            return slidingButton;
        case CaptionSlot::AdjustmentHeading:
            return adjustmentHeading;
        case CaptionSlot::RegimeFrame:
            return regimeFrame;
        case CaptionSlot::StaticButton:
            return staticButton;
        case CaptionSlot::DynamicHeading:
            return dynamicHeading;
        case CaptionSlot::NeuronGroup:
            return neuronGroup;
        case CaptionSlot::CommandsHeading:
            return commandsHeading;
        case CaptionSlot::TeachingGroup:
            return teachingGroup;
        case CaptionSlot::SpeedLabel:
            return speedLabel;
        case CaptionSlot::StopButton:
            return stopButton;
        case CaptionSlot::StepButton:
            return stepButton;
        case CaptionSlot::QuickButton:
            return quickButton;
        case CaptionSlot::ExitButton:
            return exitButton;
    }
    return nullptr;
}

void MainWindow::setCaption(CaptionSlot slot, std::string_view text) {
    const QString caption = fromUtf8(text);
    QWidget* control = captionTarget(slot);
    const int tab = pageTabs->indexOf(control);
    if (control == nullptr) {
        setWindowTitle(caption);
    } else if (control == channelTable) {
        const int column = static_cast<int>(slot) - static_cast<int>(CaptionSlot::ObjectColumn);
        channelTable->horizontalHeaderItem(column)->setText(caption);
    } else if (tab >= 0) {
        pageTabs->setTabText(tab, caption);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        setLabelCaption(*label, caption);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        setButtonCaption(*button, caption);
    } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
        group->setTitle(caption);
    }
}

}  // namespace varkelon

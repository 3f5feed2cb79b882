// The main window as the Viewer sees it: which page and plot mode are
// chosen, the paint boxes' images, and the texts it writes.
#include "MainWindow.h"

#include <stdexcept>
#include <string>

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>

#include "shell/FormControls.h"
#include "shell/PaintBox.h"

namespace varkelon {

bool MainWindow::isPageVisible(Page page) const {
    // The page control's choice, whether or not the window is on screen yet.
    const QWidget* const sheets[] = {graphPage, historyPage, tablePage};
    return pageTabs->currentWidget() == sheets[static_cast<int>(page)];
}

bool MainWindow::isRunningChecked() const {
    return runningButton->isChecked();
}

bool MainWindow::isSlidingChecked() const {
    return slidingButton->isChecked();
}

PaintBox& MainWindow::paintBox(Page page) const {
    return page == Page::Estimation ? *historyBox : *graphBox;
}

QImage& MainWindow::paintBoxImage(Page page) {
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

void MainWindow::setReadout(Page page, Readout readout, const QString& text) {
    const int p = static_cast<int>(page);
    const int r = static_cast<int>(readout);
    if (holdingReadouts_) {
        heldReadouts_[p][r] = text;
        readoutHeld_[p][r] = true;
        return;
    }
    QLineEdit* const edits[3][3] = {{graphIteration, graphEstimation, graphNoise},
                                    {historyIteration, historyEstimation, historyNoise},
                                    {tableIteration, tableEstimation, tableNoise}};
    // The model built for the first picture has taught nothing: until the
    // first start command every page says iteration 0, as the window opened.
    const bool beforeTeaching = !startedOnce_ && readout == Readout::Iteration;
    writeReadout(*edits[p][r], beforeTeaching ? QStringLiteral("0") : text);
}

void MainWindow::flushHeldReadouts() {
    holdingReadouts_ = false;
    for (int p = 0; p < 3; ++p) {
        for (int r = 0; r < 3; ++r) {
            if (readoutHeld_[p][r]) {
                readoutHeld_[p][r] = false;
                setReadout(static_cast<Page>(p), static_cast<Readout>(r), heldReadouts_[p][r]);
            }
        }
    }
}

void MainWindow::writeReadout(QLineEdit& edit, const QString& text) {
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

void MainWindow::setTableCell(int column, int row, const QString& text) {
    // Row 0 holds the column titles and column 0 the channels: the headers.
    if (row == 0 && column > 0) {
        channelTable->horizontalHeaderItem(column - 1)->setText(text);
    } else if (column == 0 && row > 0) {
        channelTable->verticalHeaderItem(row - 1)->setText(text);
    } else if (QTableWidgetItem* cell = channelTable->item(row - 1, column - 1)) {
        // The number stands in its column as the table shows it; assistive
        // technology reads it without the spaces that place it there.
        cell->setText(text);
        cell->setData(Qt::AccessibleTextRole, text.trimmed());
    }
}

void MainWindow::setCaption(std::string_view controlName, const QString& text) {
    const QString name = QString::fromUtf8(controlName.data(), qsizetype(controlName.size()));
    if (name == objectName()) {
        setWindowTitle(text);
        return;
    }
    // A caption table that names a control wrongly is a fault of the
    // program: it must not pass unnoticed as an unchanged caption. (An empty
    // name would find any unnamed child.)
    QWidget* control = name.isEmpty() ? nullptr : findChild<QWidget*>(name);
    const int tab = pageTabs->indexOf(control);
    if (control != nullptr && tab >= 0) {
        pageTabs->setTabText(tab, text);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        setLabelCaption(*label, text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        setButtonCaption(*button, text);
    } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
        group->setTitle(text);
    } else {
        throw std::logic_error("No control \"" + std::string(controlName) + "\" takes a caption");
    }
}

}  // namespace varkelon

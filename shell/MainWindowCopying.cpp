// What the class saw, kept: the table copied as text, the pictures copied
// or saved, from the context menus and Ctrl+C.
#include "MainWindow.h"

#include <stdexcept>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QMenu>
#include <QPixmap>
#include <QTableWidget>

#include "shell/PaintBox.h"

namespace varkelon {

namespace {

// The file a picture is offered under.
QString pictureName(Page page) {
    return page == Page::Graph ? QStringLiteral("varkelon-graph.png")
                               : QStringLiteral("varkelon-estimation.png");
}

}  // namespace

QString MainWindow::tableText(Copied copied) const {
    // The rows and columns of the selected cells; all of them when none is,
    // or, from the menu, when no more than one is.
    const int rows = channelTable->rowCount();
    const int columns = channelTable->columnCount();
    QList<bool> rowTaken(rows, false);
    QList<bool> columnTaken(columns, false);
    QModelIndexList selected = channelTable->selectionModel()->selectedIndexes();
    if (copied == Copied::WholeUnlessRange && selected.size() < 2)
        selected.clear();
    for (const QModelIndex& index : selected) {
        rowTaken[index.row()] = true;
        columnTaken[index.column()] = true;
    }
    if (selected.isEmpty()) {
        rowTaken.fill(true);
        columnTaken.fill(true);
    }
    const auto cellText = [this, &selected](int row, int column) {
        const QTableWidgetItem* cell = channelTable->item(row, column);
        const bool taken = selected.isEmpty() || cell->isSelected();
        return taken ? cell->text().trimmed() : QString();
    };

    // The titles' row first; the corner stays empty, as on screen.
    QString text;
    for (int column = 0; column < columns; ++column) {
        if (columnTaken[column])
            text += QLatin1Char('\t') + channelTable->horizontalHeaderItem(column)->text();
    }
    text += QLatin1Char('\n');
    for (int row = 0; row < rows; ++row) {
        if (!rowTaken[row])
            continue;
        text += channelTable->verticalHeaderItem(row)->text();
        for (int column = 0; column < columns; ++column) {
            if (columnTaken[column])
                text += QLatin1Char('\t') + cellText(row, column);
        }
        text += QLatin1Char('\n');
    }
    return text;
}

QImage MainWindow::picture(Page page) const {
    return paintBox(page).picture().toImage();
}

void MainWindow::copyTable(Copied copied) {
    QApplication::clipboard()->setText(tableText(copied));
}

void MainWindow::copyPicture(Page page) {
    QApplication::clipboard()->setImage(picture(page));
}

void MainWindow::savePicture(Page page) {
    const ShellWords& said = words();
    const QString title = QString::fromUtf8(said.savePicture).remove(QStringLiteral("..."));
    QString path =
        saveDialog_.ask(this, title, pictureName(page), QString::fromUtf8(said.pictureFiles));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".png");
    QImageWriter writer(path, "png");
    if (!writer.write(picture(page))) {
        throw std::runtime_error((QString::fromUtf8(said.cannotSave) + QLatin1Char(' ') +
                                  QDir::toNativeSeparators(path) + QStringLiteral(": ") +
                                  writer.errorString())
                                     .toStdString());
    }
}

void MainWindow::showTableMenu(const QPoint& where) {
    QMenu menu(this);
    // A popup takes no font from its parent: it speaks in the form's.
    menu.setFont(font());
    QAction* copy = menu.addAction(QString::fromUtf8(words().copy));
    copy->setShortcut(QKeySequence::Copy);
    connect(copy, &QAction::triggered, this,
            [this] { guarded([this] { copyTable(Copied::WholeUnlessRange); }); });
    menu.exec(channelTable->viewport()->mapToGlobal(where));
}

void MainWindow::showPictureMenu(Page page, const QPoint& where) {
    QMenu menu(this);
    menu.setFont(font());
    connect(menu.addAction(QString::fromUtf8(words().copyPicture)), &QAction::triggered, this,
            [this, page] { guarded([this, page] { copyPicture(page); }); });
    connect(menu.addAction(QString::fromUtf8(words().savePicture)), &QAction::triggered, this,
            [this, page] { guarded([this, page] { savePicture(page); }); });
    menu.exec(paintBox(page).mapToGlobal(where));
}

}  // namespace varkelon

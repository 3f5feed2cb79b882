#include "SaveDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace varkelon {

QString SaveDialog::ask(QWidget* parent, const QString& title, const QString& fileName,
                        const QString& filter) {
    const QDir folder = folder_.isEmpty() ? QDir::home() : QDir(folder_);
    const QString path =
        QFileDialog::getSaveFileName(parent, title, folder.filePath(fileName), filter, nullptr,
                                     QFileDialog::DontUseNativeDialog);
    if (!path.isEmpty())
        folder_ = QFileInfo(path).absolutePath();
    return path;
}

}  // namespace varkelon

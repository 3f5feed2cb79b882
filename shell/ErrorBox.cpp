#include "ErrorBox.h"

#include <QApplication>
#include <QMessageBox>

namespace varkelon {

void ErrorBox::showText(const QString& text) {
    QMessageBox::critical(QApplication::activeWindow(), QStringLiteral("Varkelon"), text);
}

}  // namespace varkelon

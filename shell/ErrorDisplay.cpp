#include "ErrorDisplay.h"

namespace varkelon {

void ErrorDisplay::show(const std::exception& error) {
    showText(textOf(QString::fromUtf8(error.what())));
}

void ErrorDisplay::showUnknown() {
    showText(textOf(QStringLiteral("Unknown error")));
}

QString ErrorDisplay::textOf(const QString& message) {
    if (message.endsWith(QLatin1Char('.')))
        return message;
    return message + QLatin1Char('.');
}

}  // namespace varkelon

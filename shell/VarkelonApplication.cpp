#include "VarkelonApplication.h"

#include <exception>

#include <QStyle>
#include <QStyleFactory>

namespace varkelon {

VarkelonApplication::VarkelonApplication(int& argc, char** argv, ErrorDisplay& errors)
    : QApplication(argc, argv), errors_(errors) {
    // Names the application; the error box carries the same title.
    setApplicationName(QStringLiteral("Varkelon"));
    // The classic look the forms were laid out for: group box captions on
    // the frame line, bevelled panels, arrow buttons on the scroll bar.
    if (QStyle* classic = QStyleFactory::create(QStringLiteral("Windows")))
        setStyle(classic);
}

bool VarkelonApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        errors_.show(error);
    } catch (...) {
        errors_.showUnknown();
    }
    return false;
}

}  // namespace varkelon

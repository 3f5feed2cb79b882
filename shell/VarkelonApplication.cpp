#include "VarkelonApplication.h"

#include <exception>

#include "shell/FormStyle.h"

namespace varkelon {

VarkelonApplication::VarkelonApplication(int& argc, char** argv, ErrorDisplay& errors)
    : QApplication(argc, argv), errors_(errors) {
    // Names the application; the error box carries the same title.
    setApplicationName(QStringLiteral("Varkelon"));
    setStyle(new FormStyle);
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

#include "VarkelonApplication.h"

#include <exception>

#include <QPalette>
#include <QStyle>

#include "shell/AccessibleRoles.h"
#include "shell/FormStyle.h"

namespace varkelon {

namespace {

// The palette with every colour marked as set. The application's palette
// takes the platform theme's colour for each role its own palette leaves
// unset (the style's standard palette leaves out a few, such as the
// highlight and the placeholder text).
QPalette everyRoleSet(QPalette palette) {
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto colourGroup = static_cast<QPalette::ColorGroup>(group);
            const auto colourRole = static_cast<QPalette::ColorRole>(role);
            palette.setBrush(colourGroup, colourRole, palette.brush(colourGroup, colourRole));
        }
    }
    return palette;
}

}  // namespace

VarkelonApplication::VarkelonApplication(int& argc, char** argv, ErrorDisplay& errors)
    : QApplication(argc, argv), errors_(errors) {
    // Names the application; the error box carries the same title.
    setApplicationName(QStringLiteral("Varkelon"));
    setStyle(new FormStyle);
    // The light colours the window was designed in, whatever the desktop's
    // colour scheme: a dark palette from the platform theme would leave
    // black plot lines on dark grey and unchecked radio buttons unseen.
    setPalette(everyRoleSet(style()->standardPalette()));
    installAccessibleRoles();
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

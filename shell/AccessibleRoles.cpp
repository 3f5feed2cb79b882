#include "AccessibleRoles.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include "shell/ModeLamp.h"
#include "shell/PaintBox.h"

namespace varkelon {

namespace {

QAccessibleInterface* withRole(const QString& /*className*/, QObject* object) {
    if (auto* box = dynamic_cast<PaintBox*>(object))
        return new QAccessibleWidget(box, QAccessible::Graphic);
    if (auto* lamp = dynamic_cast<ModeLamp*>(object))
        return new QAccessibleWidget(lamp, QAccessible::StatusBar);
    return nullptr;
}

}  // namespace

void installAccessibleRoles() {
    QAccessible::installFactory(withRole);
}

}  // namespace varkelon

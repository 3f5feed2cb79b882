#include "Placement.h"

#include <QScreen>
#include <QWidget>

namespace varkelon {

void centreOnScreen(QWidget& window) {
    const QScreen* screen = window.screen();
    if (screen == nullptr)
        return;
    const QRect available = screen->availableGeometry();
    window.move(available.x() + (available.width() - window.width()) / 2,
                available.y() + (available.height() - window.height()) / 2);
}

}  // namespace varkelon

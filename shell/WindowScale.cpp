#include "WindowScale.h"

#include <algorithm>
#include <cmath>

#include <QByteArray>
#include <QScreen>
#include <QWidget>

#include "shell/WindowOptions.h"

namespace varkelon {

void WindowScale::apply(double factor) {
    qputenv("QT_SCALE_FACTOR", QByteArray::number(factor));
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    // The per-screen factors count even with the screens' share off.
    qunsetenv("QT_SCREEN_SCALE_FACTORS");
    // The dialogs' fonts are in points: at 96 dots per inch they keep the
    // size they have beside the window.
    qputenv("QT_FONT_DPI", "96");
}

std::optional<double> WindowScale::lowered(double factor, const QWidget& window) {
    const QScreen* screen = window.screen();
    if (screen == nullptr || window.width() <= 0 || window.height() <= 0)
        return std::nullopt;
    // Both sizes in the same pixels of the factor, so their ratio is the
    // room the factor has.
    const QSize room = screen->availableGeometry().size();
    if (window.width() <= room.width() && window.height() <= room.height())
        return std::nullopt;
    const double ratio = std::min(static_cast<double>(room.width()) / window.width(),
                                  static_cast<double>(room.height()) / window.height());
    return std::max(kMinWindowScale, std::floor(factor * ratio * 100) / 100);
}

}  // namespace varkelon

#include "FormFont.h"

#include <QStringList>

namespace varkelon {

QFont formFont(int pixelSize) {
    QFont font;
    font.setFamilies(QStringList{QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    return font;
}

}  // namespace varkelon

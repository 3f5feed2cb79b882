#include "FormStyle.h"

#include <QStyleFactory>

namespace varkelon {

namespace {

// Room left and right of a tab's text, together.
constexpr int kTabTextPadding = 12;

}  // namespace

FormStyle::FormStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Windows"))) {}

int FormStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                           const QWidget* widget) const {
    if (metric == PM_TabBarTabHSpace)
        return kTabTextPadding;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

}  // namespace varkelon

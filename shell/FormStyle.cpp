#include "FormStyle.h"

#include <QStyleFactory>
#include <QStyleOption>

namespace varkelon {

namespace {

// Room left and right of a tab's text, together.
constexpr int kTabTextPadding = 12;
constexpr int kHeaderMargin = 2;

}  // namespace

FormStyle::FormStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Windows"))) {}

int FormStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                           const QWidget* widget) const {
    if (metric == PM_TabBarTabHSpace)
        return kTabTextPadding;
    // The table's titles and channel numbers fill their 15-pixel cells, as
    // the fixed cells of a grid do: no room for the header's usual margin.
    if (metric == PM_HeaderMargin)
        return kHeaderMargin;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

void FormStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                   QPainter* painter, const QWidget* widget) const {
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    if (control != CC_ScrollBar || !(option->state & State_HasFocus))
        return;
    QStyleOptionFocusRect focus;
    focus.QStyleOption::operator=(*option);
    focus.rect = subControlRect(control, option, SC_ScrollBarSlider, widget).adjusted(2, 2, -2, -2);
    focus.backgroundColor = option->palette.color(QPalette::Button);
    drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
}

}  // namespace varkelon

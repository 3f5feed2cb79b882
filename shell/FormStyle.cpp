#include "FormStyle.h"

#include <algorithm>
#include <cmath>

#include <QImage>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTableView>

#include "shell/DevicePixels.h"
#include "shell/EvenLines.h"

namespace varkelon {

namespace {

// Room left and right of a tab's text, together.
constexpr int kTabTextPadding = 12;
constexpr int kHeaderMargin = 2;
// The classic style's frames and bevels are at most three lines deep (a
// default button's frame around a two-line bevel).
constexpr int kFrameLines = 3;
// The classic radio circle: 12 pixels across, a two-line ring, a 4-pixel dot.
constexpr int kRadioSize = 12;
constexpr int kRadioDot = 4;

qreal ratioOf(const QPainter& painter) {
    return painter.device() != nullptr ? painter.device()->devicePixelRatio() : 1.0;
}

// Elements that are lines and fills only, no text, drawn with their frame
// lines along their sides.
bool isFrameArt(QStyle::PrimitiveElement element) {
    switch (element) {
        case QStyle::PE_Frame:
        case QStyle::PE_FrameDefaultButton:
        case QStyle::PE_FrameGroupBox:
        case QStyle::PE_FrameLineEdit:
        case QStyle::PE_FrameTabWidget:
        case QStyle::PE_FrameTabBarBase:
        case QStyle::PE_FrameButtonBevel:
        case QStyle::PE_FrameButtonTool:
        case QStyle::PE_PanelButtonCommand:
        case QStyle::PE_PanelButtonBevel:
        case QStyle::PE_PanelButtonTool:
        case QStyle::PE_PanelLineEdit:
        case QStyle::PE_IndicatorCheckBox:
            return true;
        default:
            return false;
    }
}

bool isFrameArt(QStyle::ControlElement element) {
    return element == QStyle::CE_ShapedFrame || element == QStyle::CE_TabBarTabShape;
}

// A table that shows its grid, on a device where its grid lines would come
// out uneven.
const QTableView* unevenGrid(const QWidget* widget) {
    const auto* view = qobject_cast<const QTableView*>(widget);
    return view != nullptr && view->showGrid() && EvenLines::needed(view->devicePixelRatio())
               ? view
               : nullptr;
}

bool isArrow(QStyle::PrimitiveElement element) {
    return element == QStyle::PE_IndicatorArrowUp || element == QStyle::PE_IndicatorArrowDown ||
           element == QStyle::PE_IndicatorArrowLeft || element == QStyle::PE_IndicatorArrowRight;
}

// Draws frame art with `draw` (a callable taking a QPainter*) in logical
// pixels on an image of `rect`'s size, then shows the image on the device
// with every frame line one width.
template <class Draw>
void drawEvenly(QPainter& painter, const QRect& rect, Draw draw) {
    QImage art(rect.size(), QImage::Format_ARGB32_Premultiplied);
    art.fill(Qt::transparent);
    {
        QPainter artPainter(&art);
        artPainter.setFont(painter.font());
        artPainter.translate(-rect.topLeft());
        draw(&artPainter);
    }
    const qreal ratio = ratioOf(painter);
    DevicePixels device(painter);
    const QRect target = device.map(rect);
    painter.drawImage(target.topLeft(),
                      EvenLines::edgeAnchored(art, target.size(), ratio, kFrameLines));
}

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

void FormStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                              QPainter* painter, const QWidget* widget) const {
    if (isArrow(element)) {
        if (!arrowsLeftOut_)
            drawArrow(element, *option, *painter, widget);
        return;
    }
    const bool uneven = EvenLines::needed(ratioOf(*painter)) && !option->rect.isEmpty();
    if (uneven && element == PE_IndicatorRadioButton) {
        drawRadioIndicator(*option, *painter);
    } else if (uneven && element == PE_FrameFocusRect) {
        drawFocusRect(*option, *painter);
    } else if (uneven && isFrameArt(element)) {
        drawEvenly(*painter, option->rect, [&](QPainter* art) {
            QProxyStyle::drawPrimitive(element, option, art, widget);
        });
    } else {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
}

void FormStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                            const QWidget* widget) const {
    if (element == CE_ItemViewItem && unevenGrid(widget) != nullptr) {
        QProxyStyle::drawControl(element, option, painter, widget);
        drawGridLines(*option, *painter, widget);
        return;
    }
    if (EvenLines::needed(ratioOf(*painter)) && isFrameArt(element) && !option->rect.isEmpty()) {
        drawEvenly(*painter, option->rect,
                   [&](QPainter* art) { QProxyStyle::drawControl(element, option, art, widget); });
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

int FormStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                         QStyleHintReturn* returnData) const {
    // The table's own grid lines, transparent: the cells draw them.
    if (hint == SH_Table_GridLineColor && unevenGrid(widget) != nullptr)
        return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

void FormStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                   QPainter* painter, const QWidget* widget) const {
    const auto* combo = qstyleoption_cast<const QStyleOptionComboBox*>(option);
    if (control == CC_ComboBox && combo != nullptr && EvenLines::needed(ratioOf(*painter)) &&
        !option->rect.isEmpty()) {
        drawComboBoxEvenly(*combo, *painter, widget);
        return;
    }
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    // A focused scroll bar shows its focus on the thumb.
    if (control != CC_ScrollBar || !(option->state & State_HasFocus))
        return;
    QStyleOptionFocusRect focus;
    focus.QStyleOption::operator=(*option);
    focus.rect = subControlRect(control, option, SC_ScrollBarSlider, widget).adjusted(2, 2, -2, -2);
    focus.backgroundColor = option->palette.color(QPalette::Button);
    drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
}

void FormStyle::drawComboBoxEvenly(const QStyleOptionComboBox& option, QPainter& painter,
                                   const QWidget* widget) const {
    // The frame and the field, then the button as frame art of its own (its
    // bevel lies inside the box, where the box's frame art is stretched),
    // then the button's arrow.
    QStyleOptionComboBox body = option;
    body.subControls &= ~SC_ComboBoxArrow;
    drawEvenly(painter, option.rect, [&](QPainter* art) {
        QProxyStyle::drawComplexControl(CC_ComboBox, &body, art, widget);
    });
    if (!(option.subControls & SC_ComboBoxArrow))
        return;
    QStyleOptionComboBox button = option;
    button.subControls = SC_ComboBoxArrow;
    const QRect buttonRect = subControlRect(CC_ComboBox, &option, SC_ComboBoxArrow, widget);
    if (buttonRect.isEmpty())
        return;
    arrowsLeftOut_ = true;
    drawEvenly(painter, buttonRect, [&](QPainter* art) {
        QProxyStyle::drawComplexControl(CC_ComboBox, &button, art, widget);
    });
    arrowsLeftOut_ = false;
    // Where the classic style puts it: three pixels inside the button.
    QStyleOption arrow = option;
    arrow.rect = buttonRect.adjusted(3, 3, -3, -3);
    arrow.state = option.state & State_Enabled;
    if (option.activeSubControls == SC_ComboBoxArrow && (option.state & State_Sunken))
        arrow.state |= State_Sunken;
    drawArrow(PE_IndicatorArrowDown, arrow, painter, widget);
}

void FormStyle::drawArrow(PrimitiveElement element, const QStyleOption& option, QPainter& painter,
                          const QWidget* widget) const {
    const QRect& rect = option.rect;
    if (rect.width() <= 1 || rect.height() <= 1)
        return;
    const bool vertical = element == PE_IndicatorArrowUp || element == PE_IndicatorArrowDown;
    const int across = vertical ? rect.width() : rect.height();
    const int along = vertical ? rect.height() : rect.width();
    // The base in logical pixels, odd so that the point is one pixel, as
    // the classic style sizes it from the room's smaller side; the room's
    // height counts in whole pairs of pixels, so that rooms one pixel apart
    // in height (the spinner's two halves) give the same arrow.
    const int side = std::min(across, 2 * (along - along % 2) - 2);
    const int base = std::max(1, 2 * (side / 2) - 2 * (side / 5) + 1);
    const qreal ratio = ratioOf(painter);
    // The largest odd width the scaled base holds.
    const int deviceBase = std::max(1, (static_cast<int>(base * ratio) - 1) / 2 * 2 + 1);
    const int height = (deviceBase + 1) / 2;

    int shiftAcross = 0;
    int shiftAlong = 0;
    if (option.state & State_Sunken) {
        const int shiftX = pixelMetric(PM_ButtonShiftHorizontal, &option, widget);
        const int shiftY = pixelMetric(PM_ButtonShiftVertical, &option, widget);
        shiftAcross = qRound((vertical ? shiftX : shiftY) * ratio);
        shiftAlong = qRound((vertical ? shiftY : shiftX) * ratio);
    }
    const QColor colour = (option.state & State_Enabled) ? option.palette.buttonText().color()
                                                         : option.palette.mid().color();

    DevicePixels device(painter);
    const QRect room = device.map(rect);
    const int roomAcross = vertical ? room.width() : room.height();
    const int roomAlong = vertical ? room.height() : room.width();
    const int startAcross =
        (vertical ? room.left() : room.top()) + (roomAcross - deviceBase) / 2 + shiftAcross;
    const int startAlong =
        (vertical ? room.top() : room.left()) + (roomAlong - height) / 2 + shiftAlong;
    // Row by row from the point (up, left) or from the base (down, right).
    const bool pointFirst = element == PE_IndicatorArrowUp || element == PE_IndicatorArrowLeft;
    for (int row = 0; row < height; ++row) {
        const int fromPoint = pointFirst ? row : height - 1 - row;
        const int length = 2 * fromPoint + 1;
        const int offset = height - 1 - fromPoint;
        const QRect line = vertical ? QRect(startAcross + offset, startAlong + row, length, 1)
                                    : QRect(startAlong + row, startAcross + offset, 1, length);
        painter.fillRect(line, colour);
    }
}

void FormStyle::drawRadioIndicator(const QStyleOption& option, QPainter& painter) const {
    // The classic circle's place: 12 x 12, centred in the room it is given.
    QRect circle(0, 0, kRadioSize, kRadioSize);
    circle.moveCenter(option.rect.center());
    circle.moveLeft(option.rect.left() + std::max(0, (option.rect.width() - kRadioSize) / 2));
    circle.moveTop(option.rect.top() + std::max(0, (option.rect.height() - kRadioSize) / 2));
    const qreal ratio = ratioOf(painter);
    const int ring = EvenLines::lineWidth(ratio);
    const bool sunkenFill = (option.state & State_Sunken) || !(option.state & State_Enabled);

    DevicePixels device(painter);
    const QRect square = device.map(circle);
    const int size = std::min(square.width(), square.height());
    QRectF disc(square.left(), square.top(), size, size);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    // A sunken ring of two lines, each one width all round: dark over light
    // outside, black over the midlight inside; the halves meet on the
    // diagonal from the lower left to the upper right.
    const QColor outer[2] = {option.palette.dark().color(), option.palette.light().color()};
    const QColor inner[2] = {option.palette.shadow().color(), option.palette.midlight().color()};
    for (const QColor* halves : {outer, inner}) {
        painter.setBrush(halves[0]);
        painter.drawChord(disc, 45 * 16, 180 * 16);
        painter.setBrush(halves[1]);
        painter.drawChord(disc, 225 * 16, 180 * 16);
        disc.adjust(ring, ring, -ring, -ring);
    }
    painter.setBrush(sunkenFill ? option.palette.button() : option.palette.base());
    painter.drawEllipse(disc);
    if (option.state & State_On) {
        const qreal dot = std::round(kRadioDot * ratio);
        painter.setBrush(option.palette.text());
        painter.drawEllipse(
            QRectF(square.left() + (size - dot) / 2, square.top() + (size - dot) / 2, dot, dot));
    }
}

void FormStyle::drawFocusRect(const QStyleOption& option, QPainter& painter) const {
    // The classic dotted rectangle, its dots and gaps one line width each.
    const int width = EvenLines::lineWidth(ratioOf(painter));
    const QColor colour = option.palette.windowText().color();
    DevicePixels device(painter);
    const QRect frame = device.map(option.rect);
    const auto dots = [&](QPoint from, QPoint step, int length, QSize dot) {
        for (int at = 0; at + width <= length; at += 2 * width)
            painter.fillRect(QRect(from + step * at, dot), colour);
    };
    const QSize across(width, width);
    dots(frame.topLeft(), QPoint(1, 0), frame.width(), across);
    dots(QPoint(frame.left(), frame.bottom() - width + 1), QPoint(1, 0), frame.width(), across);
    dots(frame.topLeft(), QPoint(0, 1), frame.height(), across);
    dots(QPoint(frame.right() - width + 1, frame.top()), QPoint(0, 1), frame.height(), across);
}

void FormStyle::drawGridLines(const QStyleOption& option, QPainter& painter,
                              const QWidget* view) const {
    // The grid line right of a cell and the one below it, each one logical
    // pixel outside the cell: drawn one line width wide, ending where the
    // next cell begins, so that the next cell's background leaves it whole.
    const QColor colour = QColor::fromRgba(
        static_cast<QRgb>(QProxyStyle::styleHint(SH_Table_GridLineColor, &option, view)));
    const int width = EvenLines::lineWidth(ratioOf(painter));
    DevicePixels device(painter);
    const QRect cell = device.map(option.rect.adjusted(0, 0, 1, 1));
    const int nextColumn = cell.right() + 1;
    const int nextRow = cell.bottom() + 1;
    painter.fillRect(QRect(nextColumn - width, cell.top(), width, nextRow - cell.top()), colour);
    painter.fillRect(QRect(cell.left(), nextRow - width, nextColumn - cell.left(), width), colour);
}

}  // namespace varkelon

#pragma once

#include <QProxyStyle>

class QStyleOptionComboBox;

namespace varkelon {

// The classic look the forms were laid out for (group box captions on the
// frame line, bevelled panels, arrow buttons on the scroll bar), with page
// tabs padded as narrowly as the form's: the three tabs must end left of the
// title panel beside them in either caption language. A focused scroll bar
// shows its focus on the thumb, as the system's does.
//
// The classic style draws its frames, bevels and radio circles as lines one
// logical pixel wide. At a device pixel ratio such as 1.25 or 1.5 those come
// out one or two device pixels wide by where they lie; this style draws them
// evenly there instead (see EvenLines), and draws every arrow itself, so
// that the spinner's two arrows, whose buttons differ by a pixel in height,
// come out alike at every ratio. A table's grid lines, which the table
// draws itself with a pen one logical pixel wide, are drawn by each cell
// there instead.
class FormStyle : public QProxyStyle {
  public:
    FormStyle();

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;

  private:
    void drawArrow(PrimitiveElement element, const QStyleOption& option, QPainter& painter,
                   const QWidget* widget) const;
    void drawRadioIndicator(const QStyleOption& option, QPainter& painter) const;
    void drawFocusRect(const QStyleOption& option, QPainter& painter) const;
    void drawGridLines(const QStyleOption& option, QPainter& painter, const QWidget* view) const;
    void drawComboBoxEvenly(const QStyleOptionComboBox& option, QPainter& painter,
                            const QWidget* widget) const;

    // Set while the combo box's button is drawn as frame art: its arrow is
    // drawn on the device afterwards.
    mutable bool arrowsLeftOut_ = false;
};

}  // namespace varkelon

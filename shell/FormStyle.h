#pragma once

#include <QProxyStyle>

namespace varkelon {

// The classic look the forms were laid out for (group box captions on the
// frame line, bevelled panels, arrow buttons on the scroll bar), with page
// tabs padded as narrowly as the form's: the three tabs must end left of the
// title panel beside them in either caption language. A focused scroll bar
// shows its focus on the thumb, as the system's does.
class FormStyle : public QProxyStyle {
public:
    FormStyle();

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;
};

}  // namespace varkelon

#include "ModeLamp.h"

namespace varkelon {

ModeLamp::ModeLamp(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAutoFillBackground(true);
    setEnabled(false);
}

void ModeLamp::showMode(TeachingMode mode, const ShellWords& words) {
    QRgb colour = kStopped;
    const char* name = words.stopped;
    switch (mode) {
        case TeachingMode::Quick:
            colour = kQuick;
            name = words.quick;
            break;
        case TeachingMode::SingleStep:
            colour = kStep;
            name = words.step;
            break;
        case TeachingMode::Continuous:
            colour = kContinuous;
            name = words.continuous;
            break;
        case TeachingMode::Stopped:
            break;
    }
    QPalette lampPalette = palette();
    // The lamp is disabled: its colour must hold in every colour group.
    lampPalette.setColor(QPalette::Window, QColor(colour));
    setPalette(lampPalette);
    setAccessibleName(QString::fromUtf8(name));
}

QColor ModeLamp::colour() const {
    return palette().color(QPalette::Disabled, QPalette::Window);
}

}  // namespace varkelon

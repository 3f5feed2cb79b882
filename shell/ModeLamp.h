#pragma once

#include <QColor>
#include <QFrame>

#include "lesson/LessonChoices.h"
#include "shell/ShellWords.h"

namespace varkelon {

// The lamp beside the teaching commands: the teaching mode as a colour, and
// in words for assistive technology, which reads it as a status.
class ModeLamp : public QFrame {
  public:
    static constexpr QRgb kStopped = qRgb(255, 0, 0);
    static constexpr QRgb kQuick = qRgb(0, 255, 0);
    static constexpr QRgb kStep = qRgb(0, 0, 255);
    static constexpr QRgb kContinuous = qRgb(255, 255, 0);

    explicit ModeLamp(QWidget* parent);

    // A new name goes out to assistive technology as a NameChanged event,
    // so the window calls this only when the mode or the words change.
    void showMode(TeachingMode mode, const ShellWords& words);
    QColor colour() const;
};

}  // namespace varkelon

#pragma once

#include <QStringList>

#include "shell/ErrorDisplay.h"

namespace varkelon::test {

// Records what the error box would show, instead of opening it.
class RecordedErrors : public ErrorDisplay {
  public:
    QStringList texts;

  protected:
    void showText(const QString& text) override;
};

// The one error display of a test program's application object.
RecordedErrors& recordedErrors();

}  // namespace varkelon::test

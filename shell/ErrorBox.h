#pragma once

#include "shell/ErrorDisplay.h"

namespace varkelon {

// The program's error display: a modal message box captioned with the
// application's title, "Varkelon".
class ErrorBox : public ErrorDisplay {
  protected:
    void showText(const QString& text) override;
};

}  // namespace varkelon

#pragma once

#include <QApplication>

#include "shell/ErrorDisplay.h"

namespace varkelon {

// The application object. Every event passes through notify, so an exception
// thrown by a handler or a timer tick ends there: it is shown and the event
// loop goes on with the next event.
class VarkelonApplication : public QApplication {
  public:
    VarkelonApplication(int& argc, char** argv, ErrorDisplay& errors);

    bool notify(QObject* receiver, QEvent* event) override;

  private:
    ErrorDisplay& errors_;
};

}  // namespace varkelon

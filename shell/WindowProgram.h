#pragma once

#include <functional>
#include <memory>

#include <QObject>

namespace varkelon {

class MainWindow;

// The window program from its command line to the end of its event loop:
// the options checked before the toolkit starts (so --help needs no
// display), then the application object, the main window in the options'
// clock, scale and language, and the event loop. Returns the exit status.
//
// A companion, when given, is made beside the window before it is shown and
// lives as long as the loop runs (the end-to-end tests' probe dumps the
// window with one).
class WindowProgram {
  public:
    using Companion = std::function<std::unique_ptr<QObject>(MainWindow&)>;

    static int run(int argc, char** argv, const Companion& companion = {});
};

}  // namespace varkelon

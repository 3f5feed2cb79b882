#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

#include <QIcon>
#include <QString>

#include "shell/ErrorBox.h"
#include "shell/TForm1.h"
#include "shell/VarkelonApplication.h"

namespace {

// Messages while the application object connects to the display. Qt ends
// the program with an abort when it finds no display; this says so in one
// line and ends with status 1 instead. Its platform warnings that lead up
// to that are the same news, so they are dropped; the platform's debugging
// output, when asked for, goes through.
void startupMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg) {
        std::fputs("varkelon: cannot open the window: no display could be reached"
                   " (see the DISPLAY and WAYLAND_DISPLAY environment variables)\n",
                   stderr);
        std::fflush(stderr);
        std::_Exit(1);
    }
    if (type != QtDebugMsg && context.category != nullptr &&
        std::strncmp(context.category, "qt.qpa.", 7) == 0)
        return;
    std::fputs(qPrintable(qFormatLogMessage(type, context, message) + QLatin1Char('\n')), stderr);
}

}  // namespace

// The window program takes no arguments (not even the toolkit's own, such as
// -reverse or -style) and ends with 0.
int main(int /*argc*/, char** argv) {
    int toolkitArgc = 1;
    char* toolkitArgv[] = {argv[0], nullptr};

    varkelon::ErrorBox errors;
    qInstallMessageHandler(startupMessage);
    varkelon::VarkelonApplication application(toolkitArgc, toolkitArgv, errors);
    qInstallMessageHandler(nullptr);
    try {
        QApplication::setWindowIcon(QIcon(QStringLiteral(":/varkelon/icon.png")));
        varkelon::TForm1 form(errors);
        form.show();
        QApplication::exec();
    } catch (const std::exception& error) {
        // Thrown outside the event loop: before it runs or after it ends.
        errors.show(error);
    } catch (...) {
        errors.showUnknown();
    }
    return 0;
}

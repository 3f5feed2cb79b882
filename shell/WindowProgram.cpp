#include "WindowProgram.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <optional>
#include <string_view>
#include <vector>

#include <QIcon>
#include <QString>

#include "shell/ErrorBox.h"
#include "shell/FormParts.h"
#include "shell/MainWindow.h"
#include "shell/VarkelonApplication.h"
#include "shell/WindowOptions.h"
#include "shell/WindowScale.h"

#ifndef VARKELON_VERSION
#error "VARKELON_VERSION must give the program's version"
#endif

namespace varkelon {

namespace {

// The language box's item for Russian.
constexpr int kRussianItem = 1;

// Messages while the application object connects to the display. Qt ends
// the program with an abort when it finds no display; this says so in one
// line and ends with status 1 instead. Its platform warnings that lead up
// to that are the same news, so they are dropped; the platform's debugging
// output, when asked for, goes through.
void startupMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg) {
        std::fputs(
            "varkelon: cannot open the window: no display could be reached"
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

// Text for --help and --version; 1 when standard output cannot take it.
int print(std::string_view text) {
    const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
    return std::fflush(stdout) == 0 && written ? 0 : 1;
}

}  // namespace

int WindowProgram::run(int argc, char** argv, const Companion& companion) {
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    const WindowParse parse = parseWindowOptions(arguments, messagesLocale());
    if (!parse.options) {
        std::fprintf(stderr, "%s\n", parse.error.c_str());
        return 2;
    }
    const WindowOptions& options = *parse.options;
    if (options.help)
        return print(windowUsage());
    if (options.version)
        return print("varkelon " VARKELON_VERSION "\n");

    std::optional<double> scale = options.scale;
    if (scale)
        WindowScale::apply(*scale);
    FormParts parts;
    if (options.clock)
        parts.makeModel = FormParts::fixedClockModel(*options.clock);

    // The toolkit gets no arguments: its own options (-reverse, -style...)
    // were passed over above and must change nothing.
    int toolkitArgc = 1;
    char* toolkitArgv[] = {argv[0], nullptr};
    ErrorBox errors;
    // The toolkit takes its scale once, when the application object starts:
    // a scale too large for the screen, known only then, starts it again.
    for (bool mayLower = scale.has_value();; mayLower = false) {
        qInstallMessageHandler(startupMessage);
        VarkelonApplication application(toolkitArgc, toolkitArgv, errors);
        qInstallMessageHandler(nullptr);
        try {
            QApplication::setWindowIcon(QIcon(QStringLiteral(":/varkelon/icon.png")));
            MainWindow form(errors, parts);
            if (mayLower) {
                if (const auto lowered = WindowScale::lowered(*scale, form)) {
                    std::fprintf(stderr,
                                 "varkelon: at --scale %g the window is larger than the screen;"
                                 " %g is used\n",
                                 *scale, *lowered);
                    scale = lowered;
                    WindowScale::apply(*scale);
                    continue;
                }
            }
            if (options.language == WindowLanguage::Russian)
                form.chooseLanguage(kRussianItem);
            const std::unique_ptr<QObject> beside = companion ? companion(form) : nullptr;
            form.show();
            QApplication::exec();
        } catch (const std::exception& error) {
            // Thrown outside the event loop: before it runs or after it ends.
            errors.show(error);
        } catch (...) {
            errors.showUnknown();
        }
        break;
    }
    return 0;
}

}  // namespace varkelon

#include <exception>
#include <iostream>

#include <QIcon>

#include "shell/ErrorBox.h"
#include "shell/TForm1.h"
#include "shell/VarkelonApplication.h"
#include "tests/e2e/WidgetDump.h"

// The window program as the end-to-end tests drive it: the same window,
// plus a dump of its widgets and model to DUMP_FILE on SIGUSR1.
int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: varkelon-e2e-probe DUMP_FILE\n";
        return 2;
    }
    const QString dumpPath = QString::fromLocal8Bit(argv[1]);
    varkelon::WidgetDump::blockSignal();
    varkelon::ErrorBox errors;
    int qtArgc = 1;
    varkelon::VarkelonApplication application(qtArgc, argv, errors);
    try {
        QApplication::setWindowIcon(QIcon(QStringLiteral(":/varkelon/icon.png")));
        varkelon::TForm1 form(errors);
        varkelon::WidgetDump dump(form, dumpPath);
        form.show();
        QApplication::exec();
    } catch (const std::exception& error) {
        errors.show(error);
    } catch (...) {
        errors.showUnknown();
    }
    return 0;
}

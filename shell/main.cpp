#include <exception>

#include <QIcon>

#include "shell/ErrorBox.h"
#include "shell/TForm1.h"
#include "shell/VarkelonApplication.h"

// The window program takes no arguments and always ends with 0.
int main(int argc, char** argv) {
    varkelon::ErrorBox errors;
    varkelon::VarkelonApplication application(argc, argv, errors);
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

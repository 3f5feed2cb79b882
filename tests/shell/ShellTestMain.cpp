#include "ShellTestSupport.h"
#include "shell/VarkelonApplication.h"

// The program's own application object, so that exceptions end in notify.
int main(int argc, char** argv) {
    using namespace varkelon::test;
    varkelon::VarkelonApplication application(argc, argv, recordedErrors());
    // The tests close windows; that must not end anything.
    QApplication::setQuitOnLastWindowClosed(false);
    int failures = 0;
    failures += runFormTests(argc, argv);
    failures += runCommandTests(argc, argv);
    failures += runNeuronCountTests(argc, argv);
    failures += runEventTests(argc, argv);
    failures += runAccessibilityTests(argc, argv);
    failures += runWindowOptionsTests(argc, argv);
    failures += runSaveDialogTests(argc, argv);
    return failures == 0 ? 0 : 1;
}

#include <iostream>
#include <memory>
#include <vector>

#include "shell/MainWindow.h"
#include "shell/WindowProgram.h"
#include "tests/e2e/WidgetDump.h"

// The window program as the end-to-end tests drive it: the same window with
// the same options, plus a dump of its widgets and model to DUMP_FILE on
// SIGUSR1.
int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: varkelon-e2e-probe DUMP_FILE [OPTION...]\n";
        return 2;
    }
    const QString dumpPath = QString::fromLocal8Bit(argv[1]);
    // The program's own arguments: the name, then what follows the dump file.
    std::vector<char*> programArguments{argv[0]};
    programArguments.insert(programArguments.end(), argv + 2, argv + argc);
    programArguments.push_back(nullptr);
    varkelon::WidgetDump::blockSignal();
    return varkelon::WindowProgram::run(
        argc - 1, programArguments.data(), [&dumpPath](varkelon::MainWindow& form) {
            return std::make_unique<varkelon::WidgetDump>(form, dumpPath);
        });
}

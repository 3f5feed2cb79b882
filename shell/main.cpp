#include "shell/WindowProgram.h"

// The window program: its options are in WindowOptions; the toolkit's own
// (such as -reverse or -style) are ignored. Ends with 0 once the window has
// been open, with 2 after bad arguments.
int main(int argc, char** argv) {
    return varkelon::WindowProgram::run(argc, argv);
}

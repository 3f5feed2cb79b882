#include "InterpreterRelease.h"

#include <unistd.h>

namespace varkelon {

namespace {

// Not noexcept: the unwinding pthread_exit starts must reach the handler.
void restore(PyThreadState* state) {
    try {
        PyEval_RestoreThread(state);
    } catch (...) {
        // Only pthread_exit's unwinding gets here, and it carries no object
        // to name (abi::__forced_unwind binds to null). The interpreter is
        // gone; unwinding on would abort or touch freed objects, and
        // rethrowing is the only other way out of here.
        for (;;)
            pause();
    }
}

}  // namespace

void InterpreterRelease::takeBack() noexcept {
    if (state_ == nullptr)
        return;
    PyThreadState* state = state_;
    state_ = nullptr;
    restore(state);
}

}  // namespace varkelon

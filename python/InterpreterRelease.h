#pragma once

#include <Python.h>

namespace varkelon {

// The interpreter's lock released for a stretch of native work, taken back
// at the end of the scope (or earlier, with takeBack()).
//
// Unlike pybind11's gil_scoped_release it survives the interpreter shutting
// down meanwhile: Python then ends a thread that asks for the lock with
// pthread_exit, whose unwinding would abort the process at the first
// noexcept frame, or would run destructors that touch Python objects
// without the lock. A thread caught that way waits instead, quietly, until
// the process exits.
class InterpreterRelease {
  public:
    InterpreterRelease() : state_(PyEval_SaveThread()) {}
    ~InterpreterRelease() { takeBack(); }
    InterpreterRelease(const InterpreterRelease&) = delete;
    InterpreterRelease& operator=(const InterpreterRelease&) = delete;

    void takeBack() noexcept;

  private:
    PyThreadState* state_;
};

}  // namespace varkelon

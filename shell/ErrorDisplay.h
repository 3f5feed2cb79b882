#pragma once

#include <exception>

#include <QString>

namespace varkelon {

// Where the program shows an exception that reached the window's edge: the
// error box in the program, a recorder in the tests.
class ErrorDisplay {
  public:
    virtual ~ErrorDisplay() = default;

    // Shows the exception's message followed by a full stop.
    void show(const std::exception& error);
    // For exceptions that carry no message of their own.
    void showUnknown();

    // The message as shown: a full stop is added unless it ends with one.
    static QString textOf(const QString& message);

  protected:
    virtual void showText(const QString& text) = 0;
};

}  // namespace varkelon

#pragma once

#include "lesson/PaceTimer.h"

class QTimer;

namespace varkelon {

// The window's QTimer as the lesson drives it.
class TimerPace : public PaceTimer {
  public:
    explicit TimerPace(QTimer& timer) : timer_(timer) {}

    void start() override;
    void stop() override;
    void setInterval(int milliseconds) override;

  private:
    QTimer& timer_;
};

}  // namespace varkelon

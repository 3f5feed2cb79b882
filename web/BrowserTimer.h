#pragma once

#include <functional>

#include "lesson/PaceTimer.h"
#include "lesson/TickSchedule.h"

namespace varkelon {

// The page's teaching timer on the browser's setTimeout, periodic as a
// QTimer: each tick arms the next one a period after it began, and a new
// period restarts a running timer's count from that moment.
class BrowserTimer : public PaceTimer {
  public:
    explicit BrowserTimer(std::function<void()> onTick);
    ~BrowserTimer() override;

    BrowserTimer(const BrowserTimer&) = delete;
    BrowserTimer& operator=(const BrowserTimer&) = delete;

    void start() override;
    void stop() override;
    void setInterval(int milliseconds) override;

  private:
    static void fire(void* timer);
    void arm();

    std::function<void()> onTick_;
    int interval_ = TickSchedule::kFirstInterval;
    int pending_ = 0;  // the browser's timeout id, 0 when the timer is off
};

}  // namespace varkelon

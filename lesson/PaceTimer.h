#pragma once

namespace varkelon {

// The periodic timer of a face, as the lesson drives it. It starts with the
// period TickSchedule::kFirstInterval. The lesson calls start only when the
// timer is off and setInterval only with a new period: a new period restarts
// a running timer's count from that moment.
class PaceTimer {
  public:
    virtual ~PaceTimer() = default;

    virtual void start() = 0;
    virtual void stop() = 0;
    virtual void setInterval(int milliseconds) = 0;
};

}  // namespace varkelon

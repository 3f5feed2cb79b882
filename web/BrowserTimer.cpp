#include "BrowserTimer.h"

#include <emscripten/eventloop.h>

#include <utility>

namespace varkelon {

BrowserTimer::BrowserTimer(std::function<void()> onTick) : onTick_(std::move(onTick)) {}

BrowserTimer::~BrowserTimer() {
    stop();
}

void BrowserTimer::start() {
    stop();
    arm();
}

void BrowserTimer::stop() {
    if (pending_ != 0)
        emscripten_clear_timeout(pending_);
    pending_ = 0;
}

void BrowserTimer::setInterval(int milliseconds) {
    interval_ = milliseconds;
    if (pending_ != 0)
        start();
}

void BrowserTimer::arm() {
    pending_ = static_cast<int>(emscripten_set_timeout(&BrowserTimer::fire, interval_, this));
}

void BrowserTimer::fire(void* timer) {
    auto& self = *static_cast<BrowserTimer*>(timer);
    // The next tick is due a period after this one began; the tick may stop
    // the timer or give it a new period, which re-arms it.
    self.arm();
    self.onTick_();
}

}  // namespace varkelon

#pragma once

namespace varkelon {

// When the teaching timer ticks and what a tick runs. A face's timer follows
// these numbers; the lesson decides when to apply them.
struct TickSchedule {
    // The timer's period before its first tick.
    static constexpr int kFirstInterval = 100;
    // A quick tick runs this many cycles and then ticks again this soon.
    static constexpr int kQuickCycles = 10;
    static constexpr int kQuickInterval = 30;

    // The speed bar: its range, its start, and how far its arrows move it.
    static constexpr int kSlowest = 50;
    static constexpr int kFastest = 2000;
    static constexpr int kArrowStep = 400;
    static constexpr int kPageStep = 1;

    // The period of a tick at a speed: 2000 ms at the slowest, 50 ms at the
    // fastest, the further right the faster.
    static constexpr int intervalAt(int speed) { return kFastest + kSlowest - speed; }
};

}  // namespace varkelon

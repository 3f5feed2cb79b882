#include "TimerPace.h"

#include <QTimer>

namespace varkelon {

void TimerPace::start() {
    timer_.start();
}

void TimerPace::stop() {
    timer_.stop();
}

void TimerPace::setInterval(int milliseconds) {
    // QTimer restarts a running timer's period here, as the lesson expects.
    timer_.setInterval(milliseconds);
}

}  // namespace varkelon

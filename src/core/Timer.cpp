#include "core/Timer.h"

#include <chrono>

using Clock = std::chrono::steady_clock;

int64_t Timer::readCounter() {
    return Clock::now().time_since_epoch().count();
}

int64_t Timer::readFrequency() {
    return Clock::period::den / Clock::period::num;
}

Timer::Timer() : frequency(readFrequency()) {}

void Timer::start() {
    startCount = readCounter();
    stopCount = 0;
    elapsedMs = 0.0;
}

void Timer::stop() {
    stopCount = readCounter();
    elapsedMs = toMs(stopCount - startCount);
}

void Timer::resume() {
    if (stopCount == 0) {
        return;
    }
    startCount = readCounter() - (stopCount - startCount);
    stopCount = 0;
}

double Timer::getElapsedMs() const {
    if (stopCount != 0) {
        return elapsedMs;
    }
    return toMs(readCounter() - startCount);
}

double Timer::toMs(int64_t counts) const {
    return static_cast<double>(counts) / static_cast<double>(frequency) * factor * 1000.0;
}

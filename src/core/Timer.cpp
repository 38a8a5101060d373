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

int64_t Timer::now() const {
    return clock != nullptr ? clock->now() : readCounter();
}

void Timer::followClock(const WorldClock* worldClock) {
    const int64_t before = now();
    const int64_t startedAgo = before - startCount;
    const int64_t stoppedAgo = before - stopCount;
    clock = worldClock;
    const int64_t after = now();
    startCount = after - startedAgo;
    if (stopCount != 0) {
        stopCount = after - stoppedAgo;
    }
}

void Timer::start() {
    startCount = now();
    stopCount = 0;
    elapsedMs = 0.0;
}

void Timer::stop() {
    stopCount = now();
    elapsedMs = toMs(stopCount - startCount);
}

void Timer::resume() {
    if (stopCount == 0) {
        return;
    }
    startCount = now() - (stopCount - startCount);
    stopCount = 0;
}

double Timer::getElapsedMs() const {
    if (stopCount != 0) {
        return elapsedMs;
    }
    return toMs(now() - startCount);
}

double Timer::toMs(int64_t counts) const {
    return static_cast<double>(counts) / static_cast<double>(frequency) * factor * 1000.0;
}

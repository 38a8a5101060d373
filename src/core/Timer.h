#pragma once

#include "core/Trackable.h"
#include "core/WorldClock.h"

#include <cstdint>

// Millisecond stopwatch over the monotonic clock, or over the world's clock once it
// follows one. Every measurement is scaled by factor; the game's speed is the factor of a
// timer that is never started.
class Timer : public Trackable {
  public:
    Timer();

    void start();
    void stop();
    // Runs on from a stop as if the time stopped had never passed; nothing while running.
    void resume();
    double getElapsedMs() const;
    // Measures by the world's clock from now on, as far on as it was.
    void followClock(const WorldClock* worldClock);

    // The clock: a count and how many counts make a second.
    static int64_t readCounter();
    static int64_t readFrequency();

    int64_t startCount = 0; // clock count at the last start
    int64_t stopCount = 0;  // clock count at the last stop; 0 while running
    int64_t frequency;      // clock counts per second
    double elapsedMs = 0.0; // measured at the last stop
    double factor = 1.0;

  private:
    int64_t now() const;
    double toMs(int64_t counts) const;

    const WorldClock* clock = nullptr;
};

#include "TestSupport.h"

#include "core/Timer.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

TEST(Timer, StartsAtZeroAndCountsRealTime) {
    Timer timer;
    timer.start();
    const double early = timer.getElapsedMs();
    EXPECT_GE(early, 0.0);
    EXPECT_LT(early, 50.0);
    backdate(timer, 250.0);
    EXPECT_NEAR(timer.getElapsedMs(), 250.0 + early, 50.0);
}

TEST(Timer, FactorScalesEveryMeasurement) {
    Timer fast, slow;
    fast.factor = 2.0;
    slow.factor = 0.5;
    fast.start();
    slow.start();
    backdate(fast, 1000.0);
    backdate(slow, 1000.0);
    EXPECT_NEAR(fast.getElapsedMs(), 2000.0, 50.0);
    EXPECT_NEAR(slow.getElapsedMs(), 500.0, 50.0);
}

TEST(Timer, StopFreezesTheMeasurementUntilTheNextStart) {
    Timer timer;
    timer.start();
    backdate(timer, 400.0);
    timer.stop();
    const double frozen = timer.getElapsedMs();
    EXPECT_NEAR(frozen, 400.0, 50.0);
    backdate(timer, 1000.0); // the clock moving on changes nothing once stopped
    EXPECT_EQ(timer.getElapsedMs(), frozen);
    timer.start();
    EXPECT_EQ(timer.stopCount, 0);
    EXPECT_EQ(timer.elapsedMs, 0.0);
    EXPECT_LT(timer.getElapsedMs(), 50.0);
}

// A clock that had run before it stopped goes on from there, neither from zero nor
// with the stopped time counted.
TEST(Timer, ResumeGoesOnFromWhereItStopped) {
    Timer timer;
    timer.start();
    backdate(timer, 300.0);
    timer.stop();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    timer.resume();
    EXPECT_NEAR(timer.getElapsedMs(), 300.0, 50.0);
    EXPECT_EQ(timer.stopCount, 0); // running again
    timer.resume();                // a running clock is not moved
    EXPECT_NEAR(timer.getElapsedMs(), 300.0, 50.0);
}

TEST(Timer, ClockReadingsAreMonotonicAndInNanoseconds) {
    EXPECT_EQ(Timer::readFrequency(), 1000000000);
    const int64_t a = Timer::readCounter();
    const int64_t b = Timer::readCounter();
    EXPECT_LE(a, b);
}

#pragma once

#include "core/Trackable.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// A few threads made once, which share out the parts of a piece of work with the caller's
// own thread: run() hands out the parts one at a time to whoever is free and returns when
// every part is done. The parts must not touch each other's data; then what they make does
// not depend on how many threads there are or on which one took which part. With no
// helper (one core) the caller does every part itself, in order.
class WorkerPool : public Trackable {
  public:
    // helpers: threads beside the caller's.
    explicit WorkerPool(unsigned helpers);
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    // One helper fewer than the machine has cores: the caller is the last.
    static unsigned helpersForThisMachine();

    void run(int32_t parts, const std::function<void(int32_t)>& task);
    unsigned helpers() const { return static_cast<unsigned>(threads.size()); }

  private:
    void serve();
    // Takes and does parts until none is left, and wakes the caller after the last.
    void doParts();

    std::vector<std::thread> threads;
    std::mutex mutex;
    std::condition_variable workCame;
    std::condition_variable workDone;
    const std::function<void(int32_t)>* task = nullptr;
    int32_t parts = 0;
    int32_t nextPart = 0;
    int32_t partsLeft = 0;
    uint64_t round = 0;
    // The round, for a helper to look at without the lock while it waits for the next.
    std::atomic<uint64_t> roundStarted{0};
    static constexpr int SPIN_US = 300;
    bool stopping = false;
};

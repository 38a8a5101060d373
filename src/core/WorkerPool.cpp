#include "core/WorkerPool.h"

#include <algorithm>
#include <chrono>

WorkerPool::WorkerPool(unsigned helpers) {
    for (unsigned i = 0; i < helpers; ++i) {
        threads.emplace_back([this]() { serve(); });
    }
}

WorkerPool::~WorkerPool() {
    {
        const std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
    }
    workCame.notify_all();
    for (std::thread& thread : threads) {
        thread.join();
    }
}

unsigned WorkerPool::helpersForThisMachine() {
    const unsigned cores = std::thread::hardware_concurrency();
    return cores > 1 ? cores - 1 : 0;
}

void WorkerPool::run(int32_t count, const std::function<void(int32_t)>& work) {
    if (count <= 0) {
        return;
    }
    if (threads.empty() || count == 1) {
        for (int32_t part = 0; part < count; ++part) {
            work(part);
        }
        return;
    }
    {
        const std::lock_guard<std::mutex> lock(mutex);
        task = &work;
        parts = count;
        nextPart = 0;
        partsLeft = count;
        ++round;
        roundStarted.store(round, std::memory_order_release);
    }
    workCame.notify_all();
    doParts();
    std::unique_lock<std::mutex> lock(mutex);
    workDone.wait(lock, [this]() { return partsLeft == 0; });
    task = nullptr;
}

void WorkerPool::serve() {
    uint64_t seenRound = 0;
    while (true) {
        // A frame's passes come one after another: a helper that looks for the next for a
        // moment is there at once, where one woken from its sleep comes a part or two late.
        const auto until = std::chrono::steady_clock::now() + std::chrono::microseconds(SPIN_US);
        while (roundStarted.load(std::memory_order_acquire) == seenRound &&
               std::chrono::steady_clock::now() < until) {
            std::this_thread::yield();
        }
        {
            std::unique_lock<std::mutex> lock(mutex);
            workCame.wait(lock, [&]() { return stopping || round != seenRound; });
            if (stopping) {
                return;
            }
            seenRound = round;
        }
        doParts();
    }
}

void WorkerPool::doParts() {
    while (true) {
        int32_t part = 0;
        const std::function<void(int32_t)>* work = nullptr;
        {
            const std::lock_guard<std::mutex> lock(mutex);
            if (nextPart >= parts || task == nullptr) {
                return;
            }
            part = nextPart++;
            work = task;
        }
        (*work)(part);
        bool last = false;
        {
            const std::lock_guard<std::mutex> lock(mutex);
            last = --partsLeft == 0;
        }
        if (last) {
            workDone.notify_all();
        }
    }
}

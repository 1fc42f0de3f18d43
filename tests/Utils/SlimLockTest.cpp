#include "Utils/SlimLock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

using Tesmora::Utils::SlimLock;
using Tesmora::Utils::SlimLockGuard;

namespace {

uintptr_t QueueHead(const SlimLock& lock) {
    return lock.Value() & SlimLock::PointerMask;
}

// Waits (generously) until the lock word names a queue head other than `previous`.
bool WaitForNewHead(const SlimLock& lock, uintptr_t previous) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        const uintptr_t word = lock.Value();
        if ((word & SlimLock::WaitingBit) != 0 && QueueHead(lock) != previous &&
            (word & SlimLock::WakingBit) == 0) {
            return true;
        }
        std::this_thread::yield();
    }
    return false;
}

} // namespace

TEST(SlimLockTest, FreeWordIsZero) {
    SlimLock lock;
    EXPECT_EQ(lock.Value(), 0u);
    lock.Acquire();
    EXPECT_EQ(lock.Value(), SlimLock::LockedBit);
    lock.Release();
    EXPECT_EQ(lock.Value(), 0u);
}

TEST(SlimLockTest, TwoThreadsCountToTwoMillion) {
    SlimLock lock;
    long counter = 0;
    auto work = [&] {
        for (int i = 0; i < 1000000; ++i) {
            SlimLockGuard guard(lock);
            ++counter;
        }
    };
    std::thread first(work);
    std::thread second(work);
    first.join();
    second.join();
    EXPECT_EQ(counter, 2000000);
    EXPECT_EQ(lock.Value(), 0u);
}

TEST(SlimLockTest, ManyThreadsShortSectionsLeaveTheWordFree) {
    SlimLock lock;
    long counter = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 20000; ++i) {
                SlimLockGuard guard(lock);
                ++counter;
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(counter, 8 * 20000);
    EXPECT_EQ(lock.Value(), 0u);
}

// Three waiters queue one after another behind the holder. Each release wakes
// only the oldest remaining waiter, so they acquire in queue order, and the
// word keeps its waiting bit while others still sleep.
TEST(SlimLockTest, ReleaseWakesOnlyTheOldestWaiter) {
    SlimLock lock;
    lock.Acquire();

    std::mutex orderMutex;
    std::vector<int> order;
    std::vector<uintptr_t> wordsWhileHeld;

    std::vector<std::thread> waiters;
    uintptr_t head = 0;
    for (int id = 0; id < 3; ++id) {
        waiters.emplace_back([&, id] {
            lock.Acquire();
            {
                std::lock_guard<std::mutex> guard(orderMutex);
                order.push_back(id);
                wordsWhileHeld.push_back(lock.Value());
            }
            lock.Release();
        });
        ASSERT_TRUE(WaitForNewHead(lock, head)) << "waiter " << id << " never queued";
        head = QueueHead(lock);
    }

    lock.Release();
    for (auto& waiter : waiters) {
        waiter.join();
    }

    EXPECT_EQ(order, (std::vector<int>{0, 1, 2}));
    ASSERT_EQ(wordsWhileHeld.size(), 3u);
    // While the oldest holds the lock, the two younger ones are still queued.
    EXPECT_NE(wordsWhileHeld[0] & SlimLock::WaitingBit, 0u);
    EXPECT_NE(wordsWhileHeld[0] & SlimLock::LockedBit, 0u);
    EXPECT_EQ(lock.Value(), 0u);
}

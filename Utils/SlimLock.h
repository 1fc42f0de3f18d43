#pragma once

#include <atomic>
#include <cstdint>

namespace Tesmora {
namespace Utils {

// One-word exclusive lock for short critical sections under light contention.
// Uncontended Acquire and Release are one atomic instruction each; a contended
// acquirer queues a block on its own stack, spins briefly and then sleeps on a
// private futex. Not recursive, not fair. Any thread may acquire; only the
// holder releases.
//
// Lock word: bit 0 locked, bit 1 waiting (bits 4..63 then hold the newest
// queued block), bit 2 waking (one thread tidies the queue or wakes a waiter),
// bit 3 reserved.
class SlimLock {
public:
    SlimLock() = default;
    SlimLock(const SlimLock&) = delete;
    SlimLock& operator=(const SlimLock&) = delete;

    void Acquire() {
        if ((Word.fetch_or(LockedBit) & LockedBit) == 0) {
            return;
        }
        AcquireContended();
    }

    void Release() {
        uintptr_t expected = LockedBit;
        if (Word.compare_exchange_strong(expected, 0)) {
            return;
        }
        ReleaseContended();
    }

    // The raw word, for diagnostics and tests.
    uintptr_t Value() const { return Word.load(); }

    static constexpr uintptr_t LockedBit = 1;
    static constexpr uintptr_t WaitingBit = 2;
    static constexpr uintptr_t WakingBit = 4;
    static constexpr uintptr_t ReservedBit = 8;
    static constexpr uintptr_t PointerMask = ~uintptr_t(15);

private:
    struct WaitBlock;
    enum class WaitResult { Woken, NotQueued };

    void AcquireContended();
    void ReleaseContended();
    WaitResult Wait(WaitBlock& block, uintptr_t word);
    void TidyQueue(uintptr_t word);
    void Wake(uintptr_t word);
    static WaitBlock* FindOldest(WaitBlock* newest);
    static void WakeBlock(WaitBlock* block);

    std::atomic<uintptr_t> Word{0};
};

// Scoped holder.
class SlimLockGuard {
public:
    explicit SlimLockGuard(SlimLock& lock) : Lock(lock) { Lock.Acquire(); }
    ~SlimLockGuard() { Lock.Release(); }
    SlimLockGuard(const SlimLockGuard&) = delete;
    SlimLockGuard& operator=(const SlimLockGuard&) = delete;

private:
    SlimLock& Lock;
};

} // namespace Utils
} // namespace Tesmora

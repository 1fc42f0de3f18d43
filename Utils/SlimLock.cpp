#include "Utils/SlimLock.h"

#include <climits>
#include <linux/futex.h>
#include <sys/syscall.h>
#include <sys/sysinfo.h>
#include <unistd.h>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#include <x86intrin.h>
#endif

namespace Tesmora {
namespace Utils {

namespace {

inline void Pause() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#elif defined(__aarch64__)
    asm volatile("yield");
#endif
}

inline uint32_t TimeStampLow() {
#if defined(__x86_64__) || defined(__i386__)
    return uint32_t(__rdtsc());
#else
    return 0;
#endif
}

// On processors whose largest basic CPUID leaf is 22 one pause takes far longer.
bool DetectLongPause() {
#if defined(__x86_64__) || defined(__i386__)
    return __get_cpuid_max(0, nullptr) == 22;
#else
    return false;
#endif
}

const int ProcessorCount = get_nprocs();
const bool LongPause = DetectLongPause();

long Futex(std::atomic<int32_t>* address, int op, int32_t value) {
    return syscall(SYS_futex, reinterpret_cast<int32_t*>(address), op | FUTEX_PRIVATE_FLAG, value, nullptr,
                   nullptr, 0);
}

void Backoff(uint32_t& counter) {
    if (counter == 0) {
        if (ProcessorCount == 1) {
            return;
        }
        counter = 64;
    } else if (counter < 8191) {
        counter *= 2;
    }
    uint32_t pauses = (TimeStampLow() + counter) & (counter - 1);
    pauses = LongPause ? pauses * 10 / 140 : pauses;
    for (uint32_t i = 0; i < pauses; ++i) {
        Pause();
    }
}

} // namespace

// Queued on the waiting thread's stack. Back, Last and Next are touched by other
// threads only while they hold the waking bit, which the lock word's atomic
// operations hand over with full ordering.
struct alignas(16) SlimLock::WaitBlock {
    static constexpr int32_t Exclusive = 1;
    static constexpr int32_t Spinning = 2;
    static constexpr int32_t Woken = 4;

    // Set to 1 by the waker, as the very last write to this block, when the
    // waiter has committed to sleeping; the waiter sleeps while it is 0.
    std::atomic<int32_t> FutexWord{0};
    WaitBlock* Back = nullptr;
    WaitBlock* Last = nullptr;
    WaitBlock* Next = nullptr;
    int32_t ShareCount = 0;
    std::atomic<int32_t> Flags{0};
};

namespace {

template <class Block> Block* Head(uintptr_t word) {
    return reinterpret_cast<Block*>(word & SlimLock::PointerMask);
}

} // namespace

// Walks from the newest block towards the oldest until a block knows the
// oldest, filling in Next pointers; caches the oldest in the newest block.
SlimLock::WaitBlock* SlimLock::FindOldest(WaitBlock* newest) {
    WaitBlock* block = newest;
    WaitBlock* oldest;
    while ((oldest = block->Last) == nullptr) {
        block->Back->Next = block;
        block = block->Back;
    }
    newest->Last = oldest;
    return oldest;
}

void SlimLock::WakeBlock(WaitBlock* block) {
    block->Flags.fetch_or(WaitBlock::Woken);
    if ((block->Flags.fetch_and(~WaitBlock::Spinning) & WaitBlock::Spinning) != 0) {
        return; // still spinning: it sees the cleared bit and returns without sleeping
    }
    // Committed to sleep. After this store the waiter may return and its stack
    // block vanish; the wake call only names the address, which the kernel
    // treats as a key, so a stale address can at worst wake a thread whose own
    // wait loop re-checks its word.
    std::atomic<int32_t>* address = &block->FutexWord;
    address->store(1);
    Futex(address, FUTEX_WAKE, 1);
}

void SlimLock::AcquireContended() {
    WaitBlock block;
    uint32_t backoff = 0;
    for (;;) {
        const uintptr_t word = Word.load();
        if ((word & LockedBit) != 0) {
            if (Wait(block, word) == WaitResult::Woken) {
                continue;
            }
            Backoff(backoff);
            continue;
        }
        if ((Word.fetch_or(LockedBit) & LockedBit) == 0) {
            return;
        }
        Backoff(backoff);
    }
}

SlimLock::WaitResult SlimLock::Wait(WaitBlock& block, uintptr_t word) {
    block.Flags.store(WaitBlock::Exclusive | WaitBlock::Spinning);
    block.Next = nullptr;
    block.FutexWord.store(0);
    const uintptr_t self = reinterpret_cast<uintptr_t>(&block);
    const bool joinsQueue = (word & WaitingBit) != 0;
    uintptr_t newWord;
    if (!joinsQueue) {
        block.Back = nullptr;
        block.Last = &block;
        block.ShareCount = -2;
        newWord = self | LockedBit | WaitingBit;
    } else {
        block.Back = Head<WaitBlock>(word);
        block.Last = nullptr;
        block.ShareCount = -1;
        newWord = self | (word & ReservedBit) | LockedBit | WaitingBit | WakingBit;
    }
    uintptr_t expected = word;
    if (!Word.compare_exchange_strong(expected, newWord)) {
        return WaitResult::NotQueued;
    }
    if (joinsQueue && (word & WakingBit) == 0) {
        TidyQueue(newWord);
    }

    if (ProcessorCount > 1) {
        const int spins = LongPause ? 75 : 1050;
        for (int i = 0; i < spins; ++i) {
            if ((block.Flags.load() & WaitBlock::Spinning) == 0) {
                break;
            }
            Pause();
        }
    }
    if ((block.Flags.fetch_and(~WaitBlock::Spinning) & WaitBlock::Spinning) != 0) {
        while (block.FutexWord.load() == 0) {
            Futex(&block.FutexWord, FUTEX_WAIT, 0);
        }
    }
    return WaitResult::Woken;
}

// Called while holding the waking bit that `word` carries.
void SlimLock::TidyQueue(uintptr_t word) {
    for (;;) {
        FindOldest(Head<WaitBlock>(word));
        if ((word & LockedBit) == 0) {
            Wake(word);
            return;
        }
        uintptr_t expected = word;
        if (Word.compare_exchange_strong(expected, word - WakingBit)) {
            return;
        }
        word = expected;
    }
}

void SlimLock::ReleaseContended() {
    uintptr_t word = Word.load();
    for (;;) {
        const bool mustWake = (word & WaitingBit) != 0 && (word & WakingBit) == 0;
        const uintptr_t newWord = mustWake ? ((word & ~LockedBit) | WakingBit) : (word & ~LockedBit);
        if (Word.compare_exchange_weak(word, newWord)) {
            if (mustWake) {
                Wake(newWord);
            }
            return;
        }
    }
}

// Called while holding the waking bit, with the lock released in `word`.
void SlimLock::Wake(uintptr_t word) {
    for (;;) {
        if ((word & LockedBit) != 0) {
            // Taken again meanwhile: the next releaser wakes.
            uintptr_t expected = word;
            if (Word.compare_exchange_strong(expected, word - WakingBit)) {
                return;
            }
            word = expected;
            continue;
        }
        WaitBlock* newest = Head<WaitBlock>(word);
        WaitBlock* oldest = FindOldest(newest);
        if ((oldest->Flags.load() & WaitBlock::Exclusive) != 0 && oldest->Next != nullptr) {
            newest->Last = oldest->Next;
            oldest->Next = nullptr;
            Word.fetch_and(~WakingBit);
            WakeBlock(oldest);
            return;
        }
        uintptr_t expected = word;
        if (Word.compare_exchange_strong(expected, 0)) {
            for (WaitBlock* block = oldest; block != nullptr;) {
                WaitBlock* next = block->Next;
                WakeBlock(block);
                block = next;
            }
            return;
        }
        word = expected;
    }
}

} // namespace Utils
} // namespace Tesmora

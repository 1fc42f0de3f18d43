#pragma once

#include <chrono>
#include <thread>

namespace Tesmora {
namespace Testing {

// Polls a condition until it holds or a generous deadline passes. For state
// that has no notification to wait on; never a fixed sleep.
template <class Predicate> bool Eventually(Predicate predicate, int seconds = 20) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!predicate()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

} // namespace Testing
} // namespace Tesmora

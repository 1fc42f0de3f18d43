#include "NetApi/ThreadData.h"

#include <asio/executor_work_guard.hpp>

#include <cstdio>
#include <exception>

namespace Tesmora {
namespace NetApi {

ThreadData::~ThreadData() {
    Stop();
}

void ThreadData::Start() {
    Thread = std::thread([this] { Run(); });
}

void ThreadData::Run() {
    auto work = asio::make_work_guard(IoContext);
    for (;;) {
        try {
            IoContext.run();
            return;
        } catch (const std::exception& e) {
            std::printf("* Exception on network thread: %s\n", e.what());
        } catch (...) {
            std::printf("* Exception on network thread\n");
        }
    }
}

void ThreadData::Stop() {
    IoContext.stop();
    if (Thread.joinable()) {
        Thread.join();
    }
}

} // namespace NetApi
} // namespace Tesmora

// SlimLock beside std::mutex (uncontended, and two threads contending on one
// short critical section), and GbkToUtf8 on a typical front status message.
#include "Utils/GbkToUtf8.h"
#include "Utils/SlimLock.h"

#include <benchmark/benchmark.h>

#include <future>
#include <mutex>
#include <thread>

namespace {

using Tesmora::Utils::SlimLock;

SlimLock SharedSlim;
std::mutex SharedMutex;
long SharedCounter = 0;

void BM_SlimLockUncontended(benchmark::State& state) {
    SlimLock lock;
    long counter = 0;
    for (auto _ : state) {
        lock.Acquire();
        benchmark::DoNotOptimize(++counter);
        lock.Release();
    }
}
BENCHMARK(BM_SlimLockUncontended);

void BM_MutexUncontended(benchmark::State& state) {
    std::mutex mutex;
    long counter = 0;
    for (auto _ : state) {
        mutex.lock();
        benchmark::DoNotOptimize(++counter);
        mutex.unlock();
    }
}
BENCHMARK(BM_MutexUncontended);

void BM_SlimLockContended(benchmark::State& state) {
    for (auto _ : state) {
        SharedSlim.Acquire();
        benchmark::DoNotOptimize(++SharedCounter);
        SharedSlim.Release();
    }
}
BENCHMARK(BM_SlimLockContended)->Threads(2)->UseRealTime();

void BM_MutexContended(benchmark::State& state) {
    for (auto _ : state) {
        SharedMutex.lock();
        benchmark::DoNotOptimize(++SharedCounter);
        SharedMutex.unlock();
    }
}
BENCHMARK(BM_MutexContended)->Threads(2)->UseRealTime();

// "报单已提交 CTP:No Error" as a front sends it, in GBK.
const char StatusMessage[] = "\xB1\xA8\xB5\xA5\xD2\xD1\xCC\xE1\xBD\xBB CTP:No Error";

void BM_GbkToUtf8StatusMessage(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(Tesmora::Utils::GbkToUtf8(StatusMessage));
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(sizeof(StatusMessage) - 1));
}
BENCHMARK(BM_GbkToUtf8StatusMessage);

} // namespace

// glibc takes cheaper paths while a process has a single thread; an idle second
// thread makes the uncontended figures those of the library's real setting.
int main(int argc, char** argv) {
    std::promise<void> stop;
    std::thread idle([future = stop.get_future()]() mutable { future.wait(); });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    stop.set_value();
    idle.join();
    return 0;
}

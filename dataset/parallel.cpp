#include "dataset/parallel.h"

#include <algorithm>
#include <system_error>
#include <vector>

int WorkerCount(int requested, std::size_t units) {
    const int cores = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
    const int wanted = requested > 0 ? std::min(requested, cores) : cores;
    const auto cap =
        static_cast<int>(std::min<std::size_t>(units, static_cast<std::size_t>(cores)));
    return std::max(1, std::min(wanted, cap));
}

int RunWorkers(int count, const std::function<void()>& worker, const ThreadStarter& start) {
    std::vector<std::thread> threads;
    for (int t = 1; t < count; ++t) {
        try {
            threads.push_back(start ? start(worker) : std::thread(worker));
        } catch (const std::system_error&) {
            break;  // the threads already running and this one do the rest
        }
    }
    worker();
    for (std::thread& thread : threads) thread.join();
    return static_cast<int>(threads.size()) + 1;
}

// Work spread over threads: as many as asked, but never more than the cores
// or the units of work, and fewer when the system cannot start more.
#pragma once

#include <cstddef>
#include <functional>
#include <thread>

// Starts one thread running the worker; throws std::system_error when the
// system refuses (replaceable so the fallback can be exercised).
using ThreadStarter = std::function<std::thread(const std::function<void()>& worker)>;

// The thread count to use: requested (0 or below: one per core), capped at
// the cores and at the units of work, at least 1.
int WorkerCount(int requested, std::size_t units);

// Runs worker on `count` threads, the calling thread included, and waits for
// them all. A thread that cannot be started is left out: the workers take
// their units from a shared counter, so fewer threads still do all the work.
// Returns the number of threads that ran the worker.
int RunWorkers(int count, const std::function<void()>& worker, const ThreadStarter& start = {});

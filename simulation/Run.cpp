#include "Run.h"

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

namespace simulation {

int threadsToUse(int threads) {
    if (threads > 0) return threads;
    const unsigned cores = std::thread::hardware_concurrency();
    return cores > 0 ? int(cores) : 1;
}

bool runDone(const Setup& setup, const Totals& totals, double seconds) {
    return setup.seconds ? seconds >= *setup.seconds : totals.rounds >= setup.rounds;
}

RunResult runBlocks(const Plan& plan, int threads, const std::atomic<bool>& stop,
                    const Progress& progress, double progressEvery) {
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    const auto elapsed = [&] {
        return std::chrono::duration<double>(Clock::now() - start).count();
    };
    const int workers = threadsToUse(threads);
    const std::int64_t lookahead = 4 * workers; // blocks done ahead of the one awaited, at most

    std::mutex mutex;
    std::condition_variable changed;
    std::map<std::int64_t, Totals> done; // finished, waiting to be added in order
    std::int64_t awaited = 0;            // the next block to add
    std::int64_t handed = 0;             // the next block to deal
    bool finished = false;

    auto work = [&] {
        for (;;) {
            std::int64_t block;
            {
                std::unique_lock<std::mutex> lock(mutex);
                changed.wait(lock, [&] { return finished || handed < awaited + lookahead; });
                if (finished) return;
                block = handed++;
            }
            Totals totals = dealBlock(plan, std::uint64_t(block));
            {
                std::lock_guard<std::mutex> lock(mutex);
                done.emplace(block, std::move(totals));
            }
            changed.notify_all();
        }
    };
    std::vector<std::thread> pool;
    for (int i = 0; i < workers; ++i)
        pool.emplace_back(work);

    RunResult result;
    double told = 0;
    for (;;) {
        Totals next;
        {
            std::unique_lock<std::mutex> lock(mutex);
            changed.wait_for(lock, std::chrono::milliseconds(100),
                             [&] { return done.count(awaited) > 0; });
            const auto found = done.find(awaited);
            if (found != done.end()) {
                next = std::move(found->second);
                done.erase(found);
                ++awaited;
            }
        }
        if (next.blocks > 0) {
            changed.notify_all();
            result.totals.add(next);
        }
        const double now = elapsed();
        const bool enough = runDone(plan.setup, result.totals, now);
        if (enough || stop.load()) {
            result.stopped = !enough;
            break;
        }
        if (progress && now - told >= progressEvery) {
            told = now;
            progress(result.totals, now);
        }
    }
    {
        std::lock_guard<std::mutex> lock(mutex);
        finished = true;
    }
    changed.notify_all();
    for (std::thread& thread : pool)
        thread.join();
    // Stopped early: the blocks that were being dealt count too, as far as they follow on.
    for (auto found = done.find(awaited); result.stopped && found != done.end();
         found = done.find(++awaited)) {
        result.totals.add(found->second);
    }
    result.seconds = elapsed();
    return result;
}

} // namespace simulation

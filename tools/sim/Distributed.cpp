#include "Distributed.h"

#ifdef HITWISE_MPI
#include <mpi.h>

#include <chrono>
#include <thread>
#include <vector>
#endif

using namespace simulation;

#ifndef HITWISE_MPI

Ranks startRanks(int*, char***) {
    return {};
}

void endRanks() {}

RunResult dealRun(const Plan& plan, const Ranks&, const std::atomic<bool>& stop,
                  const Progress& progress) {
    return runBlocks(plan, plan.setup.threads, stop, progress);
}

#else

namespace {

// A block's totals as numbers, for the way to rank 0 (its paths stay with rank 0, whose first
// block is the run's first).
constexpr int kNumbers = 16 + 4 * kCounts;

void pack(const Totals& t, double* n) {
    const double head[] = {double(t.blocks),
                           double(t.rounds),
                           double(t.shoes),
                           double(t.played),
                           double(t.watched),
                           t.win.x,
                           t.win.y,
                           t.bet.x,
                           t.bet.y,
                           t.win2,
                           t.win3,
                           t.win4,
                           double(t.trips),
                           double(t.ruined),
                           0,
                           0};
    int at = 0;
    for (double v : head)
        n[at++] = v;
    for (int i = 0; i < kCounts; ++i) {
        n[at++] = t.frequency[std::size_t(i)].x;
        n[at++] = t.frequency[std::size_t(i)].y;
        n[at++] = t.returns[std::size_t(i)].x;
        n[at++] = t.returns[std::size_t(i)].y;
    }
}

Totals unpack(const double* n) {
    Totals t;
    t.blocks = std::int64_t(n[0]);
    t.rounds = std::int64_t(n[1]);
    t.shoes = std::int64_t(n[2]);
    t.played = std::int64_t(n[3]);
    t.watched = std::int64_t(n[4]);
    t.win.x = n[5];
    t.win.y = n[6];
    t.bet.x = n[7];
    t.bet.y = n[8];
    t.win2 = n[9];
    t.win3 = n[10];
    t.win4 = n[11];
    t.trips = std::int64_t(n[12]);
    t.ruined = std::int64_t(n[13]);
    int at = 16;
    for (int i = 0; i < kCounts; ++i) {
        t.frequency[std::size_t(i)].x = n[at++];
        t.frequency[std::size_t(i)].y = n[at++];
        t.returns[std::size_t(i)].x = n[at++];
        t.returns[std::size_t(i)].y = n[at++];
    }
    return t;
}

} // namespace

Ranks startRanks(int* argc, char*** argv) {
    MPI_Init(argc, argv);
    Ranks ranks;
    MPI_Comm_rank(MPI_COMM_WORLD, &ranks.rank);
    MPI_Comm_size(MPI_COMM_WORLD, &ranks.size);
    return ranks;
}

void endRanks() {
    MPI_Finalize();
}

RunResult dealRun(const Plan& plan, const Ranks& ranks, const std::atomic<bool>& stop,
                  const Progress& progress) {
    if (ranks.size == 1) return runBlocks(plan, plan.setup.threads, stop, progress);
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    const auto elapsed = [&] {
        return std::chrono::duration<double>(Clock::now() - start).count();
    };
    const int threads = threadsToUse(plan.setup.threads);
    const std::int64_t wave = std::int64_t(threads) * ranks.size;
    std::vector<double> mine(std::size_t(threads) * kNumbers);
    std::vector<double> all(ranks.rank == 0 ? std::size_t(wave) * kNumbers : 0);
    std::vector<Totals> kept(static_cast<std::size_t>(threads)); // this rank's blocks of the wave
    RunResult result;
    double told = 0;
    for (std::int64_t first = 0;; first += wave) {
        std::vector<std::thread> pool;
        for (int t = 0; t < threads; ++t) {
            pool.emplace_back([&, t] {
                const std::int64_t block = first + std::int64_t(ranks.rank) * threads + t;
                kept[std::size_t(t)] = dealBlock(plan, std::uint64_t(block));
                pack(kept[std::size_t(t)], &mine[std::size_t(t) * kNumbers]);
            });
        }
        for (std::thread& thread : pool)
            thread.join();
        MPI_Gather(mine.data(), threads * kNumbers, MPI_DOUBLE, all.data(), threads * kNumbers,
                   MPI_DOUBLE, 0, MPI_COMM_WORLD);
        int go = 1;
        if (ranks.rank == 0) {
            // The blocks of the wave in order, as far as the run asks.
            for (std::int64_t i = 0; i < wave && go; ++i) {
                Totals block = unpack(&all[std::size_t(i) * kNumbers]);
                if (first + i == 0) block.paths = kept[0].paths;
                result.totals.add(block);
                if (runDone(plan.setup, result.totals, elapsed())) go = 0;
            }
            if (go && stop.load()) {
                go = 0;
                result.stopped = true;
            }
            if (go && progress && elapsed() - told >= 0.5) {
                told = elapsed();
                progress(result.totals, told);
            }
        }
        MPI_Bcast(&go, 1, MPI_INT, 0, MPI_COMM_WORLD);
        if (!go) break;
    }
    result.seconds = elapsed();
    return result;
}

#endif

// The simulator's speed: rounds a second for the games the marks name, on one thread and on
// every core, the median of a few runs of the dealing alone (the plan worked out beforehand).
// Prints a Markdown table.   sim_bench [ROUNDS] [RUNS]
#include "Run.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

using namespace simulation;

namespace {

// Millions of rounds a second, the median of `runs`.
double rate(const Plan& plan, int threads, std::int64_t rounds, int runs) {
    Plan timed = plan;
    timed.setup.rounds = rounds;
    std::vector<double> rates;
    for (int run = 0; run < runs; ++run) {
        std::atomic<bool> stop{false};
        const RunResult result = runBlocks(timed, threads, stop);
        rates.push_back(double(result.totals.rounds) / result.seconds / 1e6);
    }
    std::sort(rates.begin(), rates.end());
    return rates[rates.size() / 2];
}

Setup table(int decks) {
    Setup s;
    s.game.rules.decks = decks;
    s.game.rules.doubleAfterSplit = true;
    s.game.rules.surrender = true;
    return s;
}

Setup counted(int decks) {
    Setup s = table(decks);
    s.counting = true;
    s.game.system = *counting::systemOfId("hilo");
    s.game.ramp = {{1, 1}, {2, 2}, {3, 4}, {4, 8}};
    return s;
}

} // namespace

int main(int argc, char** argv) {
    const std::int64_t rounds = argc > 1 ? std::atoll(argv[1]) : 50'000'000;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const int cores = int(std::max(1u, std::thread::hardware_concurrency()));
    const counting::IndexTable none;
    const Plan basic6 = makePlan(table(6), none);
    const Plan basic1 = makePlan(table(1), none);
    const Setup hilo = counted(6);
    const Plan hilo6 = makePlan(hilo, counting::indexPlays(hilo.game));

    std::printf("| hitwise-sim, the dealing alone (median of %d runs of %lld rounds) | one thread "
                "(M rounds/s) | %d threads (M rounds/s) | %d threads against one | mark |\n",
                runs, static_cast<long long>(rounds), cores, cores);
    std::printf("|---|---|---|---|---|\n");
    struct Row {
        const char* label;
        const Plan* plan;
        const char* mark;
    };
    const Row rows[] = {
        {"basic strategy, flat bets, 6 decks S17 DAS LS, 75 %", &basic6,
         "30 on one thread; 1.9 times on two"},
        {"Hi-Lo, every index, a 1-8 ramp, the same table", &hilo6, "20 on one thread"},
        {"basic strategy, flat bets, 1 deck S17 DAS LS, 75 %", &basic1, ""},
    };
    for (const Row& row : rows) {
        const double one = rate(*row.plan, 1, rounds, runs);
        const double all = rate(*row.plan, cores, rounds * cores, runs);
        std::printf("| %s | %.1f | %.1f | %.2f | %s |\n", row.label, one, all, all / one, row.mark);
    }
    return 0;
}

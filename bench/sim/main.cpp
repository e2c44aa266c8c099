// The simulator's speed: rounds a second on one thread and on every core, for the games the
// marks name. sim_bench [ROUNDS]
#include "Run.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

using namespace simulation;

namespace {

double rate(const Plan& plan, int threads, std::int64_t rounds) {
    Plan timed = plan;
    timed.setup.rounds = rounds;
    std::atomic<bool> stop{false};
    const RunResult result = runBlocks(timed, threads, stop);
    return double(result.totals.rounds) / result.seconds;
}

} // namespace

int main(int argc, char** argv) {
    const std::int64_t rounds = argc > 1 ? std::atoll(argv[1]) : 50'000'000;
    Setup flat;
    flat.game.rules.decks = 6;
    flat.game.rules.doubleAfterSplit = true;
    flat.game.rules.surrender = true;
    const counting::IndexTable none;
    const Plan basic = makePlan(flat, none);
    std::printf("basic, flat, 6 decks: %.2f M rounds/s one thread\n", rate(basic, 1, rounds) / 1e6);
    Setup counted = flat;
    counted.counting = true;
    counted.game.system = *counting::systemOfId("hilo");
    counted.game.ramp = {{1, 1}, {2, 2}, {3, 4}, {4, 8}};
    const Plan hilo = makePlan(counted, counting::indexPlays(counted.game));
    std::printf("Hi-Lo, indices, 1-8 ramp, 6 decks: %.2f M rounds/s one thread\n",
                rate(hilo, 1, rounds) / 1e6);
    std::printf("basic, flat, 6 decks: %.2f M rounds/s two threads\n", rate(basic, 2, rounds) / 1e6);
    return 0;
}

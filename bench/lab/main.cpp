// The lab's three waits for one game: a new game's figures worked out (the count lab's study,
// nothing kept), the same game again (the study read from the cache folder), and a change of
// ramp, bankroll or table maximum (the counts' rounds weighed again, with the best spreads).
// Prints Markdown table rows.   lab_bench CACHE_FOLDER [RUNS]
#include "BestSpread.h"
#include "StudyCache.h"

#include <QDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

double seconds(const std::chrono::steady_clock::time_point& from) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - from).count();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "lab_bench CACHE_FOLDER [RUNS]\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    counting::Game game;
    game.rules.decks = 6;
    game.rules.doubleAfterSplit = true;
    game.rules.surrender = true;
    game.system = *counting::systemOfId("hilo");
    game.ramp = {{1, 1}, {2, 2}, {3, 4}, {4, 8}};

    QDir(folder).removeRecursively();
    auto start = std::chrono::steady_clock::now();
    const counting::CountStudy study = countcache::cachedStudy(game, folder);
    const double fresh = seconds(start);
    std::vector<double> cached, weighed;
    for (int run = 0; run < runs; ++run) {
        start = std::chrono::steady_clock::now();
        (void)countcache::cachedStudy(game, folder);
        cached.push_back(seconds(start));
        counting::Game changed = game;
        changed.ramp.back().second = 8 + run; // a new ramp each time
        changed.bankroll = 500 + 100 * run;
        start = std::chrono::steady_clock::now();
        const counting::GameFigures figures = counting::gameFigures(changed, study.rounds);
        const auto spreads = planning::bestSpreads(changed, study.rounds);
        (void)planning::bankrollFor(0.05, figures);
        weighed.push_back(seconds(start));
        if (spreads.empty()) return 1;
    }
    std::printf(
        "| a new game's lab figures: index plays, each count's worth, the game (Hi-Lo, 6 decks "
        "S17 DAS LS, 1-8 ramp) | %.2f s | at most 1.5 s, and a quarter of what hitwise-chart "
        "--game took for it before the study was shared (3.55 to 3.82 s here on 2026-12-10) |\n",
        fresh);
    std::printf(
        "| the same game again, from the cache (median of %d) | %.1f ms | at most 50 ms |\n", runs,
        1000 * median(cached));
    std::printf(
        "| a new ramp and bankroll: the figures, the best spreads 1-4 to 1-16 and the bankroll "
        "for 5 %% (median of %d) | %.1f ms | at most 50 ms |\n",
        runs, 1000 * median(weighed));
    return 0;
}

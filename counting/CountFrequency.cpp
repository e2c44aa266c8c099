#include "CountFrequency.h"

#include <cmath>
#include <vector>

namespace counting {

namespace {

double choose(int n, int k) {
    return std::exp(std::lgamma(n + 1.0) - std::lgamma(k + 1.0) - std::lgamma(n - k + 1.0));
}

// The smallest of 1, 2, 4, 10, 100, 1000 that makes every tag a whole number.
int scaleOf(const CountSystem& system) {
    for (int scale : {1, 2, 4, 10, 100, 1000}) {
        bool whole = true;
        for (int value = 1; value <= 10; ++value) {
            const double scaled = system.tags[value] * scale;
            whole = whole && std::abs(scaled - std::round(scaled)) < 1e-9;
        }
        if (whole) return scale;
    }
    return 1000; // tags finer than a thousandth are counted to the thousandth
}

} // namespace

std::map<double, double> runningCounts(const CountSystem& system, const std::array<int, 11>& shoe,
                                       int seen) {
    const int scale = scaleOf(system);
    // The groups: cards of one tag, however many values share it.
    std::map<long, int> groups;
    int total = 0;
    for (int value = 1; value <= 10; ++value) {
        groups[std::lround(system.tags[value] * scale)] += shoe[value];
        total += shoe[value];
    }
    if (seen < 0 || seen > total) return {};
    long low = 0, high = 0;
    for (const auto& [tag, cards] : groups) {
        (tag < 0 ? low : high) += tag * cards;
    }
    const long width = high - low + 1;
    // ways[j][count - low]: the ways of seeing j cards of the groups so far with that count.
    std::vector<std::vector<double>> ways(seen + 1, std::vector<double>(width, 0.0));
    ways[0][-low] = 1.0;
    int before = 0; // cards in the groups so far
    for (const auto& [tag, cards] : groups) {
        std::vector<std::vector<double>> next(seen + 1, std::vector<double>(width, 0.0));
        std::vector<double> waysOf(cards + 1); // the ways of seeing x of this group's cards
        for (int x = 0; x <= cards; ++x)
            waysOf[x] = choose(cards, x);
        for (int j = 0; j <= std::min(seen, before); ++j) {
            for (long at = 0; at < width; ++at) {
                if (ways[j][at] == 0.0) continue;
                for (int x = 0; x <= cards && j + x <= seen; ++x)
                    next[j + x][at + tag * x] += ways[j][at] * waysOf[x];
            }
        }
        ways.swap(next);
        before += cards;
    }
    const double all = choose(total, seen);
    std::map<double, double> counts;
    for (long at = 0; at < width; ++at) {
        if (ways[seen][at] > 0.0) counts[double(at + low) / scale] = ways[seen][at] / all;
    }
    return counts;
}

std::map<double, double> countFrequencies(const CountSystem& system, const Conventions& conventions,
                                          int decks, int seen) {
    std::array<int, 11> shoe{};
    for (int value = 1; value <= 9; ++value)
        shoe[value] = 4 * decks;
    shoe[10] = 16 * decks;
    const double start = system.initialRunningCount(decks);
    std::map<double, double> frequencies;
    for (const auto& [count, chance] : runningCounts(system, shoe, seen)) {
        const double running = start + count;
        frequencies[system.balanced() ? trueCount(running, 52 * decks - seen, conventions)
                                      : running] += chance;
    }
    return frequencies;
}

} // namespace counting

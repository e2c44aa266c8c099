#include "CountFrequency.h"

#include <algorithm>
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

// The cards of one tag, however many values share it; tags scaled to whole numbers.
struct Groups {
    int scale = 1;
    std::map<long, int> cards; // by scaled tag
    int total = 0;
    long low = 0, high = 0; // the lowest and highest scaled counts
    long width() const { return high - low + 1; }
};

Groups groupsOf(const CountSystem& system, const std::array<int, 11>& shoe) {
    Groups g;
    g.scale = scaleOf(system);
    for (int value = 1; value <= 10; ++value) {
        g.cards[std::lround(system.tags[value] * g.scale)] += shoe[value];
        g.total += shoe[value];
    }
    for (const auto& [tag, cards] : g.cards)
        (tag < 0 ? g.low : g.high) += tag * cards;
    return g;
}

// ways[j][count - low]: the ways of seeing j cards of the groups (but the one tagged
// `without`) with that scaled count.
std::vector<std::vector<double>> waysOfSeeing(const Groups& groups, int seen,
                                              std::optional<long> without = std::nullopt) {
    std::vector<std::vector<double>> ways(seen + 1, std::vector<double>(groups.width(), 0.0));
    ways[0][-groups.low] = 1.0;
    int before = 0; // cards in the groups so far
    for (const auto& [tag, cards] : groups.cards) {
        if (without && tag == *without) continue;
        std::vector<std::vector<double>> next(seen + 1, std::vector<double>(groups.width(), 0.0));
        std::vector<double> waysOf(cards + 1); // the ways of seeing x of this group's cards
        for (int x = 0; x <= cards; ++x)
            waysOf[x] = choose(cards, x);
        for (int j = 0; j <= std::min(seen, before); ++j) {
            for (long at = 0; at < groups.width(); ++at) {
                if (ways[j][at] == 0.0) continue;
                for (int x = 0; x <= cards && j + x <= seen; ++x)
                    next[j + x][at + tag * x] += ways[j][at] * waysOf[x];
            }
        }
        ways.swap(next);
        before += cards;
    }
    return ways;
}

// The count the player goes by, from the tags seen (the initial running count left out).
double countOf(const CountSystem& system, const Conventions& conventions, int decks, int cardsLeft,
               double seen) {
    const double running = system.initialRunningCount(decks) + seen;
    return system.balanced() ? trueCount(running, cardsLeft, conventions) : running;
}

} // namespace

std::map<double, double> runningCounts(const CountSystem& system, const std::array<int, 11>& shoe,
                                       int seen) {
    const Groups groups = groupsOf(system, shoe);
    if (seen < 0 || seen > groups.total) return {};
    const auto ways = waysOfSeeing(groups, seen);
    const double all = choose(groups.total, seen);
    std::map<double, double> counts;
    for (long at = 0; at < groups.width(); ++at) {
        if (ways[seen][at] > 0.0) {
            counts[double(at + groups.low) / groups.scale] = ways[seen][at] / all;
        }
    }
    return counts;
}

std::map<double, double> countFrequencies(const CountSystem& system, const Conventions& conventions,
                                          int decks, int seen) {
    std::array<int, 11> shoe{};
    for (int value = 1; value <= 9; ++value)
        shoe[value] = 4 * decks;
    shoe[10] = 16 * decks;
    std::map<double, double> frequencies;
    for (const auto& [count, chance] : runningCounts(system, shoe, seen))
        frequencies[countOf(system, conventions, decks, 52 * decks - seen, count)] += chance;
    return frequencies;
}

std::optional<std::array<double, 11>> expectedLeft(const CountSystem& system,
                                                   const Conventions& conventions,
                                                   const std::array<int, 11>& shoe, int seen,
                                                   double count) {
    const Groups groups = groupsOf(system, shoe);
    if (seen < 0 || seen > groups.total) return std::nullopt;
    const int decks = std::max(1, (groups.total + 26) / 52);
    auto counted = [&](long at) {
        return countOf(system, conventions, decks, groups.total - seen,
                       double(at + groups.low) / groups.scale) == count;
    };
    // The ways of the count, and for each group the cards seen of it over those ways.
    const auto all = waysOfSeeing(groups, seen);
    double ways = 0;
    for (long at = 0; at < groups.width(); ++at) {
        if (counted(at)) ways += all[seen][at];
    }
    if (ways <= 0) return std::nullopt;
    std::map<long, double> seenOf; // by scaled tag: the cards seen of the group, on average
    for (const auto& [tag, cards] : groups.cards) {
        const auto others = waysOfSeeing(groups, seen, tag);
        double sum = 0;
        for (int x = 1; x <= std::min(cards, seen); ++x) {
            const double these = choose(cards, x);
            for (long at = 0; at < groups.width(); ++at) {
                const long with = at + tag * x;
                if (others[seen - x][at] > 0 && with >= 0 && with < groups.width() &&
                    counted(with)) {
                    sum += x * these * others[seen - x][at];
                }
            }
        }
        seenOf[tag] = sum / ways;
    }
    std::array<double, 11> left{};
    for (int value = 1; value <= 10; ++value) {
        const long tag = std::lround(system.tags[value] * groups.scale);
        const int inGroup = groups.cards.at(tag);
        left[value] = shoe[value] - (inGroup > 0 ? seenOf[tag] * shoe[value] / inGroup : 0.0);
    }
    return left;
}

std::map<double, std::vector<AtDepth>>
countsAtDepths(const CountSystem& system, const Conventions& conventions, int decks,
               const std::vector<std::pair<int, double>>& depths) {
    std::array<int, 11> shoe{};
    for (int value = 1; value <= 9; ++value)
        shoe[value] = 4 * decks;
    shoe[10] = 16 * decks;
    const Groups groups = groupsOf(system, shoe);
    int deepest = 0;
    for (const auto& [seen, weight] : depths)
        deepest = std::max(deepest, std::clamp(seen, 0, groups.total));
    // Every depth's ways from one table each: all groups, and all but each group.
    const auto all = waysOfSeeing(groups, deepest);
    std::map<long, std::vector<std::vector<double>>> allBut;
    for (const auto& [tag, cards] : groups.cards)
        allBut[tag] = waysOfSeeing(groups, deepest, tag);

    std::map<double, std::vector<AtDepth>> out;
    for (const auto& [depth, weight] : depths) {
        const int seen = std::clamp(depth, 0, groups.total);
        // The counts at this depth, each scaled count's index among them.
        std::vector<double> counts;
        std::vector<int> indexOf(groups.width(), -1);
        for (long at = 0; at < groups.width(); ++at) {
            const double count = countOf(system, conventions, decks, groups.total - seen,
                                         double(at + groups.low) / groups.scale);
            auto it = std::find(counts.begin(), counts.end(), count);
            if (it == counts.end()) it = counts.insert(counts.end(), count);
            indexOf[at] = int(it - counts.begin());
        }
        std::vector<double> ways(counts.size(), 0.0);
        for (long at = 0; at < groups.width(); ++at)
            ways[indexOf[at]] += all[seen][at];
        // The cards seen of each group over the ways of each count.
        std::map<long, std::vector<double>> seenOf;
        for (const auto& [tag, cards] : groups.cards) {
            std::vector<double>& sum = seenOf[tag];
            sum.assign(counts.size(), 0.0);
            const auto& others = allBut.at(tag);
            for (int x = 1; x <= std::min(cards, seen); ++x) {
                const double these = x * choose(cards, x);
                for (long at = 0; at < groups.width(); ++at) {
                    const long with = at + tag * x;
                    if (others[seen - x][at] > 0 && with >= 0 && with < groups.width())
                        sum[indexOf[with]] += these * others[seen - x][at];
                }
            }
        }
        const double every = choose(groups.total, seen);
        for (std::size_t c = 0; c < counts.size(); ++c) {
            if (ways[c] <= 0) continue;
            AtDepth at;
            at.chance = weight * ways[c] / every;
            for (int value = 1; value <= 10; ++value) {
                const long tag = std::lround(system.tags[value] * groups.scale);
                const int inGroup = groups.cards.at(tag);
                const double seenOfGroup = seenOf[tag][c] / ways[c];
                at.left[value] =
                    shoe[value] - (inGroup > 0 ? seenOfGroup * shoe[value] / inGroup : 0.0);
            }
            out[counts[c]].push_back(at);
        }
    }
    return out;
}

} // namespace counting

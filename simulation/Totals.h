#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace simulation {

// The counts run from -6 and below to +6 and above at the start of a round.
inline constexpr int kLowestCount = -6;
inline constexpr int kHighestCount = 6;
inline constexpr int kCounts = kHighestCount - kLowestCount + 1;
inline int countBin(int count) {
    return (count < kLowestCount    ? kLowestCount
            : count > kHighestCount ? kHighestCount
                                    : count) -
           kLowestCount;
}

// A figure that is a ratio of two sums over rounds (a win over rounds played, rounds at a count
// over rounds dealt), with the blocks as batches for its error: rounds of one shoe are not
// independent, blocks of whole shoes are. A block's own ratio holds x and y; added up, the
// squares and products of the blocks' sums come along.
struct Ratio {
    double x = 0, y = 0;
    double xx = 0, xy = 0, yy = 0;
    void add(const Ratio& block) {
        x += block.x;
        y += block.y;
        xx += block.x * block.x;
        xy += block.x * block.y;
        yy += block.y * block.y;
    }
    double value() const { return y > 0 ? x / y : 0; }
    // The standard error of the ratio over `blocks` batches.
    double error(std::int64_t blocks) const;
};

// What rounds dealt add up to: a block's, or a run's, the blocks added in their order so that
// the sums are the same digits however many threads and processes dealt them. Wins are in units,
// returns per unit of the initial bets.
struct Totals {
    std::int64_t blocks = 0;
    std::int64_t rounds = 0;                // dealt
    std::int64_t shoes = 0;                 // shuffles
    std::int64_t played = 0;                // rounds the counter played
    std::int64_t watched = 0;               // rounds dealt while the counter watched or sat out
    Ratio win;                              // units won over rounds played
    Ratio bet;                              // units bet over rounds played
    double win2 = 0, win3 = 0, win4 = 0;    // sums over rounds played of w^2..4
    std::array<Ratio, kCounts> frequency{}; // rounds starting at each count over rounds dealt
    std::array<Ratio, kCounts> returns{};   // the return per unit bet over rounds played there
    std::int64_t trips = 0, ruined = 0;
    std::vector<std::vector<float>> paths; // a few trips' bankrolls, from the first block

    // Adds the totals of one block, the next in order.
    void add(const Totals& block);
};

} // namespace simulation

#pragma once

// What the simulator's hot loop reads, worked out once before it from a Setup: the counter's
// play for every hand, up card and count, the basic strategy the other players follow, the bet
// at every count, the count at every running count and number of cards left (by the count lab's
// conventions, through counting::countToGoBy, the one piece of code both share), the insurance
// index, and the mistakes as chances by hand.

#include "Setup.h"

#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace simulation {

// The index of a two-card hand (values 1..10, either order): 0 to 54.
constexpr int pairIndexOf(int first, int second) {
    const int low = (first < second ? first : second) - 1;
    const int high = (first < second ? second : first) - 1;
    return low * 10 - low * (low - 1) / 2 + (high - low);
}
inline constexpr auto kPairIndex = [] {
    std::array<std::array<std::uint8_t, 11>, 11> index{};
    for (int a = 1; a <= 10; ++a) {
        for (int b = 1; b <= 10; ++b)
            index[std::size_t(a)][std::size_t(b)] = std::uint8_t(pairIndexOf(a, b));
    }
    return index;
}();
inline int pairIndex(int first, int second) {
    return kPairIndex[std::size_t(first)][std::size_t(second)];
}
inline constexpr int kPairs = 55;
// A hand of three cards or more by its total: hard 4 to 21, soft 12 to 21 (22 + total).
inline int laterIndex(int total, bool soft) {
    return soft ? 22 + total : total;
}
inline constexpr int kLater = 44;

// The plays of every hand against every up card at every count, as uint8_t (analysis::Play).
// Counts are clamped into the range where the index table changes anything.
struct PlayTables {
    int low = 0;                     // the lowest count kept apart
    int bins = 1;                    // counts low .. low + bins - 1
    std::vector<std::uint8_t> first; // [bin][up - 1][pairIndex]: two cards, not split
    std::vector<std::uint8_t> split; // [bin][up - 1][pairIndex * 2 + may resplit]: after a split
    std::vector<std::uint8_t> later; // [bin][up - 1][laterIndex]: three cards or more

    int bin(int count) const {
        const int b = count - low;
        return b < 0 ? 0 : b >= bins ? bins - 1 : b;
    }
    int firstPlay(int bin, int up, int pair) const {
        return first[std::size_t((bin * 10 + up - 1) * kPairs + pair)];
    }
    int splitPlay(int bin, int up, int pair, bool resplit) const {
        return split[std::size_t(((bin * 10 + up - 1) * kPairs + pair) * 2 + resplit)];
    }
    int laterPlay(int bin, int up, int later) const {
        return this->later[std::size_t((bin * 10 + up - 1) * kLater + later)];
    }
};

// A hand by its cards, five bits a value: the key of the composition-dependent plays.
inline std::uint64_t cardBit(int value) {
    return std::uint64_t(1) << (5 * (value - 1));
}
// The best plays of one composition: as a starting hand, as a hand after a split, and with more
// cards than two (or a hand that may only hit or stand).
struct CompositionPlays {
    std::uint8_t first = 0, split = 0, later = 0;
};

struct Plan {
    Setup setup;
    rules::Rules rules;
    int cards = 0;   // in the shoe
    int cutAt = 0;   // cards dealt before the cut card comes out
    int players = 1; // seats taken
    int seat = 0;    // the counter's first seat, from 0
    int spots = 1;   // the counter's seats
    bool counting = false;

    // The count at a running count (in units of 1 / tagScale) and a number of cards left.
    std::array<int, 11> tags{}; // scaled
    int tagScale = 1;
    int initialCount = 0; // scaled
    int countLow = 0;     // the lowest running count the table holds
    int countSpan = 0;
    std::vector<std::int8_t> countAt; // [running - countLow][cards left]; empty: worked out
    int count(int running, int left) const;

    // The bet at a whole count, clamped to kBetLow .. kBetHigh.
    static constexpr int kBetLow = -40, kBetHigh = 40;
    std::array<double, kBetHigh - kBetLow + 1> bets{};
    double betAt(int count) const {
        return bets[std::size_t((count < kBetLow    ? kBetLow
                                 : count > kBetHigh ? kBetHigh
                                                    : count) -
                                kBetLow)];
    }
    bool hasInsurance = false;
    int insuranceIndex = 0;

    PlayTables counter; // the counter's plays, by the count
    PlayTables basic;   // the other players', and the counter's without a count
    // The second-best play of each hand of the basic chart, and each hand's chances of a miss:
    // with mistakes only, laid out as the tables.
    PlayTables second;
    std::vector<float> indexMiss, basicMiss; // [up - 1][first | split | later hand]
    // The composition-dependent plays, by the up card and the hand's cards.
    std::array<std::unordered_map<std::uint64_t, CompositionPlays>, 10> composition;

    int shoesPerBlock = 0;  // with a cut card
    int roundsPerBlock = 0; // with a continuous shuffler
};

// Works the plan out: the basic chart of the full shoe, the index plays (`indices`: the lab's or
// the file's, with their basic chart; ignored without a count), and the composition plays where
// asked.
Plan makePlan(const Setup& setup, const counting::IndexTable& indices);

// The chart row a hand of these cards is played by (a pair's, or its total's, soft or hard), for
// the chances of a miss; -1 for none.
int chartRowOf(const std::vector<int>& cards);

} // namespace simulation

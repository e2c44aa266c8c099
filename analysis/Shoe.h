#pragma once

#include "Rules.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace analysis {

// The caches' key of a set of cards: 5 bits a value, aces lowest; a card adds this.
constexpr std::uint64_t cardBit(int value) {
    return std::uint64_t{1} << (5 * (value - 1));
}

// The cards left in the shoe, by value: index 1 the aces, 2 to 9, 10 every ten-valued card.
// Any composition: full decks (ofDecks), a shoe part dealt, or the average of many shoes, whose
// counts are fractional (ofFractions). A fractional count x is valued as the same chances
// carried on past whole cards: the next card is of that value with chance x / total, and once
// k of them are out, (x - k) / (total - k), while that is above 0. So ceil(x) of them can come
// in one round, the last with the fraction's chance (whole counts as ever); only the orders
// that would draw more, rare below several cards of a value, are left out.
struct Shoe {
    // The most cards a shoe the engine values may hold: eight decks.
    static constexpr int kMostCards = rules::kMaxDecks * 52;

    std::array<double, 11> count{};
    double total = 0;

    static Shoe ofDecks(int decks);
    // A shoe of these cards by value (index 1 the aces to 10).
    static Shoe ofCounts(const std::array<int, 11>& counts);
    // Fractional counts, each to the nearest 1/4096 of a card: a card out and back then leaves
    // every count and the total exactly as they were.
    static Shoe ofFractions(const std::array<double, 11>& counts);
    double operator[](int value) const { return count[value]; }
    // Whether the next card can be of this value.
    bool has(int value) const { return count[value] > 0; }
    // The most cards of this value one hand or the dealer's can hold from the shoe.
    int most(int value) const;
    void take(int value) {
        --count[value];
        --total;
    }
    void putBack(int value) {
        ++count[value];
        ++total;
    }
    // The chance that the next card has this value.
    double chance(int value) const {
        return total > 0 && count[value] > 0 ? count[value] / total : 0.0;
    }

    // The most cards one round can take from this shoe under rules that split to `splitHands`
    // hands. A hand draws only below a hard 21 and the dealer only below a hard 17, and every
    // card adds at least one to a hard total: all the cards of a round but each hand's last and
    // the dealer's last add up to at most 20 a hand and 16, so there are at most as many of them
    // as the shoe's smallest cards within that sum.
    int mostCardsARound(int splitHands) const;
    // "A:24,2:24,...,10:96".
    std::string text() const;
};

// A number of cards: "24", or "24.37" for a fractional one.
std::string cardsText(double cards);

// Every set of cards of the values 2 to 10 but `skip` that this shoe holds and that adds up to
// at most `room`, the empty set first, as the caches' keys (cardBit): the hands of a table
// but their aces, for the dealer's walks.
std::vector<std::uint64_t> setsWithoutAces(const Shoe& shoe, int room, int skip = 0);

// Why the engine cannot value a round from this shoe under these rules ("the shoe holds 40
// cards; a round may take 45"), or empty.
std::string shoeProblem(const rules::Rules& rules, const Shoe& shoe);

} // namespace analysis

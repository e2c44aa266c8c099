#pragma once

#include <array>
#include <cstdint>

namespace analysis {

// The caches' key of a set of cards: 5 bits a value, aces lowest; a card adds this.
constexpr std::uint64_t cardBit(int value) {
    return std::uint64_t{1} << (5 * (value - 1));
}

// The cards left in the shoe, by value: index 1 the aces, 2 to 9, 10 every ten-valued card.
struct Shoe {
    std::array<int, 11> count{};
    int total = 0;

    static Shoe ofDecks(int decks);
    int operator[](int value) const { return count[value]; }
    void take(int value) {
        --count[value];
        --total;
    }
    void putBack(int value) {
        ++count[value];
        ++total;
    }
    // The chance that the next card has this value.
    double chance(int value) const { return total > 0 ? double(count[value]) / total : 0.0; }
};

} // namespace analysis

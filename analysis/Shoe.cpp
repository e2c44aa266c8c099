#include "Shoe.h"

#include <algorithm>

namespace analysis {

Shoe Shoe::ofDecks(int decks) {
    Shoe shoe;
    for (int value = 1; value <= 9; ++value) {
        shoe.count[value] = 4 * decks;
    }
    shoe.count[10] = 16 * decks;
    shoe.total = 52 * decks;
    return shoe;
}

Shoe Shoe::ofCounts(const std::array<int, 11>& counts) {
    Shoe shoe;
    for (int value = 1; value <= 10; ++value) {
        shoe.count[value] = counts[value];
        shoe.total += counts[value];
    }
    return shoe;
}

int Shoe::mostCardsARound(int splitHands) const {
    int budget = 20 * splitHands + 16;
    int cards = splitHands + 1; // each hand's last card and the dealer's
    for (int value = 1; value <= 10 && budget >= value; ++value) {
        const int taken = std::min(count[value], budget / value);
        cards += taken;
        budget -= taken * value;
    }
    return cards;
}

std::string Shoe::text() const {
    std::string text;
    for (int value = 1; value <= 10; ++value) {
        if (value > 1) text += ",";
        text += (value == 1 ? std::string("A") : std::to_string(value)) + ":" +
                std::to_string(count[value]);
    }
    return text;
}

std::vector<std::uint64_t> setsWithoutAces(const Shoe& shoe, int room, int skip) {
    std::vector<std::uint64_t> keys;
    auto add = [&](auto&& self, int value, int left, std::uint64_t key) -> void {
        if (value > 10) return keys.push_back(key);
        if (value == skip) return self(self, value + 1, left, key);
        for (int n = 0; n <= shoe[value] && n * value <= left; ++n)
            self(self, value + 1, left - n * value, key + std::uint64_t(n) * cardBit(value));
    };
    add(add, 2, room, 0);
    return keys;
}

std::string shoeProblem(const rules::Rules& rules, const Shoe& shoe) {
    int total = 0;
    for (int value = 1; value <= 10; ++value) {
        if (shoe.count[value] < 0) return "the shoe holds fewer than no cards of a value";
        total += shoe.count[value];
    }
    if (total != shoe.total) return "the shoe's total is not the sum of its counts";
    if (total > Shoe::kMostCards) {
        return "the shoe holds " + std::to_string(total) + " cards, more than the " +
               std::to_string(Shoe::kMostCards) + " of eight decks";
    }
    const int most = shoe.mostCardsARound(rules.splitHands);
    if (total < most) {
        return "the shoe holds " + std::to_string(total) + " cards; a round may take " +
               std::to_string(most);
    }
    return {};
}

} // namespace analysis

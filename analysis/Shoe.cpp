#include "Shoe.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

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

Shoe Shoe::ofFractions(const std::array<double, 11>& counts) {
    Shoe shoe;
    for (int value = 1; value <= 10; ++value) {
        shoe.count[value] = std::round(counts[value] * 4096) / 4096;
        shoe.total += shoe.count[value];
    }
    return shoe;
}

int Shoe::most(int value) const {
    return count[value] > 0 ? int(std::ceil(count[value])) : 0;
}

int Shoe::mostCardsARound(int splitHands) const {
    int budget = 20 * splitHands + 16;
    int cards = splitHands + 1; // each hand's last card and the dealer's
    for (int value = 1; value <= 10 && budget >= value; ++value) {
        const int taken = std::min(most(value), budget / value);
        cards += taken;
        budget -= taken * value;
    }
    return cards;
}

std::string cardsText(double cards) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", cards == std::floor(cards) ? 0 : 2, cards);
    return text;
}

std::string Shoe::text() const {
    std::string text;
    for (int value = 1; value <= 10; ++value) {
        if (value > 1) text += ",";
        text +=
            (value == 1 ? std::string("A") : std::to_string(value)) + ":" + cardsText(count[value]);
    }
    return text;
}

std::vector<std::uint64_t> setsWithoutAces(const Shoe& shoe, int room, int skip) {
    std::vector<std::uint64_t> keys;
    auto add = [&](auto&& self, int value, int left, std::uint64_t key) -> void {
        if (value > 10) return keys.push_back(key);
        if (value == skip) return self(self, value + 1, left, key);
        for (int n = 0; n <= shoe.most(value) && n * value <= left; ++n)
            self(self, value + 1, left - n * value, key + std::uint64_t(n) * cardBit(value));
    };
    add(add, 2, room, 0);
    return keys;
}

std::string shoeProblem(const rules::Rules& rules, const Shoe& shoe) {
    double total = 0;
    for (int value = 1; value <= 10; ++value) {
        if (!(shoe.count[value] >= 0)) return "the shoe holds fewer than no cards of a value";
        total += shoe.count[value];
    }
    if (total != shoe.total) return "the shoe's total is not the sum of its counts";
    if (total > Shoe::kMostCards) {
        return "the shoe holds " + cardsText(total) + " cards, more than the " +
               std::to_string(Shoe::kMostCards) + " of eight decks";
    }
    const int most = shoe.mostCardsARound(rules.splitHands);
    if (total < most) {
        return "the shoe holds " + cardsText(total) + " cards; a round may take " +
               std::to_string(most);
    }
    return {};
}

} // namespace analysis

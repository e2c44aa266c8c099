#include "Card.h"

namespace cards {

Card cardOfValue(int value, int suit) {
    return {value - 1, suit};
}

std::vector<int> valuesOf(const std::vector<Card>& cards) {
    std::vector<int> values;
    for (const Card& card : cards)
        values.push_back(card.value());
    return values;
}

} // namespace cards

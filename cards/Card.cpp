#include "Card.h"

namespace cards {

std::vector<int> valuesOf(const std::vector<Card>& cards) {
    std::vector<int> values;
    for (const Card& card : cards)
        values.push_back(card.value());
    return values;
}

} // namespace cards

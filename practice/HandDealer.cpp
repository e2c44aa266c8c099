#include "HandDealer.h"

#include "Held.h"

#include <algorithm>

namespace practice {

DealKind kindOfRow(int row) {
    switch (charts::kindOfRow(row)) {
    case charts::RowKind::Pair: return DealKind::Pairs;
    case charts::RowKind::Soft: return DealKind::SoftHands;
    case charts::RowKind::Hard: break;
    }
    return DealKind::HardTotals;
}

HandDealer::HandDealer(std::uint32_t seed) : random_(seed) {}

int HandDealer::randomFace() {
    return std::uniform_int_distribution<int>(0, int(cards::kFaces.size()) - 1)(random_);
}

// A face of the value: one of the four ten-valued faces at random for a ten.
int HandDealer::faceOf(int value) {
    return value == 10 ? 9 + std::uniform_int_distribution<int>(0, 3)(random_) : value - 1;
}

// The suits are drawn after the faces: a seed deals the same hands as it always has.
void HandDealer::suit(Deal& deal) {
    for (cards::Card& card : deal.cards)
        card.suit = std::uniform_int_distribution<int>(0, cards::kSuitCount - 1)(random_);
}

Deal HandDealer::dealCell(const GridCell& cell) {
    const auto& hands = charts::everyRow()[cell.row].hands;
    auto [low, high] =
        hands[std::uniform_int_distribution<std::size_t>(0, hands.size() - 1)(random_)];
    if (std::bernoulli_distribution(0.5)(random_)) std::swap(low, high);
    Deal deal;
    deal.cards[0].face = faceOf(low);
    deal.cards[1].face = faceOf(high);
    deal.cards[2].face = faceOf(cell.up);
    suit(deal);
    return deal;
}

Deal HandDealer::deal(DealKind kind, const std::vector<GridCell>& weak) {
    std::vector<GridCell> mine;
    for (const GridCell& cell : weak) {
        if (kind == DealKind::EveryHand || kindOfRow(cell.row) == kind) mine.push_back(cell);
    }
    if (!mine.empty() && std::bernoulli_distribution(kWeakShare)(random_)) {
        return dealCell(
            mine[std::uniform_int_distribution<std::size_t>(0, mine.size() - 1)(random_)]);
    }
    Deal deal;
    do {
        for (cards::Card& card : deal.cards)
            card.face = randomFace();
    } while (kind != DealKind::EveryHand &&
             (kindOfRow(charts::rowOfHand(deal.first(), deal.second())) != kind ||
              analysis::isBlackjack(deal.first(), deal.second())));
    suit(deal);
    return deal;
}

} // namespace practice

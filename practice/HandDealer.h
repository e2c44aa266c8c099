#pragma once

#include "Card.h"
#include "ChartModel.h"

#include <cstdint>
#include <random>
#include <vector>

namespace practice {

// What the drill deals.
enum class DealKind { EveryHand, HardTotals, SoftHands, Pairs };

// A cell of a chart grid: its row (in the order of charts::chartRows()) and the up card value.
struct GridCell {
    int row = 0;
    int up = 0;
    bool operator==(const GridCell& other) const { return row == other.row && up == other.up; }
};

// The kind of hand a chart row holds.
DealKind kindOfRow(int row);
inline constexpr int kChartRows = charts::kChartRowCount;

// A dealt hand: the player's two cards and the dealer's up card.
struct Deal {
    cards::Card cards[3]; // first card, second card, up card
    int first() const { return cards[0].value(); }
    int second() const { return cards[1].value(); }
    int up() const { return cards[2].value(); }
    GridCell cell() const { return {charts::rowOfHand(first(), second()), up()}; }
};

// Deals random hands as from an endless shoe, of the kind asked for (a blackjack only among
// every hand); once there are weak cells of that kind, half of the hands come from them.
class HandDealer {
public:
    explicit HandDealer(std::uint32_t seed);
    Deal deal(DealKind kind, const std::vector<GridCell>& weak);
    // A hand of this cell.
    Deal dealCell(const GridCell& cell);

    static constexpr double kWeakShare = 0.5;

private:
    int randomFace();
    int faceOf(int value);
    void suit(Deal& deal);
    std::mt19937 random_;
};

} // namespace practice

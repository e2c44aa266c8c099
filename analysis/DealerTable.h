#pragma once

#include "Shoe.h"

#include <array>
#include <cstdint>
#include <vector>

namespace analysis {

// How the dealer's hand ends: a total of 17 to 21, a bust, or a blackjack (only counted where
// the dealer has no hole card; with one, the dealer has checked and has none).
enum Outcome { Dealer17, Dealer18, Dealer19, Dealer20, Dealer21, DealerBust, DealerBlackjack };
inline constexpr int kOutcomes = 7;
using Distribution = std::array<double, kOutcomes>;

// The dealer's play from one up card, for any shoe. Every set of cards the dealer can end up
// drawing is listed once with the number of orders in which the house rules let the dealer
// draw it. One order's chance depends on the shoe only through the falling products of the
// counts, and every order of a set has the same chance, so a shoe's outcome chances are a sum
// over the sets, the products built up along a tree of sets in ascending card order.
//
// With a hole card, the orders whose first card (the hole card) makes a blackjack are left
// out: the chances returned are joint with "the dealer has no blackjack" and add up to its
// chance, not to 1.
class DealerTable {
public:
    DealerTable(int up, bool hitSoft17, bool holeCard);

    // The outcome chances when the dealer draws from this shoe (the up card already out).
    Distribution outcomes(const Shoe& shoe) const;

    // The chance that the hole card makes a blackjack with the up card.
    double blackjackChance(const Shoe& shoe) const;

    int upCard() const { return up_; }

private:
    // The tree, parents before children, node 0 the empty set. A node adds one card to its
    // parent's set; its factor is the count of that card's value left once the set's earlier
    // cards of that value are out: an index into a table of counts less 0, 1, 2 ...
    static constexpr int kMostOfAValue = 12;
    std::vector<std::int32_t> parent_;
    std::vector<std::int16_t> factor_; // value * kMostOfAValue + cards of that value before
    std::vector<std::int8_t> outcome_; // for a set the dealer ends on; -1 otherwise
    std::vector<std::int8_t> depth_;
    std::vector<double> orders_; // the orders in which the dealer draws that set
    int up_;
    int maxDepth_ = 0;
};

} // namespace analysis

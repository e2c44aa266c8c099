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
    // The table of these rules, made once per process and kept: a table never changes.
    static const DealerTable& of(int up, bool hitSoft17, bool holeCard);

    // The outcome chances when the dealer draws from this shoe (the up card already out).
    Distribution outcomes(const Shoe& shoe) const;

    // For split hands (see Split.h), what standing wins in every shoe that differs from a
    // given one only in its count of pair cards. One walk of the tree sums the dealer's sets by
    // outcome, number of cards and of pair cards, the pair cards' counts left out (PairSums);
    // each count of pair cards left is then a short sum (standingByPairs).
    struct PairSums {
        int pair = 0;
        double others = 0;            // the cards of other values in the shoe
        const double* sums = nullptr; // [slot: a number of cards and of pair cards][outcome]
    };
    // The doubles of a PairSums for a pair value.
    int pairSumsSize(int pair) const { return kOutcomes * int(slots_[pair].size()); }
    // A walk leaves the aces' counts out too, and sums by their number as well, so that shoes
    // that differ only in their aces share one walk (withAces puts a count of aces back). For
    // a pair of aces the grouped sums are the pair sums. The doubles groupedSums fills:
    int groupedSize(int pair) const { return kOutcomes * int(groups_[pair].size()); }
    // Writes the grouped sums for up to kBatch shoes to `grouped`, one walk.
    static constexpr int kBatch = 10;
    void groupedSums(const Shoe* const* shoes, int n, int pair, double* const* grouped) const;
    // The pair sums of `shoe`, from the grouped sums of any shoe that differs from it only in
    // aces and pair cards: written to `sums` (pairSumsSize doubles).
    PairSums withAces(const double* grouped, int pair, const Shoe& shoe, double* sums) const;
    // The outcome chances in the shoe of `sums` with `pairsLeft` pair cards in it: what
    // outcomes() gives for that shoe, summed in another order.
    Distribution outcomesByPairs(const PairSums& sums, double pairsLeft) const;
    // What standing on `total` (21 or less) wins in `shoes` shoes with pairsLeft,
    // pairsLeft - 1, ... pair cards and `others` cards of other values. The factors of a slot
    // depend on the shoes alone: made once (standingFactors) for every hand that meets them.
    static constexpr int kMostShoes = 8;
    using Standing = std::array<double, kMostShoes>;
    struct StandingFactors;
    StandingFactors standingFactors(double others, double pairsLeft, int shoes) const;
    Standing standingByPairs(const PairSums& sums, int total, const StandingFactors& factors) const;

    // The chance that the hole card makes a blackjack with the up card.
    double blackjackChance(const Shoe& shoe) const;
    // The value of the hole card that makes a blackjack with the up card, or 0.
    int blackjackCard() const { return up_ == 1 ? 10 : up_ == 10 ? 1 : 0; }

    // One order of d cards, s of them pair cards, in shoe i: the product of the other values'
    // falling counts (summed) times (c)_s / (N)_d, with c pair cards left and N cards.
    struct StandingFactors {
        struct Shoe {
            std::array<double, 24> inverseFalling; // 1 / (N)_d
            std::array<double, 13> pairsFalling;   // (c)_s
        };
        std::array<Shoe, kMostShoes> shoe;
        int shoes = 0;
    };

private:
    // The tree, parents before children, node 0 the empty set. A node adds one card to its
    // parent's set; its factor is the count of that card's value left once the set's earlier
    // cards of that value are out: an index into a table of counts less 0, 1, 2 ...
    static constexpr int kMostOfAValue = 12; // more than any dealer's hand holds of one value
    std::vector<std::int32_t> parent_;
    std::vector<std::int16_t> factor_; // value * kMostOfAValue + cards of that value before
    // Per pair value, the distinct (cards, pair cards) of ending sets, the slots; the distinct
    // (slot, aces) of the grouped sums, the groups; per node and value, its group.
    std::vector<std::vector<std::pair<int, int>>> slots_;
    std::vector<std::vector<std::pair<int, int>>> groups_;
    std::vector<std::int16_t> nodeGroup_;
    std::vector<std::int8_t> outcome_; // for a set the dealer ends on; -1 otherwise
    std::vector<std::int8_t> depth_;
    std::vector<double> orders_; // the orders in which the dealer draws that set
    void leavesFirst(std::vector<std::int8_t>& valueCounts);
    using Left = std::array<double, 11 * kMostOfAValue>;
    static Left leftOf(const Shoe& shoe, int leftOut);
    // One walk for W shoes: sums[at(node)][shoe] += the node's orders times its falling
    // product of counts, for every node the dealer ends on; left[factor][shoe] the counts.
    template <int W, typename At>
    void sumOrders(const std::array<double, W>* left, At at, std::array<double, W>* sums) const;
    template <int W> void outcomesOf(const Shoe* const* shoes, int n, Distribution* chances) const;
    template <int W>
    void groupedSumsOf(const Shoe* const* shoes, int n, int pair, double* const* grouped) const;

    std::size_t firstLeaf_ = 1; // nodes before it have children; from it on, ending sets
    int up_;
    int maxDepth_ = 0;
};

} // namespace analysis

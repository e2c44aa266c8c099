#pragma once

#include "DealerTable.h"
#include "FlatMap.h"
#include "Held.h"
#include "Play.h"
#include "Rules.h"
#include "Shoe.h"

#include <cstdint>
#include <vector>

namespace analysis {

// The player's plays against one up card, composition-dependent: every card the player holds
// or has split away is out of the shoe, and every decision after a hit goes by the cards held
// (not just their total), each by its best play.
//
// Values are kept joint with "the dealer has no blackjack" where the dealer checks (its chance
// as one factor of every path, so that the player's draws need no conditioning: the hole card
// is as likely to be any card of the shoe as the next one drawn); the caller divides by that
// chance at the first decision. Without a hole card they are plain expected values, the
// dealer's blackjack one more outcome that takes every bet out.
//
// Splits are valued exactly by splitValue (Split.h).
class Solver {
public:
    Solver(const rules::Rules& rules, const DealerTable& dealer, const Shoe& withoutUpCard);

    // Walks the dealer's tree at once for every hand of the player that holds 21 or less, in
    // full batches: for a whole table, quicker than walking for each hand as it comes.
    void prepareEveryHand();

    // The values of every play the rules allow for a hand of these cards, unnormalised.
    PlayValues hand(const std::vector<int>& cards);
    // The chance that the dealer has a blackjack, given the cards out.
    double blackjackChance(const std::vector<int>& cards);
    // The second moment of the hand's outcome by this first play, in initial bets squared, each
    // later decision the best by value (joint with "no dealer blackjack" where the dealer checks,
    // like the values). Exact but for a split: its hands are taken as two, each played as the
    // same cards unsplit from the shoe less its own cards, and both against the same dealer's
    // hand.
    double moment(const std::vector<int>& cards, Play play);

private:
    void take(int value);
    void putBack(int value);
    double noBlackjack() const;

    double stand(const Held& held);
    // The dealer's sums for every hand one card on from this one that will be stood on (all
    // of them for a double), in one walk of the dealer's tree.
    void prepareStands(const Held& held, bool doubling);
    // The dealer's chances for the cards out now, from the sums of these cards but their aces.
    const Distribution& outcomes();
    // The dealer's chances for these sets of cards out but aces, with any aces: kBatch sets a
    // walk of the tree, those walked before left out.
    void walk(const std::uint64_t* keys, int n);
    double hit(const Held& held);
    double best(const Held& held);
    double doubleDown(const Held& held);
    double surrender() const;
    double standMoment(const Held& held);
    double hitMoment(const Held& held);
    double bestMoment(const Held& held);
    double splitMoment(int pair);
    // How a hand played from here by the best values ends, a bet of one: bust, at 16 or less,
    // or at 17 to 21; the cards of the hand out of the shoe.
    using Ending = std::array<double, 7>;
    Ending endingOf(const Held& held);
    FlatMap<Ending> endings_;
    // The sum over the next card of its chance times value(card), the card out of the shoe
    // while value runs.
    template <typename Value> double overNextCard(Value&& value);

    const rules::Rules& rules_;
    const DealerTable& dealer_;
    Shoe shoe_;
    std::uint64_t key_ = 0;  // the cards out of the shoe, 5 bits a value
    bool everyHand_ = false; // splits too walk for every hand at once
    FlatMap<double> best_;
    FlatMap<Distribution> outcomes_;
    FlatMap<double> bestMoments_;
    // The sets of cards out but aces whose dealer's chances are known, for every count of
    // aces: one walk of the dealer's tree with the aces as the pair (DealerTable's grouped
    // sums) gives them all.
    FlatMap<char> walked_;
    std::vector<double> scratch_;
    Shoe full_; // the shoe before the player's cards
};

} // namespace analysis

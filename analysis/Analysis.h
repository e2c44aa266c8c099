#pragma once

// The exact expected-value engine: what every play of a blackjack hand is worth under a
// table's rules, and what a whole round returns.
//
// How the parts meet: `Rules` (rules/) is the table, checked by Rules::problem() before
// anything is valued. `DealerTable` lists, once per up card, every set of
// cards the dealer can draw with its number of orders, so the dealer's outcome chances for any
// shoe are one pass over a small tree; a walk sums the sets by their aces (and a split's pair
// cards) too, so that shoes that differ only in those share it. `Solver` values the player's
// plays for one up card, recursing over the cards held and caching by the cards out of the
// shoe; for a whole table it walks the tree first for every hand it can stand on, ten shoes a
// walk. `splitValue` (Split.h) values a split exactly, resplits included. `Analysis` runs the
// solver for every two-card starting hand against every up card, the up cards shared out
// among the cores, and adds up a round; `roundMoments` gives a round's second moment too, and
// an Analysis made with a chooser keeps it from its own solvers. A shoe may be any composition,
// fractional counts included (Shoe.h): the average shoe at a count is valued as it is.
//
// Values are fractions of the initial bet. With a hole card they are given after the dealer
// has checked and has no blackjack; without one they include the loss to it.

#include "Held.h"
#include "Play.h"
#include "Rules.h"
#include "Shoe.h"

#include <array>
#include <functional>
#include <vector>

namespace analysis {

// Chooses the first play of a starting hand (card values 1..10, first <= second) against an
// up card; every later decision is the best one.
using PlayChooser = std::function<Play(int first, int second, int up)>;

class Analysis;
// Chooses the first play of a starting hand from an analysis's own values against the same up
// card (those against the others may not be known yet).
using OwnChooser = std::function<Play(const Analysis& analysis, int first, int second, int up)>;

// The mean and second moment of a round's outcome, in initial bets, the first play of every
// starting hand by a chooser and every later decision the best by value: for the variance.
// Exact but for splits (Solver::moment); insurance is never taken.
struct RoundMoments {
    double mean = 0;
    double second = 0;
    double variance() const { return second - mean * mean; }
};

class Analysis {
public:
    // A round dealt from the rules' decks, or from any shoe (the cards before the deal). The
    // up cards are shared out among `workers` threads (0: one a core). Throws
    // std::invalid_argument for rules or a shoe the engine cannot value (Rules::problem(),
    // shoeProblem()): a shoe too small to be sure of finishing a round is refused, not valued.
    explicit Analysis(const rules::Rules& rules);
    Analysis(const rules::Rules& rules, const Shoe& shoe, int workers = 0);
    // The same, and the round's moments with the first plays chosen from these values: the
    // second moment at little more than the values' cost, its walks sharing theirs.
    Analysis(const rules::Rules& rules, const Shoe& shoe, const OwnChooser& momentsBy);

    const rules::Rules& rules() const { return rules_; }
    const Shoe& shoe() const { return shoe_; }

    // The plays of a two-card starting hand (values 1..10, either order) against an up card.
    // A blackjack (an ace and a ten) has no decision and no values.
    const PlayValues& startingHand(int first, int second, int up) const;

    // The chance of being dealt these two cards (either order) and this up card.
    double dealChance(int first, int second, int up) const;
    // The chance that the dealer has a blackjack when these cards are dealt.
    double dealerBlackjackChance(int first, int second, int up) const;

    // The expected return of a round: by the best play of every starting hand, or by a chooser.
    // A blackjack pays as the rules say; insurance is never taken.
    double roundReturn() const;
    double roundReturn(const PlayChooser& choose) const;
    // The moments of a round by the chooser the analysis was made with; none without one.
    const RoundMoments& moments() const { return moments_; }

private:
    struct Cell {
        PlayValues values;
        double deal = 0;            // the chance of this deal
        double dealerBlackjack = 0; // the chance that the dealer has a blackjack
    };
    static int index(int first, int second);
    const Cell& cell(int first, int second, int up) const;
    void analyseUpCards(int workers);
    void analyseUpCard(int up);

    rules::Rules rules_;
    Shoe shoe_;
    std::array<std::array<Cell, 55>, 10> cells_{};
    OwnChooser momentsBy_;
    std::array<RoundMoments, 10> upMoments_{};
    RoundMoments moments_;
};

RoundMoments roundMoments(const rules::Rules& rules, const Shoe& shoe, const PlayChooser& choose);

// The plays the rules allow for a hand of these cards, without their values: stand and hit (hit
// below 21), and for two cards double, split and surrender where the rules allow them.
PlayValues allowedPlays(const rules::Rules& rules, const std::vector<int>& cards);

// The plays of a hand of any cards (values 1..10) against an up card: stand and hit, and for
// two cards double, split and surrender where the rules allow them; from the rules' decks, or
// from a shoe before the deal (the hand and the up card come out of it). Throws
// std::invalid_argument for a value out of range, more cards of a value than the shoe holds, or
// rules or a shoe the engine cannot value.
PlayValues analyseHand(const rules::Rules& rules, const std::vector<int>& cards, int up);
PlayValues analyseHand(const rules::Rules& rules, const Shoe& shoe, const std::vector<int>& cards,
                       int up);

// Every hand of two or more cards the player can hold from a shoe (the up card out of it) that
// totals 21 or less, with the values of the plays the rules allow it as a hand of these cards
// (stand and hit; for two cards double, split and surrender where allowed), each later decision
// by its best play: the plays of a composition-dependent strategy. Values as Solver keeps them,
// joint with "no dealer blackjack" where the dealer checks (a factor that orders the plays of one
// hand alike). The hands come in order of their cards, each sorted.
using HandVisitor = std::function<void(const std::vector<int>& cards, const PlayValues& values)>;
void everyHand(const rules::Rules& rules, const Shoe& shoe, int up, const HandVisitor& visit);

} // namespace analysis

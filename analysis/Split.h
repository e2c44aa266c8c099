#pragma once

// The exact value of splitting a pair, resplits included.
//
// The deal. After the pair and the up card, the shoe S holds m cards of the pair's value p among
// n. The hands are played one after the other; each takes a second card, a read: P for a pair
// card, O for any other. While fewer than the most hands are out, a P starts a new hand, played
// after the others, and an O ends the reading of the hand (it is then played out); once the most
// hands are made, every hand not yet read takes any card as its second (aces: two hands, one
// card each). The reads up to then form a pattern, e.g. O P O O: its chance is
// (m)_P (n - m)_O / (n)_(P+O), with P and O its counts and (a)_j = a (a-1) ... (a-j+1).
//
// One hand given the pattern. Every card the other hands take, hits included, is one this hand
// does not see. Taking out a card nobody sees leaves the chances of what follows as they were:
// the chance of any full placement of cards is a product of falling counts over the shoe's
// falling total, the same in whatever order the places are filled, and every choice depends on
// the chooser's own cards. So, given the pattern, a hand is worth what a hand from S less the
// pattern's a = P pair cards and b cards known not to be pair cards is worth: b is the
// pattern's other O reads, and the hand's own read is O (ended before the most) or unknown.
//
// Cards known not to be pair cards. Call V(a, b) that value. Over one card nobody sees, a pair
// card with chance v (given a pair cards and b - 1 others out):
//   V(a, b - 1) = v V(a + 1, b - 1) + (1 - v) V(a, b), so
//   V(a, b) = (V(a, b - 1) - v V(a + 1, b - 1)) / (1 - v),
// down to V(a + i, 0), i = 0 .. b: a hand from S less a + i pair cards and nothing else. Only
// pair cards are ever followed: lane L is S with L - 1 of them out, and the dealer's draws are
// summed once per hand for every lane (DealerTable::PairSums).
//
// The post-split strategy says whose best choices V(a', 0) is played by: CDZ- those for the
// shoe with the other pair card back (the same cards unsplit), CDP1 those for S; these are fixed
// choices, the sum is then the expectation over every order of the cards. CDP, as exact
// calculators count it, plays each V(a', 0) by the choices best for its own shoe, S less a'
// pair cards: the choices follow the pair cards the whole round splits, and the cards of the
// other hands that are not pair cards enter through the identity above.
//
// Checked: CDZ- and CDP1 against a full enumeration of every order of cards (three hands from
// one deck); all three against whole tables of an independent exact calculator.

#include "DealerTable.h"
#include "Rules.h"
#include "Shoe.h"

namespace analysis {

// The value of splitting a pair of `pair` from the shoe less the up card (the pair still in
// it), joint with "no dealer blackjack" where the dealer checks, like Solver's values.
// `everyHand`: the dealer's tree is walked first for every hand the split can stand on, in full
// batches (quicker where most of them are played, as in a whole table).
double splitValue(const rules::Rules& rules, const DealerTable& dealer, const Shoe& withoutUpCard,
                  int pair, bool everyHand = false);

} // namespace analysis

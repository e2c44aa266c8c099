#pragma once

// The exact value of splitting a pair, resplits included.
//
// The deal. After the pair and the up card, the shoe S holds m cards of the pair's value p among
// n. The hands are played one after the other: a hand takes cards until it holds p and one more
// card; a p taken while fewer than the most hands are out starts a new hand, played after the
// others (aces: two hands, one card each). Call each card taken that way a read, P for a pair
// card and O for any other. A round's reads form a pattern, e.g. P O O O for a resplit to three
// hands; every hand ends with one read of its own (O, or P once no more hands may be made).
//
// Orders do not matter. The chance of any full set of cards for the hands and the dealer, each
// card in its place, is a product of falling counts over the shoe's falling total: the same
// whatever order the places are filled in. Whether a deal is possible depends on where the
// cards lie, not on when they were drawn, as long as every choice depends only on the cards of
// the one who chooses: a hand's play on its own cards and on how many hands the pattern had
// made when it was played; the dealer's on the dealer's cards; each read on its type alone. So
// for one hand h the other hands' hits may be dealt last (they sum to 1), and so may the other
// reads of type O; the other P reads may be dealt first:
//
//   E[value of h, pattern] = (m)_j / (n)_j  *  sum over h's cards c and the dealer's cards d of
//       P(c, d | S less j p's) * value(c, d) * P(k more cards are not p | S less j p's, c, d)
//
// where j and k are the pattern's other P and O reads and (a)_j = a (a-1) ... (a-j+1). The last
// factor is the only trace of the other hands' cards: they need not be followed, only counted.
// It depends on how many cards c and d hold and how many of them are p, so the dealer's outcome
// chances are kept by that (DealerTable::outcomesThenOthers). The split's value is the sum of
// this over every pattern and every hand of it; patterns of equal counts share their terms.
//
// The post-split strategy says which shoe each hand's choices are best for: CDZ- the full shoe
// less the up card and the hand's cards; CDP1 that less the other pair card; CDP that less every
// other pair card split off when the hand is played. The values are always those of the real
// shoe. All these shoes differ from one another only in their pair cards, so the dealer's draws
// are summed once per hand and read off for every count of pair cards (DealerTable::PairSums).
//
// Checked against a full enumeration of every order of cards (three hands from one deck) and
// against whole tables of an independent exact calculator.

#include "DealerTable.h"
#include "Rules.h"
#include "Shoe.h"

namespace analysis {

// The value of splitting a pair of `pair` from the shoe less the up card (the pair still in
// it), joint with "no dealer blackjack" where the dealer checks, like Solver's values.
double splitValue(const Rules& rules, const DealerTable& dealer, const Shoe& withoutUpCard,
                  int pair);

} // namespace analysis

#pragma once

// Playing a shoe by a count: the count the player goes by at a moment of the shoe, the index
// play of a hand there, insurance by its index, and what a bet off the ramp costs. Plain C++:
// the drill grades by it.

#include "CountLab.h"

#include <vector>

namespace counting {

// The count the player goes by with `runningCount` (the initial running count included) and
// `cardsLeft` in the shoe: the true count by the conventions for a balanced system, the running
// count for an unbalanced one; and as a whole count, the one at or below it, as the index
// tables read it.
double countToGoBy(const Game& game, double runningCount, int cardsLeft);
int wholeCount(double count);

// The play the index table makes for a hand (values 1..10) against an up card at a whole
// count: the basic chart's play, changed at every index the count reaches; a surrender index
// where the hand may surrender. A play the hand may not make now falls back as a chart's does:
// a double to the better of hit and stand, a split to the hand's total.
analysis::Play indexPlay(const IndexTable& table, const std::vector<int>& cards, int up, int count,
                         const analysis::PlayValues& allowed);
// The basic chart's play for the same hand, the count left out.
analysis::Play basicPlay(const IndexTable& table, const std::vector<int>& cards, int up,
                         const analysis::PlayValues& allowed);

// The exact values of a hand's plays (values 1..10) against an up card on the cards a player
// has not seen (`unseen`, by value, the hole card among them). Near the cut card these may be
// too few for the engine to be sure of finishing a round: then the same mix is valued, taken
// twice or as many times as it needs, and *copies says how many (1 for the cards as they are).
analysis::PlayValues valuesOnCardsLeft(const rules::Rules& rules, const std::array<int, 11>& unseen,
                                       const std::vector<int>& cards, int up, int* copies);

// The value of insuring, per unit of the initial bet (half of it staked, paid 2 to 1), on the
// cards not seen: 0.5 (3 p - 1), p the chance that the hole card is a ten.
double insuranceValue(const std::array<int, 11>& unseen);

// Whether to insure at this count.
bool insureAt(const IndexTable& table, int count);
// The insurance index, if the count has one.
std::optional<int> insuranceIndex(const IndexTable& table);

// What a bet is worth to a player with a bankroll B, in units: CE(b) = b a - b^2 s / (2 B), a
// the advantage of a round and s its variance, per unit bet.
double certaintyEquivalent(double bet, double advantage, double variance, double bankroll);

struct BetGrade {
    double rampBet = 1;   // what the ramp bets at the count
    double cost = 0;      // the certainty equivalent the bet loses against it, in units
    double advantage = 0; // of a round at the count, per unit bet
    bool right = false;
};
// A bet at a whole count against the game's ramp, at the game's bankroll, a round's worth from
// countRounds(game) (its ends stand for the counts beyond). A bet worth more than the ramp's
// costs nothing.
BetGrade gradeBet(const Game& game, const std::vector<CountRound>& rounds, int count, double bet);

// The answers of the count drills: right within a hair of the true figure (a system of
// fractions counts in halves).
inline constexpr double kCountHair = 1e-6;
bool sameCount(double given, double right);

} // namespace counting

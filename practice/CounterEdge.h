#pragma once

// What a counter's own answers make of the game: the win rate per 100 rounds at their ramp by
// the plan's figures, less what each kind of mistake costs, from the answers of the history
// with the count in force.
//
// How each kind is priced, per 100 rounds, in units:
// - bets off the ramp: the certainty equivalent each bet lost against the ramp's, on average;
// - indices missed (insurance among them) and basic plays missed: what the answers lost against
//   the index play on the cards that were left, over the rounds bet;
// - running and true counts missed: a count off by e bets as the ramp does at the count off by
//   e (a true count anywhere in its whole count's step, so that half a count off moves half of
//   them); what that loses at each count, weighted by how often it comes up, averaged over the
//   answers. A running count's error is turned into a true count's over the decks left where it
//   was asked (a drill's, over the decks left on average in the shoe).

#include "CountPlan.h"
#include "HistoryQueries.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace practice {

struct CounterEdge {
    double perfectPer100 = 0; // the game played without a mistake, units per 100 rounds
    double yoursPer100 = 0;
    int rounds = 0; // rounds bet with the count
    struct Kind {
        QString name;
        int answers = 0;
        int missed = 0;
        double costPer100 = 0; // units
    };
    enum { RunningCounts, TrueCounts, Bets, Indices, BasicPlays };
    std::array<Kind, 5> kinds;
    // The costliest index plays and counts, in words with their cost, the costliest first.
    std::vector<std::pair<QString, double>> study;
};

// What a true count off by `error` costs a round at the plan's ramp, in units.
double countMissCost(const CountPlan& plan, double error);

// How far a count answer's true count was off: a true count's own error; a running count's
// (a drill's or a count check's) over the decks left where it was asked, a drill's over the
// decks left on average in the shoe. Nothing for the other kinds.
std::optional<double> trueCountError(const counting::Game& game, const CountAnswer& answer);

// From the counting records of the plan's system (History::countRecords()).
CounterEdge counterEdge(const CountPlan& plan, const CountRecords& records);

} // namespace practice

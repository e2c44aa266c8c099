#pragma once

// What a player's own answers cost at a table: the expected return of a round played their way
// against the right play (the best one at their own table, the chart's at a chart), from how
// often each cell of the chart is dealt, the mix of their answers in it and the engine's values.
// Cells never answered count as played right.

#include "HandDealer.h"
#include "Table.h"

#include "Analysis.h"

#include <functional>
#include <vector>

namespace practice {

struct CellCost {
    GridCell cell;
    double dealt = 0;     // the chance of a round being dealt this cell
    double cost = 0;      // what the mix of answers costs a round on average, in bets
    double missShare = 0; // the share of answers that are not the right play
    analysis::Play rightPlay = analysis::Play::Stand; // for the cell's most dealt hand
};

struct Edge {
    double reference = 0;           // a round's return by the right plays
    double yours = 0;               // by the player's answers
    int unanswered = 0;             // cells with a decision never answered
    std::vector<CellCost> answered; // the answered cells, the costliest first
    double cost() const { return reference - yours; }
};

// The answers of a cell, any order (the last ones the player gave).
using AnswersOf = std::function<std::vector<analysis::Play>(const GridCell&)>;

Edge edgeOf(const analysis::Analysis& analysis, const Table& table, const AnswersOf& answersOf);

} // namespace practice

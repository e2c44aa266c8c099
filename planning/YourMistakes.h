#pragma once

// A player's own mistakes, from the drill's counting records, as the simulator plays them
// (simulation::Mistakes, written by mistakesCsv for --mistakes):
// - how far the true count was off: the true counts answered, and the running counts turned
//   into true counts over the decks left where they were asked, each error rounded to a whole
//   count and the ends taking everything beyond two;
// - index plays and basic plays missed: the decisions of the count in force whose right play
//   was (or was not) an index play, by chart cell, and over all of them;
// - bets off the ramp: the bets answered that were not the ramp's.

#include "HistoryQueries.h"
#include "Mistakes.h"

#include "Game.h"

namespace planning {

simulation::Mistakes yourMistakes(const counting::Game& game,
                                  const practice::CountRecords& records);

} // namespace planning

#include "Figures.h"
#include "LabTable.h"

#include <QString>

#include <utility>
#include <vector>

namespace planning {

// Each kind of mistake alone: the count off, index plays missed, basic plays missed, bets off
// the ramp; only the kinds the player makes.
std::vector<std::pair<QString, simulation::Mistakes>> mistakeKinds(const simulation::Mistakes& all);

// The mistakes as a table: a row a kind, with its chance.
LabTable mistakesTable(const simulation::Mistakes& mistakes);

// The game played perfectly (the first run), as the player plays it (the second), and with each
// kind of mistake alone (the rest): the win an hour of each, and what the mistakes cost an hour
// against the first.
LabTable bothWaysTable(const std::vector<std::pair<QString, simulation::SimFigures>>& runs,
                       const counting::Game& game);

} // namespace planning

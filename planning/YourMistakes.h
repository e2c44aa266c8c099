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

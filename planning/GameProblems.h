#pragma once

// What is wrong with a game as the lab's form holds it, field by field, in the words shown
// beside the field: the form refuses the game until each is mended.

#include "Game.h"

#include <QString>

#include <map>

namespace planning {

enum class Field { Seat, Spots, WongOut, TableMax, Ramp };

std::map<Field, QString> gameProblems(const counting::Game& game);

} // namespace planning

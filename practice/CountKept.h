#pragma once

#include "Game.h"

#include <QSettings>

#include <optional>

namespace practice {

// The drill's count in force as its settings keep it (the game's one text form under "game"),
// read and written by the drill and by the lab, whose shelf shows it.

// The drill's own settings, from any program of the suite.
inline constexpr const char* kDrillOrganisation = "hitwise";
inline constexpr const char* kDrillApplication = "hitwise-drill";

// Nothing for none, or for one that no longer reads. A count kept by an earlier version (its
// counting options, without the rules) reads as well.
std::optional<counting::Game> keptCount(const QSettings& settings);
// Keeps it; false where it was kept already.
bool keepCount(QSettings& settings, const counting::Game& game);

} // namespace practice

#pragma once

// The best ramp within each spread a counter asks about, and the bankroll a risk of ruin asks
// for: the game's rounds weighed again, with no new work for the engine.

#include "CountLab.h"

#include <optional>
#include <string>
#include <vector>

namespace planning {

struct SpreadWorth {
    int spread = 1;                // the largest bet over the smallest
    std::string ramp;              // whole units, as --ramp takes it
    counting::GameFigures figures; // the game with that ramp
};

// For spreads of 1-4, 1-8, 1-12 and 1-16, those within the game's table maximum: the ramp of
// whole units that maximises SCORE, and what the game is worth with it.
std::vector<SpreadWorth> bestSpreads(const counting::Game& game,
                                     const std::vector<counting::CountRound>& rounds);

// The bankroll, in units, whose risk of ruin is `risk` (0 to 1, both excluded) at this game's
// win and deviation: the inverse of exp(-2 w B / sigma^2). Nothing where the game does not win.
std::optional<double> bankrollFor(double risk, const counting::GameFigures& figures);

} // namespace planning

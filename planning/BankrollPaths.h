#pragma once

// What a bankroll goes through, from the count lab's win and deviation a round: the risk of
// ruin at each bankroll, and a trip's paths with the band that holds 90 % of them. A trip is a
// normal walk of the game's rounds (the sum of many rounds is close to normal), its paths drawn
// from a seed so that the same game draws the same.

#include "CountLab.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace planning {

// (bankroll, risk of ruin) from none to `most` units, `points` of them.
std::vector<std::pair<double, double>> ruinCurve(const counting::GameFigures& figures, double most,
                                                 int points = 41);

struct TripPlot {
    std::vector<double> hours;              // the points of time
    std::vector<std::vector<double>> paths; // units won by then, a path each
    std::vector<double> low, mean, high;    // the band of 90 % and its middle
};
// `hours` of play at the game's rounds an hour, `paths` paths, 60 points each.
TripPlot tripPlot(const counting::Game& game, const counting::GameFigures& figures, double hours,
                  int paths, std::uint64_t seed = 1);

} // namespace planning

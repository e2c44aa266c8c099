#pragma once

#include "Count.h"

#include <array>
#include <map>

namespace counting {

// How often each running count (the sum of the tags seen, the initial running count left out)
// comes up once `seen` cards of a shoe (its counts by value, 1 the ace to 10) are seen. Exact:
// the cards seen of each group of equal tags are multivariate hypergeometric. Keys are the
// counts; the chances add up to 1.
std::map<double, double> runningCounts(const CountSystem& system, const std::array<int, 11>& shoe,
                                       int seen);

// How often each count the player goes by comes up at that depth of a shoe of `decks`: the true
// count by the conventions for a balanced system, the running count from the initial running
// count for an unbalanced one.
std::map<double, double> countFrequencies(const CountSystem& system, const Conventions& conventions,
                                          int decks, int seen);

} // namespace counting

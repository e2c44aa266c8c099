#pragma once

#include "Count.h"

#include <array>
#include <map>
#include <optional>
#include <utility>
#include <vector>

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

// The cards left of each value (1 the ace to 10), on average over the ways of seeing `seen`
// cards of a shoe that give the count the player goes by (as countFrequencies keys it) this
// value: exact, the cards seen of each tag group counted by their chance given the count, the
// values within a group in proportion (as, given the group's count, they are). The shoe is a
// full shoe of whole decks (an unbalanced count starts from its decks). Fractional; nothing if
// that count never comes up.
std::optional<std::array<double, 11>> expectedLeft(const CountSystem& system,
                                                   const Conventions& conventions,
                                                   const std::array<int, 11>& shoe, int seen,
                                                   double count);

// The same for a full shoe of `decks` at several depths at once (cards seen, and a weight for
// each): for every count the player goes by, one entry per depth where it comes up, its chance
// there times the depth's weight, and the cards left on average there given the count.
struct AtDepth {
    double chance = 0;
    std::array<double, 11> left{};
};
std::map<double, std::vector<AtDepth>>
countsAtDepths(const CountSystem& system, const Conventions& conventions, int decks,
               const std::vector<std::pair<int, double>>& depths);

} // namespace counting

#pragma once

#include "Count.h"

#include <array>
#include <map>
#include <utility>
#include <vector>

namespace counting {

// The depths at which the rounds of a shoe of `decks` are dealt, as cards seen before each
// round starts, with their weights (adding up to 1): every round of the shoe once, up to the
// cut card at `penetration` (the part of the shoe dealt), rounds spaced by the cards a round
// takes on average with `players` at the table (kCardsPerHand a hand, the dealer's too).
inline constexpr double kCardsPerHand = 2.7;
std::vector<std::pair<int, double>> roundDepths(int decks, double penetration, int players);

// What the counts the player goes by look like over those depths: how often each comes up
// (frequencies add up to 1), and the cards left of each value on average where it does.
// Exact: from the tag groups, the cards seen of each group counted by their chance given the
// count, the values within a group in proportion (CountFrequency.h), averaged over the depths
// by their weights times the count's chance there.
struct CountsOverDepths {
    std::map<double, double> frequency;
    std::map<double, std::array<double, 11>> left; // fractional, by value (1 the ace, 10)
};
CountsOverDepths countsOverDepths(const CountSystem& system, const Conventions& conventions,
                                  int decks, const std::vector<std::pair<int, double>>& depths);

} // namespace counting

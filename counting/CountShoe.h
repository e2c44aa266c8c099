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

// Fractional cards left as a shoe of whole cards: the total rounded, then each tag group's
// cards and within a group each value's, every share by largest remainders. Each value is off
// from the fraction by less than one card, each group's count by less than one card's tag.
std::array<int, 11> wholeCards(const CountSystem& system, const std::array<double, 11>& left);

// Whole shoes whose average, by their weights, is the fractional shoe: with `steps` 0 exactly
// (up to eleven shoes: the fractions rounded down, then one card back at a time, the largest
// fraction first, each shoe weighted by the step of fractions it stands for); with `steps` K,
// K shoes of equal weight, each fraction taken to the nearest Kth, so that the average is
// within 1/(2K) of a card of each value. The engine's figures of the mixture are those of the
// real shoes to the first order, where one rounded shoe is off by the rounding.
std::vector<std::pair<double, std::array<int, 11>>> wholeMixture(const std::array<double, 11>& left,
                                                                 int steps);

} // namespace counting

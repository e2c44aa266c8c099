#pragma once

// A counter's whole game as one value, plain C++: the table's rules, the count and its
// conventions, where in the shoe rounds are dealt, the bets and the bankroll, and how the
// simulator seats the player. The count lab (CountLab.h) values it exactly from the average shoe
// at each count; the options (options/CountOptions.h) read and write its one text form, the
// counting options as the programs take them.

#include "Count.h"
#include "Rules.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace counting {

// Units bet by count, ascending: the first below the lowest count named, each from its count
// up to the next. Empty: flat bets of one unit.
using Ramp = std::vector<std::pair<int, double>>;

struct Game {
    rules::Rules rules;
    CountSystem system = builtInSystems()[0]; // Hi-Lo
    Conventions conventions;
    std::optional<double> depth; // decks dealt; or every round up to the cut card
    double penetration = 0.75;   // the part of the shoe dealt before the shuffle
    int players = 1;             // at the table, the counter among them

    Ramp ramp;
    std::optional<int> leaveBelow; // the counter leaves the table below this count
    double bankroll = 1000;        // units, for the risk of ruin and a bet's certainty equivalent
    double roundsPerHour = 100;
    std::optional<int> maxSpread; // the largest bet over the smallest, for the best ramp

    // How the simulator seats and plays the counter.
    std::optional<int> seat;        // 1 is first base; nothing: the last seat
    int spots = 1;                  // hands a round, each with the ramp's bet
    std::optional<int> wongIn;      // watch from behind, and sit down at this count or above
    std::optional<int> wongOut;     // leave below it, then watch again until wongIn
    std::optional<double> tableMax; // units: no bet above it

    // The ramp's bet at a whole count, within the table maximum.
    double betAt(int count) const;
    // Whether the counter plays a round that starts at this count, by the count lab's reckoning:
    // not below --leave-below nor below --wong-in (Wonging out is the simulator's alone).
    bool playsAt(int count) const;
    bool operator==(const Game& other) const;
    bool operator!=(const Game& other) const { return !(*this == other); }
};

inline bool playsAt(const Game& game, int count) {
    return game.playsAt(count);
}

// Whether two games deal the same rounds at the same counts (the rules, the count and its
// conventions, where rounds are dealt): the count lab's analyses of one serve the other, whose
// bets, bankroll and plan are only weighed again.
bool sameDeal(const Game& a, const Game& b);

// A ramp as "1:1,2:2,3:4,4:8" writes it (count:units, any order); nothing, and *why says what
// is wrong, for a text that is not one.
std::optional<Ramp> rampOf(const std::string& text, std::string* why);
// The same text of a ramp, in order of count: "1:1,2:2,3:4,4:8".
std::string rampText(const Ramp& ramp);
// A number in the fewest digits that read back as the same double: "0.75", "2.5", "1000".
std::string numberText(double value);

} // namespace counting

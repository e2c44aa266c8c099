#pragma once

// The player's own mistakes, as a small CSV the simulator reads (--mistakes) and the lab writes
// from the drill's history. A row a kind:
//   kind,what,up,chance
//   count,-1,,0.06        the true count a bet or a decision uses is off by -1 (or -2 ... +2)
//   index,16,10,0.3       an index play of this cell missed (the basic play made instead)
//   index,all,,0.1        every index play, where a cell has no row of its own
//   basic,"A,7",3,0.05    a basic-strategy miss in this cell: its second-best play made instead
//   basic,all,,0.01
//   bet,,,0.1             a bet off the ramp: the ramp's bet a count higher or lower
// A hand as the index forms name it ("16", "A,7", "8,8"), an up card 2 to 10 or A, a chance from
// 0 to 1. Lines that start with # are notes.

#include <array>
#include <map>
#include <optional>
#include <string>
#include <utility>

namespace simulation {

struct Mistakes {
    std::array<double, 5> countOff{}; // the chance of being off by -2, -1, (0), +1, +2
    double indexAll = 0;
    std::map<std::pair<int, int>, double> index; // by chart row and up card
    double basicAll = 0;
    std::map<std::pair<int, int>, double> basic;
    double betOff = 0;

    double indexMiss(int row, int up) const;
    double basicMiss(int row, int up) const;
    bool operator==(const Mistakes& other) const;
};

// The mistakes of such a text; nothing, and *why (naming the line), for one that does not read.
std::optional<Mistakes> mistakesOf(const std::string& text, std::string* why);
// The same as text, every chance that is not 0.
std::string mistakesCsv(const Mistakes& mistakes);

} // namespace simulation

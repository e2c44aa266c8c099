#pragma once

// The table as a casino deals it, one block of a run: whole shoes (or, with a continuous
// shuffler, rounds) from the block's own streams of the generator, the counter's seats and the
// other players', every card seen counted as it shows, the dealer's play, and each round's
// settlement added to the block's totals. The hot loop: it reads only the Plan's tables.

#include "Plan.h"
#include "Totals.h"

#include <cstdint>
#include <vector>

namespace simulation {

// The totals of block `block` of a run by this plan: the same whichever thread or process deals
// it.
Totals dealBlock(const Plan& plan, std::uint64_t block);

// The cards the first shoe of a block deals, in order, to the cut card and beyond until `cards`
// are out (the burn cards first): the shuffle and the draws as the table makes them.
std::vector<int> firstShoe(const Plan& plan, std::uint64_t block, int cards);

} // namespace simulation

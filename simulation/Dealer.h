#pragma once

// The table as a casino deals it, one block of a run: whole shoes (or, with a continuous
// shuffler, rounds) from the block's own streams of the generator, the counter's seats and the
// other players', every card seen counted as it shows, the dealer's play, and each round's
// settlement added to the block's totals. The hot loop: it reads only the Plan's tables.

#include "Plan.h"
#include "Totals.h"

#include <cstdint>

namespace simulation {

// The totals of block `block` of a run by this plan: the same whichever thread or process deals
// it.
Totals dealBlock(const Plan& plan, std::uint64_t block);

} // namespace simulation

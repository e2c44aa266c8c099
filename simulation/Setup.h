#pragma once

// What a simulation is asked to deal, as one value: the counter's game (counting::Game: the
// rules, the count and its conventions, the table, the bets), and what the simulator adds: how
// the shoe is shuffled, how the counter plays, the player's own mistakes, and how long to run.

#include "CountLab.h"
#include "Mistakes.h"

#include <cstdint>
#include <optional>

namespace simulation {

// Basic strategy as a player learns it, the best play of each total (the chart of the full shoe),
// or the best play of each composition of the hand.
enum class Strategy { Total, Composition };
// Where the index plays come from: the count lab's for this game, a file, or none.
enum class IndexSource { Lab, File, None };

struct Setup {
    counting::Game game;
    bool counting = false; // a count is kept: bets by the ramp, plays by the indices
    Strategy strategy = Strategy::Total;
    IndexSource indexSource = IndexSource::Lab;
    counting::IndexTable fileIndices; // the plays of an index file (its basic chart aside)
    bool csm = false;                 // a continuous shuffler: every round from the full shoe
    int burn = 1;                     // cards burnt after each shuffle
    std::optional<Mistakes> mistakes;
    std::optional<int> trip; // rounds played a trip, for the chance of losing the bankroll
    std::uint64_t seed = 1;
    std::int64_t rounds = 100'000'000;
    std::optional<double> seconds; // instead of the rounds: deal until then
    int threads = 0;               // 0: every core
};

} // namespace simulation

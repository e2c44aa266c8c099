#pragma once

#include "CountPlay.h"

#include <QString>

#include <array>
#include <memory>
#include <vector>

namespace practice {

// What playing a shoe with a count needs, worked out once for a game (a few seconds: it is done
// off the window's thread): the index plays, and each count's round for grading bets.
struct CountPlan {
    counting::Game game;
    counting::IndexTable indices;
    std::vector<counting::CountRound> rounds;
};
std::shared_ptr<const CountPlan> planCount(const counting::Game& game);

// How the history names a system: its id ("hilo"), or "tags:" and its tags for one of the
// player's own.
QString systemKey(const counting::CountSystem& system);

// "+2", "0", "-1.5": a count as the drill writes it.
QString countText(double count);
// "true count +2", "running count -3": the count the player goes by, by name.
QString countNamed(const counting::Game& game, double count);

// The running count of the cards seen: the initial running count and the tags of every card of
// `whole` that is not `unseen`.
double runningCountOf(const counting::CountSystem& system, int decks,
                      const std::array<int, 11>& whole, const std::array<int, 11>& unseen);

} // namespace practice

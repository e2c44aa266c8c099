#include "Plan.h"

#include "CountPlay.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace simulation {

using analysis::Play;
using analysis::PlayValues;

namespace {

PlayValues allowing(std::initializer_list<Play> plays) {
    PlayValues values;
    for (Play play : plays)
        values.set(play, 0);
    return values;
}

// What a hand of two cards may do: as dealt, or after a split (no surrender; a double only
// with double after split; a split while more hands may be made, never aces again).
PlayValues firstAllowed(const rules::Rules& r, int a, int b) {
    PlayValues allowed = allowing({Play::Stand, Play::Hit});
    const int hard = a + b;
    if (r.mayDouble(hard, a == 1 || b == 1)) allowed.set(Play::Double, 0);
    if (a == b) allowed.set(Play::Split, 0);
    if (r.surrender) allowed.set(Play::Surrender, 0);
    return allowed;
}
PlayValues splitAllowed(const rules::Rules& r, int a, int b, bool resplit) {
    PlayValues allowed = allowing({Play::Stand, Play::Hit});
    if (r.doubleAfterSplit && r.mayDouble(a + b, a == 1 || b == 1)) allowed.set(Play::Double, 0);
    if (a == b && resplit && a != 1) allowed.set(Play::Split, 0);
    return allowed;
}

// Three cards or more that make a total, hard or soft, as a chart reads them.
std::vector<int> laterCards(int total, bool soft) {
    if (soft) {
        const int hard = total - 10; // 2 to 11
        return hard <= 2 ? std::vector<int>{1, 1, 1} : std::vector<int>{1, 1, hard - 2};
    }
    if (total - 4 <= 10) return {2, 2, total - 4};
    return {2, total - 12, 10};
}
bool laterExists(int total, bool soft) {
    return soft ? total >= 13 && total <= 21 : total >= 6 && total <= 21;
}

// Every hand's play against every up card, by a chooser of (cards, up, allowed).
template <typename Choose>
PlayTables tablesOf(const rules::Rules& r, int low, int bins, Choose choose) {
    PlayTables t;
    t.low = low;
    t.bins = bins;
    t.first.assign(std::size_t(bins * 10 * kPairs), 0);
    t.split.assign(std::size_t(bins * 10 * kPairs * 2), 0);
    t.later.assign(std::size_t(bins * 10 * kLater), 0);
    for (int bin = 0; bin < bins; ++bin) {
        const int count = low + bin;
        for (int up = 1; up <= 10; ++up) {
            for (int a = 1; a <= 10; ++a) {
                for (int b = a; b <= 10; ++b) {
                    const int pair = pairIndex(a, b);
                    const std::size_t at = std::size_t((bin * 10 + up - 1) * kPairs + pair);
                    t.first[at] = std::uint8_t(choose({a, b}, up, count, firstAllowed(r, a, b)));
                    for (int resplit = 0; resplit < 2; ++resplit) {
                        t.split[at * 2 + std::size_t(resplit)] = std::uint8_t(
                            choose({a, b}, up, count, splitAllowed(r, a, b, resplit == 1)));
                    }
                }
            }
            for (int soft = 0; soft < 2; ++soft) {
                for (int total = 4; total <= 21; ++total) {
                    if (!laterExists(total, soft)) continue;
                    // 21 stands, as every total past it reads (the zeros, in places no soft
                    // total takes), so that the hot loop asks only for the next play.
                    t.later[std::size_t((bin * 10 + up - 1) * kLater + laterIndex(total, soft))] =
                        std::uint8_t(total == 21 ? Play::Stand
                                                 : choose(laterCards(total, soft), up, count,
                                                          allowing({Play::Stand, Play::Hit})));
                }
            }
        }
    }
    return t;
}

// The smallest scale that makes every tag a whole number (a hundredth at the finest).
int tagScaleOf(const counting::CountSystem& system) {
    for (int scale = 1; scale <= 100; ++scale) {
        bool whole = true;
        for (int v = 1; v <= 10; ++v) {
            const double scaled = system.tags[std::size_t(v)] * scale;
            whole = whole && std::abs(scaled - std::round(scaled)) < 1e-9;
        }
        if (whole) return scale;
    }
    throw std::invalid_argument("the tags are not whole hundredths");
}

} // namespace

int chartRowOf(const std::vector<int>& cards) {
    if (cards.size() == 2) return charts::rowOfHand(cards[0], cards[1]);
    const analysis::Held held = analysis::holding(cards);
    if (held.soft() && held.total() >= 13 && held.total() <= 21)
        return charts::rowOfHand(1, held.total() - 11);
    const int total = held.total();
    if (total < 5 || total > 19) return -1;
    return total <= 11 ? charts::rowOfHand(2, total - 2) : charts::rowOfHand(10, total - 10);
}

int Plan::count(int running, int left) const {
    if (!countAt.empty()) {
        return countAt[std::size_t((running - countLow) * (cards + 1) + left)];
    }
    const double count = counting::countToGoBy(setup.game, double(running) / tagScale, left);
    return std::clamp(counting::wholeCount(count), -100, 100);
}

Plan makePlan(const Setup& setup, const counting::IndexTable& indices) {
    Plan plan;
    plan.setup = setup;
    const counting::Game& game = setup.game;
    plan.rules = game.rules;
    plan.cards = 52 * game.rules.decks;
    plan.cutAt = std::clamp(int(std::lround(game.penetration * plan.cards)), 1, plan.cards - 1);
    plan.players = game.players;
    plan.spots = game.spots;
    plan.seat = (game.seat ? *game.seat : game.players - game.spots + 1) - 1;
    plan.counting = setup.counting;

    // The basic chart: the full shoe's best plays; the other players follow it.
    counting::IndexTable basic;
    basic.basic = indices.basic.rows.empty() ? charts::bestPlayChart(analysis::Analysis(game.rules))
                                             : indices.basic;
    auto basicPlay = [&](const std::vector<int>& cards, int up, int, const PlayValues& allowed) {
        return counting::basicPlay(basic, cards, up, allowed);
    };
    plan.basic = tablesOf(game.rules, 0, 1, basicPlay);
    plan.counter = plan.basic;

    if (setup.counting) {
        const counting::CountSystem& system = game.system;
        plan.tagScale = tagScaleOf(system);
        int lowest = 0, highest = 0;
        for (int v = 1; v <= 10; ++v) {
            plan.tags[std::size_t(v)] =
                int(std::lround(system.tags[std::size_t(v)] * plan.tagScale));
            const int many = (v == 10 ? 16 : 4) * game.rules.decks;
            (plan.tags[std::size_t(v)] < 0 ? lowest : highest) += many * plan.tags[std::size_t(v)];
        }
        plan.initialCount =
            int(std::lround(system.initialRunningCount(game.rules.decks) * plan.tagScale));
        plan.countLow = plan.initialCount + lowest;
        plan.countSpan = highest - lowest + 1;
        if (std::int64_t(plan.countSpan) * (plan.cards + 1) <= 4'000'000) {
            plan.countAt.resize(std::size_t(plan.countSpan) * std::size_t(plan.cards + 1));
            for (int running = 0; running < plan.countSpan; ++running) {
                for (int left = 0; left <= plan.cards; ++left) {
                    const double count = counting::countToGoBy(
                        game, double(plan.countLow + running) / plan.tagScale, left);
                    plan.countAt[std::size_t(running * (plan.cards + 1) + left)] =
                        std::int8_t(std::clamp(counting::wholeCount(count), -100, 100));
                }
            }
        }
        for (int c = Plan::kBetLow; c <= Plan::kBetHigh; ++c)
            plan.bets[std::size_t(c - Plan::kBetLow)] = game.betAt(c);
        counting::IndexTable counted = indices;
        counted.basic = basic.basic;
        if (setup.indexSource == IndexSource::None) counted.plays.clear();
        int low = 0, high = 0;
        for (const counting::IndexPlay& play : counted.plays) {
            if (play.insurance) {
                plan.hasInsurance = true;
                plan.insuranceIndex = play.index;
                continue;
            }
            low = std::min(low, play.index - 1);
            high = std::max(high, play.index);
        }
        plan.counter = tablesOf(
            game.rules, low, high - low + 1,
            [&](const std::vector<int>& cards, int up, int count, const PlayValues& allowed) {
                return counting::indexPlay(counted, cards, up, count, allowed);
            });
    } else {
        plan.bets.fill(1.0);
    }

    if (setup.mistakes) {
        // The second-best play of each hand by the full shoe's values of its cell.
        const analysis::Analysis full(game.rules);
        plan.second =
            tablesOf(game.rules, 0, 1,
                     [&](const std::vector<int>& cards, int up, int, const PlayValues& allowed) {
                         const Play best = counting::basicPlay(basic, cards, up, allowed);
                         const int row = chartRowOf(cards);
                         if (row < 0 || cards.size() > 2)
                             return best == Play::Hit ? Play::Stand : Play::Hit;
                         const PlayValues& values = full.startingHand(cards[0], cards[1], up);
                         PlayValues mine;
                         for (Play p : analysis::kAllPlays) {
                             if (allowed.allows(p) && values.allows(p) && p != best)
                                 mine.set(p, values[p]);
                         }
                         return mine.best();
                     });
        const std::size_t hands = kPairs * 3 + kLater;
        plan.indexMiss.assign(10 * hands, 0);
        plan.basicMiss.assign(10 * hands, 0);
        for (int up = 1; up <= 10; ++up) {
            auto note = [&](std::size_t hand, int row) {
                if (row < 0) return;
                plan.indexMiss[std::size_t(up - 1) * hands + hand] =
                    float(setup.mistakes->indexMiss(row, up));
                plan.basicMiss[std::size_t(up - 1) * hands + hand] =
                    float(setup.mistakes->basicMiss(row, up));
            };
            for (int a = 1; a <= 10; ++a) {
                for (int b = a; b <= 10; ++b) {
                    const int row = charts::rowOfHand(a, b);
                    for (int context = 0; context < 3; ++context)
                        note(std::size_t(context * kPairs + pairIndex(a, b)), row);
                }
            }
            for (int soft = 0; soft < 2; ++soft) {
                for (int total = 4; total <= 21; ++total) {
                    if (laterExists(total, soft))
                        note(std::size_t(3 * kPairs + laterIndex(total, soft)),
                             chartRowOf(laterCards(total, soft)));
                }
            }
        }
    }

    if (setup.strategy == Strategy::Composition) {
        const analysis::Shoe shoe = analysis::Shoe::ofDecks(game.rules.decks);
        for (int up = 1; up <= 10; ++up) {
            auto& plays = plan.composition[std::size_t(up - 1)];
            analysis::everyHand(
                game.rules, shoe, up, [&](const std::vector<int>& cards, const PlayValues& values) {
                    std::uint64_t key = 0;
                    for (int card : cards)
                        key += cardBit(card);
                    auto bestOf = [&](const PlayValues& allowed) {
                        PlayValues mine;
                        for (Play p : analysis::kAllPlays) {
                            if (allowed.allows(p) && values.allows(p)) mine.set(p, values[p]);
                        }
                        return std::uint8_t(mine.best());
                    };
                    CompositionPlays c;
                    c.first = std::uint8_t(values.best());
                    c.later = bestOf(allowing({Play::Stand, Play::Hit}));
                    c.split = cards.size() == 2
                                  ? bestOf(splitAllowed(game.rules, cards[0], cards[1], false))
                                  : c.later;
                    plays[key] = c;
                });
        }
    }

    // Blocks of whole shoes (a fresh shoe each) of some 32,768 rounds, whatever the shoe: a few
    // milliseconds of dealing, so that handing blocks out and adding them up costs next to
    // nothing, and a run of a million rounds has the 30 blocks its errors want. Large enough to
    // hold a few trips.
    constexpr double kRoundsABlock = 32768;
    const double cardsARound = 5.5 * (plan.players + 1) / 2;
    const double roundsAShoe = std::max(1.0, plan.cutAt / cardsARound);
    const double rounds = std::max(kRoundsABlock, setup.trip ? 4.0 * *setup.trip : 0.0);
    plan.shoesPerBlock = int(std::ceil(rounds / roundsAShoe));
    plan.roundsPerBlock = int(rounds);
    return plan;
}

} // namespace simulation

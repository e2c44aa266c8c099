#include "CountPlay.h"

#include "ChartModel.h"
#include "Held.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

using analysis::Play;
using analysis::PlayValues;

namespace counting {

double countToGoBy(const Game& game, double runningCount, int cardsLeft) {
    return game.system.balanced() ? trueCount(runningCount, cardsLeft, game.conventions)
                                  : runningCount;
}

int wholeCount(double count) {
    return int(std::floor(count + kCountHair));
}

namespace {

int cellOfUp(int up) {
    return up == 1 ? 9 : up - 2;
}

// The row of a hard total 5 to 19: two different cards that make it.
int hardRow(int total) {
    return total <= 11 ? charts::rowOfHand(2, total - 2) : charts::rowOfHand(10, total - 10);
}

// The chart row a hand is played by: two cards as dealt, more by their total.
int rowOfCards(const std::vector<int>& cards) {
    if (cards.size() == 2) return charts::rowOfHand(cards[0], cards[1]);
    const analysis::Held held = analysis::holding(cards);
    const int total = held.total();
    if (held.soft() && total >= 13 && total <= 21) return charts::rowOfHand(1, total - 11);
    if (!held.soft() && total >= 5 && total <= 19) return hardRow(total);
    return -1;
}

// The changes of one cell, playing or surrender, lowest index first.
std::vector<const IndexPlay*> changesOf(const IndexTable& table, int row, int up, bool surrender) {
    std::vector<const IndexPlay*> changes;
    for (const IndexPlay& play : table.plays) {
        if (!play.insurance && play.row == row && play.up == up && play.surrender == surrender)
            changes.push_back(&play);
    }
    std::sort(changes.begin(), changes.end(),
              [](const IndexPlay* a, const IndexPlay* b) { return a->index < b->index; });
    return changes;
}

// The play at `count`, or the basic chart's when there is none.
Play playAt(const IndexTable& table, const std::vector<int>& cards, int up,
            std::optional<int> count, const PlayValues& allowed);

} // namespace

Play indexPlay(const IndexTable& table, const std::vector<int>& cards, int up, int count,
               const PlayValues& allowed) {
    return playAt(table, cards, up, count, allowed);
}

Play basicPlay(const IndexTable& table, const std::vector<int>& cards, int up,
               const PlayValues& allowed) {
    return playAt(table, cards, up, std::nullopt, allowed);
}

PlayValues valuesOnCardsLeft(const rules::Rules& rules, const std::array<int, 11>& unseen,
                             const std::vector<int>& cards, int up, int* copies) {
    for (int times = 1;; ++times) {
        std::array<int, 11> cardsLeft{};
        for (int value = 1; value <= 10; ++value)
            cardsLeft[std::size_t(value)] = times * unseen[std::size_t(value)];
        analysis::Shoe shoe = analysis::Shoe::ofCounts(cardsLeft);
        for (int card : cards)
            shoe.putBack(card);
        shoe.putBack(up);
        if (shoe.total > analysis::Shoe::kMostCards) {
            throw std::invalid_argument("too few cards left to value: " + shoe.text());
        }
        if (!analysis::shoeProblem(rules, shoe).empty()) continue;
        *copies = times;
        return analysis::analyseHand(rules, shoe, cards, up);
    }
}

double insuranceValue(const std::array<int, 11>& unseen) {
    int total = 0;
    for (int value = 1; value <= 10; ++value)
        total += unseen[std::size_t(value)];
    if (total == 0) return 0;
    const double tens = double(unseen[10]) / total;
    return 0.5 * (3 * tens - 1);
}

namespace {

Play playAt(const IndexTable& table, const std::vector<int>& cards, int up,
            std::optional<int> count, const PlayValues& allowed) {
    const analysis::Held held = analysis::holding(cards);
    if (held.total() >= 20 && !(cards.size() == 2 && cards[0] == cards[1])) return Play::Stand;
    const int row = rowOfCards(cards);
    if (row < 0) return held.total() >= 17 ? Play::Stand : Play::Hit;
    const charts::Cell& cell = table.basic.rows[std::size_t(row)].cells[std::size_t(cellOfUp(up))];
    Play play = cell.values.bestBut(Play::Surrender);
    const auto playing = changesOf(table, row, up, false);
    if (count && !playing.empty()) play = playing.front()->below;
    for (const IndexPlay* change : playing) {
        if (count && change->index <= *count) play = change->atOrAbove;
    }
    if (allowed.allows(Play::Surrender)) {
        bool surrender = cell.best == Play::Surrender;
        const auto surrenders = changesOf(table, row, up, true);
        if (count && !surrenders.empty()) surrender = surrenders.front()->below == Play::Surrender;
        for (const IndexPlay* change : surrenders) {
            if (count && change->index <= *count) surrender = change->atOrAbove == Play::Surrender;
        }
        if (surrender) return Play::Surrender;
    }
    if (allowed.allows(play)) return play;
    if (play == Play::Split) {
        // Played by its total: a pair of aces is a soft 12, hit; any other, its hard total.
        const int total = 2 * cards[0];
        if (cards[0] == 1 || total < 5) return Play::Hit;
        if (total >= 20) return Play::Stand;
        return playAt(
            table, total <= 11 ? std::vector<int>{2, total - 2} : std::vector<int>{10, total - 10},
            up, count, allowed);
    }
    // A double no longer allowed: the better of hit and stand, as the chart's "Dh" or "Ds".
    return charts::fallbackOf(cell.values, Play::Double).value_or(Play::Hit);
}

} // namespace

std::optional<int> insuranceIndex(const IndexTable& table) {
    for (const IndexPlay& play : table.plays) {
        if (play.insurance) return play.index;
    }
    return std::nullopt;
}

bool insureAt(const IndexTable& table, int count) {
    const auto index = insuranceIndex(table);
    return index && count >= *index;
}

double certaintyEquivalent(double bet, double advantage, double variance, double bankroll) {
    return bet * advantage - bet * bet * variance / (2 * bankroll);
}

BetGrade gradeBet(const Game& game, const std::vector<CountRound>& rounds, int count, double bet) {
    const double bankroll = game.bankroll;
    BetGrade grade;
    grade.rampBet = game.betAt(count);
    grade.right = std::abs(bet - grade.rampBet) < kCountHair;
    if (rounds.empty()) return grade;
    const int at = std::clamp(count, rounds.front().count, rounds.back().count);
    const auto round = std::find_if(rounds.begin(), rounds.end(),
                                    [&](const CountRound& r) { return r.count == at; });
    if (round == rounds.end()) return grade;
    const double variance = round->second - round->mean * round->mean;
    grade.advantage = round->mean;
    const double lost = certaintyEquivalent(grade.rampBet, round->mean, variance, bankroll) -
                        certaintyEquivalent(bet, round->mean, variance, bankroll);
    grade.cost = grade.right ? 0 : std::max(0.0, lost);
    return grade;
}

bool sameCount(double given, double right) {
    return std::abs(given - right) < 1e-6;
}

} // namespace counting

#include "Analysis.h"

#include "DealerTable.h"
#include "Shoe.h"
#include "Solver.h"

#include <algorithm>
#include <stdexcept>

namespace analysis {

namespace {

// Values divided by the chance that the dealer has no blackjack: the player acts knowing it.
PlayValues afterTheCheck(PlayValues values, double noBlackjack) {
    for (double& value : values.ev)
        value /= noBlackjack;
    return values;
}

} // namespace

int Analysis::index(int first, int second) {
    const int low = std::min(first, second) - 1;
    const int high = std::max(first, second) - 1;
    return low * 10 - low * (low - 1) / 2 + (high - low); // pairs (low, high), low <= high
}

namespace {

// Rules the engine cannot value are refused, never valued wrongly.
const Rules& checked(const Rules& rules) {
    if (const std::string problem = rules.problem(); !problem.empty()) {
        throw std::invalid_argument(problem);
    }
    return rules;
}

} // namespace

Analysis::Analysis(const Rules& rules) : rules_(checked(rules)) {
    const Shoe full = Shoe::ofDecks(rules.decks);
    for (int up = 1; up <= 10; ++up) {
        const DealerTable& dealer = DealerTable::of(up, rules.hitSoft17, rules.holeCard);
        Shoe shoe = full;
        shoe.take(up);
        Solver solver(rules_, dealer, shoe);
        for (int first = 1; first <= 10; ++first) {
            for (int second = first; second <= 10; ++second) {
                Cell& c = cells_[up - 1][index(first, second)];
                double deal = double(full[up]) / full.total;
                deal *= double(shoe[first]) / shoe.total;
                deal *= double(shoe[second] - (first == second)) / (shoe.total - 1);
                c.deal = first == second ? deal : 2 * deal;
                c.dealerBlackjack = solver.blackjackChance({first, second});
                if (isBlackjack(first, second) || c.deal == 0) continue;
                const PlayValues values = solver.hand({first, second});
                c.values = rules.holeCard ? afterTheCheck(values, 1.0 - c.dealerBlackjack) : values;
            }
        }
    }
}

const Analysis::Cell& Analysis::cell(int first, int second, int up) const {
    if (first < 1 || first > 10 || second < 1 || second > 10 || up < 1 || up > 10) {
        throw std::out_of_range("a card value is out of 1 to 10");
    }
    return cells_[up - 1][index(first, second)];
}

const PlayValues& Analysis::startingHand(int first, int second, int up) const {
    return cell(first, second, up).values;
}

double Analysis::dealChance(int first, int second, int up) const {
    return cell(first, second, up).deal;
}

double Analysis::dealerBlackjackChance(int first, int second, int up) const {
    return cell(first, second, up).dealerBlackjack;
}

double Analysis::roundReturn() const {
    return roundReturn(
        [this](int first, int second, int up) { return startingHand(first, second, up).best(); });
}

double Analysis::roundReturn(const PlayChooser& choose) const {
    double total = 0.0;
    for (int up = 1; up <= 10; ++up) {
        for (int first = 1; first <= 10; ++first) {
            for (int second = first; second <= 10; ++second) {
                const Cell& c = cell(first, second, up);
                const double noBlackjack = 1.0 - c.dealerBlackjack;
                double value = 0.0;
                if (isBlackjack(first, second)) {
                    value = noBlackjack * rules_.blackjackPays(); // a push against one
                } else if (c.deal > 0) {
                    const double play = c.values[choose(first, second, up)];
                    value = rules_.holeCard ? -c.dealerBlackjack + noBlackjack * play : play;
                }
                total += c.deal * value;
            }
        }
    }
    return total;
}

Held holding(const std::vector<int>& cards) {
    Held held;
    for (int value : cards)
        held = held.plus(value);
    return held;
}

PlayValues allowedPlays(const Rules& rules, const std::vector<int>& cards) {
    const Held held = holding(cards);
    const bool firstTwo = cards.size() == 2 && held.total() <= 21;
    PlayValues allowed;
    allowed.set(Play::Stand, 0);
    if (held.total() < 21) allowed.set(Play::Hit, 0);
    if (firstTwo && rules.mayDouble(held.hard, held.ace)) allowed.set(Play::Double, 0);
    if (firstTwo && cards[0] == cards[1]) allowed.set(Play::Split, 0);
    if (firstTwo && rules.surrender) allowed.set(Play::Surrender, 0);
    return allowed;
}

PlayValues analyseHand(const Rules& rules, const std::vector<int>& cards, int up) {
    if (up < 1 || up > 10) throw std::invalid_argument("the up card is out of 1 to 10");
    checked(rules);
    Shoe shoe = Shoe::ofDecks(rules.decks);
    shoe.take(up);
    const DealerTable& dealer = DealerTable::of(up, rules.hitSoft17, rules.holeCard);
    Solver solver(rules, dealer, shoe);
    const PlayValues values = solver.hand(cards);
    return rules.holeCard ? afterTheCheck(values, 1.0 - solver.blackjackChance(cards)) : values;
}

} // namespace analysis

#include "Analysis.h"

#include "DealerTable.h"
#include "Shoe.h"
#include "Solver.h"

#include <algorithm>
#include <atomic>
#include <future>
#include <iterator>
#include <stdexcept>
#include <thread>

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

// Rules or a shoe the engine cannot value are refused, never valued wrongly.
const rules::Rules& checked(const rules::Rules& rules, const Shoe& shoe) {
    std::string problem = rules.problem();
    if (problem.empty()) problem = shoeProblem(rules, shoe);
    if (!problem.empty()) throw std::invalid_argument(problem);
    return rules;
}

// The up cards in the order they are handed out: the costliest first, so that the workers end
// together.
constexpr int kUpCardsByCost[] = {2, 1, 3, 4, 5, 6, 7, 8, 9, 10};

} // namespace

Analysis::Analysis(const rules::Rules& rules) : Analysis(rules, Shoe::ofDecks(rules.decks)) {}

namespace {

// The chance of these two cards (either order) and this up card from the shoe before the deal.
double dealOf(const Shoe& before, int first, int second, int up) {
    Shoe shoe = before;
    shoe.take(up);
    double deal = before[up] / before.total;
    deal *= std::max(shoe[first], 0.0) / shoe.total;
    deal *= std::max(shoe[second] - (first == second), 0.0) / (shoe.total - 1);
    return first == second ? deal : 2 * deal;
}

// One up card's part of a round's moments, from a solver of the shoe less the up card ready
// for every hand; `valuesOf` gives a starting hand's values as the solver keeps them.
template <typename ValuesOf, typename Choose>
RoundMoments upCardMoments(const rules::Rules& rules, const Shoe& before, int up, Solver& solver,
                           ValuesOf&& valuesOf, Choose&& choose) {
    RoundMoments round;
    for (int first = 1; first <= 10; ++first) {
        for (int second = first; second <= 10; ++second) {
            const double deal = dealOf(before, first, second, up);
            if (deal <= 0) continue;
            const double blackjack = solver.blackjackChance({first, second});
            if (isBlackjack(first, second)) {
                const double pays = rules.blackjackPays();
                round.mean += deal * (1 - blackjack) * pays;
                round.second += deal * (1 - blackjack) * pays * pays;
                continue;
            }
            // The values are joint with "no blackjack" where the dealer checks: a blackjack
            // takes the bet before the play.
            const Play play = choose(first, second, up);
            const PlayValues values = valuesOf(first, second);
            const double lost = rules.holeCard ? blackjack : 0.0;
            round.mean += deal * (values[play] - lost);
            round.second += deal * (solver.moment({first, second}, play) + lost);
        }
    }
    return round;
}

// Runs work(i) for i of 0 to 9, the up cards by cost, on `workers` threads.
template <typename Work> void overUpCards(int workers, Work&& work) {
    if (workers <= 0) workers = int(std::max(1u, std::thread::hardware_concurrency()));
    workers = std::min(workers, int(std::size(kUpCardsByCost)));
    std::atomic<int> next{0};
    auto share = [&] {
        for (int i; (i = next++) < int(std::size(kUpCardsByCost));)
            work(i);
    };
    std::vector<std::future<void>> others;
    for (int w = 1; w < workers; ++w)
        others.push_back(std::async(std::launch::async, share));
    share();
    for (auto& other : others)
        other.get(); // passes on what went wrong there
}

} // namespace

Analysis::Analysis(const rules::Rules& rules, const Shoe& shoe, int workers)
    : rules_(checked(rules, shoe)), shoe_(shoe) {
    analyseUpCards(workers);
}

Analysis::Analysis(const rules::Rules& rules, const Shoe& shoe, const OwnChooser& momentsBy)
    : rules_(checked(rules, shoe)), shoe_(shoe), momentsBy_(momentsBy) {
    analyseUpCards(0);
    for (const RoundMoments& up : upMoments_) {
        moments_.mean += up.mean;
        moments_.second += up.second;
    }
}

void Analysis::analyseUpCards(int workers) {
    overUpCards(workers, [this](int i) { analyseUpCard(kUpCardsByCost[i]); });
}

// Every starting hand against one up card: the cells of that up card alone.
void Analysis::analyseUpCard(int up) {
    if (!shoe_.has(up)) return; // never dealt: every chance 0, no values
    const DealerTable& dealer = DealerTable::of(up, rules_.hitSoft17, rules_.holeCard);
    Shoe shoe = shoe_;
    shoe.take(up);
    Solver solver(rules_, dealer, shoe);
    solver.prepareEveryHand();
    for (int first = 1; first <= 10; ++first) {
        for (int second = first; second <= 10; ++second) {
            Cell& c = cells_[up - 1][index(first, second)];
            c.deal = std::max(dealOf(shoe_, first, second, up), 0.0);
            if (c.deal <= 0) continue;
            c.dealerBlackjack = solver.blackjackChance({first, second});
            if (isBlackjack(first, second)) continue;
            const PlayValues values = solver.hand({first, second});
            c.values = rules_.holeCard ? afterTheCheck(values, 1.0 - c.dealerBlackjack) : values;
        }
    }
    if (!momentsBy_) return;
    upMoments_[std::size_t(up - 1)] = upCardMoments(
        rules_, shoe_, up, solver,
        [&](int first, int second) {
            const Cell& c = cells_[up - 1][index(first, second)];
            return rules_.holeCard ? afterTheCheck(c.values, 1.0 / (1.0 - c.dealerBlackjack))
                                   : c.values;
        },
        [&](int first, int second, int u) { return momentsBy_(*this, first, second, u); });
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

RoundMoments roundMoments(const rules::Rules& rules, const Shoe& before,
                          const PlayChooser& choose) {
    checked(rules, before);
    std::array<RoundMoments, std::size(kUpCardsByCost)> byUp{};
    overUpCards(0, [&](int i) {
        const int up = kUpCardsByCost[i];
        if (!before.has(up)) return;
        Shoe shoe = before;
        shoe.take(up);
        Solver solver(rules, DealerTable::of(up, rules.hitSoft17, rules.holeCard), shoe);
        solver.prepareEveryHand();
        byUp[std::size_t(i)] = upCardMoments(
            rules, before, up, solver,
            [&](int first, int second) {
                return solver.hand({first, second});
            },
            choose);
    });
    RoundMoments round;
    for (const RoundMoments& up : byUp) {
        round.mean += up.mean;
        round.second += up.second;
    }
    return round;
}

Held holding(const std::vector<int>& cards) {
    Held held;
    for (int value : cards)
        held = held.plus(value);
    return held;
}

PlayValues allowedPlays(const rules::Rules& rules, const std::vector<int>& cards) {
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

PlayValues analyseHand(const rules::Rules& rules, const std::vector<int>& cards, int up) {
    return analyseHand(rules, Shoe::ofDecks(rules.decks), cards, up);
}

PlayValues analyseHand(const rules::Rules& rules, const Shoe& before, const std::vector<int>& cards,
                       int up) {
    if (up < 1 || up > 10) throw std::invalid_argument("the up card is out of 1 to 10");
    checked(rules, before);
    if (!before.has(up)) throw std::invalid_argument("the shoe holds no card of the up card");
    Shoe shoe = before;
    shoe.take(up);
    const DealerTable& dealer = DealerTable::of(up, rules.hitSoft17, rules.holeCard);
    Solver solver(rules, dealer, shoe);
    const PlayValues values = solver.hand(cards);
    return rules.holeCard ? afterTheCheck(values, 1.0 - solver.blackjackChance(cards)) : values;
}

void everyHand(const rules::Rules& rules, const Shoe& before, int up, const HandVisitor& visit) {
    if (up < 1 || up > 10) throw std::invalid_argument("the up card is out of 1 to 10");
    checked(rules, before);
    if (!before.has(up)) throw std::invalid_argument("the shoe holds no card of the up card");
    Shoe shoe = before;
    shoe.take(up);
    Solver solver(rules, DealerTable::of(up, rules.hitSoft17, rules.holeCard), shoe);
    solver.prepareEveryHand();
    std::vector<int> cards;
    std::array<int, 11> held{};
    // Cards in order, each value from the last one on, while the hand totals 21 or less.
    std::function<void(int, int)> grow = [&](int from, int hard) {
        if (cards.size() >= 2) visit(cards, solver.hand(cards));
        for (int value = from; value <= 10 && hard + value <= 21; ++value) {
            if (held[std::size_t(value)] >= shoe.most(value)) continue;
            cards.push_back(value);
            ++held[std::size_t(value)];
            grow(value, hard + value);
            --held[std::size_t(value)];
            cards.pop_back();
        }
    };
    grow(1, 0);
}

} // namespace analysis

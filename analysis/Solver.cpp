#include "Solver.h"

#include "Analysis.h"

#include <algorithm>
#include <stdexcept>

namespace analysis {

namespace {

constexpr std::uint64_t valueBit(int value) {
    return std::uint64_t{1} << (5 * (value - 1));
}
constexpr int kPairShift = 56; // the split pair's value, above the cards out
constexpr std::uint64_t kCardsMask = (std::uint64_t{1} << 50) - 1;

// The expected number of finished split hands that did not draw the pair's value, and of
// those that drew it when no more splits were allowed, starting from `hands` hands of which
// `waiting` still want their second card; q is the chance of drawing the pair's value.
std::pair<double, double> splitHandCounts(int hands, int waiting, int most, double q) {
    if (waiting == 0) return {0.0, 0.0};
    const auto next = splitHandCounts(hands, waiting - 1, most, q);
    std::pair<double, double> counts{(1 - q) * (1 + next.first), (1 - q) * next.second};
    if (hands < most) {
        const auto again = splitHandCounts(hands + 1, waiting + 1, most, q);
        counts.first += q * again.first;
        counts.second += q * again.second;
    } else {
        counts.first += q * next.first;
        counts.second += q * (1 + next.second);
    }
    return counts;
}

} // namespace

Solver::Solver(const Rules& rules, const DealerTable& dealer, const Shoe& withoutUpCard)
    : rules_(rules), dealer_(dealer), shoe_(withoutUpCard) {
    best_.reserve(8192);
    outcomes_.reserve(8192);
}

void Solver::take(int value) {
    shoe_.take(value);
    key_ += valueBit(value);
}

void Solver::putBack(int value) {
    shoe_.putBack(value);
    key_ -= valueBit(value);
}

double Solver::noBlackjack() const {
    return rules_.holeCard ? 1.0 - dealer_.blackjackChance(shoe_) : 1.0;
}

double Solver::stand(const Held& held) {
    const int total = held.total();
    if (total > 21) return -noBlackjack();
    auto found = outcomes_.find(key_ & kCardsMask);
    if (found == outcomes_.end()) {
        found = outcomes_.emplace(key_ & kCardsMask, dealer_.outcomes(shoe_)).first;
    }
    const Distribution& d = found->second;
    double value = d[DealerBust] - d[DealerBlackjack];
    for (int outcome = Dealer17; outcome <= Dealer21; ++outcome) {
        const int dealerTotal = 17 + outcome;
        if (total > dealerTotal) value += d[outcome];
        if (total < dealerTotal) value -= d[outcome];
    }
    return value;
}

template <typename Value> double Solver::overNextCard(Value&& value) {
    double sum = 0.0;
    for (int card = 1; card <= 10; ++card) {
        if (shoe_[card] == 0) continue;
        const double chance = shoe_.chance(card);
        take(card);
        sum += chance * value(card);
        putBack(card);
    }
    return sum;
}

double Solver::hit(const Held& held) {
    return overNextCard([&](int card) {
        const Held next = held.plus(card);
        return next.total() > 21 ? -noBlackjack() : best(next);
    });
}

double Solver::best(const Held& held) {
    if (held.total() >= 21) return stand(held);
    auto found = best_.find(key_);
    if (found != best_.end()) return found->second;
    const double value = std::max(stand(held), hit(held));
    best_.emplace(key_, value);
    return value;
}

double Solver::doubleDown(const Held& held) {
    return 2 * overNextCard([&](int card) { return stand(held.plus(card)); });
}

double Solver::surrender() const {
    // Half the bet back; without a hole card the dealer's blackjack still takes all of it.
    return rules_.holeCard ? -0.5 * noBlackjack() : -0.5 - 0.5 * dealer_.blackjackChance(shoe_);
}

// One split hand of (pair, second): the shoe is less both cards of the pair and `second`.
double Solver::splitHand(int pair, int second) {
    const Held held = Held{}.plus(pair).plus(second);
    if (pair == 1) return stand(held); // split aces take one card each
    double value = best(held);
    if (rules_.doubleAfterSplit && rules_.mayDouble(held.hard, held.ace)) {
        value = std::max(value, doubleDown(held));
    }
    return value;
}

double Solver::split(int pair) {
    const std::uint64_t cards = key_;
    key_ = cards | (std::uint64_t(pair) << kPairShift);
    // The second cards of another value, and the pair's value drawn again, by their chances.
    const double others =
        overNextCard([&](int card) { return card == pair ? 0.0 : splitHand(pair, card); });
    const double again =
        overNextCard([&](int card) { return card == pair ? splitHand(pair, card) : 0.0; });
    key_ = cards;

    const int most = pair == 1 ? 2 : rules_.splitHands;
    const double q = shoe_.chance(pair);
    const auto [otherHands, pairHands] = splitHandCounts(2, 2, most, q);
    double value = 0.0;
    if (q < 1.0) value += otherHands * others / (1.0 - q);
    if (q > 0.0) value += pairHands * again / q;
    return value;
}

PlayValues Solver::hand(const std::vector<int>& cards) {
    std::array<int, 11> wanted{};
    for (int card : cards) {
        if (card < 1 || card > 10) throw std::invalid_argument("a card value is out of 1 to 10");
        if (++wanted[card] > shoe_[card]) {
            throw std::invalid_argument("the shoe holds fewer of a card than the hand");
        }
    }
    for (int card : cards)
        take(card);
    const Held held = holding(cards);
    PlayValues values = allowedPlays(rules_, cards);
    values.set(Play::Stand, stand(held));
    if (values.allows(Play::Hit)) values.set(Play::Hit, hit(held));
    if (values.allows(Play::Double)) values.set(Play::Double, doubleDown(held));
    if (values.allows(Play::Split)) values.set(Play::Split, split(cards[0]));
    if (values.allows(Play::Surrender)) values.set(Play::Surrender, surrender());
    for (auto it = cards.rbegin(); it != cards.rend(); ++it)
        putBack(*it);
    return values;
}

double Solver::blackjackChance(const std::vector<int>& cards) {
    for (int card : cards)
        shoe_.take(card);
    const double chance = dealer_.blackjackChance(shoe_);
    for (int card : cards)
        shoe_.putBack(card);
    return chance;
}

} // namespace analysis

#include "Solver.h"

#include "Analysis.h"
#include "Split.h"

#include <algorithm>
#include <stdexcept>

namespace analysis {

Solver::Solver(const rules::Rules& rules, const DealerTable& dealer, const Shoe& withoutUpCard)
    : rules_(rules), dealer_(dealer), shoe_(withoutUpCard), full_(withoutUpCard) {}

void Solver::take(int value) {
    shoe_.take(value);
    key_ += cardBit(value);
}

void Solver::putBack(int value) {
    shoe_.putBack(value);
    key_ -= cardBit(value);
}

double Solver::noBlackjack() const {
    return rules_.holeCard ? 1.0 - dealer_.blackjackChance(shoe_) : 1.0;
}

namespace {

// The cards out but the aces: the key of the dealer's sums.
constexpr std::uint64_t kAces = 31; // the aces' five bits of a key
std::uint64_t withoutAces(std::uint64_t key) {
    return key & ~kAces;
}

} // namespace

const Distribution& Solver::outcomes() {
    if (const Distribution* found = outcomes_.find(key_)) return *found;
    const std::uint64_t others = withoutAces(key_);
    walk(&others, 1);
    if (const Distribution* found = outcomes_.find(key_)) return *found;
    // More aces than a hand of these cards holds (cards out that no hand holds, as for a
    // split's other hand): this shoe alone.
    scratch_.resize(std::size_t(dealer_.groupedSize(1)));
    const Shoe* shoe = &shoe_;
    double* sums = scratch_.data();
    dealer_.groupedSums(&shoe, 1, 1, &sums);
    const DealerTable::PairSums pairSums{1, shoe_.total - shoe_[1], sums};
    return outcomes_.insert(key_, dealer_.outcomesByPairs(pairSums, shoe_[1]));
}

void Solver::walk(const std::uint64_t* keys, int n) {
    const int size = dealer_.groupedSize(1);
    std::array<Shoe, DealerTable::kBatch> shoes;
    std::array<const Shoe*, DealerTable::kBatch> pointers;
    std::array<double*, DealerTable::kBatch> sums;
    std::array<std::uint64_t, DealerTable::kBatch> batch;
    for (int first = 0; first < n;) {
        int count = 0;
        for (; first < n && count < DealerTable::kBatch; ++first) {
            const std::uint64_t key = keys[first];
            if (walked_.find(key)) continue;
            walked_.insert(key, 0);
            batch[std::size_t(count)] = key;
            Shoe& shoe = shoes[count];
            shoe = full_;
            for (int value = 2; value <= 10; ++value) {
                const int out = int((key >> (5 * (value - 1))) & kAces);
                shoe.count[value] -= out;
                shoe.total -= out;
            }
            pointers[count++] = &shoe;
        }
        if (count == 0) break;
        scratch_.resize(std::size_t(count) * size);
        for (int i = 0; i < count; ++i)
            sums[i] = &scratch_[std::size_t(i) * size];
        dealer_.groupedSums(pointers.data(), count, 1, sums.data());
        // Every count of aces the hand can hold with these cards: one short sum each (with the
        // aces as the pair, the grouped sums are the pair sums).
        for (int i = 0; i < count; ++i) {
            const Shoe& shoe = shoes[i];
            const DealerTable::PairSums pairSums{1, shoe.total - shoe[1], sums[i]};
            const std::uint64_t key = batch[std::size_t(i)];
            int room = 21;
            for (int value = 2; value <= 10; ++value)
                room -= value * int((key >> (5 * (value - 1))) & kAces);
            for (int aces = 0; aces <= shoe.most(1) && aces <= room; ++aces) {
                const std::uint64_t hand = key + std::uint64_t(aces) * cardBit(1);
                if (!outcomes_.find(hand))
                    outcomes_.insert(hand, dealer_.outcomesByPairs(pairSums, shoe[1] - aces));
            }
        }
    }
}

void Solver::prepareEveryHand() {
    everyHand_ = true;
    const std::vector<std::uint64_t> keys = setsWithoutAces(full_, 21);
    walk(keys.data(), int(keys.size()));
}

double Solver::stand(const Held& held) {
    const int total = held.total();
    if (total > 21) return -noBlackjack();
    const Distribution& d = outcomes();
    double value = d[DealerBust] - d[DealerBlackjack];
    for (int outcome = Dealer17; outcome <= Dealer21; ++outcome) {
        const int dealerTotal = 17 + outcome;
        if (total > dealerTotal) value += d[outcome];
        if (total < dealerTotal) value -= d[outcome];
    }
    return value;
}

void Solver::prepareStands(const Held& held, bool doubling) {
    std::array<std::uint64_t, 10> keys;
    int n = 0;
    for (int card = 1; card <= 10; ++card) {
        if (!shoe_.has(card)) continue;
        const Held next = held.plus(card);
        const std::uint64_t key = key_ + cardBit(card);
        if (next.total() > 21 || outcomes_.find(key)) continue;
        // best() stands on it where it may not hit, or cannot know yet that hitting is no worse.
        if (!doubling && next.total() < 21 && (next.hittingIsNoWorse() || best_.find(key))) {
            continue;
        }
        const std::uint64_t others = withoutAces(key);
        if (walked_.find(others) ||
            std::find(keys.begin(), keys.begin() + n, others) != keys.begin() + n)
            continue;
        keys[n++] = others;
    }
    if (n < 2) return; // one hand alone is walked when it is stood on
    walk(keys.data(), n);
}

template <typename Value> double Solver::overNextCard(Value&& value) {
    double sum = 0.0;
    for (int card = 1; card <= 10; ++card) {
        if (!shoe_.has(card)) continue;
        const double chance = shoe_.chance(card);
        take(card);
        sum += chance * value(card);
        putBack(card);
    }
    return sum;
}

double Solver::hit(const Held& held) {
    prepareStands(held, false);
    return overNextCard([&](int card) {
        const Held next = held.plus(card);
        return next.total() > 21 ? -noBlackjack() : best(next);
    });
}

double Solver::best(const Held& held) {
    if (held.total() >= 21) return stand(held);
    if (const double* found = best_.find(key_)) return *found;
    const double value = held.hittingIsNoWorse() ? hit(held) : std::max(stand(held), hit(held));
    best_.insert(key_, value);
    return value;
}

double Solver::doubleDown(const Held& held) {
    prepareStands(held, true);
    return 2 * overNextCard([&](int card) { return stand(held.plus(card)); });
}

double Solver::surrender() const {
    // Half the bet back; without a hole card the dealer's blackjack still takes all of it.
    return rules_.holeCard ? -0.5 * noBlackjack() : -0.5 - 0.5 * dealer_.blackjackChance(shoe_);
}

PlayValues Solver::hand(const std::vector<int>& cards) {
    std::array<int, 11> wanted{};
    for (int card : cards) {
        if (card < 1 || card > 10) throw std::invalid_argument("a card value is out of 1 to 10");
        if (++wanted[card] > shoe_.most(card)) {
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
    if (values.allows(Play::Surrender)) values.set(Play::Surrender, surrender());
    for (auto it = cards.rbegin(); it != cards.rend(); ++it)
        putBack(*it);
    if (values.allows(Play::Split)) {
        values.set(Play::Split, splitValue(rules_, dealer_, shoe_, cards[0], everyHand_));
    }
    return values;
}

double Solver::standMoment(const Held& held) {
    const int total = held.total();
    if (total > 21) return noBlackjack();
    const Distribution& d = outcomes();
    double moment = d[DealerBust] + d[DealerBlackjack];
    for (int outcome = Dealer17; outcome <= Dealer21; ++outcome) {
        if (total != 17 + outcome) moment += d[outcome]; // won or lost, a bet squared
    }
    return moment;
}

double Solver::hitMoment(const Held& held) {
    return overNextCard([&](int card) {
        const Held next = held.plus(card);
        return next.total() > 21 ? noBlackjack() : bestMoment(next);
    });
}

double Solver::bestMoment(const Held& held) {
    if (held.total() >= 21) return standMoment(held);
    if (const double* found = bestMoments_.find(key_)) return *found;
    // The play best() takes: hitting where it is no worse, else the better of the two.
    const bool hits = held.hittingIsNoWorse() || stand(held) < hit(held);
    const double moment = hits ? hitMoment(held) : standMoment(held);
    bestMoments_.insert(key_, moment);
    return moment;
}

namespace {

// Where a hand ends: 0 bust, 1 at 16 or less, 2 to 6 at 17 to 21.
int endOf(const Held& held) {
    const int total = held.total();
    return total > 21 ? 0 : total <= 16 ? 1 : total - 15;
}

// What a hand ending so wins against the dealer's outcome, a bet of one.
double wins(int end, int outcome) {
    if (end == 0 || outcome == DealerBlackjack) return -1;
    if (outcome == DealerBust) return 1;
    const int dealer = 17 + outcome;
    const int total = end == 1 ? 16 : end + 15;
    return total > dealer ? 1 : total < dealer ? -1 : 0;
}

} // namespace

double Solver::splitMoment(int pair) {
    // One split hand: the pair card and the next, played as the same cards unsplit would be
    // (doubling where the rules allow it after a split), from the shoe less its own cards.
    take(pair);
    const Distribution dealer = outcomes();
    // Over the second card: the hand's second moment, and its mean against each outcome of
    // the dealer's hand.
    double one = 0;
    std::array<double, kOutcomes> against{};
    for (int card = 1; card <= 10; ++card) {
        if (!shoe_.has(card)) continue;
        const double chance = shoe_.chance(card);
        take(card);
        const Held held = Held{}.plus(pair).plus(card);
        const bool mayDouble =
            pair != 1 && rules_.doubleAfterSplit && rules_.mayDouble(held.hard, held.ace);
        const double standing = stand(held);
        const double hitting = pair != 1 && held.total() < 21 ? hit(held) : standing;
        const double doubling =
            mayDouble ? 2 * overNextCard([&](int c) { return stand(held.plus(c)); }) : standing;
        // Where the hand ends, by bet: stood now, hit on by the best values, or doubled.
        std::array<double, 7> once{}, twice{};
        double moment = 0;
        if (mayDouble && doubling > std::max(standing, hitting)) {
            moment = 4 * overNextCard([&](int c) { return standMoment(held.plus(c)); });
            overNextCard([&](int c) {
                twice[std::size_t(endOf(held.plus(c)))] += shoe_.chance(c);
                return 0.0;
            });
        } else if (hitting > standing) {
            moment = hitMoment(held);
            const Ending e = endingOf(held);
            std::copy_n(e.begin(), 7, once.begin());
        } else {
            moment = standMoment(held);
            once[std::size_t(endOf(held))] = 1;
        }
        putBack(card);
        one += chance * moment;
        for (int outcome = 0; outcome < kOutcomes; ++outcome) {
            double mean = 0;
            for (int end = 0; end < 7; ++end)
                mean += (once[std::size_t(end)] + 2 * twice[std::size_t(end)]) * wins(end, outcome);
            against[std::size_t(outcome)] += chance * mean;
        }
    }
    putBack(pair);
    // Two hands: E[(X1 + X2)^2] = 2 E[X^2] + 2 E[X1 X2], the product over the dealer's
    // outcomes (joint with "no blackjack" where the dealer checks, as the outcomes are).
    double cross = 0;
    for (int outcome = 0; outcome < kOutcomes; ++outcome)
        cross += dealer[std::size_t(outcome)] * against[std::size_t(outcome)] *
                 against[std::size_t(outcome)];
    return 2 * one + 2 * cross;
}

Solver::Ending Solver::endingOf(const Held& held) {
    Ending ends{};
    if (held.total() >= 21 || (!held.hittingIsNoWorse() && stand(held) >= hit(held))) {
        ends[std::size_t(endOf(held))] = 1;
        return ends;
    }
    if (const Ending* found = endings_.find(key_)) return *found;
    overNextCard([&](int card) {
        const Held next = held.plus(card);
        const double chance = shoe_.chance(card);
        if (next.total() > 21) {
            ends[0] += chance;
        } else {
            const Ending after = endingOf(next);
            for (std::size_t i = 0; i < ends.size(); ++i)
                ends[i] += chance * after[i];
        }
        return 0.0;
    });
    return endings_.insert(key_, ends);
}

double Solver::moment(const std::vector<int>& cards, Play play) {
    if (play == Play::Split) return splitMoment(cards[0]);
    for (int card : cards)
        take(card);
    const Held held = holding(cards);
    double moment = 0;
    switch (play) {
    case Play::Stand: moment = standMoment(held); break;
    case Play::Hit: moment = hitMoment(held); break;
    case Play::Double:
        moment = 4 * overNextCard([&](int card) { return standMoment(held.plus(card)); });
        break;
    case Play::Surrender: {
        // Half the bet lost, all of it to a dealer's blackjack where there is no hole card.
        const double blackjack = dealer_.blackjackChance(shoe_);
        moment = rules_.holeCard ? 0.25 * noBlackjack() : 0.25 * (1 - blackjack) + blackjack;
        break;
    }
    case Play::Split: break;
    }
    for (auto it = cards.rbegin(); it != cards.rend(); ++it)
        putBack(*it);
    return moment;
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

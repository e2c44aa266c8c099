#include "Split.h"

#include "FlatMap.h"
#include "Held.h"
#include "Play.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <optional>
#include <tuple>
#include <vector>

namespace analysis {

namespace {

// Where a hand sits in a pattern: its own read unknown (once the most hands were made) or O,
// and the pattern's counts of P and O reads.
struct Place {
    bool anyRead;
    int pairs;
    int others;
    bool operator<(const Place& o) const {
        return std::tie(anyRead, pairs, others) < std::tie(o.anyRead, o.pairs, o.others);
    }
};

// Every pattern of reads, its hands counted by their places.
class Patterns {
public:
    explicit Patterns(int most) : most_(most) { read(2, 0, 0, 0); }
    const std::map<Place, int>& hands() const { return hands_; }

private:
    // `made` hands are out and `ended` of them read; the next of them reads.
    void read(int made, int ended, int pairs, int others) {
        if (made == most_ || ended == made) {
            if (made > ended) hands_[{true, pairs, others}] += made - ended;
            if (ended > 0) hands_[{false, pairs, others}] += ended;
            return;
        }
        read(made + 1, ended, pairs + 1, others); // a pair card starts a new hand
        read(made, ended + 1, pairs, others + 1);
    }

    int most_;
    std::map<Place, int> hands_;
};

// The shoes a split hand meets differ only in their pair cards: lane L is the shoe after the
// pair with L - 1 more pair cards out (lane 0 has the other pair card back). With four hands,
// a value is read from lane 1 + a + i for up to two splits and two other reads (lane 5). The
// pair cards of the hand itself are out of every lane. Sized from the most hands the rules allow:
// CDP reads lanes 1 to 2 * most - 3.
constexpr int kLanes = 2 * rules::kMaxSplitHands - 2;
static_assert(kLanes - 1 >= 2 * rules::kMaxSplitHands - 3, "every lane CDP reads has its place");
using Lanes = std::array<double, kLanes>;

// The best play of a hand in each strategy's lane, by its value there.
struct Best {
    Lanes value{};
    std::array<Play, kLanes> play{};
};

// What the split of one pair keeps, by the hand's cards (and, played, the strategy's lane);
// kept between splits for its memory.
struct SplitCaches {
    FlatMap<char> walked;        // the sets whose grouped sums were walked
    std::vector<double> grouped; // a walk's grouped sums
    std::vector<double> sums;    // the pair sums of one count of aces
    FlatMap<Lanes> stood;
    FlatMap<Best> best;
    FlatMap<Lanes> played;
    FlatMap<DealerTable::StandingFactors> factors; // by the cards of other values and pairs
    void clear() {
        factors.clear();
        walked.clear();
        stood.clear();
        best.clear();
        played.clear();
    }
};

// Values the split hands of one pair against one up card.
class SplitHands {
public:
    SplitHands(const rules::Rules& rules, const DealerTable& dealer, const Shoe& withoutUpCard,
               int pair, int most, SplitCaches& caches)
        : rules_(rules), dealer_(dealer), pair_(pair), shoe_(withoutUpCard), c_(caches) {
        shoe_.take(pair);
        base_ = shoe_;
        c_.clear();
        switch (rules.postSplit) {
        case rules::PostSplit::CDZ: strategies_ = {0}; break;
        case rules::PostSplit::CDP1: strategies_ = {1}; break;
        case rules::PostSplit::CDP:
            for (int lane = 1; lane <= 2 * most - 3; ++lane)
                strategies_.push_back(lane);
            break;
        }
        // CDP plays each lane by its own choices; the lanes it never reads (0, and past the
        // strategies) by the nearest.
        for (int lane = 0; lane < kLanes; ++lane) {
            strategyOf_[lane] = rules.postSplit != rules::PostSplit::CDP
                                    ? strategies_.front()
                                    : std::clamp(lane, strategies_.front(), strategies_.back());
        }
    }

    // The sum over the hands of one place: their chance times their value.
    double value(const Place& place, int hands) {
        const double pairs = pairsIn(1);
        const double cards = totalIn(1);
        double chance = hands; // (m)_P (n - m)_O / (n)_(P+O)
        for (int i = 0; i < place.pairs; ++i)
            chance *= std::max(pairs - i, 0.0) / (cards - i);
        for (int i = 0; i < place.others; ++i)
            chance *= std::max(cards - pairs - i, 0.0) / (cards - place.pairs - i);
        if (chance <= 0.0) return 0.0;
        return chance * held(place.pairs, place.others - !place.anyRead, place.anyRead);
    }

    // The dealer's sums for every hand the split may stand on: the pair card and any other
    // cards that hold 21 or less (split aces take one card each), kBatch shoes a walk.
    void prepareEveryHand() {
        everyHand_ = true;
        std::vector<std::uint64_t> keys;
        if (pair_ == 1) {
            keys.push_back(0);
            for (int card = 2; card <= 10; ++card) {
                if (shoe_.has(card)) keys.push_back(cardBit(card));
            }
        } else {
            // The aces are summed by their number: sets of the other values alone.
            keys = setsWithoutAces(shoe_, 21 - pair_, pair_);
        }
        walk(keys.data(), int(keys.size()));
    }

private:
    double pairsIn(int lane) const { return shoe_[pair_] - lane; }
    double totalIn(int lane) const { return shoe_.total - lane; }

    // V(a, b) of Split.h: a hand from the shoe after the pair less a more pair cards and b
    // cards known not to be, its own read unknown or known not to be a pair card.
    double held(int a, int b, bool anyRead) {
        if (b == 0) return fresh(a, anyRead);
        // The chance that one more unseen card is a pair card.
        const double unseen = totalIn(1) - a - (b - 1) - !anyRead;
        const double v = unseen > 0 ? (pairsIn(1) - a) / unseen : 0.0;
        if (v <= 0.0) return held(a, b - 1, anyRead);
        return (held(a, b - 1, anyRead) - v * held(a + 1, b - 1, anyRead)) / (1.0 - v);
    }

    // V(a, 0), played by the choices of the strategy's lane.
    double fresh(int a, bool anyRead) {
        const int lane = a + 1;
        if (lane >= kLanes || pairsIn(lane) < 0) return 0.0;
        const auto& [pairSecond, otherSecond] = seconds();
        if (anyRead) return pairSecond[lane] + otherSecond[lane];
        const double other = 1.0 - pairsIn(lane) / totalIn(lane);
        return other > 0.0 ? otherSecond[lane] / other : 0.0;
    }

    // 1 / the cards in each lane.
    Lanes inverseTotals() const {
        Lanes inverse{};
        for (int lane = 0; lane < kLanes; ++lane)
            inverse[lane] = totalIn(lane) > 0 ? 1.0 / totalIn(lane) : 0.0;
        return inverse;
    }

    // The chance of drawing `card` next in each lane.
    Lanes chances(int card, const Lanes& inverse) const {
        Lanes lanes{};
        for (int lane = 0; lane < kLanes; ++lane) {
            const double count = card == pair_ ? pairsIn(lane) : shoe_[card];
            lanes[lane] = count > 0 ? count * inverse[lane] : 0.0;
        }
        return lanes;
    }

    // Over the second cards of each kind (the pair's value, any other), their chance times the
    // value of the hand, each lane played by its strategy.
    const std::pair<Lanes, Lanes>& seconds() {
        if (seconds_) return *seconds_;
        std::pair<Lanes, Lanes> sums{};
        const Held first = Held{}.plus(pair_);
        const auto inverse = inverseTotals();
        for (int card = 1; card <= 10; ++card) {
            if (!shoe_.has(card)) continue;
            const auto draws = chances(card, inverse);
            shoe_.take(card);
            const Lanes values = play(first.plus(card), cardBit(pair_) + cardBit(card));
            shoe_.putBack(card);
            add(card == pair_ ? sums.first : sums.second, draws, values);
        }
        return *(seconds_ = sums);
    }

    static void add(Lanes& sum, const Lanes& chance, const Lanes& values) {
        for (int lane = 0; lane < kLanes; ++lane)
            sum[lane] += chance[lane] * values[lane];
    }

    // Over the next card: its chance times next(its hand), the card out while next runs.
    template <typename Next> Lanes overNextCard(const Held& held, std::uint64_t hand, Next&& next) {
        Lanes sum{};
        const auto inverse = inverseTotals();
        for (int card = 1; card <= 10; ++card) {
            if (!shoe_.has(card)) continue;
            const auto draws = chances(card, inverse);
            shoe_.take(card);
            add(sum, draws, next(held.plus(card), hand + cardBit(card)));
            shoe_.putBack(card);
        }
        return sum;
    }

    // The dealer's sums do not depend on the pair cards the hand holds; its grouped sums
    // depend on neither them nor its aces.
    std::uint64_t othersOf(std::uint64_t hand) const {
        return hand & ~(std::uint64_t{31} << (5 * (pair_ - 1)));
    }
    static std::uint64_t groupOf(std::uint64_t others) { return others & ~std::uint64_t{31}; }

    // The most aces a hand of the pair card and these cards (no aces) may hold: 21 or less,
    // from the shoe. Split aces take none but the pair.
    int acesWith(std::uint64_t key) const {
        if (pair_ == 1) return 0;
        int room = 21 - pair_;
        for (int value = 2; value <= 10; ++value)
            room -= value * int((key >> (5 * (value - 1))) & 31);
        return std::min(room, base_.most(1));
    }

    // The pair sums of every hand of these cards but its pair cards and aces (keys by groupOf),
    // with any number of aces: one walk of the dealer's tree for kBatch of them, the sets walked
    // before left out.
    void walk(const std::uint64_t* keys, int n) {
        const int size = dealer_.groupedSize(pair_);
        std::array<Shoe, DealerTable::kBatch> shoes;
        std::array<const Shoe*, DealerTable::kBatch> pointers;
        std::array<double*, DealerTable::kBatch> grouped;
        std::array<std::uint64_t, DealerTable::kBatch> batch;
        for (int first = 0; first < n;) {
            int count = 0;
            for (; first < n && count < DealerTable::kBatch; ++first) {
                const std::uint64_t key = keys[first];
                if (c_.walked.find(key)) continue;
                c_.walked.insert(key, 0);
                shoes[count] = base_;
                for (int value = 2; value <= 10; ++value) {
                    for (auto out = (key >> (5 * (value - 1))) & 31; out > 0; --out)
                        shoes[count].take(value);
                }
                pointers[count] = &shoes[count];
                batch[count++] = key;
            }
            c_.grouped.resize(std::size_t(count) * size);
            for (int i = 0; i < count; ++i)
                grouped[i] = &c_.grouped[std::size_t(i) * size];
            dealer_.groupedSums(pointers.data(), count, pair_, grouped.data());
            for (int i = 0; i < count; ++i)
                standEvery(batch[i], grouped[i], shoes[i]);
        }
    }

    // Standing on every hand of the pair card, more pair cards, these cards (`key`, no aces,
    // out of `shoe`) and any aces, from their grouped sums: cached by the hand's cards.
    void standEvery(std::uint64_t key, const double* grouped, Shoe shoe) {
        int hard = pair_;
        for (int value = 2; value <= 10; ++value)
            hard += value * int((key >> (5 * (value - 1))) & 31);
        const int mostAces = acesWith(key);
        c_.sums.resize(std::size_t(dealer_.pairSumsSize(pair_)));
        for (int aces = 0; aces <= mostAces; ++aces) {
            const DealerTable::PairSums sums =
                dealer_.withAces(grouped, pair_, shoe, c_.sums.data());
            // Split aces take one card: at most the other ace.
            const int room = 21 - hard - aces;
            const int mostPairs = std::min(pair_ == 1 ? 1 : room / pair_, base_.most(pair_));
            for (int pairs = 0; pairs <= mostPairs; ++pairs) {
                const Held held{hard + aces + pairs * pair_, pair_ == 1 || aces > 0, 0};
                const auto standing = dealer_.standingByPairs(
                    sums, held.total(), standingFactors(sums.others, base_[pair_] - pairs));
                Lanes values{};
                std::copy_n(standing.begin(), kLanes, values.begin());
                const std::uint64_t hand = key + std::uint64_t(1 + pairs) * cardBit(pair_) +
                                           std::uint64_t(aces) * cardBit(1);
                c_.stood.insert(hand, values);
            }
            if (aces < mostAces) shoe.take(1);
        }
    }

    // The dealer's sums for every hand one card on from this one that will be stood on (all of
    // them where it may double), in one walk of the dealer's tree.
    void prepareSums(const Held& held, std::uint64_t hand, bool mayDouble) {
        std::array<std::uint64_t, 10> keys;
        int n = 0;
        for (int card = 1; card <= 10; ++card) {
            if (!shoe_.has(card) || card == pair_) continue;
            const Held next = held.plus(card);
            const std::uint64_t nextHand = hand + cardBit(card);
            if (next.total() > 21 || c_.stood.find(nextHand)) continue;
            if (!mayDouble && next.total() < 21 &&
                (next.hittingIsNoWorse() || c_.best.find(nextHand))) {
                continue;
            }
            const std::uint64_t key = groupOf(othersOf(nextHand));
            if (c_.walked.find(key) ||
                std::find(keys.begin(), keys.begin() + n, key) != keys.begin() + n) {
                continue;
            }
            keys[n++] = key;
        }
        walk(keys.data(), n);
    }

    // What a busted hand loses in every lane: the bet, where the dealer plays the hand out.
    Lanes busted() const {
        Lanes values{};
        // With a hole card, the chance of the card that makes the dealer's blackjack is taken
        // out, lane by lane: the dealer plays the hand out only without one.
        const int blackjack = rules_.holeCard ? dealer_.blackjackCard() : 0;
        for (int lane = 0; lane < kLanes && pairsIn(lane) >= 0; ++lane) {
            const double cards = totalIn(lane);
            const double count = blackjack == pair_ ? pairsIn(lane) : shoe_[blackjack];
            const double chance = blackjack != 0 && cards > 0 ? std::max(count, 0.0) / cards : 0.0;
            values[lane] = -(1.0 - chance);
        }
        return values;
    }

    // The factors of standing in every lane, for a shoe of these cards of other values and
    // pair cards in lane 0: cached by the whole cards of each fewer than in base_.
    const DealerTable::StandingFactors& standingFactors(double others, double pairsLeft) {
        const auto fewer = [](double from, double to) {
            return std::uint64_t(std::llround(from - to));
        };
        const std::uint64_t key =
            fewer(base_.total - base_[pair_], others) << 16 | fewer(base_[pair_], pairsLeft);
        if (const auto* found = c_.factors.find(key)) return *found;
        return c_.factors.insert(key, dealer_.standingFactors(others, pairsLeft, kLanes));
    }

    // Standing, in every lane.
    const Lanes& stand(const Held& held, std::uint64_t hand) {
        if (const Lanes* found = c_.stood.find(hand)) return *found;
        if (held.total() > 21) return c_.stood.insert(hand, busted());
        const std::uint64_t key = groupOf(othersOf(hand));
        walk(&key, 1); // stands on every hand of these cards
        if (const Lanes* found = c_.stood.find(hand)) return *found;
        // A hand beyond those a walk covers: its own shoe's sums, worked out for it alone.
        std::vector<double> grouped(std::size_t(dealer_.groupedSize(pair_)));
        const Shoe* shoe = &shoe_;
        double* into = grouped.data();
        dealer_.groupedSums(&shoe, 1, pair_, &into);
        c_.sums.resize(std::size_t(dealer_.pairSumsSize(pair_)));
        const DealerTable::PairSums sums =
            dealer_.withAces(grouped.data(), pair_, shoe_, c_.sums.data());
        const auto standing =
            dealer_.standingByPairs(sums, held.total(), standingFactors(sums.others, pairsIn(0)));
        Lanes values{};
        std::copy_n(standing.begin(), kLanes, values.begin());
        return c_.stood.insert(hand, values);
    }

    const Best& best(const Held& held, std::uint64_t hand) {
        if (const Best* found = c_.best.find(hand)) return *found;
        Best b;
        if (pair_ != 1 && held.hittingIsNoWorse()) {
            b.value.fill(std::numeric_limits<double>::lowest());
        } else {
            b.value = stand(held, hand);
        }
        b.play.fill(Play::Stand);
        if (pair_ != 1 && held.total() < 21) {
            Lanes hitting{};
            Lanes doubling{};
            const bool mayDouble =
                held.cards == 2 && rules_.doubleAfterSplit && rules_.mayDouble(held.hard, held.ace);
            if (!everyHand_) prepareSums(held, hand, mayDouble);
            const auto inverse = inverseTotals();
            for (int card = 1; card <= 10; ++card) {
                if (!shoe_.has(card)) continue;
                const auto draws = chances(card, inverse);
                shoe_.take(card);
                const Held next = held.plus(card);
                const std::uint64_t nextHand = hand + cardBit(card);
                Lanes lost;
                const bool bust = next.total() > 21;
                if (bust) lost = busted();
                const Lanes& after = bust ? lost : best(next, nextHand).value;
                const Lanes* stood = !mayDouble ? nullptr : bust ? &lost : &stand(next, nextHand);
                // Every lane, though only the strategies' are chosen by: no gaps to skip.
                for (int lane = 0; lane < kLanes; ++lane)
                    hitting[lane] += draws[lane] * after[lane];
                if (stood) {
                    for (int lane = 0; lane < kLanes; ++lane)
                        doubling[lane] += draws[lane] * 2 * (*stood)[lane];
                }
                shoe_.putBack(card);
            }
            choose(b, hitting, Play::Hit);
            if (mayDouble) choose(b, doubling, Play::Double);
        }
        return c_.best.insert(hand, b);
    }

    void choose(Best& b, const Lanes& values, Play play) const {
        for (int lane : strategies_) {
            if (values[lane] > b.value[lane]) {
                b.value[lane] = values[lane];
                b.play[lane] = play;
            }
        }
    }

    // The hand played from here, each lane by the choices of its strategy.
    Lanes play(const Held& held, std::uint64_t hand) {
        if (const Lanes* found = c_.played.find(hand)) return *found;
        const auto choices = best(held, hand).play; // a copy: the caches grow below
        std::array<Play, kLanes> chosen{};
        bool stands = false;
        bool hits = false;
        bool doubles = false;
        for (int lane = 0; lane < kLanes; ++lane) {
            chosen[lane] = choices[strategyOf_[lane]];
            stands = stands || chosen[lane] == Play::Stand;
            hits = hits || chosen[lane] == Play::Hit;
            doubles = doubles || chosen[lane] == Play::Double;
        }
        Lanes values{};
        if (stands) values = stand(held, hand);
        if (hits) {
            const Lanes hit = overNextCard(held, hand, [this](const Held& next, std::uint64_t h) {
                return next.total() > 21 ? busted() : play(next, h);
            });
            for (int lane = 0; lane < kLanes; ++lane) {
                if (chosen[lane] == Play::Hit) values[lane] = hit[lane];
            }
        }
        if (doubles) {
            const Lanes doubled =
                overNextCard(held, hand, [this](const Held& next, std::uint64_t h) {
                    return next.total() > 21 ? busted() : stand(next, h);
                });
            for (int lane = 0; lane < kLanes; ++lane) {
                if (chosen[lane] == Play::Double) values[lane] = 2 * doubled[lane];
            }
        }
        return c_.played.insert(hand, values);
    }

    const rules::Rules& rules_;
    const DealerTable& dealer_;
    int pair_;
    Shoe shoe_;                            // lane 0 less the hand's cards but its first
    Shoe base_;                            // lane 0: the shoe less the pair
    std::vector<int> strategies_;          // the lanes whose choices are played
    bool everyHand_ = false;               // every hand's grouped sums walked before
    std::array<int, kLanes> strategyOf_{}; // the strategy whose choices a lane plays by
    std::optional<std::pair<Lanes, Lanes>> seconds_;
    SplitCaches& c_;
};

} // namespace

double splitValue(const rules::Rules& rules, const DealerTable& dealer, const Shoe& withoutUpCard,
                  int pair, bool everyHand) {
    const int most = pair == 1 ? 2 : rules.splitHands;
    const Patterns patterns(most);
    thread_local SplitCaches caches;
    SplitHands hands(rules, dealer, withoutUpCard, pair, most, caches);
    if (everyHand) hands.prepareEveryHand();
    double value = 0.0;
    for (const auto& [place, count] : patterns.hands())
        value += hands.value(place, count);
    return value;
}

} // namespace analysis

#include "Split.h"

#include "FlatMap.h"
#include "Held.h"
#include "Play.h"

#include <algorithm>
#include <map>
#include <tuple>
#include <vector>

namespace analysis {

namespace {

// One hand's term of the sum: its own read (a pair card or not), the pattern's other P and O
// reads, and how many other pair cards its strategy's shoe leaves out.
struct Term {
    bool ownPair;
    int pairsOut;
    int othersOut;
    int strategyOut;
    bool operator<(const Term& o) const {
        return std::tie(ownPair, pairsOut, othersOut, strategyOut) <
               std::tie(o.ownPair, o.pairsOut, o.othersOut, o.strategyOut);
    }
};

// Every pattern of reads, each hand of it counted under its term.
class Patterns {
public:
    Patterns(int most, PostSplit postSplit) : most_(most), postSplit_(postSplit) {
        read(0, 2, 0, 0);
    }
    const std::map<Term, int>& counts() const { return counts_; }

private:
    struct Ended {
        bool ownPair;
        int strategyOut;
    };

    // Hand `hand` takes a card while `made` hands are out; the reads so far are counted.
    void read(int hand, int made, int pairs, int others) {
        if (made < most_) {
            read(hand, made + 1, pairs + 1, others); // a pair card starts a new hand
        } else {
            end(hand, made, pairs + 1, others, true);
        }
        end(hand, made, pairs, others + 1, false);
    }

    // Hand `hand` has its own read and is played; the next hand reads, or the pattern is whole.
    void end(int hand, int made, int pairs, int others, bool ownPair) {
        int strategyOut = 0; // other pair cards out of the strategy's shoe
        switch (postSplit_) {
        case PostSplit::CDZ: strategyOut = 0; break;
        case PostSplit::CDP1: strategyOut = 1; break;
        case PostSplit::CDP: strategyOut = made - 1; break;
        }
        ended_.push_back({ownPair, strategyOut});
        if (hand + 1 < made) {
            read(hand + 1, made, pairs, others);
        } else {
            for (const Ended& e : ended_)
                ++counts_[{e.ownPair, pairs - e.ownPair, others - !e.ownPair, e.strategyOut}];
        }
        ended_.pop_back();
    }

    int most_;
    PostSplit postSplit_;
    std::vector<Ended> ended_;
    std::map<Term, int> counts_;
};

constexpr int kLaneShift = 56;

// The shoes a split hand meets differ only in their pair cards: lane L is the shoe after the
// pair with L - 1 more pair cards out (lane 0 has the other pair card back). A term's values
// lie in lane j + 1 for its j other pair reads (up to two splits and a pair card to each of the
// four hands but one); a strategy's shoe is lane 0 (CDZ-), 1 (CDP1), or 1 + the hands split
// off so far (CDP). The pair cards of the hand itself are out of every lane.
constexpr int kLanes = 7;
constexpr int kOthers = DealerTable::kMostOthers + 1;
// A value for every lane and every count k of other reads.
using Lanes = std::array<std::array<double, kOthers>, kLanes>;

using Standing = std::array<double, kLanes>; // standing in each lane, k = 0
// The best play of a hand in each strategy's lane, by its value there (k = 0).
struct Best {
    std::array<double, kLanes> value{};
    std::array<Play, kLanes> play{};
};

// What the split of one pair keeps, by the hand's cards (and, played, the strategy's lane);
// kept between splits for its memory.
struct SplitCaches {
    FlatMap<std::uint32_t> sums; // offsets into the arena
    std::vector<double> arena;
    FlatMap<Lanes> stood;
    FlatMap<Standing> standing;
    FlatMap<Best> best;
    FlatMap<Lanes> played;
    void clear() {
        sums.clear();
        arena.clear();
        stood.clear();
        standing.clear();
        best.clear();
        played.clear();
    }
};

// Values the split hands of one pair against one up card.
class SplitHands {
public:
    SplitHands(const Rules& rules, const DealerTable& dealer, const Shoe& withoutUpCard, int pair,
               int most, SplitCaches& caches)
        : rules_(rules), dealer_(dealer), pair_(pair), shoe_(withoutUpCard), c_(caches) {
        shoe_.take(pair);
        c_.clear();
        switch (rules.postSplit) {
        case PostSplit::CDZ: strategies_ = {0}; break;
        case PostSplit::CDP1: strategies_ = {1}; break;
        case PostSplit::CDP:
            for (int lane = 1; lane < most; ++lane)
                strategies_.push_back(lane);
            break;
        }
    }

    double value(const Term& term) {
        const int lane = term.pairsOut + 1;
        if (lane >= kLanes || pairsIn(lane) < 0) return 0.0;
        const auto& [pairSecond, otherSecond] = seconds(term.strategyOut);
        double chance = 1.0; // (m)_j / (n)_j, from the shoe after the pair
        for (int i = 0; i < term.pairsOut; ++i)
            chance *= double(pairsIn(1) - i) / (totalIn(1) - i);
        return chance * (term.ownPair ? pairSecond : otherSecond)[lane][term.othersOut];
    }

private:
    int pairsIn(int lane) const { return shoe_[pair_] - lane; }
    int totalIn(int lane) const { return shoe_.total - lane; }

    // 1 / the cards in each lane.
    std::array<double, kLanes> inverseTotals() const {
        std::array<double, kLanes> inverse{};
        for (int lane = 0; lane < kLanes; ++lane)
            inverse[lane] = totalIn(lane) > 0 ? 1.0 / totalIn(lane) : 0.0;
        return inverse;
    }

    // The chance of drawing `card` next in each lane.
    std::array<double, kLanes> chances(int card, const std::array<double, kLanes>& inverse) const {
        std::array<double, kLanes> lanes{};
        for (int lane = 0; lane < kLanes; ++lane) {
            const int count = card == pair_ ? pairsIn(lane) : shoe_[card];
            lanes[lane] = count > 0 ? count * inverse[lane] : 0.0;
        }
        return lanes;
    }

    // Over the second cards of each kind (the pair's value, any other), their chance times the
    // value of the hand played by the strategy of lane `strategy`.
    const std::pair<Lanes, Lanes>& seconds(int strategy) {
        auto found = seconds_.find(strategy);
        if (found != seconds_.end()) return found->second;
        std::pair<Lanes, Lanes> sums{};
        const Held first = Held{}.plus(pair_);
        const auto inverse = inverseTotals();
        for (int card = 1; card <= 10; ++card) {
            if (shoe_[card] == 0) continue;
            const auto draws = chances(card, inverse);
            shoe_.take(card);
            const Lanes values = play(first.plus(card), cardBit(pair_) + cardBit(card), strategy);
            shoe_.putBack(card);
            add(card == pair_ ? sums.first : sums.second, draws, values);
        }
        return seconds_.emplace(strategy, sums).first->second;
    }

    static void add(Lanes& sum, const std::array<double, kLanes>& chance, const Lanes& values) {
        for (int lane = 0; lane < kLanes; ++lane) {
            for (int k = 0; k < kOthers; ++k)
                sum[lane][k] += chance[lane] * values[lane][k];
        }
    }

    // Over the next card: its chance times next(its hand), the card out while next runs.
    template <typename Next> Lanes overNextCard(const Held& held, std::uint64_t hand, Next&& next) {
        Lanes sum{};
        const auto inverse = inverseTotals();
        for (int card = 1; card <= 10; ++card) {
            if (shoe_[card] == 0) continue;
            const auto draws = chances(card, inverse);
            shoe_.take(card);
            add(sum, draws, next(held.plus(card), hand + cardBit(card)));
            shoe_.putBack(card);
        }
        return sum;
    }

    // The dealer's sums do not depend on the pair cards the hand holds.
    DealerTable::PairSums pairSums(std::uint64_t hand) {
        const std::uint64_t others = hand & ~(std::uint64_t{31} << (5 * (pair_ - 1)));
        if (const std::uint32_t* found = c_.sums.find(others)) {
            return {pair_, shoe_.total - shoe_[pair_], &c_.arena[*found]};
        }
        const auto offset = static_cast<std::uint32_t>(c_.arena.size());
        c_.arena.resize(c_.arena.size() + dealer_.pairSumsSize(pair_));
        c_.sums.insert(others, offset);
        return dealer_.pairSums(shoe_, pair_, &c_.arena[offset]);
    }

    // What a busted hand loses in a lane, for every k.
    std::array<double, kOthers> busted(int lane) const {
        Shoe shoe = shoe_;
        shoe.count[pair_] -= lane;
        shoe.total -= lane;
        auto values = dealer_.playedThenOthers(shoe, pair_);
        for (double& value : values)
            value = -value;
        return values;
    }

    // Standing, in the lanes the values are read from (1 on), for every k.
    const Lanes& stand(const Held& held, std::uint64_t hand) {
        if (const Lanes* found = c_.stood.find(hand)) return *found;
        Lanes values{};
        if (held.total() > 21) {
            for (int lane = 1; lane < kLanes && pairsIn(lane) >= 0; ++lane)
                values[lane] = busted(lane);
        } else if (pairsIn(1) >= 0) {
            const auto standing = dealer_.standingThenOthers(pairSums(hand), held.total(),
                                                             pairsIn(1), kLanes - 1, kOthers - 1);
            std::copy_n(standing.begin(), kLanes - 1, values.begin() + 1);
        }
        return c_.stood.insert(hand, values);
    }

    const Standing& standing(const Held& held, std::uint64_t hand) {
        if (const Standing* found = c_.standing.find(hand)) return *found;
        Standing values{};
        const int first = strategies_.front();
        if (held.total() > 21) {
            for (int lane : strategies_)
                values[lane] = busted(lane)[0];
        } else if (pairsIn(first) >= 0) {
            const auto standing = dealer_.standingThenOthers(
                pairSums(hand), held.total(), pairsIn(first), int(strategies_.size()), 0);
            for (int lane : strategies_)
                values[lane] = standing[lane - first][0];
        }
        return c_.standing.insert(hand, values);
    }

    const Best& best(const Held& held, std::uint64_t hand) {
        if (const Best* found = c_.best.find(hand)) return *found;
        Best b;
        b.value = standing(held, hand);
        b.play.fill(Play::Stand);
        if (pair_ != 1 && held.total() < 21) {
            Lanes hitting{};
            Lanes doubling{};
            const bool mayDouble =
                held.cards == 2 && rules_.doubleAfterSplit && rules_.mayDouble(held.hard, held.ace);
            const auto inverse = inverseTotals();
            for (int card = 1; card <= 10; ++card) {
                if (shoe_[card] == 0) continue;
                const auto draws = chances(card, inverse);
                shoe_.take(card);
                const Held next = held.plus(card);
                const std::uint64_t nextHand = hand + cardBit(card);
                const Best& after = best(next, nextHand);
                const Standing* stood = mayDouble ? &standing(next, nextHand) : nullptr;
                for (int lane : strategies_) {
                    hitting[lane][0] += draws[lane] * after.value[lane];
                    if (stood) doubling[lane][0] += draws[lane] * 2 * (*stood)[lane];
                }
                shoe_.putBack(card);
            }
            choose(b, hitting, Play::Hit);
            if (mayDouble) choose(b, doubling, Play::Double);
        }
        return c_.best.insert(hand, b);
    }

    static void choose(Best& b, const Lanes& values, Play play) {
        for (int lane = 0; lane < kLanes; ++lane) {
            if (values[lane][0] > b.value[lane]) {
                b.value[lane] = values[lane][0];
                b.play[lane] = play;
            }
        }
    }

    Lanes doubled(const Held& held, std::uint64_t hand) {
        Lanes values = overNextCard(
            held, hand, [this](const Held& next, std::uint64_t h) { return stand(next, h); });
        for (auto& lane : values) {
            for (double& value : lane)
                value *= 2;
        }
        return values;
    }

    // The hand played from here by the choices of lane `strategy`.
    Lanes play(const Held& held, std::uint64_t hand, int strategy) {
        const std::uint64_t key = hand | std::uint64_t(strategy) << kLaneShift;
        if (const Lanes* found = c_.played.find(key)) return *found;
        Lanes values{};
        switch (best(held, hand).play[strategy]) {
        case Play::Hit:
            values = overNextCard(held, hand, [this, strategy](const Held& next, std::uint64_t h) {
                return play(next, h, strategy);
            });
            break;
        case Play::Double: values = doubled(held, hand); break;
        default: values = stand(held, hand); break;
        }
        return c_.played.insert(key, values);
    }

    const Rules& rules_;
    const DealerTable& dealer_;
    int pair_;
    Shoe shoe_;                   // lane 0 less the hand's cards but its first
    std::vector<int> strategies_; // the lanes whose choices are played
    std::map<int, std::pair<Lanes, Lanes>> seconds_;
    SplitCaches& c_;
};

} // namespace

double splitValue(const Rules& rules, const DealerTable& dealer, const Shoe& withoutUpCard,
                  int pair) {
    const int most = pair == 1 ? 2 : rules.splitHands;
    const Patterns patterns(most, rules.postSplit);
    thread_local SplitCaches caches;
    SplitHands hands(rules, dealer, withoutUpCard, pair, most, caches);
    double value = 0.0;
    for (const auto& [term, count] : patterns.counts())
        value += count * hands.value(term);
    return value;
}

} // namespace analysis

#include "DealerTable.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <mutex>
#include <tuple>
#include <unordered_map>

namespace analysis {

namespace {

// A dealer's hand draws only below a hard 17, and every card adds at least one to the hard
// total: it holds at most 17 cards, the up card among them, and at most 9 of one value (nine
// twos). The falling products by number of cards and the counts by cards of a value before are
// sized from these, so that no longer hand can be cut short without a word.
constexpr int kMostDealerCards = 17;
constexpr int kMostOfOneValue = 9;
constexpr int kDepths = 24; // numbers of cards, 0 to kDepths - 1
static_assert(kMostDealerCards < kDepths);

} // namespace

namespace {

using Cards = std::vector<std::int8_t>;

inline double reciprocal(double n) {
    return n > 0 ? 1.0 / n : 0.0;
}

struct Ending {
    int outcome;
    double orders = 0;
};

// Every set of cards the dealer can draw to the end, with the number of orders the house rules
// let the dealer draw it in. An order is valid when the dealer plays on after each of its
// proper prefixes, and whether the dealer plays on depends only on the prefix's cards, so the
// orders of a set are the sum of the valid orders of the sets one card smaller that play on:
// counted level by level, each set once, rather than order by order.
struct Enumerator {
    int up;
    bool hitSoft17;
    bool holeCard;
    std::unordered_map<std::uint64_t, Ending> endings; // by keyOf

    // A set as a key: 4 bits a value (at most kMostOfOneValue of one value).
    static std::uint64_t keyOf(const std::array<std::int8_t, 11>& counts) {
        std::uint64_t key = 0;
        for (int v = 1; v <= 10; ++v)
            key |= std::uint64_t(counts[v]) << (4 * (v - 1));
        return key;
    }
    static std::array<std::int8_t, 11> countsOf(std::uint64_t key) {
        std::array<std::int8_t, 11> counts{};
        for (int v = 1; v <= 10; ++v)
            counts[v] = std::int8_t((key >> (4 * (v - 1))) & 15);
        return counts;
    }

    // How the hand of the up card and these cards ends, or -1 if the dealer draws again; -2 if
    // it is a blackjack the dealer has checked for (the hand is not played).
    int outcomeOf(const std::array<std::int8_t, 11>& counts, int drawn) const {
        int hard = up;
        bool ace = up == 1;
        for (int v = 1; v <= 10; ++v) {
            hard += v * counts[v];
            ace = ace || (v == 1 && counts[v] > 0);
        }
        const bool soft = ace && hard + 10 <= 21;
        const int total = soft ? hard + 10 : hard;
        if (drawn == 1 && total == 21) return holeCard ? -2 : DealerBlackjack;
        if (total > 21) return DealerBust;
        if (total >= 18 || (total == 17 && !(soft && hitSoft17))) return Dealer17 + (total - 17);
        return -1;
    }

    // A number that orders sets as their cards do in ascending order, card by card (a set
    // before the longer sets it begins): the cards as the digits of a number in base 11, the
    // first the highest, a 0 for each place past the last card.
    static std::uint64_t orderOf(std::uint64_t key) {
        static_assert(kMostDealerCards <= 18, "18 digits in base 11 fit 64 bits");
        std::uint64_t order = 0;
        int places = 0;
        for (int v = 1; v <= 10; ++v) {
            for (auto n = (key >> (4 * (v - 1))) & 15; n > 0; --n, ++places)
                order = order * 11 + std::uint64_t(v);
        }
        for (; places < kMostDealerCards; ++places)
            order *= 11;
        return order;
    }

    void play() {
        std::unordered_map<std::uint64_t, double> level{{0, 1.0}}; // sets that play on: orders
        for (int drawn = 1; !level.empty(); ++drawn) {
            std::unordered_map<std::uint64_t, double> next;
            for (const auto& [key, orders] : level) {
                for (int value = 1; value <= 10; ++value) {
                    const std::uint64_t larger = key + (std::uint64_t{1} << (4 * (value - 1)));
                    const auto counts = countsOf(larger);
                    const int outcome = outcomeOf(counts, drawn);
                    if (outcome == -1) {
                        next[larger] += orders;
                    } else if (outcome >= 0) {
                        endings.try_emplace(larger, Ending{outcome}).first->second.orders += orders;
                    }
                }
            }
            level.swap(next);
        }
    }
};

} // namespace

DealerTable::DealerTable(int up, bool hitSoft17, bool holeCard) : up_(up) {
    Enumerator enumerator{up, hitSoft17, holeCard, {}};
    enumerator.play();

    // The tree of sets in ascending card order: each prefix of a set is a node. The sets that
    // begin with a prefix come one after the other in that order, so a set's nodes are those of
    // the set before it as far as the two agree, and new ones from there on.
    std::vector<std::pair<std::uint64_t, std::uint64_t>> sorted; // (order, key)
    sorted.reserve(enumerator.endings.size());
    for (const auto& [key, ending] : enumerator.endings)
        sorted.emplace_back(Enumerator::orderOf(key), key);
    std::sort(sorted.begin(), sorted.end());
    parent_.push_back(0);
    factor_.push_back(0);
    std::vector<std::int8_t> valueCounts(11, 0); // per node, its set's cards of each value
    outcome_.push_back(-1);
    depth_.push_back(0);
    orders_.push_back(0);
    Cards previous;
    std::vector<std::int32_t> nodes{0}; // the nodes of the set before: its prefixes
    for (const auto& [order, key] : sorted) {
        const Ending& ending = enumerator.endings.at(key);
        const auto counts = Enumerator::countsOf(key);
        Cards set;
        for (int v = 1; v <= 10; ++v)
            set.insert(set.end(), counts[v], std::int8_t(v));
        std::size_t same = 0;
        while (same < set.size() && same < previous.size() && set[same] == previous[same])
            ++same;
        nodes.resize(same + 1);
        std::array<std::int8_t, 11> prefix{};
        for (std::size_t i = 0; i < same; ++i)
            ++prefix[set[i]];
        for (std::size_t i = same; i < set.size(); ++i) {
            const int before = prefix[set[i]]++;
            parent_.push_back(nodes.back());
            factor_.push_back(static_cast<std::int16_t>(set[i] * kMostOfAValue + before));
            valueCounts.insert(valueCounts.end(), prefix.begin(), prefix.end());
            outcome_.push_back(-1);
            depth_.push_back(static_cast<std::int8_t>(i + 1));
            orders_.push_back(0);
            nodes.push_back(static_cast<std::int32_t>(parent_.size() - 1));
        }
        outcome_[nodes.back()] = static_cast<std::int8_t>(ending.outcome);
        orders_[nodes.back()] = ending.orders;
        maxDepth_ = std::max(maxDepth_, static_cast<int>(set.size()));
        previous = std::move(set);
    }
    static_assert(kMostOfOneValue < DealerTable::kMostOfAValue);
    leavesFirst(valueCounts);
    // For each value as the pair's: the ending sets' distinct (cards, pair cards), as slots,
    // and (slot, aces), as groups, in the order they are first met. With the aces as the pair,
    // a group is a slot.
    slots_.resize(11);
    groups_.resize(11);
    nodeGroup_.assign(parent_.size() * 11, -1);
    for (int value = 1; value <= 10; ++value) {
        std::array<std::array<std::int16_t, kMostOfAValue>, kDepths> slotOf;
        for (auto& row : slotOf)
            row.fill(-1);
        std::vector<std::array<std::int16_t, kMostOfAValue>> groupOf;
        for (std::size_t i = 1; i < parent_.size(); ++i) {
            if (outcome_[i] < 0) continue;
            const int d = depth_[i];
            const int s = valueCounts[i * 11 + value];
            const int aces = value == 1 ? 0 : valueCounts[i * 11 + 1];
            std::int16_t& slot = slotOf[d][s];
            if (slot < 0) {
                slot = static_cast<std::int16_t>(slots_[value].size());
                slots_[value].emplace_back(d, s);
                groupOf.emplace_back();
                groupOf.back().fill(-1);
            }
            std::int16_t& group = groupOf[slot][aces];
            if (group < 0) {
                group = static_cast<std::int16_t>(groups_[value].size());
                groups_[value].emplace_back(slot, aces);
            }
            nodeGroup_[value * parent_.size() + i] = group;
        }
    }
}

const DealerTable& DealerTable::of(int up, bool hitSoft17, bool holeCard) {
    // Each made once, on first use; different tables are made at once by different threads.
    static std::array<std::once_flag, 40> once;
    static std::array<std::unique_ptr<const DealerTable>, 40> made;
    const int slot = (up - 1) * 4 + hitSoft17 * 2 + holeCard;
    std::call_once(once[slot], [&] {
        made[slot] = std::make_unique<const DealerTable>(up, hitSoft17, holeCard);
    });
    return *made[slot];
}

// Nodes with children first, in their order (a parent still comes before its children), then
// the leaves: the walks then run two loops without a test for the leaves.
void DealerTable::leavesFirst(std::vector<std::int8_t>& valueCounts) {
    const std::size_t nodes = parent_.size();
    std::vector<char> hasChildren(nodes, 0);
    for (std::size_t i = 1; i < nodes; ++i)
        hasChildren[parent_[i]] = 1;
    std::vector<std::int32_t> order;
    for (int pass = 1; pass >= 0; --pass) {
        for (std::size_t i = 0; i < nodes; ++i) {
            if (hasChildren[i] == pass || (i == 0 && pass == 1)) order.push_back(std::int32_t(i));
        }
    }
    std::vector<std::int32_t> where(nodes);
    for (std::size_t i = 0; i < nodes; ++i)
        where[order[i]] = std::int32_t(i);
    auto permute = [&](auto& v, std::size_t width) {
        auto old = v;
        for (std::size_t i = 0; i < nodes; ++i)
            std::copy_n(old.begin() + order[i] * width, width, v.begin() + i * width);
    };
    permute(parent_, 1);
    for (auto& parent : parent_)
        parent = where[parent];
    permute(factor_, 1);
    permute(valueCounts, 11);
    permute(outcome_, 1);
    permute(depth_, 1);
    permute(orders_, 1);
    firstLeaf_ = 1;
    while (firstLeaf_ < nodes && hasChildren[order[firstLeaf_]])
        ++firstLeaf_;
}

// The counts left of each value once 0, 1, 2 ... of them are out; the factors of the pair
// (0 for none) and, with a pair, of the aces all 1: their counts left out of the products.
DealerTable::Left DealerTable::leftOf(const Shoe& shoe, int pair) {
    Left left{};
    for (int value = 1; value <= 10; ++value) {
        const bool leftOut = pair != 0 && (value == pair || value == 1);
        for (int before = 0; before < kMostOfAValue; ++before) {
            left[value * kMostOfAValue + before] =
                leftOut ? 1.0 : std::max(shoe.count[value] - before, 0.0);
        }
    }
    return left;
}

// The hot loop of every table: in AVX2 where the processor has it, chosen when the program
// starts (the same products and sums in the same order either way: no fused multiply-add).
template <int W, typename At>
__attribute__((target_clones("avx2", "default"))) void
DealerTable::sumOrders(const std::array<double, W>* left, At at,
                       std::array<double, W>* sums) const {
    thread_local std::vector<std::array<double, W>> products;
    products.resize(firstLeaf_);
    products[0].fill(1.0);
    const std::size_t nodes = parent_.size();
    for (std::size_t i = 1; i < firstLeaf_; ++i) {
        const std::array<double, W>& parent = products[parent_[i]];
        const std::array<double, W>& counts = left[factor_[i]];
        std::array<double, W>& product = products[i];
        for (int s = 0; s < W; ++s)
            product[s] = parent[s] * counts[s];
        if (outcome_[i] >= 0) {
            std::array<double, W>& sum = sums[at(i)];
            const double orders = orders_[i];
            for (int s = 0; s < W; ++s)
                sum[s] += orders * product[s];
        }
    }
    for (std::size_t i = firstLeaf_; i < nodes; ++i) {
        const std::array<double, W>& parent = products[parent_[i]];
        const std::array<double, W>& counts = left[factor_[i]];
        std::array<double, W>& sum = sums[at(i)];
        const double orders = orders_[i];
        for (int s = 0; s < W; ++s)
            sum[s] += orders * parent[s] * counts[s];
    }
}

namespace {

// The counts of every shoe by factor, side by side: left[factor][shoe]. Lanes past n repeat
// the first shoe.
template <int W, typename LeftOf> auto sideBySide(int n, LeftOf leftOf) {
    using One = decltype(leftOf(0));
    std::array<std::array<double, W>, std::tuple_size_v<One>> left{};
    for (int s = 0; s < W; ++s) {
        const auto one = leftOf(s < n ? s : 0);
        for (std::size_t f = 0; f < one.size(); ++f)
            left[f][s] = one[f];
    }
    return left;
}

} // namespace

template <int W>
void DealerTable::outcomesOf(const Shoe* const* shoes, int n, Distribution* chances) const {
    const auto left = sideBySide<W>(n, [&](int s) { return leftOf(*shoes[s], 0); });
    // Sums by outcome and number of cards, each divided by its falling product once at the end.
    std::array<std::array<double, W>, kOutcomes * kDepths> sums{};
    sumOrders<W>(
        left.data(), [this](std::size_t i) { return outcome_[i] * kDepths + depth_[i]; },
        sums.data());
    for (int s = 0; s < n; ++s) {
        // 1 / (N (N-1) ... (N-k+1)): the chance of one order of k cards is its falling product
        // of counts over this.
        std::array<double, kDepths> inverseFalling{};
        inverseFalling[0] = 1.0;
        for (int k = 1; k <= maxDepth_; ++k) {
            const double cards = shoes[s]->total - (k - 1);
            inverseFalling[k] = cards > 0 ? inverseFalling[k - 1] / cards : 0.0;
        }
        Distribution& d = chances[s];
        d = {};
        for (int outcome = 0; outcome < kOutcomes; ++outcome) {
            for (int k = 1; k <= maxDepth_; ++k)
                d[outcome] += sums[outcome * kDepths + k][s] * inverseFalling[k];
        }
    }
}

Distribution DealerTable::outcomes(const Shoe& shoe) const {
    const Shoe* one = &shoe;
    Distribution chances;
    outcomesOf<1>(&one, 1, &chances);
    return chances;
}

template <int W>
void DealerTable::groupedSumsOf(const Shoe* const* shoes, int n, int pair,
                                double* const* grouped) const {
    const auto left = sideBySide<W>(n, [&](int s) { return leftOf(*shoes[s], pair); });
    const int groups = static_cast<int>(groups_[pair].size());
    thread_local std::vector<std::array<double, W>> summed;
    summed.assign(std::size_t(kOutcomes * groups), std::array<double, W>{});
    const std::int16_t* groupOf = &nodeGroup_[pair * parent_.size()];
    sumOrders<W>(
        left.data(), [&](std::size_t i) { return groupOf[i] * kOutcomes + outcome_[i]; },
        summed.data());
    for (int s = 0; s < n; ++s) {
        for (int j = 0; j < kOutcomes * groups; ++j)
            grouped[s][j] = summed[j][s];
    }
}

void DealerTable::groupedSums(const Shoe* const* shoes, int n, int pair,
                              double* const* grouped) const {
    if (n <= 0) return;
    if (n == 1) return groupedSumsOf<1>(shoes, n, pair, grouped);
    if (n <= 4) return groupedSumsOf<4>(shoes, n, pair, grouped);
    groupedSumsOf<kBatch>(shoes, n, pair, grouped);
}

__attribute__((target_clones("avx2", "default"))) DealerTable::PairSums
DealerTable::withAces(const double* grouped, int pair, const Shoe& shoe, double* sums) const {
    const int slots = static_cast<int>(slots_[pair].size());
    const int groups = static_cast<int>(groups_[pair].size());
    std::fill_n(sums, kOutcomes * slots, 0.0);
    // (A)_a: the aces' falling count, A of them in the shoe (1 for a pair of aces: none out).
    std::array<double, kMostOfAValue> acesFalling{};
    acesFalling[0] = 1.0;
    for (int a = 1; a < kMostOfAValue; ++a)
        acesFalling[a] =
            pair == 1 ? 0.0 : acesFalling[a - 1] * std::max(shoe.count[1] - (a - 1), 0.0);
    // No branch on a factor of 0: adding nothing is quicker than a guess gone wrong.
    double* __restrict to = sums;
    const double* __restrict from = grouped;
    for (int group = 0; group < groups; ++group) {
        const auto [slot, aces] = groups_[pair][group];
        const double factor = acesFalling[aces];
        for (int outcome = 0; outcome < kOutcomes; ++outcome)
            to[slot * kOutcomes + outcome] += from[group * kOutcomes + outcome] * factor;
    }
    return {pair, shoe.total - shoe.count[pair], sums};
}

Distribution DealerTable::outcomesByPairs(const PairSums& sums, double pairsLeft) const {
    // The factors of standingByPairs, for this one shoe.
    const StandingFactors::Shoe f = standingFactors(sums.others, pairsLeft, 1).shoe[0];
    const auto& slots = slots_[sums.pair];
    const int slotCount = static_cast<int>(slots.size());
    Distribution chances{};
    for (int slot = 0; slot < slotCount; ++slot) {
        const auto [d, s] = slots[slot];
        const double factor = f.pairsFalling[s] * f.inverseFalling[d];
        if (factor == 0.0) continue;
        for (int outcome = 0; outcome < kOutcomes; ++outcome)
            chances[outcome] += sums.sums[slot * kOutcomes + outcome] * factor;
    }
    return chances;
}

DealerTable::StandingFactors DealerTable::standingFactors(double others, double pairsLeft,
                                                          int shoes) const {
    static_assert(std::tuple_size_v<decltype(StandingFactors::Shoe::inverseFalling)> == kDepths);
    static_assert(std::tuple_size_v<decltype(StandingFactors::Shoe::pairsFalling)> ==
                  kMostOfAValue + 1);
    StandingFactors factors{};
    // The shoes past the last keep factors of 0.
    factors.shoes = std::min({shoes, int(std::floor(pairsLeft)) + 1, kMostShoes});
    for (int shoe = 0; shoe < factors.shoes; ++shoe) {
        StandingFactors::Shoe& f = factors.shoe[shoe];
        const double pairs = pairsLeft - shoe;
        const double cards = others + pairs;
        f.inverseFalling[0] = 1.0;
        for (int d = 1; d <= maxDepth_; ++d)
            f.inverseFalling[d] = f.inverseFalling[d - 1] * reciprocal(cards - (d - 1));
        f.pairsFalling[0] = 1.0;
        for (int count = 1; count <= kMostOfAValue; ++count)
            f.pairsFalling[count] = f.pairsFalling[count - 1] * std::max(pairs - (count - 1), 0.0);
    }
    return factors;
}

// Every shoe side by side, the same products in the same order as one at a time.
__attribute__((target_clones("avx2", "default"))) DealerTable::Standing
DealerTable::standingByPairs(const PairSums& sums, int total,
                             const StandingFactors& factors) const {
    // What standing wins against each outcome.
    std::array<double, kOutcomes> wins{};
    wins[DealerBust] = 1.0;
    wins[DealerBlackjack] = -1.0;
    for (int outcome = Dealer17; outcome <= Dealer21; ++outcome)
        wins[outcome] = total > 17 + outcome ? 1.0 : total < 17 + outcome ? -1.0 : 0.0;
    const auto& slots = slots_[sums.pair];
    const int slotCount = static_cast<int>(slots.size());
    Standing values{};
    for (int slot = 0; slot < slotCount; ++slot) {
        const auto [d, s] = slots[slot];
        double won = 0.0;
        for (int outcome = 0; outcome < kOutcomes; ++outcome)
            won += wins[outcome] * sums.sums[slot * kOutcomes + outcome];
        for (int shoe = 0; shoe < kMostShoes; ++shoe) {
            values[shoe] +=
                won * factors.shoe[shoe].pairsFalling[s] * factors.shoe[shoe].inverseFalling[d];
        }
    }
    return values;
}

double DealerTable::blackjackChance(const Shoe& shoe) const {
    if (up_ == 1) return shoe.chance(10);
    if (up_ == 10) return shoe.chance(1);
    return 0.0;
}

} // namespace analysis

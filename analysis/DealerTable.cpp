#include "DealerTable.h"

#include <algorithm>
#include <map>

namespace analysis {

namespace {

using Cards = std::vector<std::int8_t>;

struct Ending {
    int outcome;
    double orders = 0;
};

struct Enumerator {
    int up;
    bool hitSoft17;
    bool holeCard;
    std::map<Cards, Ending> endings;
    Cards drawn;

    // Plays every order of draws; an order that ends is counted under its sorted set.
    void play(int hard, bool ace) {
        const bool soft = ace && hard + 10 <= 21;
        const int total = soft ? hard + 10 : hard;
        const bool natural = drawn.size() == 1 && total == 21;
        if (natural && holeCard) {
            return; // the dealer checked: this hand is not played
        }
        int outcome = -1;
        if (natural) {
            outcome = DealerBlackjack;
        } else if (total > 21) {
            outcome = DealerBust;
        } else if (total >= 18 || (total == 17 && !(soft && hitSoft17))) {
            outcome = Dealer17 + (total - 17);
        }
        if (outcome >= 0) {
            Cards set = drawn;
            std::sort(set.begin(), set.end());
            Ending& ending = endings.try_emplace(set, Ending{outcome}).first->second;
            ending.orders += 1;
            return;
        }
        for (int value = 1; value <= 10; ++value) {
            drawn.push_back(static_cast<std::int8_t>(value));
            play(hard + value, ace || value == 1);
            drawn.pop_back();
        }
    }
};

} // namespace

DealerTable::DealerTable(int up, bool hitSoft17, bool holeCard) : up_(up) {
    Enumerator enumerator{up, hitSoft17, holeCard, {}, {}};
    enumerator.play(up, up == 1);

    // The tree of sets in ascending card order: each prefix of a set is a node, found again by
    // its cards while the sorted sets are walked in order.
    std::map<Cards, std::int32_t> index;
    parent_.push_back(0);
    factor_.push_back(0);
    outcome_.push_back(-1);
    depth_.push_back(0);
    orders_.push_back(0);
    for (const auto& [set, ending] : enumerator.endings) {
        Cards prefix;
        std::int32_t parent = 0;
        for (std::size_t i = 0; i < set.size(); ++i) {
            prefix.push_back(set[i]);
            auto [it, added] = index.try_emplace(prefix, static_cast<std::int32_t>(parent_.size()));
            if (added) {
                const auto before = std::count(prefix.begin(), prefix.end() - 1, set[i]);
                parent_.push_back(parent);
                factor_.push_back(static_cast<std::int16_t>(set[i] * kMostOfAValue + before));
                outcome_.push_back(-1);
                depth_.push_back(static_cast<std::int8_t>(prefix.size()));
                orders_.push_back(0);
            }
            parent = it->second;
        }
        outcome_[parent] = static_cast<std::int8_t>(ending.outcome);
        orders_[parent] = ending.orders;
        maxDepth_ = std::max(maxDepth_, static_cast<int>(set.size()));
    }
}

Distribution DealerTable::outcomes(const Shoe& shoe) const {
    // The counts left of each value once 0, 1, 2 ... of them are out.
    std::array<double, 11 * kMostOfAValue> left{};
    for (int value = 1; value <= 10; ++value) {
        for (int before = 0; before < kMostOfAValue; ++before) {
            left[value * kMostOfAValue + before] = std::max(shoe.count[value] - before, 0);
        }
    }
    // 1 / (N (N-1) ... (N-k+1)): the chance of one order of k cards is its falling product of
    // counts over this.
    std::array<double, 24> inverseFalling{};
    inverseFalling[0] = 1.0;
    for (int k = 1; k <= maxDepth_; ++k) {
        const int cards = shoe.total - (k - 1);
        inverseFalling[k] = cards > 0 ? inverseFalling[k - 1] / cards : 0.0;
    }
    thread_local std::vector<double> products;
    products.resize(parent_.size());
    products[0] = 1.0;
    // Sums by outcome and number of cards, each divided by its falling product once at the end.
    std::array<std::array<double, 24>, kOutcomes> sums{};
    const std::size_t nodes = parent_.size();
    for (std::size_t i = 1; i < nodes; ++i) {
        const double product = products[parent_[i]] * left[factor_[i]];
        products[i] = product;
        if (outcome_[i] >= 0) sums[outcome_[i]][depth_[i]] += orders_[i] * product;
    }
    Distribution chances{};
    for (int outcome = 0; outcome < kOutcomes; ++outcome) {
        for (int k = 1; k <= maxDepth_; ++k)
            chances[outcome] += sums[outcome][k] * inverseFalling[k];
    }
    return chances;
}

double DealerTable::blackjackChance(const Shoe& shoe) const {
    if (up_ == 1) return shoe.chance(10);
    if (up_ == 10) return shoe.chance(1);
    return 0.0;
}

} // namespace analysis

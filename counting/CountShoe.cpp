#include "CountShoe.h"

#include "CountFrequency.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace counting {

std::vector<std::pair<int, double>> roundDepths(int decks, double penetration, int players) {
    const int cards = 52 * decks;
    const double perRound = kCardsPerHand * (players + 1);
    const double cut = penetration * cards;
    std::vector<std::pair<int, double>> depths;
    for (double seen = 0; seen < cut; seen += perRound)
        depths.emplace_back(int(std::lround(seen)), 1.0);
    if (depths.empty()) depths.emplace_back(0, 1.0);
    for (auto& depth : depths)
        depth.second = 1.0 / double(depths.size());
    return depths;
}

namespace {

// Shares of `whole` in proportion to `parts`, by largest remainders.
std::vector<int> shares(const std::vector<double>& parts, int whole) {
    const double sum = std::accumulate(parts.begin(), parts.end(), 0.0);
    std::vector<int> out(parts.size(), 0);
    if (sum <= 0 || whole <= 0) return out;
    std::vector<std::pair<double, std::size_t>> remainders;
    int given = 0;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const double exact = parts[i] * whole / sum;
        out[i] = int(std::floor(exact));
        given += out[i];
        remainders.emplace_back(exact - out[i], i);
    }
    std::sort(remainders.begin(), remainders.end(), std::greater<>());
    for (std::size_t k = 0; given < whole && k < remainders.size(); ++k, ++given)
        ++out[remainders[k].second];
    return out;
}

} // namespace

std::array<int, 11> wholeCards(const CountSystem& system, const std::array<double, 11>& left) {
    // The groups of equal tags, each with its values.
    std::map<double, std::vector<int>> groups;
    for (int value = 1; value <= 10; ++value)
        groups[system.tags[value]].push_back(value);
    std::vector<double> groupCards;
    double total = 0;
    for (const auto& [tag, values] : groups) {
        double cards = 0;
        for (int value : values)
            cards += left[value];
        groupCards.push_back(cards);
        total += cards;
    }
    const std::vector<int> groupWhole = shares(groupCards, int(std::lround(total)));
    std::array<int, 11> shoe{};
    std::size_t g = 0;
    for (const auto& [tag, values] : groups) {
        std::vector<double> parts;
        for (int value : values)
            parts.push_back(left[value]);
        const std::vector<int> whole = shares(parts, groupWhole[g++]);
        for (std::size_t i = 0; i < values.size(); ++i)
            shoe[values[i]] = whole[i];
    }
    return shoe;
}

std::vector<std::pair<double, std::array<int, 11>>> wholeMixture(const std::array<double, 11>& left,
                                                                 int steps) {
    std::array<int, 11> low{};
    std::vector<std::pair<double, int>> fractions; // the largest first
    for (int value = 1; value <= 10; ++value) {
        const double whole = std::floor(std::max(left[value], 0.0));
        low[value] = int(whole);
        fractions.emplace_back(std::max(left[value], 0.0) - whole, value);
    }
    std::sort(fractions.begin(), fractions.end(), std::greater<>());
    std::vector<std::pair<double, std::array<int, 11>>> mixture;
    if (steps > 0) {
        for (int shoe = 1; shoe <= steps; ++shoe) {
            std::array<int, 11> cards = low;
            for (const auto& [fraction, value] : fractions) {
                if (std::lround(fraction * steps) >= steps - shoe + 1) ++cards[value];
            }
            mixture.emplace_back(1.0 / steps, cards);
        }
        return mixture;
    }
    std::array<int, 11> cards = low;
    double above = 1.0; // the fraction the shoe so far stands for, down to the next
    for (std::size_t i = 0; i <= fractions.size(); ++i) {
        const double next = i < fractions.size() ? fractions[i].first : 0.0;
        if (above - next > 1e-12) mixture.emplace_back(above - next, cards);
        if (i < fractions.size()) ++cards[fractions[i].second];
        above = next;
    }
    return mixture;
}

CountsOverDepths countsOverDepths(const CountSystem& system, const Conventions& conventions,
                                  int decks, const std::vector<std::pair<int, double>>& depths) {
    CountsOverDepths out;
    const auto atDepths = countsAtDepths(system, conventions, decks, depths);
    for (const auto& [count, byDepth] : atDepths) {
        double frequency = 0;
        std::array<double, 11> left{};
        for (const auto& [chance, cards] : byDepth) {
            frequency += chance;
            for (int value = 1; value <= 10; ++value)
                left[value] += chance * cards[value];
        }
        if (frequency <= 0) continue;
        for (int value = 1; value <= 10; ++value)
            left[value] /= frequency;
        out.frequency[count] = frequency;
        out.left[count] = left;
    }
    return out;
}

} // namespace counting

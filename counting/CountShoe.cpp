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

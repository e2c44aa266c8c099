// The shoe at a count against the real shoes at that count: shoes dealt from a seeded
// generator to a depth, those at the count kept and each valued exactly by the engine, their
// average set beside the figures of the one shoe the count lab values. Prints a Markdown table.
//   count_check [SHOES]
#include "ChartModel.h"
#include "CountLab.h"
#include "CountShoe.h"

#include <cmath>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <vector>

namespace {

struct Figures {
    double basic = 0;     // the round by the full shoe's best plays
    double best = 0;      // the round by the best plays at this shoe
    double sixteen = 0;   // 10,6 against 10: standing less hitting
    double insurance = 0; // insurance's value against an ace
};

Figures figuresOf(const analysis::Analysis& at, const charts::Chart& basic) {
    Figures f;
    f.basic = at.roundReturn([&](int first, int second, int up) {
        for (const auto& cell : basic.rows[std::size_t(charts::rowOfHand(first, second))].cells) {
            if (cell.up == up) return cell.best;
        }
        return analysis::Play::Stand;
    });
    f.best = at.roundReturn();
    const auto& sixteen = at.startingHand(10, 6, 10);
    f.sixteen = sixteen[analysis::Play::Stand] - sixteen[analysis::Play::Hit];
    analysis::Shoe shoe = at.shoe();
    shoe.take(1);
    f.insurance = 0.5 * (3 * shoe.chance(10) - 1);
    return f;
}

// Whole shoes whose average, by their weights, is the fractional shoe: with `steps` 0 exactly
// (up to eleven shoes: the fractions rounded down, then one card back at a time, the largest
// fraction first, each shoe weighted by the step of fractions it stands for); with `steps` K,
// K shoes of equal weight, each fraction taken to the nearest Kth.
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

double seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

} // namespace

int main(int argc, char** argv) {
    const int wanted = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
    counting::Game game;
    game.rules.decks = 6;
    game.rules.doubleAfterSplit = true;
    game.system = *counting::systemOfId("hilo");
    const int count = 2;
    const int seen = 156; // three decks dealt
    game.depth = seen / 52.0;
    const analysis::Analysis full(game.rules);
    const charts::Chart basic = charts::bestPlayChart(full);

    // The real shoes: seeded shuffles, those at the count three decks down kept.
    auto start = std::chrono::steady_clock::now();
    std::mt19937_64 random(20261209);
    std::vector<int> cards;
    for (int value = 1; value <= 10; ++value)
        cards.insert(cards.end(), std::size_t((value == 10 ? 16 : 4) * game.rules.decks), value);
    Figures real;
    int kept = 0, shuffles = 0;
    while (kept < wanted) {
        std::shuffle(cards.begin(), cards.end(), random);
        ++shuffles;
        double running = 0;
        for (int i = 0; i < seen; ++i)
            running += game.system.tags[cards[std::size_t(i)]];
        if (counting::trueCount(running, int(cards.size()) - seen, game.conventions) != count)
            continue;
        analysis::Shoe shoe;
        for (std::size_t i = seen; i < cards.size(); ++i) {
            ++shoe.count[cards[i]];
            ++shoe.total;
        }
        const Figures f = figuresOf(analysis::Analysis(game.rules, shoe), basic);
        real.basic += f.basic;
        real.best += f.best;
        real.sixteen += f.sixteen;
        real.insurance += f.insurance;
        ++kept;
    }
    for (double* v : {&real.basic, &real.best, &real.sixteen, &real.insurance})
        *v /= kept;
    const double realTime = seconds(start);

    // The count lab's shoe: the average composition at the count, valued as it is, fractional
    // (what the lab does); for comparison, as the exact mixture of whole shoes whose average it
    // is, and as three whole shoes within a sixth of a card of it.
    const auto shoes = counting::countShoes(game, counting::kLowestIndex, counting::kHighestIndex);
    const counting::CountShoe& at = shoes[std::size_t(count - counting::kLowestIndex)];
    auto mixtureFigures = [&](int steps, double* time) {
        const auto begin = std::chrono::steady_clock::now();
        Figures mixed;
        for (const auto& [weight, whole] : wholeMixture(at.left, steps)) {
            const Figures f =
                figuresOf(analysis::Analysis(game.rules, analysis::Shoe::ofCounts(whole)), basic);
            mixed.basic += weight * f.basic;
            mixed.best += weight * f.best;
            mixed.sixteen += weight * f.sixteen;
        }
        *time = seconds(begin);
        return mixed;
    };
    double exactTime = 0, threeTime = 0, oneTime = 0; // one: the fractional shoe
    Figures exact = mixtureFigures(0, &exactTime);
    Figures three = mixtureFigures(3, &threeTime);
    const auto begin = std::chrono::steady_clock::now();
    Figures one = figuresOf(analysis::Analysis(game.rules, at.shoe), basic);
    oneTime = seconds(begin);
    // Insurance is linear in the cards left: from the average composition itself.
    double left = 0;
    for (int value = 1; value <= 10; ++value)
        left += at.left[value];
    exact.insurance = three.insurance = 0.5 * (3 * at.left[10] / (left - 1) - 1);

    std::printf("| Hi-Lo true count +%d, 3 of 6 decks dealt (S17, DAS) | %d real shoes (of %d "
                "shuffles), each valued | the count's shoe as it is | exact mixture of whole "
                "shoes | three whole shoes |\n|---|---|---|---|---|\n",
                count, kept, shuffles);
    auto row = [](const char* name, double a, double b, double c, double d) {
        std::printf("| %s | %+.3f %% | %+.3f %% (%+.3f) | %+.3f %% (%+.3f) | %+.3f %% (%+.3f) |\n",
                    name, 100 * a, 100 * b, 100 * (b - a), 100 * c, 100 * (c - a), 100 * d,
                    100 * (d - a));
    };
    row("a round by basic strategy", real.basic, one.basic, exact.basic, three.basic);
    row("a round by the best plays", real.best, one.best, exact.best, three.best);
    row("16 v 10: standing less hitting", real.sixteen, one.sixteen, exact.sixteen, three.sixteen);
    row("insurance against an ace", real.insurance, one.insurance, exact.insurance,
        three.insurance);
    std::printf("| time | %.2f s | %.3f s | %.3f s | %.3f s |\n", realTime, oneTime, exactTime,
                threeTime);
    return 0;
}

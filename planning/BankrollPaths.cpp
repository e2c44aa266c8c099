#include "BankrollPaths.h"

#include <cmath>
#include <random>

namespace planning {

namespace {

constexpr double kZ90 = 1.644854; // the normal's 5 % and 95 % points
constexpr int kTripPoints = 60;

} // namespace

std::vector<std::pair<double, double>> ruinCurve(const counting::GameFigures& figures, double most,
                                                 int points) {
    std::vector<std::pair<double, double>> curve;
    const double win = figures.winPer100 / 100;
    const double variance = std::pow(figures.sdPer100 / 10, 2);
    for (int i = 0; i < points; ++i) {
        const double bankroll = most * i / std::max(1, points - 1);
        const double risk =
            win <= 0 || variance <= 0 ? 1.0 : std::exp(-2 * win * bankroll / variance);
        curve.emplace_back(bankroll, risk);
    }
    return curve;
}

TripPlot tripPlot(const counting::Game& game, const counting::GameFigures& figures, double hours,
                  int paths, std::uint64_t seed) {
    TripPlot plot;
    const double win = figures.winPer100 / 100;
    const double sigma = figures.sdPer100 / 10;
    const double step = hours / kTripPoints;
    const double roundsAStep = step * game.roundsPerHour;
    for (int i = 0; i <= kTripPoints; ++i) {
        const double rounds = i * roundsAStep;
        plot.hours.push_back(i * step);
        plot.mean.push_back(win * rounds);
        plot.low.push_back(win * rounds - kZ90 * sigma * std::sqrt(rounds));
        plot.high.push_back(win * rounds + kZ90 * sigma * std::sqrt(rounds));
    }
    std::mt19937_64 random(seed);
    std::normal_distribution<double> normal(win * roundsAStep, sigma * std::sqrt(roundsAStep));
    for (int p = 0; p < paths; ++p) {
        std::vector<double> path{0};
        for (int i = 1; i <= kTripPoints; ++i)
            path.push_back(path.back() + normal(random));
        plot.paths.push_back(std::move(path));
    }
    return plot;
}

} // namespace planning

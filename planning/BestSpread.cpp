#include "BestSpread.h"

#include <cmath>

namespace planning {

std::vector<SpreadWorth> bestSpreads(const counting::Game& game,
                                     const std::vector<counting::CountRound>& rounds) {
    std::vector<SpreadWorth> best;
    for (int spread : {4, 8, 12, 16}) {
        if (game.tableMax && spread > *game.tableMax) continue;
        counting::Game tried = game;
        tried.maxSpread = spread;
        SpreadWorth worth;
        worth.spread = spread;
        worth.ramp = counting::gameFigures(tried, rounds).bestRamp;
        std::string why;
        tried.ramp = counting::rampOf(worth.ramp, &why).value_or(counting::Ramp{});
        worth.figures = counting::gameFigures(tried, rounds);
        best.push_back(worth);
    }
    return best;
}

std::optional<double> bankrollFor(double risk, const counting::GameFigures& figures) {
    const double win = figures.winPer100 / 100;
    const double sigma = figures.sdPer100 / 10;
    if (!(risk > 0 && risk < 1) || win <= 0 || sigma <= 0) return std::nullopt;
    return -sigma * sigma * std::log(risk) / (2 * win);
}

} // namespace planning

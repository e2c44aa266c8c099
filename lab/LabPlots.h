#pragma once

// The lab window's plots, drawn with Qt Charts from the same figures as the tables beside them.

#include "BankrollPaths.h"
#include "BestSpread.h"

#include "CountLab.h"
#include "Figures.h"

#include <optional>

class QChartView;

namespace labplots {

void plotRamp(QChartView* view, const counting::Game& game);
// The return at each count, by basic strategy and with the indices; a run's points with their
// 95 % intervals; how often each count comes up, on the axis at the right.
void plotByCount(QChartView* view, const std::vector<counting::CountWorth>& worth,
                 const std::optional<simulation::SimFigures>& simulated);
void plotRuin(QChartView* view, const std::vector<std::pair<double, double>>& curve);
void plotTrip(QChartView* view, const planning::TripPlot& trip);
void plotSpreads(QChartView* view, const std::vector<planning::SpreadWorth>& spreads);

} // namespace labplots

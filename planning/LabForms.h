#pragma once

// The lab's figures as tables (LabTable.h): the game's, what each count is worth, the index
// chart and its lists, the games compared and the best spreads. Every figure says where it
// comes from: the count lab's average shoe, exactly; or the simulator, with its 95 % interval.

#include "BestSpread.h"
#include "LabTable.h"

#include "CountLab.h"
#include "Figures.h"

#include <optional>

namespace planning {

// "1.159 ± 0.025": a simulated figure and its 95 % interval (1.96 standard errors), in digits
// that show two of the interval's; `scale` multiplies both (100 for per cent).
QString intervalText(const simulation::Figure& figure, double scale = 1);

// Where the count lab and the simulator model this game's Wonging apart, a sentence saying so
// (it starts with a blank); empty where they deal the same game.
QString wongingNote(const counting::Game& game);

// A figure of the count lab in its own digits, as every table of the lab shows it.
QString labNumber(double value, int decimals);

LabTable gameTable(const counting::Game& game, const counting::GameFigures& lab,
                   const std::optional<simulation::SimFigures>& simulated);
LabTable byCountTable(const std::vector<counting::CountWorth>& worth,
                      const std::optional<simulation::SimFigures>& simulated);
// The chart with each cell's play and its index plays ("S  S>=+1"), a row a hand.
LabTable indexGrid(const counting::Game& game, const counting::IndexTable& table);
// The top 18 and the surrender 4 and insurance, a row a play.
LabTable indexList(const counting::IndexTable& table);

struct ComparedGame {
    QString name;
    counting::Game game;
    counting::GameFigures lab;
    std::optional<simulation::SimFigures> simulated;
};
LabTable compareTable(const std::vector<ComparedGame>& games);
LabTable spreadTable(const std::vector<SpreadWorth>& spreads);

} // namespace planning

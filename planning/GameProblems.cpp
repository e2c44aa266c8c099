#include "GameProblems.h"

namespace planning {

std::map<Field, QString> gameProblems(const counting::Game& game) {
    std::map<Field, QString> problems;
    if (game.spots > game.players) {
        problems[Field::Spots] = QStringLiteral("%1 spots take more seats than the %2 players.")
                                     .arg(game.spots)
                                     .arg(game.players);
    } else if (game.seat && *game.seat + game.spots - 1 > game.players) {
        problems[Field::Seat] = QStringLiteral("Seat %1 is past the %2 players at the table.")
                                    .arg(*game.seat + game.spots - 1)
                                    .arg(game.players);
    }
    if (game.wongOut && !game.wongIn) {
        problems[Field::WongOut] = QStringLiteral("Wonging out needs a count to sit down at.");
    } else if (game.wongOut && *game.wongOut > *game.wongIn) {
        problems[Field::WongOut] =
            QStringLiteral("Leave below the count you sit down at (%1), or at it.")
                .arg(*game.wongIn);
    }
    if (game.tableMax) {
        double smallest = game.ramp.empty() ? 1 : game.ramp.front().second;
        for (const auto& step : game.ramp)
            smallest = std::min(smallest, step.second);
        if (*game.tableMax < smallest) {
            problems[Field::TableMax] =
                QStringLiteral("Below the ramp's smallest bet of %1 units.").arg(smallest);
        }
    }
    return problems;
}

} // namespace planning

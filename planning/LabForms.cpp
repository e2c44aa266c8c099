#include "LabForms.h"

#include "ChartModel.h"

#include <cmath>

namespace planning {

namespace {

constexpr double kZ95 = 1.959964; // a normal's 95 % interval in standard errors

const QString kLabColumn = QStringLiteral("Count lab (exact, average shoe)");
const QString kSimColumn = QStringLiteral("Simulated (95 % interval)");

QString signedCount(int count) {
    return count > 0 ? QStringLiteral("+%1").arg(count) : QString::number(count);
}

QString countLabel(int count) {
    return QString::fromStdString(simulation::countLabel(count));
}

} // namespace

// Where the two model Wonging apart, said beside the figures: the count lab plays every round at
// the Wong-in count or above (as if leaving below it), the simulator sits until the shuffle or
// until the count falls below Wong out.
QString wongingNote(const counting::Game& game) {
    if (!game.wongIn || game.wongOut == game.wongIn) return {};
    return QStringLiteral(" Wonging: the count lab plays every round at %1 or above, as if "
                          "leaving below it; the simulator stays seated until the shuffle%2, so "
                          "their figures differ (set Wong out below %1 for the same game).")
        .arg(signedCount(*game.wongIn),
             game.wongOut ? QStringLiteral(" or below %1").arg(signedCount(*game.wongOut))
                          : QString());
}

QString labNumber(double value, int decimals) {
    if (!std::isfinite(value)) return QStringLiteral("none");
    return QString::number(value, 'f', decimals);
}

QString intervalText(const simulation::Figure& figure, double scale) {
    const double value = figure.value * scale;
    if (!figure.error) return labNumber(value, 2);
    const double half = *figure.error * scale * kZ95;
    int decimals = 2;
    if (half > 0 && std::isfinite(half))
        decimals = std::clamp(1 - int(std::floor(std::log10(half))), 0, 6);
    return QString::number(value, 'f', decimals) + QStringLiteral(" ± ") +
           QString::number(half, 'f', decimals);
}

LabTable gameTable(const counting::Game& game, const counting::GameFigures& lab,
                   const std::optional<simulation::SimFigures>& sim) {
    LabTable table;
    table.title = QStringLiteral("The game");
    table.columns = {QStringLiteral("Figure"), kLabColumn};
    if (sim) table.columns << kSimColumn;
    const double perHour = game.roundsPerHour > 0 ? game.roundsPerHour : 1;
    auto row = [&](const QString& name, double labValue, int decimals,
                   const simulation::Figure* simulated, double scale = 1) {
        QStringList cells{name, labNumber(labValue, decimals)};
        if (sim) cells << (simulated ? intervalText(*simulated, scale) : QString());
        table.rows.push_back(cells);
    };
    std::optional<simulation::Figure> hours;
    if (sim) {
        hours = sim->n0;
        hours->value /= perHour;
        if (hours->error) *hours->error /= perHour;
    }
    row(QStringLiteral("Win per 100 rounds (units)"), lab.winPer100, 3,
        sim ? &sim->winPer100 : nullptr);
    row(QStringLiteral("Win an hour (units)"), lab.winPerHour, 3, sim ? &sim->winPerHour : nullptr);
    row(QStringLiteral("Win, % of the average bet"), lab.winPercentOfBet, 3,
        sim ? &sim->winPercentOfBet : nullptr);
    row(QStringLiteral("SD per 100 rounds (units)"), lab.sdPer100, 2,
        sim ? &sim->sdPer100 : nullptr);
    row(QStringLiteral("N0 (rounds)"), lab.n0, 0, sim ? &sim->n0 : nullptr);
    row(QStringLiteral("SCORE"), lab.score, 2, sim ? &sim->score : nullptr);
    row(QStringLiteral("DI"), lab.di, 2, sim ? &sim->di : nullptr);
    row(QStringLiteral("Risk of ruin (%)"), 100 * lab.riskOfRuin, 2,
        sim ? &sim->riskOfRuin : nullptr, 100);
    row(QStringLiteral("Hours to N0"), lab.n0 / perHour, 1, hours ? &*hours : nullptr);
    QStringList best{QStringLiteral("Best ramp (SCORE)"),
                     QString::fromStdString(lab.bestRamp.empty() ? "none" : lab.bestRamp)};
    if (sim) best << QString();
    table.rows.push_back(best);
    table.note = QString::fromStdString(counting::kHowClose) + wongingNote(game);
    return table;
}

LabTable byCountTable(const std::vector<counting::CountWorth>& worth,
                      const std::optional<simulation::SimFigures>& sim) {
    LabTable table;
    table.title = QStringLiteral("What each count is worth");
    table.columns = {QStringLiteral("Count"), QStringLiteral("How often (%)"),
                     QStringLiteral("Basic strategy (% of the bet)"),
                     QStringLiteral("With the indices (% of the bet)")};
    if (sim) {
        table.columns << QStringLiteral("Simulated how often (%, 95 %)")
                      << QStringLiteral("Simulated return (%, 95 %)");
    }
    for (const counting::CountWorth& row : worth) {
        QStringList cells{countLabel(row.count), labNumber(100 * row.frequency, 2),
                          labNumber(100 * row.basic, 3), labNumber(100 * row.withIndices, 3)};
        if (sim) {
            const auto& at = sim->byCount[std::size_t(simulation::countBin(row.count))];
            cells << intervalText(at.frequency, 100)
                  << (at.returns ? intervalText(*at.returns, 100) : QStringLiteral("none played"));
        }
        table.rows.push_back(cells);
    }
    table.note = QString::fromStdString(counting::kHowClose);
    return table;
}

LabTable indexGrid(const counting::Game& game, const counting::IndexTable& indices) {
    const charts::Chart chart = counting::indexChart(game, indices);
    LabTable table;
    table.title = QString::fromStdString(chart.title);
    table.columns << QStringLiteral("Hand");
    for (int up : {2, 3, 4, 5, 6, 7, 8, 9, 10, 1})
        table.columns << QString::fromStdString(charts::cardName(up));
    for (const charts::Row& row : chart.rows) {
        QStringList cells{QString::fromStdString(row.label)};
        for (int up : {2, 3, 4, 5, 6, 7, 8, 9, 10, 1}) {
            for (const charts::Cell& cell : row.cells) {
                if (cell.up != up) continue;
                cells << QString::fromStdString(
                    cell.index.empty() ? cell.code() : cell.code() + " " + cell.index);
            }
        }
        table.rows.push_back(cells);
    }
    QStringList notes;
    for (const std::string& line : chart.heading)
        notes << QString::fromStdString(line);
    table.note = notes.join(' ');
    return table;
}

LabTable indexList(const counting::IndexTable& indices) {
    LabTable table;
    table.title = QStringLiteral("Your top 18 and surrender 4");
    table.columns = {QStringLiteral("List"),    QStringLiteral("Hand"),
                     QStringLiteral("Against"), QStringLiteral("Play at the index or above"),
                     QStringLiteral("Index"),   QStringLiteral("Gain per 100 rounds (units)")};
    table.better = {Better::None, Better::None, Better::None,
                    Better::None, Better::None, Better::Higher};
    auto add = [&](const QString& list, const std::vector<int>& which) {
        for (int at : which) {
            const counting::IndexPlay& play = indices.plays[std::size_t(at)];
            table.rows.push_back(
                {list,
                 play.insurance
                     ? QStringLiteral("insurance")
                     : QString::fromStdString(charts::everyRow()[std::size_t(play.row)].label),
                 play.insurance ? QStringLiteral("A")
                                : QString::fromStdString(charts::cardName(play.up)),
                 play.insurance ? QStringLiteral("insure")
                                : QString::fromStdString(charts::playWord(play.atOrAbove)),
                 signedCount(play.index), labNumber(play.gainPer100, 3)});
        }
    };
    add(QStringLiteral("Top 18"), indices.top);
    add(QStringLiteral("Surrender 4"), indices.surrender);
    return table;
}

LabTable compareTable(const std::vector<ComparedGame>& games) {
    LabTable table;
    table.title = QStringLiteral("Games compared");
    // Short headers: a row each, twelve figures wide. "lab": the count lab's, exact for the
    // average shoe; "sim": simulated, with its 95 % interval.
    table.columns = {QStringLiteral("Game"),
                     QStringLiteral("Win/100 lab"),
                     QStringLiteral("Win/hour lab"),
                     QStringLiteral("SD/100 lab"),
                     QStringLiteral("N0 lab"),
                     QStringLiteral("SCORE lab"),
                     QStringLiteral("DI lab"),
                     QStringLiteral("RoR % lab"),
                     QStringLiteral("Hours to N0 lab"),
                     QStringLiteral("Win/100 sim"),
                     QStringLiteral("SCORE sim"),
                     QStringLiteral("RoR % sim")};
    table.better = {Better::None,  Better::Higher, Better::Higher, Better::None,
                    Better::Lower, Better::Higher, Better::Higher, Better::Lower,
                    Better::Lower, Better::Higher, Better::Higher, Better::Lower};
    for (const ComparedGame& g : games) {
        const double perHour = g.game.roundsPerHour > 0 ? g.game.roundsPerHour : 1;
        const bool wins = g.lab.winPer100 > 0;
        QStringList cells{g.name,
                          labNumber(g.lab.winPer100, 3),
                          labNumber(g.lab.winPerHour, 3),
                          labNumber(g.lab.sdPer100, 2),
                          wins ? labNumber(g.lab.n0, 0) : QStringLiteral("none"),
                          labNumber(g.lab.score, 2),
                          labNumber(g.lab.di, 2),
                          labNumber(100 * g.lab.riskOfRuin, 2),
                          wins ? labNumber(g.lab.n0 / perHour, 1) : QStringLiteral("none")};
        if (g.simulated) {
            cells << intervalText(g.simulated->winPer100) << intervalText(g.simulated->score)
                  << intervalText(g.simulated->riskOfRuin, 100);
        } else {
            cells << QStringLiteral("not run") << QStringLiteral("not run")
                  << QStringLiteral("not run");
        }
        table.rows.push_back(cells);
    }
    table.note = QStringLiteral("Win and SD in units per 100 rounds played, RoR the risk of "
                                "ruin. Lab: the count lab's exact figures from the average shoe "
                                "at each count. Sim: dealt by the simulator, with 95 % "
                                "intervals. ") +
                 QString::fromStdString(counting::kHowClose);
    for (const ComparedGame& g : games) {
        if (!wongingNote(g.game).isEmpty()) {
            table.note += wongingNote(g.game);
            break;
        }
    }
    return table;
}

LabTable spreadTable(const std::vector<SpreadWorth>& spreads) {
    LabTable table;
    table.title = QStringLiteral("The best ramp within each spread");
    table.columns = {QStringLiteral("Spread"),
                     QStringLiteral("Ramp (count:units)"),
                     QStringLiteral("Win per 100 rounds"),
                     QStringLiteral("SD per 100 rounds"),
                     QStringLiteral("SCORE"),
                     QStringLiteral("N0 (rounds)"),
                     QStringLiteral("Risk of ruin (%)")};
    table.better = {Better::None,   Better::None,  Better::Higher, Better::None,
                    Better::Higher, Better::Lower, Better::Lower};
    for (const SpreadWorth& s : spreads) {
        table.rows.push_back(
            {QStringLiteral("1-%1").arg(s.spread),
             QString::fromStdString(s.ramp.empty() ? "flat" : s.ramp),
             labNumber(s.figures.winPer100, 3), labNumber(s.figures.sdPer100, 2),
             labNumber(s.figures.score, 2),
             s.figures.winPer100 > 0 ? labNumber(s.figures.n0, 0) : QStringLiteral("none"),
             labNumber(100 * s.figures.riskOfRuin, 2)});
    }
    table.note = QStringLiteral("Exact, from the count lab's average shoe at each count: the "
                                "ramp of whole units that maximises SCORE.");
    return table;
}

} // namespace planning

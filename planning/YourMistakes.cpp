#include "YourMistakes.h"

#include "CountPlan.h"
#include "CounterEdge.h"
#include "LabForms.h"
#include "Plan.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace planning {

namespace {

// Misses over tries, by cell and over all.
struct Tally {
    std::map<std::pair<int, int>, std::pair<int, int>> cells; // missed, tries
    int missed = 0, tries = 0;
    void note(int row, int up, bool right) {
        auto& cell = cells[{row, up}];
        cell.first += !right;
        ++cell.second;
        missed += !right;
        ++tries;
    }
    double all() const { return tries > 0 ? double(missed) / tries : 0.0; }
    std::map<std::pair<int, int>, double> byCell() const {
        std::map<std::pair<int, int>, double> chances;
        for (const auto& [cell, counts] : cells) {
            if (cell.first >= 0) chances[cell] = double(counts.first) / counts.second;
        }
        return chances;
    }
};

} // namespace

simulation::Mistakes yourMistakes(const counting::Game& game,
                                  const practice::CountRecords& records) {
    const QString system = practice::systemKey(game.system);
    std::array<int, 5> off{};
    int counts = 0, bets = 0, betsOff = 0;
    for (const practice::StoredCountAnswer& stored : records.answers) {
        const practice::CountAnswer& a = stored.answer;
        if (a.system != system) continue;
        if (a.kind == practice::CountKind::Bet) {
            ++bets;
            betsOff += !a.correct;
        } else if (const std::optional<double> error = practice::trueCountError(game, a)) {
            ++counts;
            ++off[std::size_t(std::clamp(int(std::lround(*error)), -2, 2) + 2)];
        }
    }
    simulation::Mistakes mistakes;
    for (std::size_t i = 0; i < off.size(); ++i) {
        if (i != 2 && counts > 0) mistakes.countOff[i] = double(off[i]) / counts;
    }
    mistakes.betOff = bets > 0 ? double(betsOff) / bets : 0.0;
    Tally index, basic;
    for (const practice::StoredAnswer& stored : records.decisions) {
        const practice::Answer& a = stored.answer;
        if (!a.counted || a.counted->system != system) continue;
        const int row = simulation::chartRowOf(a.cards);
        (a.rightPlay != a.counted->basicPlay ? index : basic).note(row, a.up, a.right);
    }
    mistakes.indexAll = index.all();
    mistakes.index = index.byCell();
    mistakes.basicAll = basic.all();
    mistakes.basic = basic.byCell();
    return mistakes;
}

} // namespace planning

namespace planning {

std::vector<std::pair<QString, simulation::Mistakes>>
mistakeKinds(const simulation::Mistakes& all) {
    std::vector<std::pair<QString, simulation::Mistakes>> kinds;
    simulation::Mistakes count;
    count.countOff = all.countOff;
    simulation::Mistakes index;
    index.indexAll = all.indexAll;
    index.index = all.index;
    simulation::Mistakes basic;
    basic.basicAll = all.basicAll;
    basic.basic = all.basic;
    simulation::Mistakes bet;
    bet.betOff = all.betOff;
    const simulation::Mistakes none;
    for (auto& [name, kind] : {std::pair{QStringLiteral("Only the count off"), count},
                               std::pair{QStringLiteral("Only index plays missed"), index},
                               std::pair{QStringLiteral("Only basic plays missed"), basic},
                               std::pair{QStringLiteral("Only bets off the ramp"), bet}}) {
        if (!(kind == none)) kinds.emplace_back(name, kind);
    }
    return kinds;
}

LabTable mistakesTable(const simulation::Mistakes& m) {
    LabTable table;
    table.title = QStringLiteral("Your mistakes, from the drill's history");
    table.columns = {QStringLiteral("Mistake"), QStringLiteral("Chance (%)")};
    const char* off[] = {"True count 2 low", "True count 1 low", nullptr, "True count 1 high",
                         "True count 2 high"};
    for (std::size_t i = 0; i < m.countOff.size(); ++i) {
        if (off[i]) table.rows.push_back({off[i], QString::number(100 * m.countOff[i], 'f', 1)});
    }
    table.rows.push_back({QStringLiteral("Index plays missed (over all)"),
                          QString::number(100 * m.indexAll, 'f', 1)});
    table.rows.push_back({QStringLiteral("Basic plays missed (over all)"),
                          QString::number(100 * m.basicAll, 'f', 1)});
    table.rows.push_back(
        {QStringLiteral("Bets off the ramp"), QString::number(100 * m.betOff, 'f', 1)});
    table.note = QStringLiteral("Index and basic misses are kept cell by cell as well, in the "
                                "mistakes file.");
    return table;
}

LabTable bothWaysTable(const std::vector<std::pair<QString, simulation::SimFigures>>& runs,
                       const counting::Game& game) {
    LabTable table;
    table.title = QStringLiteral("Played perfectly and as you play it");
    table.columns = {QStringLiteral("Played"), QStringLiteral("Win an hour (units, 95 %)"),
                     QStringLiteral("Win per 100 rounds (units, 95 %)"),
                     QStringLiteral("Costs an hour (units)")};
    table.better = {Better::None, Better::Higher, Better::Higher, Better::None};
    if (runs.empty()) return table;
    const double perfect = runs.front().second.winPerHour.value;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const auto& [name, f] = runs[i];
        table.rows.push_back({name, intervalText(f.winPerHour), intervalText(f.winPer100),
                              i == 0 ? QStringLiteral("none")
                                     : QString::number(perfect - f.winPerHour.value, 'f', 2)});
    }
    table.note = QStringLiteral("Every run dealt from the same seed, at %1 rounds an hour: the "
                                "costs are differences of simulated wins, each within about the "
                                "runs' intervals.")
                     .arg(game.roundsPerHour);
    return table;
}

} // namespace planning

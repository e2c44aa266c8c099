#include "YourMistakes.h"

#include "CountPlan.h"
#include "CounterEdge.h"
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

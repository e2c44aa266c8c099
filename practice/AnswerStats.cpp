#include "AnswerStats.h"

bool AnswerStats::count(const QString& table, const QDate& day, const Answer& answer) {
    Kept& kept = kept_[table];
    ++kept.tries;
    kept.rights += answer.right;
    if (answer.position != 0 || answer.cards.size() != 2) return false;
    const GridCell where{charts::rowOfHand(answer.cards[0], answer.cards[1]), answer.up};
    if (where.row < 0) return false;
    kept.first.push_back({day, where, answer.answer});
    CellRecord& cell = kept.cells[where.row][where.up - 1];
    ++cell.tries;
    cell.last.push_back(answer.answer);
    if (cell.last.size() > CellRecord::kLastAnswers) cell.last.pop_front();
    if (answer.right) {
        ++cell.rights;
        ++cell.streak;
        if (cell.streak >= kRightsToMend) cell.weak = false;
    } else {
        cell.streak = 0;
        cell.weak = true;
    }
    return true;
}

const CellRecord& AnswerStats::cell(const QString& table, const GridCell& cell) const {
    static const CellRecord none;
    const auto found = kept_.find(table);
    return found == kept_.end() ? none : found->second.cells[cell.row][cell.up - 1];
}

std::vector<GridCell> AnswerStats::weakCells(const QString& table) const {
    std::vector<GridCell> weak;
    const auto found = kept_.find(table);
    if (found == kept_.end()) return weak;
    for (int row = 0; row < kChartRows; ++row) {
        for (int up = 1; up <= 10; ++up) {
            if (found->second.cells[row][up - 1].weak) weak.push_back({row, up});
        }
    }
    return weak;
}

std::pair<int, int> AnswerStats::totals(const QString& table) const {
    const auto found = kept_.find(table);
    return found == kept_.end() ? std::pair{0, 0}
                                : std::pair{found->second.tries, found->second.rights};
}

const std::vector<FirstAnswer>& AnswerStats::firstAnswers(const QString& table) const {
    static const std::vector<FirstAnswer> none;
    const auto found = kept_.find(table);
    return found == kept_.end() ? none : found->second.first;
}

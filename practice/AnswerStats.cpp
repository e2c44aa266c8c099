#include "AnswerStats.h"

namespace practice {

void CellRecord::add(analysis::Play answer, bool right) {
    ++tries;
    last.push_back(answer);
    if (last.size() > kLastAnswers) last.pop_front();
    if (right) {
        ++rights;
        ++streak;
        if (streak >= kRightsToMend) weak = false;
    } else {
        streak = 0;
        weak = true;
    }
}

std::optional<GridCell> cellOf(const Answer& answer) {
    if (answer.counted || answer.position != 0 || answer.cards.size() != 2) return std::nullopt;
    const GridCell where{charts::rowOfHand(answer.cards[0], answer.cards[1]), answer.up};
    if (where.row < 0) return std::nullopt;
    return where;
}

std::optional<GridCell> AnswerStats::add(const QString& table, const Answer& answer) {
    Kept& kept = kept_[table];
    ++kept.tries;
    kept.rights += answer.right;
    const auto where = cellOf(answer);
    if (where) kept.cells[where->row][where->up - 1].add(answer.answer, answer.right);
    return where;
}

void AnswerStats::setCell(const QString& table, const GridCell& cell, const CellRecord& record) {
    kept_[table].cells[cell.row][cell.up - 1] = record;
}

void AnswerStats::setTotals(const QString& table, int tries, int rights) {
    Kept& kept = kept_[table];
    kept.tries = tries;
    kept.rights = rights;
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

CellRecords AnswerStats::answered(const QString& table) const {
    CellRecords cells;
    const auto found = kept_.find(table);
    if (found == kept_.end()) return cells;
    for (int row = 0; row < kChartRows; ++row) {
        for (int up = 1; up <= 10; ++up) {
            const CellRecord& record = found->second.cells[row][up - 1];
            if (record.tries > 0) cells.emplace_back(GridCell{row, up}, record);
        }
    }
    return cells;
}

std::vector<QString> AnswerStats::tables() const {
    std::vector<QString> tables;
    for (const auto& kept : kept_)
        tables.push_back(kept.first);
    return tables;
}

} // namespace practice

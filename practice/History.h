#pragma once

#include "AnswerStats.h"
#include "HistoryStore.h"

// The drill's memory: the store of every answer and the statistics read from it at open and
// kept up to date with each new answer. A decision made with a count is graded by the index
// play, not the chart: it is kept apart (countedDecisions()), out of the weak spots and the
// basic-strategy totals.
class History {
public:
    static constexpr int kRightsToMend = AnswerStats::kRightsToMend;
    static constexpr int kSchemaVersion = HistoryStore::kSchemaVersion;

    explicit History(const QString& folder);

    bool remembers() const { return store_.remembers(); }
    QString takeNotice() { return store_.takeNotice(); }
    QString path() const { return store_.path(); }
    // Rows of the file that this version cannot read: kept there, not counted.
    int uncounted() const { return store_.uncounted(); }

    // Stores an answer, committed before this returns, and counts it; true if it changed a cell
    // of the grid.
    bool record(const QString& table, const Answer& answer);

    // Stores an answer of counting, committed before this returns.
    void record(const QString& table, const CountAnswer& answer);
    // Every answer of counting, oldest first.
    const std::vector<StoredCountAnswer>& countAnswers() const { return countAnswers_; }
    // The counted decisions (made with a count), oldest first.
    const std::vector<StoredAnswer>& countedDecisions() const { return counted_; }

    const AnswerStats& stats() const { return stats_; }
    const CellRecord& cell(const QString& table, const GridCell& cell) const {
        return stats_.cell(table, cell);
    }
    std::vector<GridCell> weakCells(const QString& table) const { return stats_.weakCells(table); }
    std::pair<int, int> totals(const QString& table) const { return stats_.totals(table); }
    const std::vector<FirstAnswer>& firstAnswers(const QString& table) const {
        return stats_.firstAnswers(table);
    }

private:
    HistoryStore store_;
    AnswerStats stats_;
    std::vector<StoredCountAnswer> countAnswers_;
    std::vector<StoredAnswer> counted_;
};

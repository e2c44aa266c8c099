#pragma once

#include "AnswerStats.h"
#include "CountDrill.h"
#include "HistoryQueries.h"
#include "HistoryStore.h"

#include <QDateTime>
#include <QThread>

#include <functional>
#include <memory>
#include <optional>

namespace practice {

// The drill's memory: the store of every answer and what the drill shows at once, the statistics
// read at open and kept up to date with each new answer; the rest is read when it is asked for.
// After it is opened, the whole file is checked off the window's thread, at the idle priority
// (SQLite's check, and the rows this version cannot read): a file found damaged then is set aside,
// a new one is started with this session's answers, and the player is told. A decision made with a
// count is graded by the index play, not the chart: it is kept apart, out of the weak spots and the
// basic-strategy totals.
class History {
public:
    static constexpr int kRightsToMend = CellRecord::kRightsToMend;
    static constexpr int kSchemaVersion = HistoryStore::kSchemaVersion;
    static constexpr int kDaysShown = 30; // the days of dayAnswers()

    explicit History(const QString& folder);
    ~History();
    History(const History&) = delete;
    History& operator=(const History&) = delete;

    bool remembers() const { return store_.remembers(); }
    QString takeNotice();
    QString path() const { return store_.path(); }
    // Rows of the file that this version cannot read: kept there, not counted.
    int uncounted() const { return uncounted_; }
    // Checks the whole file off the thread: started once the window is up, so that its start is
    // not slowed. Whether it has been checked; waits until it is (for the tests and the bench).
    void startCheck();
    bool checked() const;
    void waitForCheck();
    // Called once the whole file has been checked, on the thread that opened it.
    void onChecked(std::function<void()> handler) { checkedHandler_ = std::move(handler); }

    // Stores an answer, committed before this returns, and counts it; true if it changed a cell
    // of the grid.
    bool record(const QString& table, const Answer& answer);
    // Stores an answer of counting, committed before this returns.
    void record(const QString& table, const CountAnswer& answer);

    const AnswerStats& stats() const { return stats_; }
    const CellRecord& cell(const QString& table, const GridCell& cell) const {
        return stats_.cell(table, cell);
    }
    std::vector<GridCell> weakCells(const QString& table) const { return stats_.weakCells(table); }
    std::pair<int, int> totals(const QString& table) const { return stats_.totals(table); }
    // The first decisions of two-card hands at a table on its last kDaysShown days with answers.
    std::vector<DayAnswers> dayAnswers(const QString& table) const;
    // The running counts answered with a system: the best clean deck and the last `last`.
    RunningCountRecord runningCountRecord(const QString& system, int last = 20) const;
    // What reads the counting records of a system as they are now; it may run on any thread.
    std::function<CountRecords()> countRecords(const QString& system) const;

private:
    void applyCheck();
    void store(const QString& table, const Answer& answer, const QDateTime& at);

    // An answer of this session, as it was given.
    struct Given {
        QString table;
        QDateTime at;
        std::optional<Answer> answer;
        std::optional<CountAnswer> count;
    };

    HistoryStore store_;
    AnswerStats stats_;
    int uncounted_ = 0;
    QString notice_;
    // This session's answers, in order: what is known without a file, and what is stored again
    // when the file is set aside.
    std::vector<Given> session_;
    // The check runs on a thread of its own at the idle priority: it never takes the processor
    // from the window.
    std::unique_ptr<QThread> check_;
    HistoryCheck found_;
    bool applied_ = false; // the check's finding
    std::function<void()> checkedHandler_;
};

} // namespace practice

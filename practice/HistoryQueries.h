#pragma once

#include "AnswerStats.h"
#include "HistoryRows.h"

#include <QSqlDatabase>
#include <QString>

#include <optional>
#include <vector>

namespace practice {

// Reading the history when the drill asks: what the tables kept up to date with each answer
// hold (HistorySchema.h), through the indexes of the counting answers; and, with a connection of
// its own from any thread, what needs the whole file.

// The answers of counting with one system, and the decisions made with it, oldest first.
struct CountRecords {
    std::vector<StoredCountAnswer> answers;
    std::vector<StoredAnswer> decisions;
};

// What the full check of a file found: damage SQLite's own check sees (the file is then set
// aside), and the rows this version cannot read. A check that cannot run (the file held by
// another program) finds nothing.
struct HistoryCheck {
    bool damaged = false;
    QString why;
    int uncounted = 0;
};

// The first decisions at a table on its last `days` days with answers, oldest first.
std::vector<DayAnswers> dayAnswers(const QSqlDatabase& db, const QString& table, int days);
// The running counts answered with a system: the quickest deck counted down without an error,
// and whether each of the last `last` was right, oldest first.
std::optional<double> bestCleanDeck(const QSqlDatabase& db, const QString& system);
std::vector<bool> lastRunningCounts(const QSqlDatabase& db, const QString& system, int last);

// With a connection of their own: the records of one system, and the full check of the file.
CountRecords readCountRecords(const QString& path, const QString& system);
HistoryCheck checkHistory(const QString& path);

} // namespace practice

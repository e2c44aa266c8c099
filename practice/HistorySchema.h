#pragma once

#include "HistoryRows.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace practice {

// The history's schema and its numbered migration steps: step n brings a file of version n to
// version n + 1, every answer kept. The version is SQLite's PRAGMA user_version.
//
// 1: a chart number and two cards per answer.
// 2: the table's key, every card, the position in the round and the right play.
// 3: each decision's count (NULL without one), and the answers of counting.
// 4: what the drill shows at once, kept up to date with each answer so that nothing has to read
//    every answer at the start: each table's cell records (one text a chart row) and totals
//    (answers without a count), the first decisions by day, cell and answer; and the indexes the
//    counting queries read by.
namespace schema {

inline constexpr int kVersion = 4;

// Makes the schema of kVersion in an empty database.
bool create(QSqlDatabase& db, QSqlError* error);
// From `from` up to kVersion, step by step; the caller holds the transaction.
bool migrate(QSqlDatabase& db, int from, QSqlError* error);
// Writes the records of a table's cells as they now stand, chart row by chart row (the cells
// in the order of the grid).
bool writeCells(QSqlQuery& query, const QString& table, const CellRecords& cells);

} // namespace schema

} // namespace practice

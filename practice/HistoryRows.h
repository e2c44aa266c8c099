#pragma once

#include "AnswerStats.h"

#include <QDate>
#include <QSqlQuery>
#include <QString>

#include <optional>
#include <vector>

namespace practice {

// How the history's rows write an answer, and read it back: the cards as "10,2,4", a play by its
// name ("Hit"), a kind of counting answer by its word ("running"), a day as "2026-12-09". A row
// this version cannot read gives nothing.

// An answer as the store reads it back: the table's key, the day it was given and the answer.
struct StoredAnswer {
    QString table;
    QDate day;
    Answer answer;
};
struct StoredCountAnswer {
    QString table;
    QDate day;
    CountAnswer answer;
};

QString cardsText(const std::vector<int>& cards);
std::optional<std::vector<int>> cardsOf(const QString& text);
std::optional<analysis::Play> playOf(const QString& text);
QString countKindText(CountKind kind);
std::optional<CountKind> countKindOf(const QString& text);
// The local day of a time the history keeps ("2026-12-09T10:00:00.000Z").
QDate dayOf(const QString& answeredAt);
// The records of a table's cells as one text, a cell a line: its row, up card, tries, rights,
// streak, weak (1) or not (0), and its last answers, oldest first, a play by its key
// ("12 10 4 3 3 0 SHHH"); and back, leaving out a line this version cannot read.
QString cellsText(const CellRecords& cells);
CellRecords cellsOf(const QString& text);

// The columns of an answer's row, in the order the queries below select them.
inline constexpr const char* kAnswerColumns =
    "answered_at, rules, cards, up, position, answer, right_play, correct, count_system, "
    "count_at, basic_play, cost";
inline constexpr const char* kCountAnswerColumns =
    "answered_at, rules, count_system, kind, cards_seen, cards_left, seconds, given, "
    "right_value, correct, cost, count_at";
// The answer of a row so selected (its columns from `first` on); nothing for one this version
// cannot read.
std::optional<StoredAnswer> answerOfRow(const QSqlQuery& query, int first = 0);
std::optional<StoredCountAnswer> countAnswerOfRow(const QSqlQuery& query);

} // namespace practice

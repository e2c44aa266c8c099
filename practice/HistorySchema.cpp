#include "HistorySchema.h"

#include "Grading.h"
#include "HistoryRows.h"
#include "PracticeText.h"
#include "Table.h"

#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <iterator>
#include <map>
#include <tuple>

namespace practice {

namespace schema {

namespace {

// Version 2's answers: the rules as the table's key, every card of the hand ("10,2,4"), where
// in a played-out round the decision fell (0 the first), the answer and the right play.
const char* kAnswers = R"(
CREATE TABLE %1 (
    id INTEGER PRIMARY KEY,
    answered_at TEXT NOT NULL,
    rules TEXT NOT NULL,
    cards TEXT NOT NULL,
    up INTEGER NOT NULL CHECK (up BETWEEN 1 AND 10),
    position INTEGER NOT NULL CHECK (position >= 0),
    answer TEXT NOT NULL,
    right_play TEXT NOT NULL,
    correct INTEGER NOT NULL CHECK (correct IN (0, 1))
))";

const char* const kVersion3[] = {
    "ALTER TABLE answers ADD COLUMN count_system TEXT",
    "ALTER TABLE answers ADD COLUMN count_at INTEGER",
    "ALTER TABLE answers ADD COLUMN basic_play TEXT",
    "ALTER TABLE answers ADD COLUMN cost REAL",
    R"(CREATE TABLE count_answers (
    id INTEGER PRIMARY KEY,
    answered_at TEXT NOT NULL,
    rules TEXT NOT NULL,
    count_system TEXT NOT NULL,
    kind TEXT NOT NULL,
    cards_seen INTEGER NOT NULL CHECK (cards_seen >= 0),
    cards_left INTEGER NOT NULL CHECK (cards_left >= 0),
    seconds REAL NOT NULL,
    given REAL NOT NULL,
    right_value REAL NOT NULL,
    correct INTEGER NOT NULL CHECK (correct IN (0, 1)),
    cost REAL NOT NULL,
    count_at REAL NOT NULL
))",
};

const char* const kVersion4[] = {
    // A chart row's cells in one text (HistoryRows.h): few rows to read at every start, and
    // one small one to write with an answer.
    R"(CREATE TABLE cell_records (
    rules TEXT NOT NULL,
    row INTEGER NOT NULL,
    cells TEXT NOT NULL,
    PRIMARY KEY (rules, row)
) WITHOUT ROWID)",
    R"(CREATE TABLE table_totals (
    rules TEXT PRIMARY KEY,
    tries INTEGER NOT NULL,
    rights INTEGER NOT NULL
) WITHOUT ROWID)",
    R"(CREATE TABLE day_answers (
    rules TEXT NOT NULL,
    day TEXT NOT NULL,
    row INTEGER NOT NULL,
    up INTEGER NOT NULL,
    answer TEXT NOT NULL,
    answers INTEGER NOT NULL,
    PRIMARY KEY (rules, day, row, up, answer)
) WITHOUT ROWID)",
    "CREATE INDEX counted_decisions ON answers (count_system) WHERE count_system IS NOT NULL",
    "CREATE INDEX count_answers_by_kind ON count_answers (count_system, kind, id)",
    "CREATE INDEX count_answers_best ON count_answers (count_system, kind, cards_seen, correct, "
    "seconds)",
};

template <typename Statements>
bool run(QSqlDatabase& db, const Statements& statements, QSqlError* error) {
    QSqlQuery query(db);
    for (const char* statement : statements) {
        if (!query.exec(QString::fromLatin1(statement))) {
            *error = query.lastError();
            return false;
        }
    }
    return true;
}

// Version 1 kept a chart number and two cards per answer; version 2 keeps the table's key,
// every card, the position in the round and the right play (the chart's, for version 1).
bool fromVersion1(QSqlDatabase& db, QSqlError* error) {
    QSqlQuery query(db);
    if (!query.exec(QString::fromLatin1(kAnswers).arg("answers_v2"))) {
        *error = query.lastError();
        return false;
    }
    QSqlQuery old(db);
    if (!old.exec("SELECT id, answered_at, rule_set, card1, card2, up, answer, correct FROM "
                  "answers ORDER BY id")) {
        *error = old.lastError();
        return false;
    }
    query.prepare("INSERT INTO answers_v2 (id, answered_at, rules, cards, up, position, answer, "
                  "right_play, correct) VALUES (?, ?, ?, ?, ?, 0, ?, ?, ?)");
    while (old.next()) {
        const int ruleSet = old.value(2).toInt();
        const std::vector<int> cards{old.value(3).toInt(), old.value(4).toInt()};
        const int up = old.value(5).toInt();
        if (ruleSet < 0 || ruleSet >= charts::kKnownChartCount || !cardsOf(cardsText(cards)) ||
            up < 1 || up > 10) {
            *error = QSqlError(QStringLiteral("an answer no hand can have given"));
            return false;
        }
        const Table table = Table::ofChart(ruleSet);
        const analysis::Play right =
            chartPlay(table.chart, cards, up, playsAllowed(table.rules, cards, false, 1));
        query.addBindValue(old.value(0));
        query.addBindValue(old.value(1));
        query.addBindValue(table.key());
        query.addBindValue(cardsText(cards));
        query.addBindValue(up);
        query.addBindValue(old.value(6));
        query.addBindValue(practice::playText(right));
        query.addBindValue(old.value(7));
        if (!query.exec()) {
            *error = query.lastError();
            return false;
        }
    }
    if (old.lastError().isValid()) {
        *error = old.lastError();
        return false;
    }
    old.finish(); // a table still being read cannot be dropped
    if (!query.exec("DROP TABLE answers") ||
        !query.exec("ALTER TABLE answers_v2 RENAME TO answers")) {
        *error = query.lastError();
        return false;
    }
    return true;
}

bool fromVersion2(QSqlDatabase& db, QSqlError* error) {
    return run(db, kVersion3, error);
}

// The records, totals and days of every answer this version reads, worked out once from the
// answers as they were given; a row it cannot read stays as it is, uncounted.
bool fromVersion3(QSqlDatabase& db, QSqlError* error) {
    if (!run(db, kVersion4, error)) return false;
    AnswerStats stats;
    std::map<std::tuple<QString, QDate, int, int, QString>, int> days;
    QSqlQuery read(db);
    read.setForwardOnly(true);
    if (!read.exec(QStringLiteral("SELECT %1 FROM answers ORDER BY id").arg(kAnswerColumns))) {
        *error = read.lastError();
        return false;
    }
    while (read.next()) {
        const auto stored = answerOfRow(read);
        if (!stored || stored->answer.counted) continue;
        if (const auto cell = stats.add(stored->table, stored->answer)) {
            ++days[{stored->table, stored->day, cell->row, cell->up,
                    practice::playText(stored->answer.answer)}];
        }
    }
    if (read.lastError().isValid()) {
        *error = read.lastError();
        return false;
    }
    read.finish();
    QSqlQuery write(db);
    bool ok = true;
    for (const QString& table : stats.tables()) {
        write.prepare("INSERT INTO table_totals (rules, tries, rights) VALUES (?, ?, ?)");
        write.addBindValue(table);
        write.addBindValue(stats.totals(table).first);
        write.addBindValue(stats.totals(table).second);
        ok = ok && write.exec() && writeCells(write, table, stats.answered(table));
    }
    write.prepare("INSERT INTO day_answers (rules, day, row, up, answer, answers) VALUES (?, ?, ?, "
                  "?, ?, ?)");
    for (const auto& [key, answers] : days) {
        const auto& [table, day, row, up, answer] = key;
        for (const QVariant& value :
             {QVariant(table), QVariant(day.toString(Qt::ISODate)), QVariant(row), QVariant(up),
              QVariant(answer), QVariant(answers)})
            write.addBindValue(value);
        ok = ok && write.exec();
    }
    if (!ok) *error = write.lastError();
    return ok;
}

// The numbered steps: step n brings a file of version n to version n + 1.
struct Migration {
    int from;
    bool (*step)(QSqlDatabase& db, QSqlError* error);
};
const Migration kMigrations[] = {
    {1, &fromVersion1},
    {2, &fromVersion2},
    {3, &fromVersion3},
};
static_assert(std::size(kMigrations) == kVersion - 1,
              "every schema version but the first has its migration step");

} // namespace

bool writeCells(QSqlQuery& query, const QString& table, const CellRecords& cells) {
    query.prepare("INSERT OR REPLACE INTO cell_records (rules, row, cells) VALUES (?, ?, ?)");
    for (auto from = cells.begin(); from != cells.end();) {
        const auto to = std::find_if(
            from, cells.end(), [&](const auto& cell) { return cell.first.row != from->first.row; });
        query.addBindValue(table);
        query.addBindValue(from->first.row);
        query.addBindValue(cellsText(CellRecords(from, to)));
        if (!query.exec()) return false;
        from = to;
    }
    return true;
}

bool create(QSqlDatabase& db, QSqlError* error) {
    QSqlQuery query(db);
    if (!query.exec(QString::fromLatin1(kAnswers).arg("answers"))) {
        *error = query.lastError();
        return false;
    }
    return run(db, kVersion3, error) && run(db, kVersion4, error);
}

bool migrate(QSqlDatabase& db, int from, QSqlError* error) {
    for (const Migration& migration : kMigrations) {
        if (migration.from >= from && !migration.step(db, error)) return false;
    }
    return true;
}

} // namespace schema

} // namespace practice

#include "HistoryQueries.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <atomic>

namespace practice {

namespace {

// A read-only connection of its own to the file, for one reader on any thread.
class Reader {
public:
    explicit Reader(const QString& path)
        : name_(QStringLiteral("hitwise-drill-reader-%1").arg(++serial_)) {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name_);
        db.setDatabaseName(path);
        db.setConnectOptions("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=5000");
        db.open();
    }
    ~Reader() {
        {
            QSqlDatabase db = QSqlDatabase::database(name_, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(name_);
    }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;
    QSqlDatabase db() const { return QSqlDatabase::database(name_, false); }

private:
    static inline std::atomic<int> serial_{0};
    QString name_;
};

// A query of values bound in order, run.
QSqlQuery run(const QSqlDatabase& db, const QString& statement,
              std::initializer_list<QVariant> values) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(statement);
    for (const QVariant& value : values)
        query.addBindValue(value);
    query.exec();
    return query;
}

} // namespace

std::vector<DayAnswers> dayAnswers(const QSqlDatabase& db, const QString& table, int days) {
    std::vector<DayAnswers> answers;
    QSqlQuery query = run(db,
                          "SELECT day, row, up, answer, answers FROM day_answers WHERE rules = ? "
                          "AND day >= (SELECT coalesce(min(day), '') FROM (SELECT DISTINCT day "
                          "FROM day_answers WHERE rules = ? ORDER BY day DESC LIMIT ?)) ORDER BY "
                          "day",
                          {table, table, days});
    while (query.next()) {
        const auto play = playOf(query.value(3).toString());
        const GridCell cell{query.value(1).toInt(), query.value(2).toInt()};
        if (!play || cell.row < 0 || cell.row >= kChartRows || cell.up < 1 || cell.up > 10)
            continue;
        answers.push_back({QDate::fromString(query.value(0).toString(), Qt::ISODate), cell, *play,
                           query.value(4).toInt()});
    }
    return answers;
}

std::optional<double> bestCleanDeck(const QSqlDatabase& db, const QString& system) {
    QSqlQuery query = run(db,
                          "SELECT min(seconds) FROM count_answers WHERE count_system = ? AND kind "
                          "= ? AND cards_seen = 52 AND correct = 1",
                          {system, countKindText(CountKind::RunningCount)});
    if (!query.next() || query.value(0).isNull()) return std::nullopt;
    return query.value(0).toDouble();
}

std::vector<bool> lastRunningCounts(const QSqlDatabase& db, const QString& system, int last) {
    std::vector<bool> right;
    QSqlQuery query = run(db,
                          "SELECT correct FROM count_answers WHERE count_system = ? AND kind = ? "
                          "ORDER BY id DESC LIMIT ?",
                          {system, countKindText(CountKind::RunningCount), last});
    while (query.next())
        right.push_back(query.value(0).toInt() == 1);
    std::reverse(right.begin(), right.end());
    return right;
}

CountRecords readCountRecords(const QString& path, const QString& system) {
    CountRecords records;
    const Reader reader(path);
    if (!reader.db().isOpen()) return records; // none kept, or none the player may read
    QSqlQuery query = run(reader.db(),
                          QStringLiteral("SELECT %1 FROM count_answers WHERE count_system = ? "
                                         "ORDER BY id")
                              .arg(kCountAnswerColumns),
                          {system});
    while (query.next()) {
        if (auto stored = countAnswerOfRow(query)) records.answers.push_back(std::move(*stored));
    }
    query = run(reader.db(),
                QStringLiteral("SELECT %1 FROM answers WHERE count_system = ? ORDER BY id")
                    .arg(kAnswerColumns),
                {system});
    while (query.next()) {
        if (auto stored = answerOfRow(query)) records.decisions.push_back(std::move(*stored));
    }
    return records;
}

// SQLite's check, then every answer read a part at a time, so that a writer never waits long.
HistoryCheck checkHistory(const QString& path) {
    HistoryCheck found;
    const Reader reader(path);
    QSqlQuery query(reader.db());
    if (!query.exec("PRAGMA quick_check") || !query.next()) {
        // SQLITE_CORRUPT or SQLITE_NOTADB: damaged; anything else stops the check.
        const QString code = query.lastError().nativeErrorCode();
        found.damaged = code == "11" || code == "26";
        found.why = query.lastError().text();
        return found;
    }
    if (query.value(0).toString() != "ok") {
        found.damaged = true;
        found.why = QStringLiteral("SQLite found it damaged (%1).").arg(query.value(0).toString());
        return found;
    }
    constexpr int kPart = 20000;
    for (qlonglong after = -1;;) {
        QSqlQuery part = run(reader.db(),
                             QStringLiteral("SELECT id, %1 FROM answers WHERE id > ? ORDER BY id "
                                            "LIMIT ?")
                                 .arg(kAnswerColumns),
                             {after, kPart});
        int rows = 0;
        while (part.next()) {
            ++rows;
            after = part.value(0).toLongLong();
            found.uncounted += !answerOfRow(part, 1); // its columns after the id
        }
        if (rows < kPart) break;
    }
    return found;
}

} // namespace practice

#include "HistoryStore.h"

#include "PracticeText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>

namespace practice {

namespace {

// What the player is told when nothing of this session can be stored.
QString notKept(const QString& why) {
    return QStringLiteral("Your answers are not kept this time: %1").arg(why);
}

// A file SQLite can open but this version cannot read: kept, never set aside.
QString unreadable(const QString& path, const QSqlError& error) {
    return notKept(QStringLiteral("the history %1 cannot be read (%2); it is kept as it is.")
                       .arg(path, error.text()));
}

// SQLite's codes for a database another process holds: wait or go on without it.
bool busy(const QSqlError& error) {
    const QString code = error.nativeErrorCode();
    return code == "5" || code == "6";
}

// SQLite's codes for a file it finds damaged (SQLITE_CORRUPT) or no database at all
// (SQLITE_NOTADB): the only files that are set aside.
bool damaged(const QSqlError& error) {
    const QString code = error.nativeErrorCode();
    return code == "11" || code == "26";
}

// SQLite's own check of the whole file: empty when sound.
QString damageOf(QSqlDatabase& db) {
    QSqlQuery query(db);
    if (!query.exec("PRAGMA quick_check") || !query.next()) return query.lastError().text();
    const QString result = query.value(0).toString();
    return result == "ok" ? QString() : QStringLiteral("SQLite found it damaged (%1).").arg(result);
}

} // namespace

HistoryStore::HistoryStore(const QString& folder)
    : folder_(folder), path_(QDir(folder).filePath("history.sqlite")),
      connection_(QStringLiteral("hitwise-drill-history-%1").arg(quintptr(this))) {
    openOrSetAside();
}

void HistoryStore::openOrSetAside() {
    Opened opened = open();
    if (opened == Opened::Damaged && QFileInfo::exists(path_)) {
        setAside(notice_);
        opened = open();
    }
    if (opened == Opened::Damaged) {
        withoutMemory(notKept(notice_));
    } else if (opened == Opened::Kept) {
        withoutMemory(notice_);
    }
}

HistoryStore::~HistoryStore() {
    {
        QSqlDatabase db = QSqlDatabase::database(connection_, false);
        if (db.isValid()) db.close();
    }
    QSqlDatabase::removeDatabase(connection_);
}

QSqlDatabase HistoryStore::database() const {
    return QSqlDatabase::database(connection_, false);
}

// Runs a prepared statement of a transaction under way: false, with the transaction rolled back
// and the store no longer remembering, when it fails.
bool HistoryStore::commit(QSqlQuery& query, bool stored) {
    if (stored) return true;
    const QString why = query.lastError().text();
    QSqlQuery(database()).exec("ROLLBACK");
    withoutMemory(notKept(QStringLiteral("an answer could not be stored (%1).").arg(why)));
    return false;
}

void HistoryStore::append(const QString& table, const Answer& answer, const QDateTime& at) {
    if (!remembers_) return;
    QSqlQuery query(database());
    // One transaction, taken for writing at once: the cell's record is read and written again.
    if (!commit(query, query.exec("BEGIN IMMEDIATE"))) return;
    query.prepare("INSERT INTO answers (answered_at, rules, cards, up, position, answer, "
                  "right_play, correct, count_system, count_at, basic_play, cost) VALUES (?, ?, "
                  "?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    const CountedDecision* counted = answer.counted ? &*answer.counted : nullptr;
    for (const QVariant& value :
         {QVariant(at.toString(Qt::ISODateWithMs)), QVariant(table),
          QVariant(cardsText(answer.cards)), QVariant(answer.up), QVariant(answer.position),
          QVariant(practice::playText(answer.answer)),
          QVariant(practice::playText(answer.rightPlay)), QVariant(answer.right ? 1 : 0),
          counted ? QVariant(counted->system) : QVariant(),
          counted ? QVariant(counted->count) : QVariant(),
          counted ? QVariant(practice::playText(counted->basicPlay)) : QVariant(),
          counted ? QVariant(counted->cost) : QVariant()})
        query.addBindValue(value);
    if (!commit(query, query.exec())) return;
    if (!counted) {
        query.prepare("INSERT INTO table_totals (rules, tries, rights) VALUES (?, 1, ?) ON "
                      "CONFLICT (rules) DO UPDATE SET tries = tries + 1, rights = rights + "
                      "excluded.rights");
        query.addBindValue(table);
        query.addBindValue(answer.right ? 1 : 0);
        if (!commit(query, query.exec())) return;
    }
    if (const auto cell = cellOf(answer)) {
        query.prepare("SELECT cells FROM cell_records WHERE rules = ? AND row = ?");
        query.addBindValue(table);
        query.addBindValue(cell->row);
        if (!commit(query, query.exec())) return;
        CellRecords cells = cellsOf(query.next() ? query.value(0).toString() : QString());
        query.finish();
        auto found = std::find_if(cells.begin(), cells.end(),
                                  [&](const auto& kept) { return kept.first == *cell; });
        if (found == cells.end()) found = cells.insert(cells.end(), {*cell, CellRecord{}});
        found->second.add(answer.answer, answer.right);
        if (!commit(query, schema::writeCells(query, table, cells))) return;
        query.prepare("INSERT INTO day_answers (rules, day, row, up, answer, answers) VALUES (?, "
                      "?, ?, ?, ?, 1) ON CONFLICT (rules, day, row, up, answer) DO UPDATE SET "
                      "answers = answers + 1");
        for (const QVariant& value :
             {QVariant(table), QVariant(at.toLocalTime().date().toString(Qt::ISODate)),
              QVariant(cell->row), QVariant(cell->up), QVariant(practice::playText(answer.answer))})
            query.addBindValue(value);
        if (!commit(query, query.exec())) return;
    }
    commit(query, query.exec("COMMIT"));
}

void HistoryStore::append(const QString& table, const CountAnswer& answer, const QDateTime& at) {
    if (!remembers_) return;
    QSqlQuery query(database());
    query.prepare("INSERT INTO count_answers (answered_at, rules, count_system, kind, cards_seen, "
                  "cards_left, seconds, given, right_value, correct, cost, count_at) VALUES (?, "
                  "?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    for (const QVariant& value :
         {QVariant(at.toString(Qt::ISODateWithMs)), QVariant(table), QVariant(answer.system),
          QVariant(countKindText(answer.kind)), QVariant(answer.cardsSeen),
          QVariant(answer.cardsLeft), QVariant(answer.seconds), QVariant(answer.given),
          QVariant(answer.right), QVariant(answer.correct ? 1 : 0), QVariant(answer.cost),
          QVariant(answer.count)})
        query.addBindValue(value);
    if (!query.exec()) {
        withoutMemory(notKept(
            QStringLiteral("an answer could not be stored (%1).").arg(query.lastError().text())));
    }
}

QString HistoryStore::takeNotice() {
    QString notice;
    notice.swap(notice_);
    return notice;
}

AnswerStats HistoryStore::takeStats() {
    AnswerStats stats;
    std::swap(stats, stats_);
    return stats;
}

HistoryStore::Opened HistoryStore::open() {
    if (!QDir().mkpath(folder_)) {
        notice_ = notKept(QStringLiteral("The folder %1 cannot be made.").arg(folder_));
        return Opened::Kept;
    }
    if (!QFileInfo(folder_).isWritable()) {
        notice_ = notKept(QStringLiteral("The folder %1 cannot be written.").arg(folder_));
        return Opened::Kept;
    }
    Opened opened = Opened::Damaged;
    {
        QSqlDatabase db = QSqlDatabase::contains(connection_)
                              ? QSqlDatabase::database(connection_, false)
                              : QSqlDatabase::addDatabase("QSQLITE", connection_);
        db.setDatabaseName(path_);
        opened = prepare(db);
        if (opened == Opened::Ready) {
            remembers_ = true;
            return opened;
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connection_);
    return opened;
}

// Opens the database, checks its schema's version, brings it up to date (after SQLite's check
// of the whole file) and reads what is shown at once. Nothing here writes to a file it does not
// then use.
HistoryStore::Opened HistoryStore::prepare(QSqlDatabase& db) {
    auto failed = [this](const QSqlError& error) {
        if (damaged(error)) {
            notice_ = error.text();
            return Opened::Damaged;
        }
        notice_ = busy(error) ? notKept(error.text()) : unreadable(path_, error);
        return Opened::Kept;
    };
    if (!db.open()) return failed(db.lastError());
    QSqlQuery query(db);
    if (!query.exec("PRAGMA busy_timeout = 5000") || !query.exec("PRAGMA user_version") ||
        !query.next()) {
        return failed(query.lastError());
    }
    const int version = query.value(0).toInt();
    if (version > kSchemaVersion) {
        notice_ = QStringLiteral("This history was written by a newer Hitwise; it is kept as it "
                                 "is, and this session is not remembered.");
        return Opened::Kept;
    }
    if (version == 0) {
        if (!query.exec("SELECT count(*) FROM sqlite_master") || !query.next()) {
            return failed(query.lastError());
        }
        if (query.value(0).toInt() > 0) {
            notice_ = QStringLiteral("%1 holds no history of Hitwise's; it is kept as it is, and "
                                     "this session is not remembered.")
                          .arg(path_);
            return Opened::Kept;
        }
        // A new file: the schema with its version, in one transaction.
        QSqlError error;
        if (!db.transaction() || !schema::create(db, &error) ||
            !query.exec(QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion)) ||
            !db.commit()) {
            if (!error.isValid())
                error = query.lastError().isValid() ? query.lastError() : db.lastError();
            db.rollback();
            return failed(error);
        }
        return Opened::Ready;
    }
    query.finish(); // no statement may still be reading while tables change
    if (version < kSchemaVersion) {
        // An upgrade reads every answer: the file is checked whole first.
        if (const QString damage = damageOf(db); !damage.isEmpty()) {
            notice_ = damage;
            return Opened::Damaged;
        }
        if (!migrate(db, version)) return Opened::Kept;
    }
    return readStats(db);
}

// The cells' records and the tables' totals.
HistoryStore::Opened HistoryStore::readStats(QSqlDatabase& db) {
    stats_.clear();
    QSqlQuery query(db);
    query.setForwardOnly(true);
    auto failed = [&] {
        stats_.clear();
        if (damaged(query.lastError())) {
            notice_ = query.lastError().text();
            return Opened::Damaged;
        }
        notice_ = unreadable(path_, query.lastError());
        return Opened::Kept;
    };
    if (!query.exec("SELECT rules, tries, rights FROM table_totals")) return failed();
    while (query.next())
        stats_.setTotals(query.value(0).toString(), query.value(1).toInt(), query.value(2).toInt());
    if (query.lastError().isValid()) return failed();
    if (!query.exec("SELECT rules, cells FROM cell_records")) return failed();
    while (query.next()) {
        const QString table = query.value(0).toString();
        for (const auto& [cell, record] : cellsOf(query.value(1).toString()))
            stats_.setCell(table, cell, record);
    }
    return query.lastError().isValid() ? failed() : Opened::Ready;
}

// Renames the file (and its journal) to the first free "history.sqlite.set-aside-<time>[-n]".
void HistoryStore::setAside(const QString& why) {
    const QString stamp = QDateTime::currentDateTimeUtc().toString("yyyyMMdd-HHmmss");
    QString target = path_ + ".set-aside-" + stamp;
    for (int n = 2; QFileInfo::exists(target); ++n) {
        target = path_ + ".set-aside-" + stamp + "-" + QString::number(n);
    }
    if (!QFile::rename(path_, target)) {
        notice_ = QStringLiteral("The history %1 cannot be read (%2), and it could not be set "
                                 "aside.")
                      .arg(path_, why);
        return;
    }
    QFile::rename(path_ + "-journal", target + "-journal");
    notice_ = QStringLiteral("The history %1 could not be used: %2 It was set aside as %3, "
                             "and a new history was started.")
                  .arg(path_, why.endsWith('.') ? why : why + '.', target);
}

void HistoryStore::startAgain(const QString& why) {
    {
        QSqlDatabase db = database();
        if (db.isValid()) db.close();
    }
    QSqlDatabase::removeDatabase(connection_);
    remembers_ = false;
    stats_.clear();
    setAside(why);
    const QString told = notice_;
    if (QFileInfo::exists(path_)) { // it could not be set aside: nothing more is stored there
        withoutMemory(told);
        return;
    }
    if (open() == Opened::Ready) {
        notice_ = told;
    } else {
        withoutMemory(notKept(notice_));
    }
}

void HistoryStore::withoutMemory(const QString& why) {
    remembers_ = false;
    stats_.clear();
    notice_ = why;
}

// From `from` to kSchemaVersion, step by step, in one transaction: any failure rolls it all
// back and the file is as it was.
bool HistoryStore::migrate(QSqlDatabase& db, int from) {
    QSqlError error;
    auto fail = [&](const QSqlError& why) {
        db.rollback();
        notice_ = notKept(QStringLiteral("the history %1 could not be brought up to date (%2); "
                                         "it is kept as it was.")
                              .arg(path_, why.text()));
        return false;
    };
    if (!db.transaction()) return fail(db.lastError());
    if (!schema::migrate(db, from, &error)) return fail(error);
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion))) {
        return fail(query.lastError());
    }
    if (!db.commit()) return fail(db.lastError());
    return true;
}

} // namespace practice

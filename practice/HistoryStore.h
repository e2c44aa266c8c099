#pragma once

#include "AnswerStats.h"
#include "HistoryRows.h"
#include "HistorySchema.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>

#include <optional>
#include <vector>

namespace practice {

// The drill's answers in an SQLite database in the data folder, one row an answer, each
// committed before append() returns, with what the drill shows at once (each cell's record,
// each table's totals, the answers by day) kept up to date in the same transaction. Opening
// reads only those, never every answer, whatever the history's size; HistoryQueries.h reads
// the rest when it is asked for, and checks the whole file from another thread.
//
// Upgrades: an older file is brought to kSchemaVersion at open by its numbered migration steps
// (HistorySchema.h), in one transaction after SQLite's check of the file, every answer kept; if
// a step fails, the file stays as it was. A rules text gains a field only with such a step. A row
// this version cannot read (a rules text, cards or a play of another version) stays in the file
// untouched and is left out of what is shown.
//
// Nothing is lost: a file SQLite finds damaged is set aside under a new name (never deleted) and
// a new one is started. A file of a newer schema, or one that is no history of Hitwise's, is left
// exactly as it is and nothing of this session is stored; so is everything when the folder
// cannot be written. Either way takeNotice() says so once.
class HistoryStore {
public:
    static constexpr int kSchemaVersion = schema::kVersion;

    explicit HistoryStore(const QString& folder);
    ~HistoryStore();
    HistoryStore(const HistoryStore&) = delete;
    HistoryStore& operator=(const HistoryStore&) = delete;

    // Whether answers are kept across restarts.
    bool remembers() const { return remembers_; }
    // What went wrong with the file, to be told to the player once; empty if nothing.
    QString takeNotice();
    QString path() const { return path_; }

    // The cells' records and the tables' totals read at open (once: they are handed over).
    AnswerStats takeStats();

    // Stores an answer; when that fails, the store stops remembering and says why.
    void append(const QString& table, const Answer& answer, const QDateTime& at);
    void append(const QString& table, const CountAnswer& answer, const QDateTime& at);

    // The open database, for the queries of HistoryQueries.h; invalid without memory.
    QSqlDatabase database() const;
    // The file was found damaged after it was opened: it is set aside and a new one started.
    void startAgain(const QString& why);

private:
    enum class Opened { Ready, Damaged, Kept };
    void openOrSetAside();
    Opened open();
    Opened prepare(QSqlDatabase& db);
    bool migrate(QSqlDatabase& db, int from);
    Opened readStats(QSqlDatabase& db);
    bool commit(QSqlQuery& query, bool stored);
    void setAside(const QString& why);
    void withoutMemory(const QString& why);

    QString folder_;
    QString path_;
    QString connection_;
    bool remembers_ = false;
    QString notice_;
    AnswerStats stats_;
};

} // namespace practice

#pragma once

#include "AnswerStats.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>

#include <vector>

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

// The drill's answers in an SQLite database in the data folder, one row an answer, each
// committed before append() returns.
//
// Upgrades: an older file is brought to kSchemaVersion at open by its numbered migration steps,
// in one transaction, every answer kept; if a step fails, the file stays as it was. A rules text
// gains a field only with such a step. A row this version cannot read (a rules text, cards or a
// play of another version) stays in the file untouched and is only left out of answers().
//
// Nothing is lost: a file SQLite finds damaged is set aside under a new name (never deleted) and
// a new one is started. A file of a newer schema, or one that is no history of Hitwise's, is left
// exactly as it is and nothing of this session is stored; so is everything when the folder
// cannot be written. Either way takeNotice() says so once.
class HistoryStore {
public:
    static constexpr int kSchemaVersion = 3; // PRAGMA user_version

    explicit HistoryStore(const QString& folder);
    ~HistoryStore();
    HistoryStore(const HistoryStore&) = delete;
    HistoryStore& operator=(const HistoryStore&) = delete;

    // Whether answers are kept across restarts.
    bool remembers() const { return remembers_; }
    // What went wrong with the file, to be told to the player once; empty if nothing.
    QString takeNotice();
    QString path() const { return path_; }

    // The answers read at open, oldest first (once: they are handed over), and the count of
    // rows left out of them.
    std::vector<StoredAnswer> takeAnswers();
    std::vector<StoredCountAnswer> takeCountAnswers();
    int uncounted() const { return uncounted_; }

    // Stores an answer; when that fails, the store stops remembering and says why.
    void append(const QString& table, const Answer& answer, const QDateTime& at);
    void append(const QString& table, const CountAnswer& answer, const QDateTime& at);

private:
    enum class Opened { Ready, Damaged, Kept };
    Opened open();
    Opened prepare(QSqlDatabase& db);
    bool migrate(QSqlDatabase& db, int from);
    bool readAnswers(QSqlDatabase& db);
    bool readCountAnswers(QSqlDatabase& db);
    void stored(QSqlQuery& query);
    void setAside(const QString& why);
    void withoutMemory(const QString& why);

    QString folder_;
    QString path_;
    QString connection_;
    bool remembers_ = false;
    QString notice_;
    std::vector<StoredAnswer> answers_;
    std::vector<StoredCountAnswer> countAnswers_;
    int uncounted_ = 0;
};

#include "HistoryStore.h"

#include "Grading.h"
#include "PracticeText.h"
#include "Round.h"
#include "Table.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <iterator>

namespace {

using practice::playText;

// Version 3 adds to each decision the count it was made with (NULL without one): the system, the
// count the player went by, the basic play and what the answer cost against the index play; and
// the answers of counting, one row each.
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

// The kinds as the file names them, in the order of CountKind.
const char* const kCountKinds[] = {"running", "decks", "true", "check", "bet", "insurance"};
static_assert(std::size(kCountKinds) == int(CountKind::Insurance) + 1);

std::optional<CountKind> countKindOf(const QString& text) {
    for (std::size_t i = 0; i < std::size(kCountKinds); ++i) {
        if (text == QLatin1String(kCountKinds[i])) return CountKind(i);
    }
    return std::nullopt;
}

// Version 2: the rules as the table's key, every card of the hand ("10,2,4"), where in a
// played-out round the decision fell (0 the first), the answer and the right play.
const char* kSchema = R"(
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

std::optional<analysis::Play> playOf(const QString& text) {
    for (analysis::Play play : analysis::kAllPlays) {
        if (text == playText(play)) return play;
    }
    return std::nullopt;
}

QString cardsText(const std::vector<int>& cards) {
    QStringList values;
    for (int card : cards)
        values << QString::number(card);
    return values.join(',');
}

std::optional<std::vector<int>> cardsOf(const QString& text) {
    std::vector<int> cards;
    for (const QString& value : text.split(',')) {
        bool ok = false;
        const int card = value.toInt(&ok);
        if (!ok || card < 1 || card > 10) return std::nullopt;
        cards.push_back(card);
    }
    if (cards.size() < 2 || cards.size() > 21) return std::nullopt;
    return cards;
}

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

// Version 1 kept a chart number and two cards per answer; version 2 keeps the table's key,
// every card, the position in the round and the right play (the chart's, for version 1).
bool fromVersion1(QSqlDatabase& db, QSqlError* error) {
    QSqlQuery query(db);
    if (!query.exec(QString::fromLatin1(kSchema).arg("answers_v2"))) {
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
        query.addBindValue(playText(right));
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
    QSqlQuery query(db);
    for (const char* statement : kVersion3) {
        if (!query.exec(QString::fromLatin1(statement))) {
            *error = query.lastError();
            return false;
        }
    }
    return true;
}

// The numbered steps: step n brings a file of version n to version n + 1.
struct Migration {
    int from;
    bool (*step)(QSqlDatabase& db, QSqlError* error);
};
const Migration kMigrations[] = {
    {1, &fromVersion1},
    {2, &fromVersion2},
};
static_assert(std::size(kMigrations) == HistoryStore::kSchemaVersion - 1,
              "every schema version but the first has its migration step");

} // namespace

HistoryStore::HistoryStore(const QString& folder)
    : folder_(folder), path_(QDir(folder).filePath("history.sqlite")),
      connection_(QStringLiteral("hitwise-drill-history-%1").arg(quintptr(this))) {
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

QString HistoryStore::takeNotice() {
    QString notice;
    notice.swap(notice_);
    return notice;
}

std::vector<StoredCountAnswer> HistoryStore::takeCountAnswers() {
    std::vector<StoredCountAnswer> answers;
    answers.swap(countAnswers_);
    return answers;
}

std::vector<StoredAnswer> HistoryStore::takeAnswers() {
    std::vector<StoredAnswer> answers;
    answers.swap(answers_);
    return answers;
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

// Opens and checks the database (SQLite's own check of the file, the schema's version), brings
// it up to date and reads every answer. Nothing here writes to a file it does not then use.
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
    if (!query.exec("PRAGMA busy_timeout = 5000") || !query.exec("PRAGMA quick_check") ||
        !query.next()) {
        return failed(query.lastError());
    }
    if (query.value(0).toString() != "ok") {
        notice_ = QStringLiteral("SQLite found it damaged (%1).").arg(query.value(0).toString());
        return Opened::Damaged;
    }
    if (!query.exec("PRAGMA user_version") || !query.next()) return failed(query.lastError());
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
        // A new file: version 2's schema and the steps since, with the version, in one
        // transaction.
        QSqlError error;
        if (!db.transaction() || !query.exec(QString::fromLatin1(kSchema).arg("answers")) ||
            !fromVersion2(db, &error) ||
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
    if (version < kSchemaVersion && !migrate(db, version)) return Opened::Kept;
    return readAnswers(db) && readCountAnswers(db) ? Opened::Ready : Opened::Kept;
}

// Every answer into answers_; a row this version cannot read is counted in uncounted_.
bool HistoryStore::readAnswers(QSqlDatabase& db) {
    QSqlQuery query(db);
    answers_.clear();
    uncounted_ = 0;
    if (!query.exec("SELECT answered_at, rules, cards, up, position, answer, right_play, correct, "
                    "count_system, count_at, basic_play, cost FROM answers ORDER BY id")) {
        notice_ = unreadable(path_, query.lastError());
        return false;
    }
    while (query.next()) {
        StoredAnswer stored;
        const auto cards = cardsOf(query.value(2).toString());
        const auto given = playOf(query.value(5).toString());
        const auto right = playOf(query.value(6).toString());
        stored.table = query.value(1).toString();
        Answer& answer = stored.answer;
        answer.up = query.value(3).toInt();
        answer.position = query.value(4).toInt();
        if (!cards || !given || !right || answer.up < 1 || answer.up > 10 ||
            !Table::fromKey(stored.table)) {
            ++uncounted_;
            continue;
        }
        answer.cards = *cards;
        answer.answer = *given;
        answer.rightPlay = *right;
        answer.right = query.value(7).toInt() == 1;
        if (!query.value(8).isNull()) {
            const auto basic = playOf(query.value(10).toString());
            if (!basic) {
                ++uncounted_;
                continue;
            }
            answer.counted = CountedDecision{query.value(8).toString(), query.value(9).toInt(),
                                             *basic, query.value(11).toDouble()};
        }
        stored.day = QDateTime::fromString(query.value(0).toString(), Qt::ISODateWithMs)
                         .toLocalTime()
                         .date();
        answers_.push_back(std::move(stored));
    }
    if (query.lastError().isValid()) {
        notice_ = unreadable(path_, query.lastError());
        answers_.clear();
        return false;
    }
    if (uncounted_ > 0) {
        notice_ = uncounted_ == 1
                      ? QStringLiteral("1 answer from another version of Hitwise is kept but not "
                                       "counted.")
                      : QStringLiteral("%1 answers from another version of Hitwise are kept but "
                                       "not counted.")
                            .arg(uncounted_);
    }
    return true;
}

// The answers of counting, every kind this version knows; others stay in the file, uncounted.
bool HistoryStore::readCountAnswers(QSqlDatabase& db) {
    QSqlQuery query(db);
    countAnswers_.clear();
    if (!query.exec("SELECT answered_at, rules, count_system, kind, cards_seen, cards_left, "
                    "seconds, given, right_value, correct, cost, count_at FROM count_answers "
                    "ORDER BY id")) {
        notice_ = unreadable(path_, query.lastError());
        return false;
    }
    while (query.next()) {
        const auto kind = countKindOf(query.value(3).toString());
        if (!kind) continue;
        StoredCountAnswer stored;
        stored.table = query.value(1).toString();
        stored.day = QDateTime::fromString(query.value(0).toString(), Qt::ISODateWithMs)
                         .toLocalTime()
                         .date();
        CountAnswer& answer = stored.answer;
        answer.kind = *kind;
        answer.system = query.value(2).toString();
        answer.cardsSeen = query.value(4).toInt();
        answer.cardsLeft = query.value(5).toInt();
        answer.seconds = query.value(6).toDouble();
        answer.given = query.value(7).toDouble();
        answer.right = query.value(8).toDouble();
        answer.correct = query.value(9).toInt() == 1;
        answer.cost = query.value(10).toDouble();
        answer.count = query.value(11).toDouble();
        countAnswers_.push_back(std::move(stored));
    }
    if (query.lastError().isValid()) {
        notice_ = unreadable(path_, query.lastError());
        countAnswers_.clear();
        return false;
    }
    return true;
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

void HistoryStore::withoutMemory(const QString& why) {
    remembers_ = false;
    answers_.clear();
    countAnswers_.clear();
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
    for (const Migration& migration : kMigrations) {
        if (migration.from < from) continue;
        if (!migration.step(db, &error)) return fail(error);
    }
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion))) {
        return fail(query.lastError());
    }
    if (!db.commit()) return fail(db.lastError());
    return true;
}

void HistoryStore::append(const QString& table, const Answer& answer, const QDateTime& at) {
    if (!remembers_) return;
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    query.prepare("INSERT INTO answers (answered_at, rules, cards, up, position, answer, "
                  "right_play, correct, count_system, count_at, basic_play, cost) VALUES (?, ?, "
                  "?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    query.addBindValue(at.toString(Qt::ISODateWithMs));
    query.addBindValue(table);
    query.addBindValue(cardsText(answer.cards));
    query.addBindValue(answer.up);
    query.addBindValue(answer.position);
    query.addBindValue(playText(answer.answer));
    query.addBindValue(playText(answer.rightPlay));
    query.addBindValue(answer.right ? 1 : 0);
    const CountedDecision* counted = answer.counted ? &*answer.counted : nullptr;
    query.addBindValue(counted ? QVariant(counted->system) : QVariant());
    query.addBindValue(counted ? QVariant(counted->count) : QVariant());
    query.addBindValue(counted ? QVariant(playText(counted->basicPlay)) : QVariant());
    query.addBindValue(counted ? QVariant(counted->cost) : QVariant());
    stored(query);
}

void HistoryStore::append(const QString& table, const CountAnswer& answer, const QDateTime& at) {
    if (!remembers_) return;
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    query.prepare("INSERT INTO count_answers (answered_at, rules, count_system, kind, cards_seen, "
                  "cards_left, seconds, given, right_value, correct, cost, count_at) VALUES (?, "
                  "?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    query.addBindValue(at.toString(Qt::ISODateWithMs));
    query.addBindValue(table);
    query.addBindValue(answer.system);
    query.addBindValue(QString::fromLatin1(kCountKinds[int(answer.kind)]));
    query.addBindValue(answer.cardsSeen);
    query.addBindValue(answer.cardsLeft);
    query.addBindValue(answer.seconds);
    query.addBindValue(answer.given);
    query.addBindValue(answer.right);
    query.addBindValue(answer.correct ? 1 : 0);
    query.addBindValue(answer.cost);
    query.addBindValue(answer.count);
    stored(query);
}

// Runs a prepared insert; when it fails, the store stops remembering and says why.
void HistoryStore::stored(QSqlQuery& query) {
    if (!query.exec()) {
        withoutMemory(notKept(
            QStringLiteral("an answer could not be stored (%1).").arg(query.lastError().text())));
    }
}

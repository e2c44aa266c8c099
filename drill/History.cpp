#include "History.h"

#include "Grading.h"
#include "Round.h"
#include "Table.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

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

QString playText(analysis::Play play) {
    return QString::fromLatin1(analysis::playName(play).data());
}

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

// SQLite's codes for a database another process holds: wait or go on without it, never set
// it aside.
bool busy(const QSqlError& error) {
    const QString code = error.nativeErrorCode();
    return code == "5" || code == "6";
}

} // namespace

History::History(const QString& folder)
    : folder_(folder), path_(QDir(folder).filePath("history.sqlite")),
      connection_(QStringLiteral("hitwise-drill-history-%1").arg(quintptr(this))) {
    Opened opened = open();
    if (opened == Opened::Unusable && QFileInfo::exists(path_)) {
        setAside(notice_);
        opened = open();
    }
    if (opened != Opened::Ready) withoutMemory(notice_);
}

History::~History() {
    {
        QSqlDatabase db = QSqlDatabase::database(connection_, false);
        if (db.isValid()) db.close();
    }
    QSqlDatabase::removeDatabase(connection_);
}

QString History::takeNotice() {
    QString notice;
    notice.swap(notice_);
    return notice;
}

History::Opened History::open() {
    if (!QDir().mkpath(folder_)) {
        notice_ = QStringLiteral("The folder %1 cannot be made.").arg(folder_);
        return Opened::InUse;
    }
    if (!QFileInfo(folder_).isWritable()) {
        notice_ = QStringLiteral("The folder %1 cannot be written.").arg(folder_);
        return Opened::InUse;
    }
    Opened opened = Opened::Unusable;
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

// Opens, checks and reads the database: the schema's version, SQLite's own check of the file,
// and every answer into the cells.
History::Opened History::prepare(QSqlDatabase& db) {
    auto failed = [this](const QSqlError& error) {
        notice_ = error.text();
        return busy(error) ? Opened::InUse : Opened::Unusable;
    };
    if (!db.open()) return failed(db.lastError());
    QSqlQuery query(db);
    if (!query.exec("PRAGMA busy_timeout = 5000") || !query.exec("PRAGMA quick_check") ||
        !query.next()) {
        return failed(query.lastError());
    }
    if (query.value(0).toString() != "ok") {
        notice_ = QStringLiteral("SQLite found it damaged (%1).").arg(query.value(0).toString());
        return Opened::Unusable;
    }
    if (!query.exec("PRAGMA user_version") || !query.next()) return failed(query.lastError());
    const int version = query.value(0).toInt();
    if (version > kSchemaVersion) {
        notice_ = QStringLiteral("It comes from a newer version of Hitwise Drill.");
        return Opened::Unusable;
    }
    if (version == 0) {
        // A new file: the schema and its version in one transaction.
        if (!db.transaction() || !query.exec(QString::fromLatin1(kSchema).arg("answers")) ||
            !query.exec(QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion)) ||
            !db.commit()) {
            const QSqlError error =
                query.lastError().isValid() ? query.lastError() : db.lastError();
            db.rollback();
            return failed(error);
        }
        return Opened::Ready;
    }
    query.finish(); // no statement may still be reading while tables change
    if (version == 1 && !migrateFromVersion1(db)) {
        // The file is as it was: the transaction was rolled back. Kept, not set aside.
        return Opened::InUse;
    }
    kept_.clear();
    if (!query.exec("SELECT answered_at, rules, cards, up, position, answer, right_play, correct "
                    "FROM answers ORDER BY id")) {
        return failed(query.lastError());
    }
    while (query.next()) {
        Answer answer;
        const auto cards = cardsOf(query.value(2).toString());
        const auto given = playOf(query.value(5).toString());
        const auto right = playOf(query.value(6).toString());
        answer.up = query.value(3).toInt();
        answer.position = query.value(4).toInt();
        const QString table = query.value(1).toString();
        if (!cards || !given || !right || answer.up < 1 || answer.up > 10 ||
            !Table::fromKey(table)) {
            notice_ = QStringLiteral("It holds an answer that no hand can have given.");
            kept_.clear();
            return Opened::Unusable;
        }
        answer.cards = *cards;
        answer.answer = *given;
        answer.rightPlay = *right;
        answer.right = query.value(7).toInt() == 1;
        const QDate day = QDateTime::fromString(query.value(0).toString(), Qt::ISODateWithMs)
                              .toLocalTime()
                              .date();
        count(table, day, answer);
    }
    if (query.lastError().isValid()) return failed(query.lastError());
    return Opened::Ready;
}

// Renames the file (and its journal) to the first free "history.sqlite.set-aside-<time>[-n]".
void History::setAside(const QString& why) {
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

void History::withoutMemory(const QString& why) {
    remembers_ = false;
    notice_ = QStringLiteral("Your answers are not kept this time: %1").arg(why);
}

// Version 1 to 2 in one transaction: the new table filled from the old, every answer kept with
// the chart's play as the right one, the old table dropped, the version raised. Any failure
// rolls it all back.
bool History::migrateFromVersion1(QSqlDatabase& db) {
    QSqlQuery query(db);
    auto fail = [&](const QSqlError& error) {
        db.rollback();
        notice_ = QStringLiteral("The history %1 could not be brought up to date (%2); it is kept "
                                 "as it was.")
                      .arg(path_, error.text());
        return false;
    };
    if (!db.transaction()) return fail(db.lastError());
    if (!query.exec(QString::fromLatin1(kSchema).arg("answers_v2"))) return fail(query.lastError());
    QSqlQuery old(db);
    if (!old.exec("SELECT id, answered_at, rule_set, card1, card2, up, answer, correct FROM "
                  "answers ORDER BY id")) {
        return fail(old.lastError());
    }
    query.prepare("INSERT INTO answers_v2 (id, answered_at, rules, cards, up, position, answer, "
                  "right_play, correct) VALUES (?, ?, ?, ?, ?, 0, ?, ?, ?)");
    while (old.next()) {
        const int ruleSet = old.value(2).toInt();
        const std::vector<int> cards{old.value(3).toInt(), old.value(4).toInt()};
        const int up = old.value(5).toInt();
        if (ruleSet < 0 || ruleSet > 2 || !cardsOf(cardsText(cards)) || up < 1 || up > 10) {
            return fail(QSqlError(QStringLiteral("an answer no hand can have given")));
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
        if (!query.exec()) return fail(query.lastError());
    }
    if (old.lastError().isValid()) return fail(old.lastError());
    old.finish(); // a table still being read cannot be dropped
    if (!query.exec("DROP TABLE answers") ||
        !query.exec("ALTER TABLE answers_v2 RENAME TO answers") ||
        !query.exec(QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion))) {
        return fail(query.lastError());
    }
    if (!db.commit()) return fail(db.lastError());
    return true;
}

void History::record(const QString& table, const Answer& answer) {
    const QDateTime now = QDateTime::currentDateTimeUtc();
    count(table, now.toLocalTime().date(), answer);
    if (!remembers_) return;
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    query.prepare("INSERT INTO answers (answered_at, rules, cards, up, position, answer, "
                  "right_play, correct) VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
    query.addBindValue(now.toString(Qt::ISODateWithMs));
    query.addBindValue(table);
    query.addBindValue(cardsText(answer.cards));
    query.addBindValue(answer.up);
    query.addBindValue(answer.position);
    query.addBindValue(playText(answer.answer));
    query.addBindValue(playText(answer.rightPlay));
    query.addBindValue(answer.right ? 1 : 0);
    if (!query.exec()) {
        withoutMemory(
            QStringLiteral("an answer could not be stored (%1).").arg(query.lastError().text()));
    }
}

void History::count(const QString& table, const QDate& day, const Answer& answer) {
    Kept& kept = kept_[table];
    ++kept.tries;
    kept.rights += answer.right;
    if (answer.position != 0 || answer.cards.size() != 2) return;
    const GridCell where{chartRowOf(answer.cards[0], answer.cards[1]), answer.up};
    if (where.row < 0) return;
    kept.first.push_back({day, where, answer.answer});
    CellRecord& cell = kept.cells[where.row][where.up - 1];
    ++cell.tries;
    cell.last.push_back(answer.answer);
    if (cell.last.size() > CellRecord::kLastAnswers) cell.last.pop_front();
    if (answer.right) {
        ++cell.rights;
        ++cell.streak;
        if (cell.streak >= kRightsToMend) cell.weak = false;
    } else {
        cell.streak = 0;
        cell.weak = true;
    }
}

const CellRecord& History::cell(const QString& table, const GridCell& cell) const {
    static const CellRecord none;
    const auto found = kept_.find(table);
    return found == kept_.end() ? none : found->second.cells[cell.row][cell.up - 1];
}

std::vector<GridCell> History::weakCells(const QString& table) const {
    std::vector<GridCell> weak;
    const auto found = kept_.find(table);
    if (found == kept_.end()) return weak;
    for (int row = 0; row < kChartRows; ++row) {
        for (int up = 1; up <= 10; ++up) {
            if (found->second.cells[row][up - 1].weak) weak.push_back({row, up});
        }
    }
    return weak;
}

std::pair<int, int> History::totals(const QString& table) const {
    const auto found = kept_.find(table);
    return found == kept_.end() ? std::pair{0, 0}
                                : std::pair{found->second.tries, found->second.rights};
}

const std::vector<FirstAnswer>& History::firstAnswers(const QString& table) const {
    static const std::vector<FirstAnswer> none;
    const auto found = kept_.find(table);
    return found == kept_.end() ? none : found->second.first;
}

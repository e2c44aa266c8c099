#include "History.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

const char* kSchema = R"(
CREATE TABLE answers (
    id INTEGER PRIMARY KEY,
    answered_at TEXT NOT NULL,
    rule_set INTEGER NOT NULL CHECK (rule_set BETWEEN 0 AND 2),
    card1 INTEGER NOT NULL CHECK (card1 BETWEEN 1 AND 10),
    card2 INTEGER NOT NULL CHECK (card2 BETWEEN 1 AND 10),
    up INTEGER NOT NULL CHECK (up BETWEEN 1 AND 10),
    answer TEXT NOT NULL,
    correct INTEGER NOT NULL CHECK (correct IN (0, 1))
))";

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
        if (!db.transaction() || !query.exec(kSchema) ||
            !query.exec(QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion)) ||
            !db.commit()) {
            const QSqlError error =
                query.lastError().isValid() ? query.lastError() : db.lastError();
            db.rollback();
            return failed(error);
        }
        return Opened::Ready;
    }
    cells_ = {};
    if (!query.exec("SELECT rule_set, card1, card2, up, correct FROM answers ORDER BY id")) {
        return failed(query.lastError());
    }
    while (query.next()) {
        const int ruleSet = query.value(0).toInt();
        const int first = query.value(1).toInt();
        const int second = query.value(2).toInt();
        const int up = query.value(3).toInt();
        if (ruleSet < 0 || ruleSet > 2 || first < 1 || first > 10 || second < 1 || second > 10 ||
            up < 1 || up > 10) {
            notice_ = QStringLiteral("It holds an answer that no hand can have given.");
            cells_ = {};
            return Opened::Unusable;
        }
        count(ruleSet, first, second, up, query.value(4).toInt() == 1);
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

void History::record(int ruleSet, const Deal& deal, const QString& answer, bool right) {
    count(ruleSet, deal.first(), deal.second(), deal.up(), right);
    if (!remembers_) return;
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    query.prepare("INSERT INTO answers (answered_at, rule_set, card1, card2, up, answer, correct) "
                  "VALUES (?, ?, ?, ?, ?, ?, ?)");
    query.addBindValue(QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs));
    query.addBindValue(ruleSet);
    query.addBindValue(deal.first());
    query.addBindValue(deal.second());
    query.addBindValue(deal.up());
    query.addBindValue(answer);
    query.addBindValue(right ? 1 : 0);
    if (!query.exec()) {
        withoutMemory(
            QStringLiteral("an answer could not be stored (%1).").arg(query.lastError().text()));
    }
}

void History::count(int ruleSet, int first, int second, int up, bool right) {
    CellRecord& cell = cells_[ruleSet][chartRowOf(first, second)][up - 1];
    ++cell.tries;
    if (right) {
        ++cell.rights;
        ++cell.streak;
        if (cell.streak >= kRightsToMend) cell.weak = false;
    } else {
        cell.streak = 0;
        cell.weak = true;
    }
}

const CellRecord& History::cell(int ruleSet, const GridCell& cell) const {
    return cells_[ruleSet][cell.row][cell.up - 1];
}

std::vector<GridCell> History::weakCells(int ruleSet) const {
    std::vector<GridCell> weak;
    for (int row = 0; row < kChartRows; ++row) {
        for (int up = 1; up <= 10; ++up) {
            if (cells_[ruleSet][row][up - 1].weak) weak.push_back({row, up});
        }
    }
    return weak;
}

std::pair<int, int> History::totals(int ruleSet) const {
    std::pair<int, int> totals;
    for (const auto& row : cells_[ruleSet]) {
        for (const CellRecord& cell : row) {
            totals.first += cell.tries;
            totals.second += cell.rights;
        }
    }
    return totals;
}

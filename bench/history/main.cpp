// The drill's history at the size of years of daily practice.
//   history_bench make FOLDER ANSWERS COUNT_ANSWERS
//       writes FOLDER/history.sqlite as the version before wrote it (schema 3), answers spread
//       over a year at three tables, a tenth of them decisions with a count; then opens it as
//       the drill does and says how long bringing it up to date took
//   history_bench open FOLDER RUNS
//       opens it as the drill does before its window shows
//   history_bench answer FOLDER ANSWERS
//       opens it, lets the whole file be checked, then answers ANSWERS hands: the time of each
//       from the answer to its grade, committed, median and worst
#include "History.h"
#include "PracticeSession.h"
#include "Table.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <cstdio>
#include <random>

using namespace practice;

using analysis::Play;

namespace {

const char* const kVersion3[] = {
    "CREATE TABLE answers (id INTEGER PRIMARY KEY, answered_at TEXT NOT NULL, rules TEXT NOT "
    "NULL, cards TEXT NOT NULL, up INTEGER NOT NULL CHECK (up BETWEEN 1 AND 10), position "
    "INTEGER NOT NULL CHECK (position >= 0), answer TEXT NOT NULL, right_play TEXT NOT NULL, "
    "correct INTEGER NOT NULL CHECK (correct IN (0, 1)), count_system TEXT, count_at INTEGER, "
    "basic_play TEXT, cost REAL)",
    "CREATE TABLE count_answers (id INTEGER PRIMARY KEY, answered_at TEXT NOT NULL, rules TEXT "
    "NOT NULL, count_system TEXT NOT NULL, kind TEXT NOT NULL, cards_seen INTEGER NOT NULL, "
    "cards_left INTEGER NOT NULL, seconds REAL NOT NULL, given REAL NOT NULL, right_value REAL "
    "NOT NULL, correct INTEGER NOT NULL, cost REAL NOT NULL, count_at REAL NOT NULL)",
    "PRAGMA user_version = 3",
};

int make(const QString& folder, int answers, int countAnswers) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "make");
        db.setDatabaseName(folder + "/history.sqlite");
        if (!db.open()) return 1;
        QSqlQuery query(db);
        for (const char* statement : kVersion3)
            query.exec(statement);
        db.transaction();
        std::mt19937 random(1);
        const QString tables[] = {Table::ofChart(0).key(), Table::ofChart(1).key(),
                                  "6d,h17,hole,any,das,4h,ls,3:2,cdp"};
        const QStringList plays{"Stand", "Hit", "Double", "Split", "Surrender"};
        const QDateTime start = QDateTime::currentDateTimeUtc().addDays(-365);
        auto at = [&](int i, int of) {
            return start.addSecs(qint64(365.0 * 86400 * i / of)).toString(Qt::ISODateWithMs);
        };
        query.prepare("INSERT INTO answers (answered_at, rules, cards, up, position, answer, "
                      "right_play, correct, count_system, count_at, basic_play, cost) VALUES (?, "
                      "?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        for (int i = 0; i < answers; ++i) {
            const bool counted = i % 10 == 0;
            const QString answer = plays[int(random() % 2)];
            const QString right = random() % 8 ? answer : plays[int(random() % 3)];
            for (const QVariant& value :
                 {QVariant(at(i, answers)), QVariant(tables[random() % 3]),
                  QVariant(QStringLiteral("%1,%2").arg(1 + random() % 10).arg(1 + random() % 10)),
                  QVariant(int(1 + random() % 10)), QVariant(random() % 4 ? 0 : 1),
                  QVariant(answer), QVariant(right), QVariant(answer == right ? 1 : 0),
                  counted ? QVariant("hilo") : QVariant(), counted ? QVariant(1) : QVariant(),
                  counted ? QVariant("Hit") : QVariant(), counted ? QVariant(0.01) : QVariant()})
                query.addBindValue(value);
            query.exec();
        }
        const QStringList kinds{"running", "decks", "true", "check", "bet", "insurance"};
        query.prepare("INSERT INTO count_answers (answered_at, rules, count_system, kind, "
                      "cards_seen, cards_left, seconds, given, right_value, correct, cost, "
                      "count_at) VALUES (?, ?, 'hilo', ?, ?, ?, ?, ?, ?, ?, 0, 0)");
        for (int i = 0; i < countAnswers; ++i) {
            const int right = int(random() % 11) - 5;
            const int given = random() % 5 ? right : right + 1;
            for (const QVariant& value :
                 {QVariant(at(i, countAnswers)), QVariant(tables[random() % 3]),
                  QVariant(kinds[int(random() % 6)]), QVariant(52), QVariant(200),
                  QVariant(20.0 + random() % 30), QVariant(given), QVariant(right),
                  QVariant(given == right ? 1 : 0)})
                query.addBindValue(value);
            query.exec();
        }
        db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase("make");
    QElapsedTimer timer;
    timer.start();
    const History history(folder);
    std::printf("| the first start after the upgrade: %d answers and %d answers of counting "
                "brought up to date | %.2f s | once |\n",
                answers, countAnswers, timer.nsecsElapsed() / 1e9);
    return history.remembers() ? 0 : 1;
}

// Single hands at the multi-deck chart, each answered: graded, kept (committed) and the view
// made, as the window shows it.
int answer(const QString& folder, int answers) {
    PracticeSession session(folder, 5, Table::ofChart(1), false);
    session.history().waitForCheck();
    std::vector<double> times;
    while (int(times.size()) < answers) {
        if (!session.view().answering) {
            session.dealNext();
            continue;
        }
        QElapsedTimer timer;
        timer.start();
        session.answer(Play::Hit);
        const QString shown = session.view().feedback + session.scoreText();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    std::printf("| an answer graded, kept (committed) and its view made, with that history (median "
                "/ worst of %d) | %.2f / %.2f ms | at most 5 ms: %s |\n",
                answers, times[times.size() / 2], times.back(),
                times.back() <= 5 ? "met" : "MISSED");
    return session.history().remembers() ? 0 : 1;
}

// Opening it as the drill does before its window shows (median of RUNS).
int open(const QString& folder, int runs) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        History history(folder);
        times.push_back(timer.nsecsElapsed() / 1e6);
        history.waitForCheck();
    }
    std::sort(times.begin(), times.end());
    std::printf(
        "| opening it, before the window shows (median of %d) | %.2f ms | for reference |\n", runs,
        times[times.size() / 2]);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 5 && arguments[1] == "make")
        return make(arguments[2], arguments[3].toInt(), arguments[4].toInt());
    if (arguments.size() == 4 && arguments[1] == "open")
        return open(arguments[2], arguments[3].toInt());
    if (arguments.size() == 4 && arguments[1] == "answer")
        return answer(arguments[2], arguments[3].toInt());
    std::fputs("usage: history_bench make FOLDER ANSWERS COUNT_ANSWERS | answer FOLDER ANSWERS\n",
               stderr);
    return 2;
}

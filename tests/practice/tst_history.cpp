// The drill's memory: answers kept across restarts, files it cannot use kept whole, and
// every schema of before brought up to date.
#include "History.h"
#include "KnownCharts.h"
#include "TestAnswers.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <map>
#include <random>
#include <tuple>

using analysis::Play;
using namespace practice;

class HistoryTest : public QObject {
    Q_OBJECT

private slots:
    void answersSurviveARestart();
    void twoDrillsAtOnce();
    void unusableHistoryIsSetAside_data();
    void unusableHistoryIsSetAside();
    void unwritableFolderLeavesNoMemory();
    void unreadableRowsKeptNotCounted();
    void newerOrForeignFileLeftAsItIs_data();
    void newerOrForeignFileLeftAsItIs();
    void rulesTextsAreFixed_data();
    void rulesTextsAreFixed();
    void versionOneHistoryMigrated_data();
    void versionOneHistoryMigrated();
    void versionTwoHistoryMigrated_data();
    void versionTwoHistoryMigrated();
    void keptFiguresAsFromEveryAnswer_data();
    void keptFiguresAsFromEveryAnswer();
    void damageFoundAfterOpening();
    void countingReadAsKept_data();
    void countingReadAsKept();
    void daysByTheLocalTime();
};

// The history's days by a zone with summer time and a half-hour offset, set before Qt reads it.
const bool zoned = qputenv("TZ", "America/St_Johns");

void HistoryTest::answersSurviveARestart() {
    QTemporaryDir folder;
    // 10,6 against a 10: missed, then right three times.
    const Answer missed = answerOf({10, 6}, 10, Play::Stand, Play::Hit);
    const Answer right = answerOf({10, 6}, 10, Play::Hit, Play::Hit);
    {
        History history(folder.path());
        QVERIFY(history.remembers());
        QVERIFY(history.takeNotice().isEmpty());
        history.record(kMulti, missed);
        history.record(kMulti, right);
    }
    {
        History history(folder.path());
        QCOMPARE(history.totals(kMulti), std::make_pair(2, 1));
        QCOMPARE(history.weakCells(kMulti).size(), std::size_t(1));
        history.record(kMulti, right);
        history.record(kMulti, right);
    }
    History history(folder.path());
    QCOMPARE(history.totals(kMulti), std::make_pair(4, 3));
    QVERIFY(history.weakCells(kMulti).empty());
    QCOMPARE(history.totals(Table::ofChart(0).key()), std::make_pair(0, 0));
}

void HistoryTest::twoDrillsAtOnce() {
    QTemporaryDir folder;
    {
        History one(folder.path());
        History other(folder.path());
        for (int i = 0; i < 50; ++i) {
            one.record(kMulti, answerOf({1, 1}, 1, Play::Split, Play::Split));
            other.record(kMulti, answerOf({1, 1}, 1, Play::Stand, Play::Split));
        }
        QVERIFY(one.remembers() && other.remembers());
    }
    QCOMPARE(History(folder.path()).totals(kMulti), std::make_pair(100, 50));
}

void HistoryTest::unusableHistoryIsSetAside_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("pragma");
    QTest::newRow("not a database") << QByteArray(4096, 'x') << QString();
    QTest::newRow("damaged database") << QByteArray() << "damage";
}

void HistoryTest::unusableHistoryIsSetAside() {
    QFETCH(QByteArray, content);
    QFETCH(QString, pragma);
    QTemporaryDir folder;
    const QString path = folder.filePath("history.sqlite");
    if (pragma.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    } else {
        {
            History history(folder.path());
            for (int i = 0; i < 200; ++i)
                history.record(kMulti, answerOf({1, 1}, 1, Play::Hit, Play::Hit));
        }
        if (pragma == "damage") { // overwrite the pages after the header
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            file.seek(100);
            file.write(QByteArray(int(file.size()) - 100, '\xff'));
        } else {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "newer");
            db.setDatabaseName(path);
            QVERIFY(db.open());
            QVERIFY(QSqlQuery(db).exec(pragma));
            db.close();
        }
        QSqlDatabase::removeDatabase("newer");
    }
    QFile original(path);
    QVERIFY(original.open(QIODevice::ReadOnly));
    const QByteArray before = original.readAll();
    original.close();

    History history(folder.path());
    QVERIFY(history.remembers());
    const QString notice = history.takeNotice();
    QVERIFY2(notice.contains("set aside as"), qPrintable(notice));
    QVERIFY(history.takeNotice().isEmpty());
    QCOMPARE(history.totals(kMulti), std::make_pair(0, 0));
    // Kept whole under its new name.
    const QStringList aside = QDir(folder.path()).entryList({"history.sqlite.set-aside-*"});
    QCOMPARE(aside.size(), 1);
    QFile kept(folder.filePath(aside[0]));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), before);
}

void HistoryTest::unwritableFolderLeavesNoMemory() {
    QTemporaryDir parent;
    const QString blocked = parent.filePath("data"); // a file where the folder should be
    QFile file(blocked);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    History history(blocked);
    QVERIFY(!history.remembers());
    QVERIFY(!history.takeNotice().isEmpty());
    history.record(kMulti, answerOf({1, 1}, 1, Play::Hit, Play::Split));
    QCOMPARE(history.totals(kMulti), std::make_pair(1, 0));
    QVERIFY(history.takeNotice().isEmpty());
}

namespace {

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Runs statements on a history file as another program would.
bool execute(const QString& path, const QStringList& statements) {
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "other");
        db.setDatabaseName(path);
        ok = db.open();
        QSqlQuery query(db);
        for (const QString& statement : statements)
            ok = ok && query.exec(statement);
        db.close();
    }
    QSqlDatabase::removeDatabase("other");
    return ok;
}

int rowsIn(const QString& path) {
    int rows = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "count");
        db.setDatabaseName(path);
        QSqlQuery query(db);
        if (db.open() && query.exec("SELECT count(*) FROM answers") && query.next()) {
            rows = query.value(0).toInt();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase("count");
    return rows;
}

} // namespace

// A version-2 history with a row a later version wrote (its rules text has one field more):
// every other answer counts, the row stays in the file, and the player is told of it.
void HistoryTest::unreadableRowsKeptNotCounted() {
    QTemporaryDir folder;
    const QString path = folder.filePath("history.sqlite");
    {
        History history(folder.path());
        for (int i = 0; i < 75; ++i)
            history.record(kMulti, answerOf({10, 6}, 10, i % 3 ? Play::Surrender : Play::Hit,
                                            Play::Surrender));
    }
    QVERIFY(execute(path, {"INSERT INTO answers (answered_at, rules, cards, up, position, answer, "
                           "right_play, correct) VALUES ('2027-01-01T10:00:00.000Z', "
                           "'6d,h17,hole,any,das,4h,ls,3:2,cdp,rsa', '8,8', 6, 0, 'Split', "
                           "'Split', 1)"}));
    {
        History history(folder.path());
        QVERIFY(history.remembers());
        history.waitForCheck(); // the whole file is read off the window's thread
        QCOMPARE(history.takeNotice(),
                 "1 answer from another version of Hitwise is kept but not counted.");
        QCOMPARE(history.totals(kMulti), std::make_pair(75, 50));
        QCOMPARE(history.uncounted(), 1);
        history.record(kMulti, answerOf({10, 6}, 10, Play::Surrender, Play::Surrender));
    }
    QCOMPARE(rowsIn(path), 77);
    QCOMPARE(History(folder.path()).totals(kMulti), std::make_pair(76, 51));
}

// A file of a newer schema, or an SQLite file that is no history, is left byte for byte as it
// is: the drill goes on without memory and says why.
void HistoryTest::newerOrForeignFileLeftAsItIs_data() {
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("notice");
    QTest::newRow("newer schema")
        << QStringLiteral("PRAGMA user_version = %1").arg(History::kSchemaVersion + 1)
        << "This history was written by a newer Hitwise; it is kept as it is, and this session "
           "is not remembered.";
    QTest::newRow("another program's database") << "CREATE TABLE notes (text TEXT)"
                                                << "holds no history of Hitwise's";
}

void HistoryTest::newerOrForeignFileLeftAsItIs() {
    QFETCH(QString, statement);
    QFETCH(QString, notice);
    QTemporaryDir folder;
    const QString path = folder.filePath("history.sqlite");
    if (statement.startsWith("PRAGMA")) {
        History history(folder.path());
        history.record(kMulti, answerOf({1, 1}, 1, Play::Split, Play::Split));
    }
    QVERIFY(execute(path, {statement}));
    const QByteArray before = bytesOf(path);
    {
        History history(folder.path());
        QVERIFY(!history.remembers());
        const QString told = history.takeNotice();
        QVERIFY2(told.contains(notice), qPrintable(told));
        history.record(kMulti, answerOf({1, 1}, 1, Play::Split, Play::Split));
        QCOMPARE(history.totals(kMulti), std::make_pair(1, 1));
    }
    QCOMPARE(bytesOf(path), before);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"history.sqlite"});
}

// The texts the history keeps, fixed: a change to one is a schema change, with its migration.
void HistoryTest::rulesTextsAreFixed_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("rules");
    QTest::newRow("single") << "chart:single"
                            << "1d,s17,hole,any,nodas,4h,nols,3:2,cdp";
    QTest::newRow("multi") << "chart:multi"
                           << "8d,s17,hole,any,nodas,4h,ls,3:2,cdp";
    QTest::newRow("european") << "chart:european"
                              << "8d,s17,nohole,9-11,das,4h,nols,3:2,cdp";
    QTest::newRow("6 decks H17 DAS LS") << "6d,h17,hole,any,das,4h,ls,3:2,cdp"
                                        << "";
    QTest::newRow("2 decks, 10-11, split to 3, 6:5, CDZ-")
        << "2d,s17,nohole,10-11,nodas,3h,nols,6:5,cdz"
        << "";
}

void HistoryTest::rulesTextsAreFixed() {
    QFETCH(QString, key);
    QFETCH(QString, rules);
    const auto table = Table::fromKey(key);
    QVERIFY(table);
    QCOMPARE(table->key(), key);
    QCOMPARE(QString::fromStdString(rules::canonical(table->rules)), rules.isEmpty() ? key : rules);
    QVERIFY(!Table::fromKey(key + ",rsa")); // a field more is another version's
}

// A history the previous version wrote (its schema and rows as it made them): brought up to
// date at open with every answer kept, or, when that fails, left byte for byte as it was.
void HistoryTest::versionOneHistoryMigrated_data() {
    QTest::addColumn<bool>("sound");
    QTest::newRow("answers kept") << true;
    QTest::newRow("a row no hand gives: kept as it was") << false;
}

void HistoryTest::versionOneHistoryMigrated() {
    QFETCH(bool, sound);
    QTemporaryDir folder;
    const QString path = folder.filePath("history.sqlite");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "version1");
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery query(db);
        QVERIFY(query.exec("CREATE TABLE answers (id INTEGER PRIMARY KEY, answered_at TEXT NOT "
                           "NULL, rule_set INTEGER NOT NULL, card1 INTEGER NOT NULL, card2 "
                           "INTEGER NOT NULL, up INTEGER NOT NULL, answer TEXT NOT NULL, correct "
                           "INTEGER NOT NULL)"));
        QVERIFY(query.exec("PRAGMA user_version = 1"));
        // Multi deck: 10,6 v 10 missed once; single deck: 8,8 v 6 right twice.
        QVERIFY(query.exec("INSERT INTO answers VALUES "
                           "(1, '2026-12-01T10:00:00.000Z', 1, 10, 6, 10, 'Stand', 0), "
                           "(2, '2026-12-01T10:00:05.000Z', 0, 8, 8, 6, 'Split', 1), "
                           "(3, '2026-12-02T09:00:00.000Z', 0, 8, 8, 6, 'Split', 1)"));
        if (!sound) {
            QVERIFY(query.exec("INSERT INTO answers VALUES "
                               "(4, '2026-12-02T09:00:01.000Z', 7, 8, 8, 6, 'Split', 1)"));
        }
        db.close();
    }
    QSqlDatabase::removeDatabase("version1");
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    {
        History history(folder.path());
        if (!sound) {
            QVERIFY(!history.remembers());
            QVERIFY(history.takeNotice().contains("kept as it was"));
        } else {
            QVERIFY2(history.remembers(), qPrintable(history.takeNotice()));
            QCOMPARE(history.totals(kMulti), std::make_pair(1, 0));
            QCOMPARE(history.totals(Table::ofChart(0).key()), std::make_pair(2, 2));
            QCOMPARE(history.weakCells(kMulti).size(), std::size_t(1));
            history.record(kMulti, answerOf({10, 6}, 10, Play::Surrender, Play::Surrender));
        }
    }
    QVERIFY(file.open(QIODevice::ReadOnly));
    if (!sound) {
        QCOMPARE(file.readAll(), before);
        return;
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "version2");
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery query(db);
        QVERIFY(query.exec("PRAGMA user_version") && query.next());
        QCOMPARE(query.value(0).toInt(), HistoryStore::kSchemaVersion);
        QVERIFY(query.exec("SELECT rules, cards, up, position, answer, right_play, correct FROM "
                           "answers ORDER BY id") &&
                query.next());
        QCOMPARE(query.value(0).toString(), kMulti);
        QCOMPARE(query.value(1).toString(), "10,6");
        QCOMPARE(query.value(5).toString(), "Surrender"); // the multi-deck chart's play
        int rows = 1;
        while (query.next())
            ++rows;
        QCOMPARE(rows, 4);
        db.close();
    }
    QSqlDatabase::removeDatabase("version2");
}

// A history as the last version made it (schema 2): brought to schema 3 with its answers as they
// were, then keeping counted decisions and answers of counting across a restart; a file whose
// upgrade cannot be done is left byte for byte as it was.
void HistoryTest::versionTwoHistoryMigrated_data() {
    QTest::addColumn<QString>("extra");
    QTest::newRow("answers kept") << QString();
    QTest::newRow("a table in the way: kept as it was") << "CREATE TABLE count_answers (x TEXT)";
}

void HistoryTest::versionTwoHistoryMigrated() {
    QFETCH(QString, extra);
    QTemporaryDir folder;
    const QString path = folder.filePath("history.sqlite");
    QStringList statements{
        "CREATE TABLE answers (id INTEGER PRIMARY KEY, answered_at TEXT NOT NULL, rules TEXT NOT "
        "NULL, cards TEXT NOT NULL, up INTEGER NOT NULL CHECK (up BETWEEN 1 AND 10), position "
        "INTEGER NOT NULL CHECK (position >= 0), answer TEXT NOT NULL, right_play TEXT NOT NULL, "
        "correct INTEGER NOT NULL CHECK (correct IN (0, 1)))",
        "INSERT INTO answers VALUES (1, '2026-12-01T10:00:00.000Z', '" + kMulti +
            "', '10,6', 10, 0, 'Stand', 'Surrender', 0), (2, '2026-12-01T10:00:05.000Z', '" +
            kMulti + "', '10,2,4', 10, 1, 'Hit', 'Hit', 1)",
        "PRAGMA user_version = 2"};
    if (!extra.isEmpty()) statements << extra;
    QVERIFY(execute(path, statements));
    const QByteArray before = bytesOf(path);
    CountAnswer check;
    check.kind = CountKind::CountCheck;
    check.system = "hilo";
    check.given = 3;
    check.right = 4;
    Answer counted = answerOf({10, 6}, 10, Play::Stand, Play::Stand);
    counted.counted = CountedDecision{"hilo", 1, Play::Surrender, 0.25};
    {
        History history(folder.path());
        if (!extra.isEmpty()) {
            QVERIFY(!history.remembers());
            QVERIFY(history.takeNotice().contains("kept as it was"));
            QCOMPARE(bytesOf(path), before);
            return;
        }
        QVERIFY2(history.remembers(), qPrintable(history.takeNotice()));
        QCOMPARE(history.totals(kMulti), std::make_pair(2, 1));
        QVERIFY(history.countRecords("hilo")().decisions.empty());
        history.record(kMulti, counted);
        history.record(kMulti, check);
    }
    History history(folder.path());
    QCOMPARE(history.totals(kMulti), std::make_pair(2, 1)); // the counted decision kept apart
    const CountRecords records = history.countRecords("hilo")();
    QCOMPARE(records.decisions.size(), std::size_t(1));
    const CountedDecision& kept = *records.decisions[0].answer.counted;
    QCOMPARE(kept.count, 1);
    QCOMPARE(kept.basicPlay, Play::Surrender);
    QCOMPARE(kept.cost, 0.25);
    QCOMPARE(records.answers.size(), std::size_t(1));
    QCOMPARE(records.answers[0].answer.kind, CountKind::CountCheck);
    QCOMPARE(records.answers[0].answer.right, 4.0);
}

// What the file keeps up to date with each answer (each cell's record, each table's totals, the
// first decisions by day) is what every answer read again in order gives, two drills writing at
// once; a file of the version before, brought up to date, makes the same.
void HistoryTest::keptFiguresAsFromEveryAnswer_data() {
    QTest::addColumn<bool>("upgraded");
    QTest::newRow("kept as answered") << false;
    QTest::newRow("a version-3 file brought up to date") << true;
}

void HistoryTest::keptFiguresAsFromEveryAnswer() {
    QFETCH(bool, upgraded);
    QTemporaryDir folder;
    const QString path = folder.filePath("history.sqlite");
    const QString tables[] = {kMulti, Table::ofChart(0).key()};
    {
        History one(folder.path());
        History other(folder.path());
        std::mt19937 random(7);
        auto card = [&] { return 1 + int(random() % 10); };
        for (int i = 0; i < 600; ++i) {
            std::vector<int> cards{card(), card()};
            if (random() % 5 == 0) cards.push_back(card());
            Answer answer = answerOf(cards, card(), Play(random() % 3), Play(random() % 3));
            answer.position = random() % 4 == 0 ? 1 : 0;
            if (random() % 7 == 0) answer.counted = CountedDecision{"hilo", 1, Play::Hit, 0.1};
            (i % 2 ? one : other).record(tables[random() % 2], answer);
        }
    }
    if (upgraded) {
        QVERIFY(execute(path, {"DROP TABLE cell_records", "DROP TABLE table_totals",
                               "DROP TABLE day_answers", "DROP INDEX counted_decisions",
                               "DROP INDEX count_answers_by_kind", "DROP INDEX count_answers_best",
                               "PRAGMA user_version = 3"}));
    }
    AnswerStats expected;
    std::map<std::tuple<QString, int, int, Play>, int> days; // all given today
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "every");
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery query(db);
        QVERIFY(
            query.exec(QStringLiteral("SELECT %1 FROM answers ORDER BY id").arg(kAnswerColumns)));
        while (query.next()) {
            const auto stored = answerOfRow(query);
            QVERIFY(stored);
            if (stored->answer.counted) continue;
            if (const auto cell = expected.add(stored->table, stored->answer))
                ++days[{stored->table, cell->row, cell->up, stored->answer.answer}];
        }
        db.close();
    }
    QSqlDatabase::removeDatabase("every");
    History history(folder.path());
    QVERIFY2(history.remembers(), qPrintable(history.takeNotice()));
    for (const QString& table : tables) {
        QCOMPARE(history.totals(table), expected.totals(table));
        for (int row = 0; row < kChartRows; ++row) {
            for (int up = 1; up <= 10; ++up) {
                const CellRecord& kept = history.cell(table, {row, up});
                const CellRecord& read = expected.cell(table, {row, up});
                QCOMPARE(std::tie(kept.tries, kept.rights, kept.streak, kept.weak),
                         std::tie(read.tries, read.rights, read.streak, read.weak));
                QVERIFY(kept.last == read.last);
            }
        }
        int given = 0;
        for (const DayAnswers& day : history.dayAnswers(table)) {
            QCOMPARE(day.answers, (days[{table, day.cell.row, day.cell.up, day.answer}]));
            given += day.answers;
        }
        int dealt = 0;
        for (const auto& [key, answers] : days)
            dealt += std::get<0>(key) == table ? answers : 0;
        QCOMPARE(given, dealt);
    }
}

// Damage deep in a file that opens: found by the check after the window shows. The file is set
// aside with what it held, and this session's answers go on in a new one.
void HistoryTest::damageFoundAfterOpening() {
    QTemporaryDir folder;
    const QString path = folder.filePath("history.sqlite");
    {
        History history(folder.path());
        for (int i = 0; i < 3000; ++i)
            history.record(kMulti, answerOf({10, 6}, 10, Play::Hit, Play::Hit));
    }
    // A page of answers, found by trying: what is read at open still reads, the check fails.
    const QByteArray sound = bytesOf(path);
    bool damaged = false;
    for (qsizetype page = sound.size() / 4096 / 2; page < sound.size() / 4096 && !damaged; ++page) {
        QByteArray bytes = sound;
        bytes.replace(page * 4096, 4096, QByteArray(4096, '\xff'));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        damaged = execute(path, {"SELECT * FROM table_totals", "SELECT * FROM cell_records"}) &&
                  checkHistory(path).damaged;
    }
    QVERIFY(damaged);
    History history(folder.path());
    QVERIFY(history.remembers());
    QCOMPARE(history.totals(kMulti), std::make_pair(3000, 3000));
    history.record(kMulti, answerOf({10, 6}, 10, Play::Stand, Play::Hit));
    history.waitForCheck();
    QVERIFY(history.checked());
    const QString notice = history.takeNotice();
    QVERIFY2(notice.contains("set aside as"), qPrintable(notice));
    QVERIFY(history.remembers());
    QCOMPARE(history.totals(kMulti), std::make_pair(1, 0));
    history.record(kMulti, answerOf({10, 6}, 10, Play::Hit, Play::Hit));
    QCOMPARE(QDir(folder.path()).entryList({"history.sqlite.set-aside-*"}).size(), 1);
    QCOMPARE(History(folder.path()).totals(kMulti), std::make_pair(2, 1));
}

// The answers of counting read back alike from the file and, without one, from the session:
// the best deck counted down without an error, the last 20 running counts, every record of the
// system in order, and the first decisions by day.
void HistoryTest::countingReadAsKept_data() {
    QTest::addColumn<bool>("file");
    QTest::newRow("from the file") << true;
    QTest::newRow("without a file") << false;
}

void HistoryTest::countingReadAsKept() {
    QFETCH(bool, file);
    QTemporaryDir folder;
    const QString blocked = folder.filePath("blocked"); // a file where the folder should be
    QFile(blocked).open(QIODevice::WriteOnly);
    History history(file ? folder.path() : blocked);
    QCOMPARE(history.remembers(), file);
    // Running counts 0 to 24: right unless a multiple of 3; the odd ones of a whole deck,
    // 40 - i seconds. The best clean deck is the 23rd's, 17 s; of the last 20 (5 to 24), 13
    // are right.
    for (int i = 0; i < 25; ++i) {
        CountAnswer answer;
        answer.system = "hilo";
        answer.correct = i % 3 != 0;
        answer.cardsSeen = i % 2 ? 52 : 30;
        answer.seconds = 40 - i;
        history.record(kMulti, answer);
    }
    CountAnswer zen;
    zen.system = "zen";
    zen.correct = true;
    zen.cardsSeen = 52;
    zen.seconds = 5;
    history.record(kMulti, zen);
    Answer decision = answerOf({10, 6}, 10, Play::Stand, Play::Stand);
    decision.counted = CountedDecision{"hilo", 1, Play::Hit, 0.5};
    history.record(kMulti, decision);
    history.record(kMulti, answerOf({8, 8}, 6, Play::Split, Play::Split));
    history.record(kMulti, answerOf({8, 8}, 6, Play::Split, Play::Split));
    const RunningCountRecord record = history.runningCountRecord("hilo");
    QCOMPARE(record.bestDeckSeconds, std::optional<double>(17));
    QCOMPARE(std::make_pair(record.lastRight, record.lastTried), std::make_pair(13, 20));
    const CountRecords records = history.countRecords("hilo")();
    QCOMPARE(records.answers.size(), std::size_t(25));
    QCOMPARE(records.answers.back().answer.seconds, 16.0);
    QCOMPARE(records.decisions.size(), std::size_t(1));
    QCOMPARE(records.decisions[0].answer.counted->cost, 0.5);
    const std::vector<DayAnswers> days = history.dayAnswers(kMulti);
    QCOMPARE(days.size(), std::size_t(1));
    QCOMPARE(days[0].answers, 2);
    QCOMPARE(days[0].day, QDate::currentDate());
    QCOMPARE(history.totals(kMulti), std::make_pair(2, 2)); // the counted decision kept apart
}

// A day as the history reads it a million rows at a time is the local day of the C library's
// time, through a year of a zone with summer time and a half-hour offset, every 37 minutes.
void HistoryTest::daysByTheLocalTime() {
    QVERIFY(zoned);
    const QDateTime start(QDate(2026, 1, 1), QTime(0, 0), Qt::UTC);
    for (qint64 minutes = 0; minutes < 366 * 24 * 60; minutes += 37) {
        const QString at = start.addSecs(60 * minutes).toString(Qt::ISODateWithMs);
        QCOMPARE(dayOf(at), QDateTime::fromString(at, Qt::ISODateWithMs).toLocalTime().date());
    }
}

QTEST_MAIN(HistoryTest)
#include "tst_history.moc"

// The drill's grading, dealing and memory.
#include "FittedRules.h"
#include "Grading.h"
#include "HandDealer.h"
#include "History.h"
#include "RuleSets.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using analysis::Play;

class DrillTest : public QObject {
    Q_OBJECT

private slots:
    void gradingFollowsTheTables_data();
    void gradingFollowsTheTables();
    void dealingLeansOnWeakSpots();
    void dealingKeepsToTheKind_data();
    void dealingKeepsToTheKind();
    void answersSurviveARestart();
    void twoDrillsAtOnce();
    void unusableHistoryIsSetAside_data();
    void unusableHistoryIsSetAside();
    void unwritableFolderLeavesNoMemory();
};

void DrillTest::gradingFollowsTheTables_data() {
    QTest::addColumn<int>("ruleSet");
    for (int i = 0; i < 3; ++i)
        QTest::newRow(strategy::kRuleSets[i].name.data()) << i;
}

// In every cell exactly one answer is right: the play the text names, a conditional text's
// first play where the chart's rules allow it for the hand and its second where they don't.
void DrillTest::gradingFollowsTheTables() {
    QFETCH(int, ruleSet);
    const analysis::Rules& rules = charts::kFittedRules[ruleSet].rules;
    Grader grader;
    for (int first = 1; first <= 10; ++first) {
        for (int second = first; second <= 10; ++second) {
            if (analysis::isBlackjack(first, second)) continue;
            for (int up = 1; up <= 10; ++up) {
                const std::string_view text =
                    strategy::kRuleSets[ruleSet].advise({first, second, up}).text;
                const bool mayDouble = rules.mayDouble(first + second, first == 1);
                Play expected = Play::Stand;
                if (text.find("Double if allowed") != text.npos) {
                    expected = mayDouble                       ? Play::Double
                               : text.find("hit") != text.npos ? Play::Hit
                                                               : Play::Stand;
                } else if (text.find("Surrender") != text.npos) {
                    expected = rules.surrender                   ? Play::Surrender
                               : text.find("Stand") != text.npos ? Play::Stand
                                                                 : Play::Hit;
                } else {
                    for (Play play : analysis::kAllPlays) {
                        if (text.find(analysis::playName(play)) != text.npos) expected = play;
                    }
                }
                for (Play answer : analysis::kAllPlays) {
                    const Grade grade = grader.grade(ruleSet, first, second, up, answer);
                    QVERIFY2(grade.right == (answer == expected),
                             qPrintable(QString("%1,%2 v %3: \"%4\", answer %5")
                                            .arg(first)
                                            .arg(second)
                                            .arg(up)
                                            .arg(grade.adviceText)
                                            .arg(int(answer))));
                    QCOMPARE(grade.cost.has_value(), !grade.right && grade.answerAllowed);
                }
            }
        }
    }
}

void DrillTest::dealingLeansOnWeakSpots() {
    HandDealer dealer(1);
    const std::vector<GridCell> weak = {
        {chartRowOf(10, 6), 10}, {chartRowOf(1, 7), 9}, {chartRowOf(8, 8), 1}};
    const int deals = 4000;
    int fromWeak = 0;
    for (int i = 0; i < deals; ++i) {
        const GridCell cell = dealer.deal(DealKind::EveryHand, weak).cell();
        fromWeak += std::find(weak.begin(), weak.end(), cell) != weak.end();
    }
    QVERIFY2(fromWeak >= 0.4 * deals, qPrintable(QString::number(fromWeak)));
}

void DrillTest::dealingKeepsToTheKind_data() {
    QTest::addColumn<int>("kind");
    QTest::newRow("hard totals") << int(DealKind::HardTotals);
    QTest::newRow("soft hands") << int(DealKind::SoftHands);
    QTest::newRow("pairs") << int(DealKind::Pairs);
}

// Only hands of the kind, never a blackjack, a weak spot of another kind never dealt.
void DrillTest::dealingKeepsToTheKind() {
    QFETCH(int, kind);
    HandDealer dealer(2);
    const std::vector<GridCell> otherKinds = {
        {chartRowOf(10, 6), 10}, {chartRowOf(1, 7), 9}, {chartRowOf(8, 8), 1}};
    for (int i = 0; i < 2000; ++i) {
        const Deal deal = dealer.deal(DealKind(kind), {otherKinds[(kind + 1) % 3]});
        QCOMPARE(int(kindOfRow(deal.cell().row)), kind);
        QVERIFY(!analysis::isBlackjack(deal.first(), deal.second()));
    }
}

void DrillTest::answersSurviveARestart() {
    QTemporaryDir folder;
    Deal sixteen; // 10,6 against a 10: missed, then right three times
    sixteen.faces[0] = 9;
    sixteen.faces[1] = 5;
    sixteen.faces[2] = 12;
    {
        History history(folder.path());
        QVERIFY(history.remembers());
        QVERIFY(history.takeNotice().isEmpty());
        history.record(1, sixteen, "Stand", false);
        history.record(1, sixteen, "Hit", true);
    }
    {
        History history(folder.path());
        QCOMPARE(history.totals(1), std::make_pair(2, 1));
        QCOMPARE(history.weakCells(1).size(), std::size_t(1));
        history.record(1, sixteen, "Hit", true);
        history.record(1, sixteen, "Hit", true);
    }
    History history(folder.path());
    QCOMPARE(history.totals(1), std::make_pair(4, 3));
    QVERIFY(history.weakCells(1).empty());
    QCOMPARE(history.totals(0), std::make_pair(0, 0));
}

void DrillTest::twoDrillsAtOnce() {
    QTemporaryDir folder;
    {
        History one(folder.path());
        History other(folder.path());
        for (int i = 0; i < 50; ++i) {
            one.record(2, Deal{}, "Hit", true);
            other.record(2, Deal{}, "Stand", false);
        }
        QVERIFY(one.remembers() && other.remembers());
    }
    QCOMPARE(History(folder.path()).totals(2), std::make_pair(100, 50));
}

void DrillTest::unusableHistoryIsSetAside_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("pragma");
    QTest::newRow("not a database") << QByteArray(4096, 'x') << QString();
    QTest::newRow("damaged database") << QByteArray() << "damage";
    QTest::newRow("newer version") << QByteArray() << "PRAGMA user_version = 99";
}

void DrillTest::unusableHistoryIsSetAside() {
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
            Deal deal;
            for (int i = 0; i < 200; ++i)
                history.record(0, deal, "Hit", true);
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
    QCOMPARE(history.totals(0), std::make_pair(0, 0));
    // Kept whole under its new name.
    const QStringList aside = QDir(folder.path()).entryList({"history.sqlite.set-aside-*"});
    QCOMPARE(aside.size(), 1);
    QFile kept(folder.filePath(aside[0]));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), before);
}

void DrillTest::unwritableFolderLeavesNoMemory() {
    QTemporaryDir parent;
    const QString blocked = parent.filePath("data"); // a file where the folder should be
    QFile file(blocked);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    History history(blocked);
    QVERIFY(!history.remembers());
    QVERIFY(!history.takeNotice().isEmpty());
    history.record(0, Deal{}, "Hit", false);
    QCOMPARE(history.totals(0), std::make_pair(1, 0));
    QVERIFY(history.takeNotice().isEmpty());
}

QTEST_GUILESS_MAIN(DrillTest)
#include "tst_drill.moc"

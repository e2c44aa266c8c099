// The drill's grading, dealing, rounds, memory and edge.
#include "Edge.h"
#include "FittedRules.h"
#include "Grading.h"
#include "HandDealer.h"
#include "History.h"
#include "Round.h"
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
    void gradingAtYourTable_data();
    void gradingAtYourTable();
    void roundsPlayedOut();
    void dealingLeansOnWeakSpots();
    void dealingKeepsToTheKind_data();
    void dealingKeepsToTheKind();
    void answersSurviveARestart();
    void twoDrillsAtOnce();
    void unusableHistoryIsSetAside_data();
    void unusableHistoryIsSetAside();
    void unwritableFolderLeavesNoMemory();
    void versionOneHistoryMigrated_data();
    void versionOneHistoryMigrated();
    void edgeOfAMadeUpHistory();
};

namespace {

Answer answerOf(std::vector<int> cards, int up, Play answer, Play right) {
    return {std::move(cards), up, 0, answer, right, answer == right};
}

const QString kMulti = Table::ofChart(1).key();

} // namespace

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
                    const Grade grade =
                        ::grade(Table::ofChart(ruleSet), {first, second}, up,
                                analysis::allowedPlays(rules, {first, second}), answer);
                    QVERIFY2(grade.right == (answer == expected),
                             qPrintable(QString("%1,%2 v %3: \"%4\", answer %5")
                                            .arg(first)
                                            .arg(second)
                                            .arg(up)
                                            .arg(grade.adviceText)
                                            .arg(int(answer))));
                    QCOMPARE(grade.cost().has_value(), !grade.right && grade.answerAllowed);
                }
            }
        }
    }
}

// At the player's own table the engine's best play is right, and so is a play within 0.1 % of
// the bet of it: a close call. Values from hitwise-chart --hand for the same rules.
void DrillTest::gradingAtYourTable_data() {
    QTest::addColumn<analysis::Rules>("rules");
    QTest::addColumn<QList<int>>("cards");
    QTest::addColumn<int>("up");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("right");
    QTest::addColumn<bool>("closeCall");
    analysis::Rules sixDecks;
    sixDecks.decks = 6;
    sixDecks.hitSoft17 = true;
    sixDecks.surrender = true;
    analysis::Rules oneDeck;
    // 16 against 10 with surrender: surrender is best; hit is far behind.
    QTest::newRow("10,6 v 10 surrender")
        << sixDecks << QList<int>{10, 6} << 10 << int(Play::Surrender) << true << false;
    QTest::newRow("10,6 v 10 hit")
        << sixDecks << QList<int>{10, 6} << 10 << int(Play::Hit) << false << false;
    // 10,2,4 against 10: stand -0.541189, hit -0.541323, within 0.1 % of each other.
    QTest::newRow("10,2,4 v 10 hit")
        << sixDecks << QList<int>{10, 2, 4} << 10 << int(Play::Hit) << true << true;
    // 11 against 6 from one deck: double.
    QTest::newRow("6,5 v 6 double")
        << oneDeck << QList<int>{6, 5} << 6 << int(Play::Double) << true << false;
    QTest::newRow("6,5 v 6 stand")
        << oneDeck << QList<int>{6, 5} << 6 << int(Play::Stand) << false << false;
}

void DrillTest::gradingAtYourTable() {
    QFETCH(analysis::Rules, rules);
    QFETCH(QList<int>, cards);
    QFETCH(int, up);
    QFETCH(int, answer);
    QFETCH(bool, right);
    QFETCH(bool, closeCall);
    const std::vector<int> hand(cards.begin(), cards.end());
    const Grade grade =
        ::grade(Table::own(rules), hand, up, playsAllowed(rules, hand, false, 1), Play(answer));
    QCOMPARE(grade.right, right);
    QCOMPARE(grade.closeCall, closeCall);
    QVERIFY(grade.adviceText.isEmpty());
    QCOMPARE(grade.cost().has_value(), !right);
}

// Rounds from a seeded shoe: the same seed deals the same rounds, and every round ends by the
// rules: the dealer draws to 17 (unless every hand is out), each hand is settled by its total
// against the dealer's, doubled bets count twice, a blackjack pays 3:2.
void DrillTest::roundsPlayedOut() {
    analysis::Rules rules;
    rules.decks = 2;
    rules.hitSoft17 = true;
    rules.surrender = true;
    QStringList problems;
    auto expect = [&](bool holds, const QString& what) {
        if (!holds && problems.size() < 5) problems << what;
    };
    auto play = [&](std::uint32_t seed) {
        CardShoe shoe(rules.decks, seed);
        QStringList dealt;
        int splits = 0;
        for (int n = 0; n < 300; ++n) {
            shoe.reshuffleIfDue();
            Round round(rules, shoe);
            while (!round.over()) {
                const RoundHand& hand = round.hands()[round.current()];
                const analysis::PlayValues allowed = round.allowed();
                const int total = hand.total();
                Play choice = total < 17 ? Play::Hit : Play::Stand;
                if (allowed.allows(Play::Split) && hand.cards[0].value() >= 8) choice = Play::Split;
                if (allowed.allows(Play::Double) && total == 11) choice = Play::Double;
                if (allowed.allows(Play::Surrender) && total == 16 && round.up() == 10) {
                    choice = Play::Surrender;
                }
                splits += choice == Play::Split;
                round.play(choice);
            }
            std::vector<int> dealerValues;
            for (const DealtCard& card : round.dealer())
                dealerValues.push_back(card.value());
            const int dealerTotal = analysis::holding(dealerValues).total();
            double sum = 0;
            for (const RoundHand& hand : round.hands()) {
                sum += hand.result;
                const QString where = QStringLiteral("round %1: %2 against %3, %4")
                                          .arg(n)
                                          .arg(hand.total())
                                          .arg(dealerTotal)
                                          .arg(hand.result);
                dealt << where;
                const double bet = hand.doubled ? 2 : 1;
                if (hand.settled == Settled::Blackjack) {
                    expect(hand.result == 1.5, where);
                } else if (hand.end == HandEnd::Surrendered) {
                    expect(hand.result == -0.5, where);
                } else if (hand.total() > 21) {
                    expect(hand.result == -bet, where);
                } else if (!round.dealerBlackjack()) {
                    const double expected = dealerTotal > 21 || hand.total() > dealerTotal ? bet
                                            : hand.total() < dealerTotal                   ? -bet
                                                                                           : 0.0;
                    expect(hand.result == expected, where);
                    expect(dealerTotal >= 17, where);
                }
            }
            expect(round.result() == sum, QString::number(n));
        }
        expect(splits > 5, QStringLiteral("%1 splits").arg(splits));
        return dealt;
    };
    const QStringList first = play(7);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    QCOMPARE(play(7), first);
    QVERIFY(play(8) != first);
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

void DrillTest::twoDrillsAtOnce() {
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

void DrillTest::unwritableFolderLeavesNoMemory() {
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

// A history the previous version wrote (its schema and rows as it made them): brought up to
// date at open with every answer kept, or, when that fails, left byte for byte as it was.
void DrillTest::versionOneHistoryMigrated_data() {
    QTest::addColumn<bool>("sound");
    QTest::newRow("answers kept") << true;
    QTest::newRow("a row no hand gives: kept as it was") << false;
}

void DrillTest::versionOneHistoryMigrated() {
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
        QCOMPARE(query.value(0).toInt(), 2);
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

// One cell answered, half of the time wrongly: 8,8 against a 6 (its only hand, no dealer's
// blackjack to check) split twice and stood twice. The round's cost is how often it is dealt,
// times half, times what standing gives up against splitting; every other cell counts as right.
void DrillTest::edgeOfAMadeUpHistory() {
    analysis::Rules rules;
    rules.decks = 6;
    const analysis::Analysis engine(rules);
    const GridCell eights{chartRowOf(8, 8), 6};
    const Edge edge = edgeOf(engine, Table::own(rules), [&](const GridCell& cell) {
        return cell == eights
                   ? std::vector<Play>{Play::Split, Play::Stand, Play::Split, Play::Stand}
                   : std::vector<Play>{};
    });
    const analysis::PlayValues& values = engine.startingHand(8, 8, 6);
    const double dealt = 24.0 / 312 * 24.0 / 311 * 23.0 / 310; // a six up, then two eights
    const double byHand = dealt * 0.5 * (values[Play::Split] - values[Play::Stand]);
    QVERIFY2(std::abs(edge.cost() - byHand) < 1e-15, qPrintable(QString::number(edge.cost())));
    QCOMPARE(edge.reference, engine.roundReturn());
    QCOMPARE(edge.unanswered, 34 * 10 - 10 - 1); // every cell but the blackjacks' and this one
    QCOMPARE(edge.answered.size(), std::size_t(1));
    QCOMPARE(edge.answered[0].missShare, 0.5);
    QCOMPARE(edge.answered[0].rightPlay, Play::Split);
}

QTEST_GUILESS_MAIN(DrillTest)
#include "tst_drill.moc"

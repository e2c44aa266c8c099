// The drill's logic without its window: grading, dealing, rounds, the session, playing the
// shoe with the count, and the edge.
#include "CountDrill.h"
#include "CountInForce.h"
#include "CountPlay.h"
#include "CounterEdge.h"
#include "Edge.h"
#include "FittedRules.h"
#include "GameWorth.h"
#include "Grading.h"
#include "HandDealer.h"
#include "KnownCharts.h"
#include "PracticeSession.h"
#include "PracticeText.h"
#include "Round.h"
#include "TestAnswers.h"

#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using analysis::Play;
using namespace practice;

Q_DECLARE_METATYPE(analysis::PlayValues)

class PracticeTest : public QObject {
    Q_OBJECT

private slots:
    // The count lab's studies go to a cache folder of the tests' own.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void gradingFollowsTheTables_data();
    void gradingFollowsTheTables();
    void gradingAtYourTable_data();
    void gradingAtYourTable();
    void seededShoesRepeat();
    void stackedRounds_data();
    void stackedRounds();
    void dealingLeansOnWeakSpots();
    void dealingKeepsToTheKind_data();
    void dealingKeepsToTheKind();
    void sessionGradesAndRecords_data();
    void sessionGradesAndRecords();
    void sessionPlaysARoundOut();
    void indexPlayByCount_data();
    void indexPlayByCount();
    void betGradedByCertaintyEquivalent_data();
    void betGradedByCertaintyEquivalent();
    void countMissPricedByTheRamp_data();
    void countMissPricedByTheRamp();
    void countAnswersGraded_data();
    void countAnswersGraded();
    void countedDecisionAgainstTheEngine();
    void noCardBeforeThePlan();
    void countInForceWorksOffTheThread();
    void gameWorthAnswersTheLatest();
    void seededShoeCountedToTheCut();
    void edgeOfAMadeUpHistory();
};

void PracticeTest::gradingFollowsTheTables_data() {
    QTest::addColumn<int>("ruleSet");
    for (int i = 0; i < 3; ++i)
        QTest::newRow(charts::kKnownCharts[i].title.data()) << i;
}

// In every cell exactly one answer is right: the play the text names, a conditional text's
// first play where the chart's rules allow it for the hand and its second where they don't.
void PracticeTest::gradingFollowsTheTables() {
    QFETCH(int, ruleSet);
    const rules::Rules& rules = charts::fittedRules(ruleSet).rules;
    for (int first = 1; first <= 10; ++first) {
        for (int second = first; second <= 10; ++second) {
            if (analysis::isBlackjack(first, second)) continue;
            for (int up = 1; up <= 10; ++up) {
                const std::string_view text =
                    charts::kKnownCharts[ruleSet].advise({first, second, up}).text;
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
                        practice::grade(Table::ofChart(ruleSet), {first, second}, up,
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
void PracticeTest::gradingAtYourTable_data() {
    QTest::addColumn<rules::Rules>("rules");
    QTest::addColumn<QList<int>>("cards");
    QTest::addColumn<int>("up");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("right");
    QTest::addColumn<bool>("closeCall");
    rules::Rules sixDecks;
    sixDecks.decks = 6;
    sixDecks.hitSoft17 = true;
    sixDecks.surrender = true;
    rules::Rules oneDeck;
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

void PracticeTest::gradingAtYourTable() {
    QFETCH(rules::Rules, rules);
    QFETCH(QList<int>, cards);
    QFETCH(int, up);
    QFETCH(int, answer);
    QFETCH(bool, right);
    QFETCH(bool, closeCall);
    const std::vector<int> hand(cards.begin(), cards.end());
    const Grade grade = practice::grade(Table::own(rules), hand, up,
                                        playsAllowed(rules, hand, false, 1), Play(answer));
    QCOMPARE(grade.right, right);
    QCOMPARE(grade.closeCall, closeCall);
    QVERIFY(grade.adviceText.isEmpty());
    QCOMPARE(grade.cost().has_value(), !right);
}

// Rounds from a seeded shoe: the same seed deals the same rounds, another seed others.
void PracticeTest::seededShoesRepeat() {
    rules::Rules rules;
    rules.decks = 2;
    auto play = [&](std::uint32_t seed) {
        CardShoe shoe(rules.decks, seed);
        QStringList dealt;
        for (int n = 0; n < 100; ++n) {
            shoe.reshuffleIfDue();
            Round round(rules, shoe);
            while (!round.over())
                round.play(round.hands()[round.current()].total() < 17 ? Play::Hit : Play::Stand);
            dealt << practice::cardsText(round.dealer()) + " " + QString::number(round.result());
        }
        return dealt;
    };
    const QStringList first = play(7);
    QCOMPARE(play(7), first);
    QVERIFY(play(8) != first);
}

// Rounds from a stacked shoe, every card known: dealt to the player, the up card, the player,
// the hole card (where the dealer takes one), then as drawn. Each play is made in turn; "!X"
// says the hand may not make X there. The results are each hand's, in bets.
void PracticeTest::stackedRounds_data() {
    QTest::addColumn<QString>("rules");
    QTest::addColumn<QString>("cards");
    QTest::addColumn<QString>("plays");
    QTest::addColumn<QString>("results");
    QTest::newRow("dealer's blackjack, hole card: the round ends at once") << ""
                                                                           << "10,A,6,K"
                                                                           << ""
                                                                           << "-1";
    QTest::newRow("blackjack against the dealer's blackjack pushes") << ""
                                                                     << "A,A,K,Q"
                                                                     << ""
                                                                     << "0";
    QTest::newRow("blackjack pays 3:2") << ""
                                        << "A,9,K,8"
                                        << ""
                                        << "1.5";
    QTest::newRow("no hole card: the dealer's blackjack takes a doubled bet whole") << "nohole"
                                                                                    << "5,A,6,9,K"
                                                                                    << "D"
                                                                                    << "-2";
    QTest::newRow("no hole card: the dealer's blackjack takes every split bet") << "nohole"
                                                                                << "8,10,8,3,9,10,A"
                                                                                << "P,D,S"
                                                                                << "-2,-1";
    QTest::newRow("split aces take one card each; a 21 after a split is paid even money")
        << ""
        << "A,6,A,10,K,9,10"
        << "P"
        << "1,1";
    QTest::newRow("no resplit past the most hands") << "split2"
                                                    << "8,6,8,10,8,10,10"
                                                    << "P,!P,S,S"
                                                    << "1,1";
    QTest::newRow("resplit while hands are left, then no more") << "split3"
                                                                << "8,6,8,10,8,3,8,A,3"
                                                                << "P,P,S,!P,S,S"
                                                                << "-1,-1,0";
    QTest::newRow("no surrender after a split") << "ls"
                                                << "8,10,8,7,6,6"
                                                << "P,!R,S,!R,S"
                                                << "-1,-1";
    QTest::newRow("surrender costs half") << "ls"
                                          << "10,10,6,7"
                                          << "R"
                                          << "-0.5";
    QTest::newRow("S17: the dealer stands on soft 17") << ""
                                                       << "10,6,9,A"
                                                       << "S"
                                                       << "1";
    QTest::newRow("H17: the dealer hits soft 17") << "h17"
                                                  << "10,6,9,A,3"
                                                  << "S"
                                                  << "-1";
    QTest::newRow("a bust loses; the dealer draws nothing when every hand is out") << ""
                                                                                   << "10,6,6,10,8"
                                                                                   << "H"
                                                                                   << "-1";
}

void PracticeTest::stackedRounds() {
    QFETCH(QString, rules);
    QFETCH(QString, cards);
    QFETCH(QString, plays);
    QFETCH(QString, results);
    rules::Rules r;
    r.holeCard = !rules.contains("nohole");
    r.hitSoft17 = rules.contains("h17");
    r.surrender = rules.contains("ls");
    if (rules.contains("split2")) r.splitHands = 2;
    if (rules.contains("split3")) r.splitHands = 3;
    std::vector<cards::Card> stacked;
    for (const QString& name : cards.split(',')) {
        const int face = name == "A"   ? 0
                         : name == "J" ? 10
                         : name == "Q" ? 11
                         : name == "K" ? 12
                                       : name.toInt() - 1;
        stacked.push_back({face, cards::kHearts});
    }
    CardShoe shoe(stacked);
    Round round(r, shoe);
    const QStringList steps = plays.isEmpty() ? QStringList() : plays.split(',');
    for (const QString& step : steps) {
        QVERIFY2(!round.over(), qPrintable("over before " + step));
        const bool refused = step.startsWith('!');
        const Play play = QMap<QChar, Play>{
            {'H', Play::Hit},
            {'S', Play::Stand},
            {'D', Play::Double},
            {'P', Play::Split},
            {'R',
             Play::Surrender}}.value(step.back());
        QCOMPARE(round.allowed().allows(play), !refused);
        if (!refused) round.play(play);
    }
    QVERIFY(round.over());
    QStringList got;
    double total = 0;
    for (const RoundHand& hand : round.hands()) {
        got << QString::number(hand.result);
        total += hand.result;
    }
    QCOMPARE(got.join(','), results);
    QCOMPARE(round.result(), total);
    QCOMPARE(shoe.left(), 0); // every card stacked was dealt, no more
}

void PracticeTest::dealingLeansOnWeakSpots() {
    HandDealer dealer(1);
    const std::vector<GridCell> weak = {
        {charts::rowOfHand(10, 6), 10}, {charts::rowOfHand(1, 7), 9}, {charts::rowOfHand(8, 8), 1}};
    const int deals = 4000;
    int fromWeak = 0;
    for (int i = 0; i < deals; ++i) {
        const GridCell cell = dealer.deal(DealKind::EveryHand, weak).cell();
        fromWeak += std::find(weak.begin(), weak.end(), cell) != weak.end();
    }
    QVERIFY2(fromWeak >= 0.4 * deals, qPrintable(QString::number(fromWeak)));
}

void PracticeTest::dealingKeepsToTheKind_data() {
    QTest::addColumn<int>("kind");
    QTest::newRow("hard totals") << int(DealKind::HardTotals);
    QTest::newRow("soft hands") << int(DealKind::SoftHands);
    QTest::newRow("pairs") << int(DealKind::Pairs);
}

// Only hands of the kind, never a blackjack, a weak spot of another kind never dealt.
void PracticeTest::dealingKeepsToTheKind() {
    QFETCH(int, kind);
    HandDealer dealer(2);
    const std::vector<GridCell> otherKinds = {
        {charts::rowOfHand(10, 6), 10}, {charts::rowOfHand(1, 7), 9}, {charts::rowOfHand(8, 8), 1}};
    for (int i = 0; i < 2000; ++i) {
        const Deal deal = dealer.deal(DealKind(kind), {otherKinds[(kind + 1) % 3]});
        QCOMPARE(int(kindOfRow(deal.cell().row)), kind);
        QVERIFY(!analysis::isBlackjack(deal.first(), deal.second()));
    }
}

// A session deals the cell studied, takes the answer, grades it, records it and says so.
void PracticeTest::sessionGradesAndRecords_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::addColumn<int>("up");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("feedback");
    QTest::newRow("chart, right") << "chart:multi" << 8 << 8 << 6 << int(Play::Split)
                                  << "Right: Split. The chart says \"Split\".";
    QTest::newRow("chart, wrong")
        << "chart:multi" << 8 << 8 << 6 << int(Play::Hit)
        << "Wrong: you chose Hit; the play is Split. The chart says \"Split\". Your play costs";
    QTest::newRow("own table, right") << "6d,h17,hole,any,das,4h,ls,3:2,cdp" << 6 << 5 << 6
                                      << int(Play::Double) << "Right: Double.";
    QTest::newRow("own table, not allowed")
        << "6d,h17,hole,any,das,4h,nols,3:2,cdp" << 10 << 6 << 10 << int(Play::Surrender)
        << "Wrong: you chose Surrender; the play is Hit. Surrender is not allowed for this "
           "hand under these rules.";
    QTest::newRow("a blackjack is not asked")
        << "chart:single" << 1 << 10 << 5 << int(Play::Stand)
        << "Black Jack: nothing to decide. The next hand comes now.";
}

void PracticeTest::sessionGradesAndRecords() {
    QFETCH(QString, table);
    QFETCH(int, first);
    QFETCH(int, second);
    QFETCH(int, up);
    QFETCH(int, answer);
    QFETCH(QString, feedback);
    QTemporaryDir folder;
    PracticeSession session(folder.path(), 3, *Table::fromKey(table), false);
    session.useTable(*Table::fromKey(table));
    const GridCell cell{charts::rowOfHand(first, second), up};
    session.study(cell);
    const bool blackjack = analysis::isBlackjack(first, second);
    QCOMPARE(session.view().answering, !blackjack);
    QCOMPARE(session.view().blackjackPause, blackjack);
    QVERIFY2(session.view().hand.startsWith("Your hand: "), qPrintable(session.view().hand));
    session.answer(Play(answer));
    QVERIFY2(session.view().feedback.startsWith(feedback), qPrintable(session.view().feedback));
    QVERIFY(!session.view().answering);
    const int tries = blackjack ? 0 : 1;
    QCOMPARE(session.history().totals(table).first, tries);
    QCOMPARE(History(folder.path()).totals(table).first, tries); // committed already
    QCOMPARE(session.takeChangedCell().has_value(), !blackjack);
    QVERIFY(!session.takeChangedCell());
    QVERIFY2(session.scoreText().startsWith(QStringLiteral("This session: %1 of %2 right")
                                                .arg(feedback.startsWith("Right") ? 1 : 0)
                                                .arg(tries)),
             qPrintable(session.scoreText()));
}

// Whole rounds: every decision is graded and recorded with its place in the round, and the
// round's end lists them.
void PracticeTest::sessionPlaysARoundOut() {
    QTemporaryDir folder;
    const Table table = *Table::fromKey("2d,h17,hole,any,das,4h,ls,3:2,cdp");
    PracticeSession session(folder.path(), 5, table, true);
    session.useTable(table);
    int decisions = 0;
    for (int round = 0; round < 20; ++round) {
        while (session.view().answering) {
            const analysis::PlayValues allowed = session.view().allowed;
            if (!allowed.allows(Play::Split)) { // refused: said so, nothing recorded
                QVERIFY(!session.answer(Play::Split));
                QVERIFY(session.view().feedback.startsWith("Split is not allowed for this hand"));
                QCOMPARE(session.history().totals(table.key()).first, decisions);
            }
            session.answer(allowed.allows(Play::Hit) ? Play::Hit : Play::Stand);
            ++decisions;
        }
        QVERIFY2(session.view().feedback.startsWith("Round over: ") ||
                     session.view().feedback.startsWith("Black Jack! Paid"),
                 qPrintable(session.view().feedback));
        QCOMPARE(session.view().hidden, 0);
        session.dealNext();
    }
    QVERIFY(decisions > 20);
    QCOMPARE(session.history().totals(table.key()).first, decisions);
}

namespace {

rules::Rules sixDecks() {
    rules::Rules rules;
    rules.decks = 6;
    rules.doubleAfterSplit = true;
    return rules;
}

// A plan made by hand: the full shoe's best plays and a few index plays as the books give them
// (16 against 10 stands at 0, 15 against 10 surrenders at 0, 10,10 against 6 splits at +4,
// insurance at +3), Hi-Lo with a ramp of 1 to 4 units at +2.
std::shared_ptr<const CountPlan> bookPlan() {
    auto plan = std::make_shared<CountPlan>();
    plan->game.rules = sixDecks();
    plan->game.system = *counting::systemOfId("hilo");
    plan->game.ramp = {{1, 1}, {2, 4}};
    plan->game.bankroll = 1000;
    plan->indices.basic = charts::bestPlayChart(analysis::Analysis(plan->game.rules));
    auto change = [](int first, int second, int up, Play below, Play above, int index,
                     bool surrender) {
        counting::IndexPlay play;
        play.row = charts::rowOfHand(first, second);
        play.up = up;
        play.below = below;
        play.atOrAbove = above;
        play.index = index;
        play.surrender = surrender;
        return play;
    };
    plan->indices.plays = {change(10, 6, 10, Play::Hit, Play::Stand, 0, false),
                           change(10, 5, 10, Play::Hit, Play::Surrender, 0, true),
                           change(10, 10, 6, Play::Stand, Play::Split, 4, false)};
    counting::IndexPlay insurance;
    insurance.row = -1;
    insurance.up = 1;
    insurance.insurance = true;
    insurance.index = 3;
    plan->indices.plays.push_back(insurance);
    // Rounds at -1 to +2: a mean a round and a second moment (a variance near 1.3).
    plan->rounds = {
        {-1, 0.3, -0.01, 1.3}, {0, 0.4, -0.005, 1.3}, {1, 0.2, 0.0, 1.3}, {2, 0.1, 0.005, 1.32}};
    return plan;
}

analysis::PlayValues allowing(std::initializer_list<Play> plays) {
    analysis::PlayValues values;
    for (Play play : plays)
        values.set(play, 0);
    return values;
}

} // namespace

// The play at a count: the basic chart's, changed at each index the count reaches; a play the
// hand may not make falls back as a chart's does.
void PracticeTest::indexPlayByCount_data() {
    QTest::addColumn<std::vector<int>>("cards");
    QTest::addColumn<int>("up");
    QTest::addColumn<int>("count");
    QTest::addColumn<analysis::PlayValues>("allowed");
    QTest::addColumn<Play>("play");
    const auto two = allowing({Play::Stand, Play::Hit, Play::Double, Play::Split});
    const auto all = allowing({Play::Stand, Play::Hit, Play::Double, Play::Split, Play::Surrender});
    const auto more = allowing({Play::Stand, Play::Hit});
    QTest::newRow("16 v 10 below 0") << std::vector<int>{10, 6} << 10 << -1 << two << Play::Hit;
    QTest::newRow("16 v 10 at 0") << std::vector<int>{10, 6} << 10 << 0 << two << Play::Stand;
    QTest::newRow("three-card 16 by its total")
        << std::vector<int>{10, 2, 4} << 10 << 2 << more << Play::Stand;
    QTest::newRow("15 v 10 surrenders at 0")
        << std::vector<int>{10, 5} << 10 << 0 << all << Play::Surrender;
    QTest::newRow("15 v 10 without surrender")
        << std::vector<int>{10, 5} << 10 << 0 << two << Play::Hit;
    QTest::newRow("10,10 v 6 splits at +4")
        << std::vector<int>{10, 10} << 6 << 4 << two << Play::Split;
    QTest::newRow("10,10 v 6 at +3") << std::vector<int>{10, 10} << 6 << 3 << two << Play::Stand;
    QTest::newRow("10,10 v 6, no more splits")
        << std::vector<int>{10, 10} << 6 << 5 << allowing({Play::Stand, Play::Hit, Play::Double})
        << Play::Stand;
    QTest::newRow("three-card 11 cannot double")
        << std::vector<int>{2, 4, 5} << 10 << 0 << more << Play::Hit;
    QTest::newRow("soft 18 v 6 cannot double: stand")
        << std::vector<int>{1, 3, 4} << 6 << 0 << more << Play::Stand;
}

void PracticeTest::indexPlayByCount() {
    QFETCH(std::vector<int>, cards);
    QFETCH(int, up);
    QFETCH(int, count);
    QFETCH(analysis::PlayValues, allowed);
    QFETCH(Play, play);
    static const auto plan = bookPlan();
    QCOMPARE(counting::indexPlay(plan->indices, cards, up, count, allowed), play);
}

// CE(b) = b a - b^2 s / (2 B), worked out by hand: what a bet gives up against the ramp's.
void PracticeTest::betGradedByCertaintyEquivalent_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<double>("bet");
    QTest::addColumn<double>("rampBet");
    QTest::addColumn<double>("cost");
    QTest::newRow("the ramp's bet") << 2 << 4.0 << 4.0 << 0.0;
    QTest::newRow("too small at +2") << 2 << 1.0 << 4.0 << 0.00510019;
    QTest::newRow("too large at +2") << 2 << 5.0 << 4.0 << 0.00093984;
    QTest::newRow("too large at 0") << 0 << 4.0 << 1.0 << 0.02474987;
    QTest::newRow("beyond the counts: the last") << 9 << 4.0 << 4.0 << 0.0;
}

void PracticeTest::betGradedByCertaintyEquivalent() {
    QFETCH(int, count);
    QFETCH(double, bet);
    QFETCH(double, rampBet);
    QFETCH(double, cost);
    const auto plan = bookPlan();
    const auto grade = counting::gradeBet(plan->game, plan->rounds, count, bet);
    QCOMPARE(grade.rampBet, rampBet);
    QCOMPARE(grade.right, bet == rampBet);
    QVERIFY2(std::abs(grade.cost - cost) < 1e-7, qPrintable(QString::number(grade.cost, 'g', 9)));
}

// A true count off by e bets as the ramp does e away, at every count by how often it comes up:
// off by +2, the counts 0 and +1 bet 4 units for 1 (the CE lost by hand, 0.0247499 and
// 0.00975), weighted 0.4 and 0.2; half a count off moves half of each count's step: +0.5 bets
// 4 for 1 at +1 half of the time, -0.5 bets 1 for 4 at +2 (0.0051002) half of the time.
void PracticeTest::countMissPricedByTheRamp_data() {
    QTest::addColumn<double>("error");
    QTest::addColumn<double>("cost");
    QTest::newRow("right") << 0.0 << 0.0;
    QTest::newRow("two high") << 2.0 << 0.01184995;
    QTest::newRow("half a count high") << 0.5 << 0.000975;
    QTest::newRow("half a count low") << -0.5 << 0.00025501;
}

void PracticeTest::countMissPricedByTheRamp() {
    QFETCH(double, error);
    QFETCH(double, cost);
    QVERIFY(std::abs(countMissCost(*bookPlan(), error) - cost) < 1e-7);
}

// The decks left and the true count by the conventions, by hand; a whole deck's running count
// is 0 in every balanced system.
void PracticeTest::countAnswersGraded_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("estimate");
    QTest::addColumn<int>("rounding");
    QTest::addColumn<int>("tray");
    QTest::addColumn<double>("runningCount");
    QTest::addColumn<double>("given");
    QTest::addColumn<double>("right");
    const int decks = int(CountKind::DecksLeft), truth = int(CountKind::TrueCount);
    const int half = int(counting::DeckEstimate::Half), full = int(counting::DeckEstimate::Full);
    const int floor = int(counting::Rounding::Floor), trunc = int(counting::Rounding::Truncate);
    QTest::newRow("half a deck left") << decks << half << floor << 390 << 0.0 << 0.5 << 0.5;
    QTest::newRow("316 cards: 6 decks") << decks << half << floor << 100 << 0.0 << 6.5 << 6.0;
    QTest::newRow("to the full deck") << decks << full << floor << 100 << 0.0 << 6.0 << 6.0;
    // Six decks: 156 cards left are three decks.
    QTest::newRow("+7 over 3, floored") << truth << half << floor << 156 << 7.0 << 2.0 << 2.0;
    QTest::newRow("-7 over 3, floored") << truth << half << floor << 156 << -7.0 << -2.0 << -3.0;
    QTest::newRow("-7 over 3, truncated") << truth << half << trunc << 156 << -7.0 << -2.0 << -2.0;
}

void PracticeTest::countAnswersGraded() {
    QFETCH(int, kind);
    QFETCH(int, estimate);
    QFETCH(int, rounding);
    QFETCH(int, tray);
    QFETCH(double, runningCount);
    QFETCH(double, given);
    QFETCH(double, right);
    counting::Game game = bookPlan()->game;
    game.conventions = {counting::DeckEstimate(estimate), counting::Rounding(rounding)};
    const CountDrill drill(1);
    const CountGrade grade =
        CountKind(kind) == CountKind::DecksLeft
            ? drill.answerDecksLeft(game, tray, given)
            : drill.answerTrueCount(game, {tray, 312 - tray, runningCount}, given);
    QCOMPARE(grade.answer.right, right);
    QCOMPARE(grade.answer.correct, given == right);

    CountDrill deck(7);
    deck.dealCards(52, 0);
    for (const counting::CountSystem& system : counting::builtInSystems()) {
        if (system.balanced()) QCOMPARE(deck.runningCountOf(system), 0.0);
    }
}

// 10,6 against a 10 from a stacked six-deck shoe, the count -1: the index hits, the answer
// stands. What the grade says standing cost is what the engine gives the full shoe (the hole
// card still unseen), and the decision is kept with its count and basic play.
void PracticeTest::countedDecisionAgainstTheEngine() {
    std::vector<cards::Card> stacked = {{9, 0}, {12, 1}, {5, 2}, {4, 3}}; // 10, K, 6, 5
    std::vector<cards::Card> rest;
    for (int deck = 0; deck < 6; ++deck) {
        for (int suit = 0; suit < cards::kSuitCount; ++suit) {
            for (int face = 0; face < int(cards::kFaces.size()); ++face) {
                const cards::Card card{face, suit};
                if (deck == 0 && std::find(stacked.begin(), stacked.end(), card) != stacked.end())
                    continue;
                rest.push_back(card);
            }
        }
    }
    stacked.insert(stacked.end(), rest.begin(), rest.end());
    QTemporaryDir folder;
    const auto plan = bookPlan();
    PracticeSession session(folder.path(), 1, Table::own(plan->game.rules), true);
    session.keepCount(plan);
    session.useStackedShoe(stacked);
    QVERIFY(session.view().betting);
    QVERIFY(session.placeBet(2));
    QCOMPARE(session.runningCount(), -1.0);
    QVERIFY(session.answer(Play::Stand));
    const auto values = analysis::analyseHand(plan->game.rules, {10, 6}, 10);
    const Answer kept = session.history().countRecords("hilo")().decisions.back().answer;
    QCOMPARE(kept.rightPlay, Play::Hit);
    QVERIFY(!kept.right);
    QCOMPARE(kept.counted->count, -1);
    QCOMPARE(kept.counted->basicPlay, Play::Hit);
    QVERIFY(std::abs(kept.counted->cost - 2 * (values[Play::Hit] - values[Play::Stand])) < 1e-9);
    QVERIFY(session.view().feedback.contains("Index play: Hit, 16 against 10 at true count -1"));
    // The dealer draws A and 2 to 18: the felt gives the loss at the bet, as the round's line.
    QCOMPARE(session.view().hands[0].caption, "lost -2");
    QVERIFY(session.view().feedback.contains("Round over: -2 units."));
}

// Keeping the count while its plan is still worked out: nothing is dealt, shown or asked until
// the plan comes; then the bet comes first.
void PracticeTest::noCardBeforeThePlan() {
    QTemporaryDir folder;
    const auto plan = bookPlan();
    PracticeSession session(folder.path(), 2, Table::own(plan->game.rules), true);
    session.useTable(session.table()); // a round dealt, as at the start
    session.awaitPlan();
    for (int i = 0; i < 2; ++i) {
        const PracticeView& view = session.view();
        QVERIFY(view.planning && view.hands.empty() && view.dealer.empty());
        QVERIFY(!view.answering && !view.betting && !session.answer(Play::Hit));
        session.dealNext();
    }
    session.keepCount(plan);
    QVERIFY(session.view().betting && !session.view().planning && session.view().hands.empty());
}

// A seeded shoe played to the cut card, counted as a player counts: every card the table shows
// at a round's end, by its Hi-Lo tag. Each count check agrees, one comes at the cut card, and the
// shoe then starts again from the full count.
void PracticeTest::seededShoeCountedToTheCut() {
    QTemporaryDir folder;
    const auto plan = bookPlan();
    PracticeSession session(folder.path(), 11, Table::own(plan->game.rules), true);
    session.keepCount(plan);
    const auto& tags = plan->game.system.tags;
    double counted = 0;
    int checks = 0;
    bool cut = false;
    for (int round = 0; round < 200 && !cut; ++round) {
        QVERIFY(session.placeBet(1));
        if (session.view().insuring) QVERIFY(session.insure(false));
        while (session.view().answering)
            QVERIFY(session.answer(session.view().allowed.allows(Play::Stand) ? Play::Stand
                                                                              : Play::Hit));
        const PracticeView& view = session.view();
        for (const cards::Card& card : view.dealer)
            counted += tags[std::size_t(card.value())];
        for (const ShownHand& hand : view.hands) {
            for (const cards::Card& card : hand.cards)
                counted += tags[std::size_t(card.value())];
        }
        if (view.checkingCount) {
            ++checks;
            QVERIFY(session.answerRunningCount(counted));
            QVERIFY2(session.view().feedback.contains("Count check: right"),
                     qPrintable(session.view().feedback));
        }
        session.dealNext();
        if (!session.view().status.isEmpty()) {
            cut = true;
            QCOMPARE(session.runningCount(), 0.0);
        }
    }
    QVERIFY(cut);
    QVERIFY(checks >= 2);
    // The check at the cut card is the last answer before the shuffle.
    QCOMPARE(session.history().countRecords("hilo")().answers.back().answer.kind,
             CountKind::CountCheck);
}

// One cell answered, half of the time wrongly: 8,8 against a 6 (its only hand, no dealer's
// blackjack to check) split twice and stood twice. The round's cost is how often it is dealt,
// times half, times what standing gives up against splitting; every other cell counts as right.
void PracticeTest::edgeOfAMadeUpHistory() {
    rules::Rules rules;
    rules.decks = 6;
    const analysis::Analysis engine(rules);
    const GridCell eights{charts::rowOfHand(8, 8), 6};
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

// The count in force works its plan out off the thread, for the game at the table's rules as it
// stands when the work ends: rules changed while it runs give the plan of the new ones, told of
// once. The index chart's page comes as asked, one at a time.
void PracticeTest::countInForceWorksOffTheThread() {
    counting::Game game;
    game.depth = 0.5; // one deck, at half of it: a quick plan
    CountInForce count(game);
    QSignalSpy planned(&count, &CountInForce::planReady);
    QVERIFY(!count.plan());
    rules::Rules h17 = game.rules;
    h17.hitSoft17 = true;
    count.setRules(h17);
    QVERIFY(!count.plan()); // one piece of work at a time
    QVERIFY(planned.wait(120000));
    const auto plan = count.plan();
    QCOMPARE(planned.count(), 1);
    QVERIFY(plan && plan->game == count.game() && plan->game.rules == h17);
    QVERIFY(!plan->indices.plays.empty() && !plan->rounds.empty());
    std::string page;
    connect(&count, &CountInForce::indexChartReady, this,
            [&](const std::string& made) { page = made; });
    QVERIFY(count.makeIndexChart());
    QVERIFY(!count.makeIndexChart());
    QTRY_VERIFY_WITH_TIMEOUT(!page.empty(), 120000);
    QVERIFY(page.find("Your top 18") != std::string::npos);
    QVERIFY(page.find("dealer hits soft 17") != std::string::npos);
}

// What a game is worth, asked three times while the first is worked out: only the latest is
// answered, as the count lab gives it; a new bankroll is weighed again on the same rounds.
void PracticeTest::gameWorthAnswersTheLatest() {
    counting::Game game;
    game.depth = 0.5; // one deck, at half of it: quick
    game.ramp = {{1, 1}, {2, 4}};
    GameWorth worth;
    std::vector<counting::GameFigures> told;
    connect(&worth, &GameWorth::ready, this,
            [&](const counting::GameFigures& figures) { told.push_back(figures); });
    worth.ask(game);
    game.bankroll = 200;
    worth.ask(game);
    game.roundsPerHour = 50;
    worth.ask(game);
    QTRY_VERIFY_WITH_TIMEOUT(!told.empty(), 120000);
    const counting::GameFigures lab = counting::gameFigures(game);
    QCOMPARE(told.size(), std::size_t(1));
    QCOMPARE(told[0].riskOfRuin, lab.riskOfRuin);
    QCOMPARE(told[0].winPerHour, lab.winPerHour);
    QCOMPARE(told[0].bestRamp, lab.bestRamp);
}

QTEST_MAIN(PracticeTest)
#include "tst_practice.moc"

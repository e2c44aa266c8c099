// The simulator against figures that do not come from its own code: the exact engine, a published
// house edge, the shoe's own cards; runs that repeat digit for digit on any number of threads;
// the files it reads, and every bad option.
#include "Figures.h"
#include "IndexFile.h"
#include "Run.h"
#include "SimCommand.h"

#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <cstring>

using namespace simulation;

class SimulationTest : public QObject {
    Q_OBJECT

private slots:
    void theEngineExactly_data();
    void theEngineExactly();
    void aPublishedHouseEdge_data();
    void aPublishedHouseEdge();
    void everyCardOnceAShoe();
    void theSameDigitsOnAnyThreads();
    void indexFiles_data();
    void indexFiles();
    void mistakeFiles_data();
    void mistakeFiles();
    void mistakesCost();
    void wongingWatches();
    void whereTheLabIsOff_data();
    void whereTheLabIsOff();
    void badOptions_data();
    void badOptions();
};

namespace {

RunResult run(const Setup& setup, int threads = 2) {
    counting::IndexTable indices;
    if (setup.counting && setup.indexSource == IndexSource::Lab)
        indices = counting::indexPlays(setup.game);
    const Plan plan = makePlan(setup, indices);
    std::atomic<bool> stop{false};
    return runBlocks(plan, threads, stop);
}

rules::Rules rulesOf(int decks, bool h17, bool das, bool surrender, bool holeCard) {
    rules::Rules r;
    r.decks = decks;
    r.hitSoft17 = h17;
    r.doubleAfterSplit = das;
    r.surrender = surrender;
    r.holeCard = holeCard;
    return r;
}

} // namespace

// A continuous shuffler, split hands as the same cards unsplit, each hand by its composition:
// the round the engine values exactly. The dealt return is within four standard errors of it.
void SimulationTest::theEngineExactly_data() {
    QTest::addColumn<int>("decks");
    QTest::addColumn<bool>("h17");
    QTest::addColumn<bool>("das");
    QTest::addColumn<bool>("surrender");
    QTest::addColumn<bool>("holeCard");
    QTest::addColumn<bool>("sixToFive");
    QTest::newRow("1 deck S17 DAS") << 1 << false << true << false << true << false;
    QTest::newRow("6 decks H17 DAS LS") << 6 << true << true << true << true << false;
    QTest::newRow("2 decks, no hole card, DAS") << 2 << false << true << false << false << false;
    QTest::newRow("8 decks LS, no hole card") << 8 << false << false << true << false << false;
    QTest::newRow("1 deck H17, 6:5") << 1 << true << false << false << true << true;
}

void SimulationTest::theEngineExactly() {
    QFETCH(int, decks);
    QFETCH(bool, h17);
    QFETCH(bool, das);
    QFETCH(bool, surrender);
    QFETCH(bool, holeCard);
    QFETCH(bool, sixToFive);
    Setup setup;
    setup.game.rules = rulesOf(decks, h17, das, surrender, holeCard);
    setup.game.rules.sixToFive = sixToFive;
    setup.game.rules.postSplit = rules::PostSplit::CDZ;
    setup.csm = true;
    setup.strategy = Strategy::Composition;
    setup.rounds = 2'000'000;
    const SimFigures f = figuresOf(run(setup).totals, setup.game);
    const double exact = 100 * analysis::Analysis(setup.game.rules).roundReturn();
    QVERIFY2(std::abs(f.winPer100.value - exact) < 4 * *f.winPer100.error,
             qPrintable(QString("dealt %1 ± %2, exact %3")
                            .arg(f.winPer100.value)
                            .arg(*f.winPer100.error)
                            .arg(exact)));
}

// The Wizard of Odds' Blackjack Appendix 9, six decks, H17, no hole card (the dealer's
// blackjack takes every bet), split to four but aces once: a round from the full shoe played
// by its composition returns -0.72705 % with double after split and -0.86975 % without.
void SimulationTest::aPublishedHouseEdge_data() {
    QTest::addColumn<bool>("das");
    QTest::addColumn<double>("published");
    QTest::newRow("double after split") << true << -0.72705;
    QTest::newRow("no double after split") << false << -0.86975;
}

void SimulationTest::aPublishedHouseEdge() {
    QFETCH(bool, das);
    QFETCH(double, published);
    Setup setup;
    setup.game.rules = rulesOf(6, true, das, false, false);
    setup.game.rules.postSplit = rules::PostSplit::CDZ;
    setup.strategy = Strategy::Composition;
    setup.csm = true;
    setup.rounds = 3'000'000;
    const SimFigures f = figuresOf(run(setup).totals, setup.game);
    QVERIFY2(std::abs(f.winPer100.value - published) < 4 * *f.winPer100.error,
             qPrintable(QString("%1 ± %2").arg(f.winPer100.value).arg(*f.winPer100.error)));
}

// Every card of the shoe once between shuffles, in the numbers the decks hold, and the running
// count of the whole shoe 0 in every balanced system.
void SimulationTest::everyCardOnceAShoe() {
    Setup setup;
    setup.game.rules.decks = 6;
    setup.game.penetration = 0.75;
    setup.burn = 3;
    const Plan plan = makePlan(setup, {});
    for (std::uint64_t block : {0u, 1u, 77u}) {
        const std::vector<int> cards = firstShoe(plan, block, 312);
        std::array<int, 11> seen{};
        for (int card : cards)
            ++seen[std::size_t(card)];
        for (int value = 1; value <= 10; ++value)
            QCOMPARE(seen[std::size_t(value)], value == 10 ? 96 : 24);
        for (const counting::CountSystem& system : counting::builtInSystems()) {
            if (!system.balanced()) continue;
            double running = 0;
            for (int card : cards)
                running += system.tags[std::size_t(card)];
            QCOMPARE(running, 0.0);
        }
        QVERIFY(firstShoe(plan, block, 312) == cards); // the block's own stream, again
    }
    QVERIFY(firstShoe(plan, 0, 312) != firstShoe(plan, 1, 312));
}

// A counter's game, Wonging and trips included: the same totals to the last bit on one, two and
// three threads; another seed deals other rounds.
void SimulationTest::theSameDigitsOnAnyThreads() {
    Setup setup;
    setup.game.rules = rulesOf(2, false, true, false, true);
    setup.game.depth.reset();
    setup.game.players = 3;
    setup.game.ramp = {{1, 1}, {2, 4}};
    setup.game.wongIn = 0;
    setup.game.wongOut = -1;
    setup.counting = true;
    setup.indexSource = IndexSource::None;
    setup.trip = 500;
    setup.rounds = 300'000;
    std::vector<Totals> totals;
    for (int threads : {1, 2, 3})
        totals.push_back(run(setup, threads).totals);
    for (const Totals& t : totals) {
        QCOMPARE(t.rounds, totals[0].rounds);
        QVERIFY(std::memcmp(&t.win, &totals[0].win, sizeof t.win) == 0);
        QCOMPARE(t.win2, totals[0].win2);
        QVERIFY(std::memcmp(t.returns.data(), totals[0].returns.data(), sizeof t.returns) == 0);
        QCOMPARE(t.ruined, totals[0].ruined);
        QVERIFY(t.paths == totals[0].paths);
    }
    setup.seed = 2;
    QVERIFY(run(setup, 2).totals.win.x != totals[0].win.x);
}

void SimulationTest::indexFiles_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("error");
    QTest::newRow("as hitwise-chart writes it")
        << "hand,up,below,index,at_or_above,crossing,gain_per_100\n16,10,hit,0,stand,-0.21,"
           "0.3\n\"A,7\",2,stand,1,double,,\n17,A,hit,-8,surrender,,\ninsurance,A,no,3,insure,,\n"
           "# rules: ...\n"
        << "";
    QTest::newRow("empty") << ""
                           << "no index play";
    QTest::newRow("a hand no chart has") << "22,10,hit,0,stand,,"
                                         << "no hand";
    QTest::newRow("an up card out of range") << "16,11,hit,0,stand,,"
                                             << "no up card";
    QTest::newRow("an index that is no count") << "16,10,hit,x,stand,,"
                                               << "whole count";
    QTest::newRow("one play twice") << "16,10,hit,0,hit,,"
                                    << "two plays";
    QTest::newRow("too few fields") << "16,10,hit,0"
                                    << "not hand,up";
}

void SimulationTest::indexFiles() {
    QFETCH(QString, text);
    QFETCH(QString, error);
    std::string why;
    const auto table = indicesOf(text.toStdString(), &why);
    QCOMPARE(table.has_value(), error.isEmpty());
    if (!table) {
        QVERIFY2(QString::fromStdString(why).contains(error), why.c_str());
        return;
    }
    QCOMPARE(table->plays.size(), std::size_t(4));
    QCOMPARE(table->plays[1].row, charts::rowOfHand(1, 7));
    QCOMPARE(table->plays[1].atOrAbove, analysis::Play::Double);
    QVERIFY(table->plays[2].surrender && table->plays[3].insurance);
    QCOMPARE(table->plays[3].index, 3);
}

void SimulationTest::mistakeFiles_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("error");
    QTest::newRow("every kind")
        << "kind,what,up,chance\ncount,-1,,0.05\ncount,+2,,0.01\nindex,16,10,0.3\nindex,all,,"
           "0.1\nbasic,\"A,7\",3,0.2\nbet,,,0.1\n"
        << "";
    QTest::newRow("no mistake") << "kind,what,up,chance\n"
                                << "no mistake";
    QTest::newRow("a count off by 3") << "count,3,,0.1"
                                      << "off by";
    QTest::newRow("a chance above 1") << "bet,,,1.5"
                                      << "from 0 to 1";
    QTest::newRow("a cell that is none") << "basic,23,5,0.1"
                                         << "no cell";
    QTest::newRow("an unknown kind") << "split,8,8,0.1"
                                     << "is not count";
    QTest::newRow("counts off more than always") << "count,1,,0.6\ncount,-1,,0.6"
                                                 << "more than 1";
}

void SimulationTest::mistakeFiles() {
    QFETCH(QString, text);
    QFETCH(QString, error);
    std::string why;
    const auto mistakes = mistakesOf(text.toStdString(), &why);
    QCOMPARE(mistakes.has_value(), error.isEmpty());
    if (!mistakes) {
        QVERIFY2(QString::fromStdString(why).contains(error), why.c_str());
        return;
    }
    QCOMPARE(mistakes->countOff[1], 0.05);
    QCOMPARE(mistakes->indexMiss(charts::rowOfHand(10, 6), 10), 0.3);
    QCOMPARE(mistakes->indexMiss(charts::rowOfHand(10, 5), 10), 0.1);
    QCOMPARE(mistakes->basicMiss(charts::rowOfHand(1, 7), 3), 0.2);
    // Written as the lab writes it, read back the same.
    const auto again = mistakesOf(mistakesCsv(*mistakes), &why);
    QVERIFY(again && *again == *mistakes);
}

// A player who always makes the second-best play, and whose bets go astray, loses more than the
// same game played right, by far more than the errors.
void SimulationTest::mistakesCost() {
    Setup setup;
    setup.game.rules = rulesOf(6, false, true, false, true);
    setup.game.ramp = {{1, 1}, {2, 4}};
    setup.counting = true;
    setup.indexSource = IndexSource::None;
    setup.rounds = 300'000;
    const SimFigures right = figuresOf(run(setup).totals, setup.game);
    Mistakes m;
    m.basicAll = 1;
    m.betOff = 0.5;
    m.countOff = {0.1, 0.1, 0, 0.1, 0.1};
    setup.mistakes = m;
    const SimFigures wrong = figuresOf(run(setup).totals, setup.game);
    QVERIFY2(
        right.winPer100.value - wrong.winPer100.value >
            5 * (*right.winPer100.error + *wrong.winPer100.error),
        qPrintable(QString("%1 and %2").arg(right.winPer100.value).arg(wrong.winPer100.value)));
}

// Wonging in at +1 and out below 0: rounds watched and played add up to those dealt, no round is
// played below 0, and the counts' frequencies add up to one.
void SimulationTest::wongingWatches() {
    Setup setup;
    setup.game.rules = rulesOf(6, false, true, false, true);
    setup.game.players = 3;
    setup.game.wongIn = 1;
    setup.game.wongOut = 0;
    setup.counting = true;
    setup.indexSource = IndexSource::None;
    setup.rounds = 200'000;
    const Totals t = run(setup).totals;
    QCOMPARE(t.played + t.watched, t.rounds);
    QVERIFY(t.watched > t.played);
    double frequencies = 0;
    for (int i = 0; i < kCounts; ++i) {
        frequencies += t.frequency[std::size_t(i)].value();
        if (kLowestCount + i < 0) QCOMPARE(t.returns[std::size_t(i)].y, 0.0);
    }
    QVERIFY(std::abs(frequencies - 1) < 1e-12);
}

// Every bad value, and every combination that makes no sense: one line naming the option, and
// status 2.
// The sentence beside the lab's figures names the count furthest off, by the dealt game's own
// errors, and speaks of frequencies and the deviation only where they are off.
void SimulationTest::whereTheLabIsOff_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<double>("returnOff");    // the lab's return less the dealt, in SE
    QTest::addColumn<double>("frequencyOff"); // likewise
    QTest::addColumn<double>("sdOff");
    QTest::addColumn<QString>("says");
    QTest::addColumn<QString>("never");
    QTest::newRow("all within two SE") << 4 << 1.9 << -1.9 << 1.0 << "agrees with the dealt game"
                                       << "How often";
    QTest::newRow("high at +4") << 4 << 5.0 << 0.0 << 0.0
                                << "off most at +4: its return is 0.050 % of the bet above the "
                                   "dealt game's (5.0 standard errors)."
                                << "deviation";
    QTest::newRow("low at the lowest") << kLowestCount << -3.0 << 0.0 << 0.0
                                       << "at -6 and below: its return is 0.030 % of the bet "
                                          "below"
                                       << "agrees";
    QTest::newRow("a count too often") << 0 << 0.0 << 17.0 << 0.0
                                       << "How often a count comes up is off most at 0: 25.17 % "
                                          "in the lab, 25.00 % dealt (17.0 standard errors)"
                                       << "deviation";
    QTest::newRow("a deviation below") << 0 << 0.0 << 0.0 << -50.0
                                       << "Its standard deviation is 0.50 % below the dealt "
                                          "game's (-50.0 standard errors)"
                                       << "How often";
}

void SimulationTest::whereTheLabIsOff() {
    QFETCH(int, count);
    QFETCH(double, returnOff);
    QFETCH(double, frequencyOff);
    QFETCH(double, sdOff);
    QFETCH(QString, says);
    QFETCH(QString, never);
    SimFigures dealt;
    LabFigures lab;
    for (int c = kLowestCount; c <= kHighestCount; ++c) {
        SimFigures::AtCount& at = dealt.byCount[std::size_t(c - kLowestCount)];
        at.count = c;
        at.frequency = {0.25, 0.0001};
        at.returns = Figure{0.01, 0.0001};
        const bool off = c == count;
        lab.byCount.push_back({c, 0.25 + (off ? frequencyOff * 0.0001 : 0), 0,
                               0.01 + (off ? returnOff * 0.0001 : 0)});
    }
    dealt.sdPerRound = {1.0, 0.0001};
    lab.game.sdPer100 = 10 * (1.0 + sdOff * 0.0001);
    const QString sentence = QString::fromStdString(labSentence(dealt, lab));
    QVERIFY2(sentence.contains(says), qPrintable(sentence));
    QVERIFY2(!sentence.contains(never), qPrintable(sentence));
}

void SimulationTest::badOptions_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("named");
    const auto row = [](const char* name, QStringList arguments, const char* named) {
        QTest::newRow(name) << arguments << QString::fromLatin1(named);
    };
    row("no rounds", {"--rounds", "0"}, "--rounds");
    row("a negative count of rounds", {"--rounds", "-5"}, "--rounds");
    row("rounds not whole", {"--rounds", "1.5"}, "--rounds");
    row("no threads", {"--threads", "0"}, "--threads");
    row("a penetration of 1", {"--count", "hilo", "--penetration", "1"}, "--penetration");
    row("a penetration with a shuffler", {"--csm", "--penetration", "0.5"}, "--csm");
    row("4 spots", {"--count", "hilo", "--spots", "4"}, "--spots");
    row("8 players", {"--players", "8"}, "--players");
    row("a seat past the players", {"--players", "2", "--seat", "3"}, "--seat");
    row("spots past the players", {"--players", "2", "--spots", "3"}, "--spots");
    row("an unknown count", {"--count", "hilo2"}, "--count");
    row("a bad ramp", {"--count", "hilo", "--ramp", "1:x"}, "--ramp");
    row("a missing index file", {"--count", "hilo", "--indices", "/nonexistent/i.csv"},
        "--indices");
    row("indices without a count", {"--indices", "none"}, "--indices");
    row("a Wonging count that is no number", {"--count", "hilo", "--wong-in", "x"}, "--wong-in");
    row("Wonging out above in", {"--count", "hilo", "--wong-in", "1", "--wong-out", "2"},
        "--wong-out");
    row("a seed that is no number", {"--seed", "seven"}, "--seed");
    row("rounds and seconds", {"--rounds", "5", "--seconds", "5"}, "--rounds");
    row("a ramp without a count", {"--ramp", "1:1,2:2"}, "--ramp");
    row("composition split hands as CDP", {"--strategy", "composition"}, "--post-split");
    row("an unknown format", {"--format", "pdf"}, "--format");
    row("a missing mistakes file", {"--mistakes", "/nonexistent/m.csv"}, "--mistakes");
    row("a trip past a million rounds", {"--count", "hilo", "--trip", "2000000"}, "--trip");
}

void SimulationTest::badOptions() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, named);
    QString outText, errText;
    QTextStream out(&outText), err(&errText);
    std::atomic<bool> stop{false};
    const int status =
        runSimCommand(QStringList{"hitwise-sim"} + arguments, out, err, Ranks{}, stop, false);
    err.flush();
    QCOMPARE(status, 2);
    QVERIFY2(errText.contains(named) && errText.count('\n') == 1, qPrintable(errText));
    QVERIFY(outText.isEmpty());
}

QTEST_MAIN(SimulationTest)
#include "tst_simulation.moc"

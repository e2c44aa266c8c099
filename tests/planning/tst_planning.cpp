// The lab's logic: the shelf keeps every game through each change, a kill while saving and a
// damaged file, never writing over what it cannot read; the best spreads and the bankroll a
// risk of ruin asks for, against the risk formula itself.
#include "BankrollPaths.h"
#include "BestSpread.h"
#include "CountOptions.h"
#include "GameProblems.h"
#include "GameShelf.h"
#include "LabForms.h"
#include "LabStudy.h"
#include "RampModel.h"
#include "StudyCache.h"
#include "YourMistakes.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <random>

using namespace planning;

namespace {

counting::Game sixDecks(double bankroll = 1000) {
    counting::Game game;
    game.rules.decks = 6;
    game.rules.doubleAfterSplit = true;
    game.system = *counting::systemOfId("hilo");
    game.ramp = {{0, 1}, {1, 2}, {2, 4}, {3, 8}};
    game.bankroll = bankroll;
    return game;
}

// Rounds as a count lab gives them: half a per cent a count, from -0.5 % at 0.
std::vector<counting::CountRound> rounds() {
    std::vector<counting::CountRound> out;
    for (int count = -6; count <= 6; ++count) {
        const double frequency = std::exp(-0.15 * count * count);
        out.push_back({count, frequency, 0.005 * count - 0.005, 1.32});
    }
    double total = 0;
    for (const auto& r : out)
        total += r.frequency;
    for (auto& r : out)
        r.frequency /= total;
    return out;
}

QByteArray contents(const QString& name) {
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class PlanningTest : public QObject {
    Q_OBJECT

private slots:
    void everyChangeKept();
    void namesRefused_data();
    void namesRefused();
    void unreadableSetAside_data();
    void unreadableSetAside();
    void aKillWhileSaving();
    void bestSpreads();
    void bankrollForARisk_data();
    void bankrollForARisk();
    void yourMistakes();
    void numbersOfCells_data();
    void numbersOfCells();
    void bestOfColumns();
    void intervals_data();
    void intervals();
    void rampRefusals_data();
    void rampRefusals();
    void formProblems_data();
    void formProblems();
    void ruinAndTrips();
    void aNewerGameStopsTheStudy();
};

// Added, renamed, duplicated, changed and deleted: each change is on disk as it is made.
void PlanningTest::everyChangeKept() {
    QTemporaryDir dir;
    GameShelf shelf(dir.path() + "/lab");
    QString why;
    QVERIFY(shelf.load(&why));
    QVERIFY(shelf.add("Downtown 6D", sixDecks(), &why));
    QVERIFY(shelf.add("Strip, 2 decks", sixDecks(2000), &why));
    QVERIFY(shelf.duplicate(0, &why));
    QVERIFY(shelf.rename(1, "Downtown — 1-12 spread", &why));
    counting::Game changed = sixDecks();
    changed.rules.decks = 2;
    QVERIFY(shelf.replace(0, changed, &why));
    QVERIFY(shelf.remove(2, &why));
    GameShelf again(dir.path() + "/lab");
    QVERIFY(again.load(&why));
    QCOMPARE(again.games().size(), std::size_t(2));
    QCOMPARE(again.games()[0].name, QString("Downtown 6D"));
    QVERIFY(again.games()[0].game == changed);
    QCOMPARE(again.games()[1].name, QString("Downtown — 1-12 spread"));
    QVERIFY(again.games()[1].game == sixDecks());
    QVERIFY(!again.remove(5, &why));
}

void PlanningTest::namesRefused_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");
    QTest::newRow("empty") << ""
                           << "needs a name";
    QTest::newRow("blanks") << "   "
                            << "needs a name";
    QTest::newRow("a blank at the end") << "Reno "
                                        << "start or end with a blank";
    QTest::newRow("taken, in other case") << "downtown 6d"
                                          << "already";
    QTest::newRow("two lines") << "Reno\nTahoe"
                               << "one line";
    QTest::newRow("a tab") << "Reno\tTahoe"
                           << "one line";
    QTest::newRow("too long") << QString(81, 'x') << "at most 80";
}

void PlanningTest::namesRefused() {
    QFETCH(QString, name);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    GameShelf shelf(dir.path());
    QString why;
    QVERIFY(shelf.add("Downtown 6D", sixDecks(), &why));
    QVERIFY(shelf.add("Reno", sixDecks(), &why));
    const QByteArray before = contents(shelf.file());
    QVERIFY(!shelf.add(name, sixDecks(), &why));
    QVERIFY2(why.contains(reason), qPrintable(why));
    QVERIFY(!shelf.rename(1, name, &why));
    QVERIFY2(why.contains(reason), qPrintable(why));
    QCOMPARE(contents(shelf.file()), before);
}

// Whatever the shelf cannot read is kept, byte for byte, under a name of its own.
void PlanningTest::unreadableSetAside_data() {
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray good =
        "hitwise lab shelf 1\nDowntown\t" + options::gameText(sixDecks()).toUtf8() + "\n";
    QTest::newRow("another program's file") << QByteArray("[General]\nsize=3\n");
    QTest::newRow("a line without a game") << good + "Reno\n";
    QTest::newRow("a game that does not read") << good + "Reno\t--decks=nine\n";
    QTest::newRow("cut short in a name") << good.left(24);
    QTest::newRow("binary") << QByteArray(3000, '\0');
}

void PlanningTest::unreadableSetAside() {
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    GameShelf shelf(dir.path());
    QFile file(shelf.file());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    QString message;
    QVERIFY(!shelf.load(&message));
    QVERIFY(shelf.games().empty());
    const QStringList aside = QDir(dir.path()).entryList({"shelf.txt.unreadable-*"});
    QCOMPARE(aside.size(), 1);
    QVERIFY2(message.contains(aside.first()), qPrintable(message));
    QCOMPARE(contents(dir.path() + '/' + aside.first()), bytes);
    QString why;
    QVERIFY(shelf.add("Fresh", sixDecks(), &why));
    QCOMPARE(contents(dir.path() + '/' + aside.first()), bytes);
}

// A save killed before its end leaves a temporary file beside the shelf, never a part of it.
void PlanningTest::aKillWhileSaving() {
    QTemporaryDir dir;
    GameShelf shelf(dir.path());
    QString why;
    QVERIFY(shelf.add("Downtown 6D", sixDecks(), &why));
    QFile partial(dir.path() + "/shelf.txt.Xq3aBc");
    QVERIFY(partial.open(QIODevice::WriteOnly));
    partial.write("hitwise lab shelf 1\nDowntown 6D\t--decks=6 --s1");
    partial.close();
    GameShelf again(dir.path());
    QVERIFY(again.load(&why));
    QCOMPARE(again.games().size(), std::size_t(1));
    QVERIFY(again.games()[0].game == sixDecks());
}

// Wider spreads are worth at least as much; each ramp stays within its spread, and the table
// maximum leaves out the spreads it cannot hold.
void PlanningTest::bestSpreads() {
    counting::Game game = sixDecks();
    const std::vector<SpreadWorth> all = planning::bestSpreads(game, rounds());
    QCOMPARE(all.size(), std::size_t(4));
    double score = 0;
    for (const SpreadWorth& worth : all) {
        QVERIFY2(worth.figures.score >= score - 1e-9, worth.ramp.c_str());
        score = worth.figures.score;
        std::string why;
        const auto ramp = counting::rampOf(worth.ramp, &why);
        QVERIFY2(ramp, worth.ramp.c_str());
        for (const auto& [count, units] : *ramp)
            QVERIFY(units >= 1 && units <= worth.spread);
    }
    QVERIFY(all.back().figures.score > all.front().figures.score);
    game.tableMax = 10;
    QCOMPARE(planning::bestSpreads(game, rounds()).size(), std::size_t(2));
}

// The bankroll for a risk, played back through the risk of ruin of that bankroll.
void PlanningTest::bankrollForARisk_data() {
    QTest::addColumn<double>("bankroll");
    QTest::newRow("a small bank") << 200.0;
    QTest::newRow("a thousand units") << 1000.0;
    QTest::newRow("a large bank") << 5000.0;
}

void PlanningTest::bankrollForARisk() {
    QFETCH(double, bankroll);
    const counting::GameFigures figures = counting::gameFigures(sixDecks(bankroll), rounds());
    QVERIFY(figures.riskOfRuin > 0 && figures.riskOfRuin < 1);
    const auto back = bankrollFor(figures.riskOfRuin, figures);
    QVERIFY(back);
    QVERIFY2(std::abs(*back - bankroll) < 1e-6 * bankroll, qPrintable(QString::number(*back)));
    QVERIFY(!bankrollFor(0, figures) && !bankrollFor(1, figures));
    counting::GameFigures losing = figures;
    losing.winPer100 = -0.5;
    QVERIFY(!bankrollFor(0.05, losing));
}

// Counting answers and decisions of the count in force, as the history keeps them, turned into
// the chances the simulator draws; another system's answers left out.
void PlanningTest::yourMistakes() {
    using practice::CountKind;
    const counting::Game game = sixDecks(); // the drill turns a running count over 3.75 decks
    practice::CountRecords records;
    auto count = [&](CountKind kind, double given, double right, int cardsLeft = 0,
                     QString system = "hilo") {
        practice::CountAnswer a;
        a.kind = kind;
        a.system = system;
        a.given = given;
        a.right = right;
        a.cardsLeft = cardsLeft;
        a.correct = given == right;
        records.answers.push_back({"6 decks", QDate(2026, 12, 9), a});
    };
    count(CountKind::TrueCount, 2, 2);
    count(CountKind::TrueCount, 0, 0);
    count(CountKind::TrueCount, 3, 2);          // +1
    count(CountKind::TrueCount, -1, 1);         // -2
    count(CountKind::TrueCount, -3, 0);         // -3: taken as -2
    count(CountKind::RunningCount, 9, 5);       // +4 over 3.75 decks: +1
    count(CountKind::CountCheck, 1, 5, 104);    // -4 over 2 decks: -2
    count(CountKind::TrueCount, 9, 0, 0, "ko"); // another system's
    count(CountKind::Bet, 4, 4);
    count(CountKind::Bet, 2, 2);
    count(CountKind::Bet, 8, 4);
    count(CountKind::Bet, 1, 1);
    auto decide = [&](std::vector<int> cards, int up, analysis::Play basic, analysis::Play right,
                      bool answeredRight) {
        practice::Answer a;
        a.cards = cards;
        a.up = up;
        a.rightPlay = right;
        a.answer = answeredRight ? right : analysis::Play::Double;
        a.right = answeredRight;
        a.counted = practice::CountedDecision{"hilo", 0, basic, 0};
        records.decisions.push_back({"6 decks", QDate(2026, 12, 9), a});
    };
    using analysis::Play;
    decide({10, 6}, 10, Play::Hit, Play::Stand, false); // 16 v 10, an index missed
    decide({9, 7}, 10, Play::Hit, Play::Stand, true);
    decide({10, 2}, 4, Play::Stand, Play::Stand, false);  // a basic play missed
    decide({5, 4, 3}, 6, Play::Stand, Play::Stand, true); // hard 12, the row of 10,2
    const simulation::Mistakes m = planning::yourMistakes(game, records);
    const std::array<double, 5> off{3 / 7.0, 0, 0, 2 / 7.0, 0};
    for (std::size_t i = 0; i < off.size(); ++i)
        QVERIFY2(std::abs(m.countOff[i] - off[i]) < 1e-12, qPrintable(QString::number(i)));
    QCOMPARE(m.betOff, 0.25);
    QCOMPARE(m.indexAll, 0.5);
    QCOMPARE(m.indexMiss(charts::rowOfHand(10, 6), 10), 0.5);
    QCOMPARE(m.basicAll, 0.5);
    QCOMPARE(m.basicMiss(charts::rowOfHand(10, 2), 4), 1.0);
    QCOMPARE(m.basicMiss(charts::rowOfHand(10, 2), 6), 0.0);
    QCOMPARE(m.basicMiss(charts::rowOfHand(10, 2), 5), 0.5); // no row of its own: over all
    std::string why;
    QVERIFY2(simulation::mistakesOf(simulation::mistakesCsv(m), &why) == m, why.c_str());
}

// The number a table's cell sorts by and is compared on, whatever the cell writes around it.
void PlanningTest::numbersOfCells_data() {
    QTest::addColumn<QString>("cell");
    QTest::addColumn<double>("number");
    QTest::newRow("an interval") << "1.27 ± 0.03" << 1.27;
    QTest::newRow("a minus sign") << "\u22120.5" << -0.5;
    QTest::newRow("a hyphen") << "-0.5" << -0.5;
    QTest::newRow("a plus") << "+3" << 3.0;
    QTest::newRow("thousands") << "43,848" << 43848.0;
    QTest::newRow("a count and words") << "-6 and below" << -6.0;
    QTest::newRow("a spread") << "1-8" << 1.0;
    QTest::newRow("words") << "not run" << qQNaN();
}

void PlanningTest::numbersOfCells() {
    QFETCH(QString, cell);
    QFETCH(double, number);
    const double read = LabTable::numberOf(cell);
    QVERIFY2(std::isnan(number) ? std::isnan(read) : read == number, qPrintable(cell));
}

// The best of a column goes its way; a column all alike, or of one row, has none.
void PlanningTest::bestOfColumns() {
    LabTable table;
    table.columns = {"Game", "Win", "N0", "Alike", "SD"};
    table.better = {Better::None, Better::Higher, Better::Lower, Better::Higher, Better::None};
    table.rows = {{"a", "1.2 ± 0.1", "40,000", "5", "20"},
                  {"b", "1.5 ± 0.1", "52,000", "5", "30"},
                  {"c", "not run", "38,000", "5", "10"}};
    QCOMPARE(table.bestRow(1), 1);
    QCOMPARE(table.bestRow(2), 2);
    QCOMPARE(table.bestRow(3), -1);
    QCOMPARE(table.bestRow(4), -1);
    QVERIFY(tableHtml(table).contains("<td><strong>1.5 ± 0.1</strong></td>"));
    table.rows.resize(1);
    QCOMPARE(table.bestRow(1), -1);
    table.rows = {{"say \"so\", then", "1"}};
    QCOMPARE(tableCsv(table).split('\n')[1], QString("\"say \"\"so\"\", then\",1"));
}

// A simulated figure shows its 95 % interval to two digits of the interval.
void PlanningTest::intervals_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("error"); // 0: none
    QTest::addColumn<double>("scale");
    QTest::addColumn<QString>("shown");
    QTest::newRow("a win") << 1.1594 << 0.0129 << 1.0 << "1.159 ± 0.025";
    QTest::newRow("N0") << 42991.0 << 18400.0 << 1.0 << "42991 ± 36063";
    QTest::newRow("per cent") << 0.02574 << 0.0004 << 100.0 << "2.574 ± 0.078";
    QTest::newRow("no error") << 0.5 << 0.0 << 1.0 << "0.50";
}

void PlanningTest::intervals() {
    QFETCH(double, value);
    QFETCH(double, error);
    QFETCH(double, scale);
    simulation::Figure figure{value, error > 0 ? std::optional<double>(error) : std::nullopt};
    QFETCH(QString, shown);
    QCOMPARE(intervalText(figure, scale), shown);
}

// What the ramp's table takes as it is typed, and what it refuses with a reason.
void PlanningTest::rampRefusals_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("taken");
    QTest::newRow("a count") << 0 << "+3" << true;
    QTest::newRow("a negative count") << 0 << "-2" << true;
    QTest::newRow("a count too high") << 0 << "31" << false;
    QTest::newRow("a count in words") << 0 << "three" << false;
    QTest::newRow("half a count") << 0 << "2.5" << false;
    QTest::newRow("units") << 1 << "2.5" << true;
    QTest::newRow("no units") << 1 << "0" << false;
    QTest::newRow("too many units") << 1 << "2000000" << false;
}

void PlanningTest::rampRefusals() {
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(bool, taken);
    RampModel model;
    model.setRamp({{1, 2}, {2, 4}});
    int refused = 0;
    connect(&model, &RampModel::refused, this, [&refused] { ++refused; });
    QCOMPARE(model.setData(model.index(0, column), typed, Qt::EditRole), taken);
    QCOMPARE(refused, taken ? 0 : 1);
    QString why;
    QVERIFY(model.ramp(&why).has_value() || why.contains("two bets"));
}

// Each field's reason, beside the field; a game without any is taken.
void PlanningTest::formProblems_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("field"); // -1: none
    QTest::newRow("a good game") << "--players=3 --seat=2 --wong-in=1 --wong-out=-1" << -1;
    QTest::newRow("spots past players") << "--players=2 --spots=3" << int(Field::Spots);
    QTest::newRow("a seat past players") << "--players=3 --seat=3 --spots=2" << int(Field::Seat);
    QTest::newRow("Wong out alone") << "--wong-out=-1" << int(Field::WongOut);
    QTest::newRow("Wong out above in") << "--wong-in=1 --wong-out=2" << int(Field::WongOut);
    QTest::newRow("a maximum below the bet")
        << "--ramp=0:5,3:20 --table-max=4" << int(Field::TableMax);
}

void PlanningTest::formProblems() {
    QFETCH(QString, text);
    QFETCH(int, field);
    counting::Game game = sixDecks();
    // The form lets through what the options would refuse: the fields are set one by one.
    for (const QString& option : text.split(' ')) {
        const auto [name, value] = std::pair{option.section('=', 0, 0), option.section('=', 1)};
        if (name == "--players") game.players = value.toInt();
        if (name == "--seat") game.seat = value.toInt();
        if (name == "--spots") game.spots = value.toInt();
        if (name == "--wong-in") game.wongIn = value.toInt();
        if (name == "--wong-out") game.wongOut = value.toInt();
        if (name == "--table-max") game.tableMax = value.toDouble();
        if (name == "--ramp") game.ramp = *counting::rampOf(value.toStdString(), nullptr);
    }
    const auto problems = gameProblems(game);
    QCOMPARE(int(problems.size()), field < 0 ? 0 : 1);
    if (field >= 0) QVERIFY(!problems.at(Field(field)).isEmpty());
}

// The risk curve meets the bankroll a risk asks for; a trip's band holds 90 % of trips dealt
// as sums of rounds, not of the normal walk the plot draws.
void PlanningTest::ruinAndTrips() {
    counting::GameFigures figures;
    figures.winPer100 = 1.2;
    figures.sdPer100 = 25;
    const double bankroll = *bankrollFor(0.05, figures);
    const auto curve = ruinCurve(figures, 2 * bankroll, 3);
    QCOMPARE(curve[1].first, bankroll);
    QVERIFY(std::abs(curve[1].second - 0.05) < 1e-12);
    QCOMPARE(curve[2].second, 0.05 * 0.05);

    counting::Game game = sixDecks();
    game.roundsPerHour = 100;
    const TripPlot trip = tripPlot(game, figures, 10, 1);
    // Rounds of +1 or -1 unit with chances giving the same win and deviation per round.
    const double w = 0.012, p = (1 + w) / 2;
    const double sigma = std::sqrt(1 - w * w);
    figures.sdPer100 = 10 * sigma;
    const TripPlot band = tripPlot(game, figures, 10, 0);
    std::mt19937_64 random(7);
    std::bernoulli_distribution wins(p);
    int inside = 0;
    const int trips = 4000;
    for (int t = 0; t < trips; ++t) {
        double won = 0;
        for (int r = 0; r < 1000; ++r)
            won += wins(random) ? 1 : -1;
        inside += won >= band.low.back() && won <= band.high.back();
    }
    QVERIFY2(std::abs(double(inside) / trips - 0.9) < 0.02, qPrintable(QString::number(inside)));
    QCOMPARE(trip.paths.size(), std::size_t(1));
    QCOMPARE(trip.paths[0].size(), trip.hours.size());
}

// A game of other rules asked for while the engine works stops that work: only the newer game's
// study is worked out and kept, and it is the one shown.
void PlanningTest::aNewerGameStopsTheStudy() {
    QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", cache.path().toUtf8());
    counting::Game older = sixDecks();
    counting::Game newer = older;
    newer.rules.decks = 1;
    LabStudy study;
    QSignalSpy ready(&study, &LabStudy::ready);
    study.ask(older);
    study.ask(newer);
    QTRY_COMPARE_WITH_TIMEOUT(ready.size(), 1, 300000);
    QVERIFY(study.result() && study.result()->game == newer);
    QCOMPARE(QDir(countcache::studyFolder()).entryList({"*.study"}).size(), 1);
    qunsetenv("XDG_CACHE_HOME");
}

QTEST_GUILESS_MAIN(PlanningTest)
#include "tst_planning.moc"

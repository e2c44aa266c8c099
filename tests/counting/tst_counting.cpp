// Count systems, their conventions, and how often each count comes up.
#include "Count.h"
#include "CountFrequency.h"
#include "CountShoe.h"

#include <QTest>

#include <cmath>
#include <vector>

using counting::Conventions;
using counting::DeckEstimate;
using counting::Rounding;

class CountingTest : public QObject {
    Q_OBJECT

private slots:
    void systems_data();
    void systems();
    void badTags_data();
    void badTags();
    void trueCounts_data();
    void trueCounts();
    void runningCountsAgainstEverySet_data();
    void runningCountsAgainstEverySet();
    void expectedShoeAgainstEverySet_data();
    void expectedShoeAgainstEverySet();
    void frequenciesOfAShoe_data();
    void frequenciesOfAShoe();
    void everyDepthAtOnce_data();
    void everyDepthAtOnce();
};

// The published tags: balanced systems sum to 0 a deck, KO to +4 and starts at 4 - 4 x decks.
void CountingTest::systems_data() {
    QTest::addColumn<QString>("id");
    QTest::addColumn<double>("deckSum");
    QTest::addColumn<double>("startAtSix");
    QTest::addColumn<double>("aceTag");
    QTest::addColumn<double>("fiveTag");
    QTest::newRow("Hi-Lo") << "hilo" << 0.0 << 0.0 << -1.0 << 1.0;
    QTest::newRow("KO") << "ko" << 4.0 << -20.0 << -1.0 << 1.0;
    QTest::newRow("Hi-Opt I") << "hiopt1" << 0.0 << 0.0 << 0.0 << 1.0;
    QTest::newRow("Hi-Opt II") << "hiopt2" << 0.0 << 0.0 << 0.0 << 2.0;
    QTest::newRow("Omega II") << "omega2" << 0.0 << 0.0 << 0.0 << 2.0;
    QTest::newRow("Zen") << "zen" << 0.0 << 0.0 << -1.0 << 2.0;
    QTest::newRow("Wong Halves") << "halves" << 0.0 << 0.0 << -1.0 << 1.5;
}

void CountingTest::systems() {
    QFETCH(QString, id);
    QFETCH(double, deckSum);
    QFETCH(double, startAtSix);
    QFETCH(double, aceTag);
    QFETCH(double, fiveTag);
    const auto system = counting::systemOfId(id.toStdString());
    QVERIFY(system);
    QCOMPARE(system->deckSum(), deckSum);
    QCOMPARE(system->balanced(), deckSum == 0.0);
    QCOMPARE(system->initialRunningCount(6), startAtSix);
    QCOMPARE(system->tags[1], aceTag);
    QCOMPARE(system->tags[5], fiveTag);
    // The same tags typed out are the same system.
    QStringList typed;
    for (int value = 1; value <= 10; ++value)
        typed << QString("%1:%2")
                     .arg(value == 1 ? "A" : QString::number(value))
                     .arg(system->tags[value]);
    std::string why;
    const auto own = counting::systemOfTags(typed.join(',').toStdString(), &why);
    QVERIFY2(own, why.c_str());
    QVERIFY(own->tags == system->tags);
}

void CountingTest::badTags_data() {
    QTest::addColumn<QString>("tags");
    QTest::addColumn<QString>("why");
    const QString hiLo = "A:-1,2:1,3:1,4:1,5:1,6:1,7:0,8:0,9:0,10:-1";
    QTest::newRow("a value missing") << "A:-1,2:1,3:1,4:1,5:1,6:1,7:0,8:0,9:0"
                                     << "no tag for 10";
    QTest::newRow("a value twice") << hiLo + ",5:1"
                                   << "5 is named twice";
    QTest::newRow("a tag not a number")
        << QString(hiLo).replace("7:0", "7:x") << "the tag of 7 is not a number";
    QTest::newRow("an unknown value") << QString(hiLo).replace("7:0", "J:0") << "\"J:0\"";
    QTest::newRow("no colon") << QString(hiLo).replace("7:0", "70") << "\"70\"";
    QTest::newRow("empty") << ""
                           << "\"\"";
}

void CountingTest::badTags() {
    QFETCH(QString, tags);
    QFETCH(QString, why);
    std::string said;
    QVERIFY(!counting::systemOfTags(tags.toStdString(), &said));
    QVERIFY2(QString::fromStdString(said).contains(why), said.c_str());
}

// The decks left to the nearest step, never below one; then the rounding.
void CountingTest::trueCounts_data() {
    QTest::addColumn<double>("running");
    QTest::addColumn<int>("cardsLeft");
    QTest::addColumn<int>("estimate");
    QTest::addColumn<int>("rounding");
    QTest::addColumn<double>("trueCount");
    const int half = int(DeckEstimate::Half), full = int(DeckEstimate::Full);
    const int quarter = int(DeckEstimate::Quarter), exact = int(DeckEstimate::Exact);
    const int floor = int(Rounding::Floor), truncate = int(Rounding::Truncate);
    const int round = int(Rounding::Round), asIs = int(Rounding::Exact);
    QTest::newRow("+7, 2.5 decks, floored") << 7.0 << 130 << half << floor << 2.0;
    QTest::newRow("-7, 2.5 decks, floored") << -7.0 << 130 << half << floor << -3.0;
    QTest::newRow("-7, 2.5 decks, truncated") << -7.0 << 130 << half << truncate << -2.0;
    QTest::newRow("+7, 2.5 decks, rounded") << 7.0 << 130 << half << round << 3.0;
    QTest::newRow("+7, 2.5 decks to the whole deck") << 7.0 << 130 << full << asIs << 7.0 / 3;
    QTest::newRow("+7, 2.25 decks by quarters") << 7.0 << 117 << quarter << asIs << 7.0 / 2.25;
    QTest::newRow("+6, 100 cards exactly") << 6.0 << 100 << exact << asIs << 6.0 * 52 / 100;
    QTest::newRow("+3, 10 cards: never below half a deck") << 3.0 << 10 << half << floor << 6.0;
    QTest::newRow("+3, 10 cards: never below a deck") << 3.0 << 10 << full << floor << 3.0;
    QTest::newRow("-0.5 floors to -1, truncates to 0") << -0.5 << 52 << full << floor << -1.0;
    QTest::newRow("-0.5 truncated") << -0.5 << 52 << full << truncate << 0.0;
}

void CountingTest::trueCounts() {
    QFETCH(double, running);
    QFETCH(int, cardsLeft);
    QFETCH(int, estimate);
    QFETCH(int, rounding);
    QFETCH(double, trueCount);
    const Conventions conventions{DeckEstimate(estimate), Rounding(rounding)};
    QCOMPARE(counting::trueCount(running, cardsLeft, conventions), trueCount);
}

// A small shoe of distinct cards, every set of `seen` of them counted one by one.
void CountingTest::runningCountsAgainstEverySet_data() {
    QTest::addColumn<QString>("id");
    QTest::addColumn<int>("seen");
    QTest::newRow("Hi-Lo, 5 of 15") << "hilo" << 5;
    QTest::newRow("Wong Halves, 6 of 15") << "halves" << 6;
    QTest::newRow("Hi-Opt II, 7 of 15") << "hiopt2" << 7;
    QTest::newRow("KO, all 15") << "ko" << 15;
}

void CountingTest::runningCountsAgainstEverySet() {
    QFETCH(QString, id);
    QFETCH(int, seen);
    const auto system = *counting::systemOfId(id.toStdString());
    const std::array<int, 11> shoe{0, 2, 1, 1, 2, 1, 1, 1, 1, 1, 4};
    std::vector<int> cards;
    for (int value = 1; value <= 10; ++value)
        cards.insert(cards.end(), shoe[value], value);
    std::map<double, double> counted;
    int sets = 0;
    const int n = int(cards.size());
    for (int mask = 0; mask < (1 << n); ++mask) {
        if (__builtin_popcount(mask) != seen) continue;
        double count = 0;
        for (int i = 0; i < n; ++i) {
            if (mask & (1 << i)) count += system.tags[cards[i]];
        }
        counted[count] += 1;
        ++sets;
    }
    const auto exact = counting::runningCounts(system, shoe, seen);
    QCOMPARE(exact.size(), counted.size());
    for (const auto& [count, times] : counted) {
        QVERIFY2(exact.count(count), qPrintable(QString::number(count)));
        QVERIFY(std::abs(exact.at(count) - times / sets) < 1e-12);
    }
}

// The cards left given the count, against every set of a small shoe seen, by count: each
// value's average left over the sets that give that count.
void CountingTest::expectedShoeAgainstEverySet_data() {
    QTest::addColumn<QString>("id");
    QTest::addColumn<int>("seen");
    QTest::addColumn<int>("rounding");
    QTest::newRow("Hi-Lo, 6 of 15, floored") << "hilo" << 6 << int(Rounding::Floor);
    QTest::newRow("Wong Halves, 5 of 15, rounded") << "halves" << 5 << int(Rounding::Round);
    QTest::newRow("Omega II, 7 of 15, exact") << "omega2" << 7 << int(Rounding::Exact);
}

void CountingTest::expectedShoeAgainstEverySet() {
    QFETCH(QString, id);
    QFETCH(int, seen);
    QFETCH(int, rounding);
    const auto system = *counting::systemOfId(id.toStdString());
    const Conventions conventions{DeckEstimate::Quarter, Rounding(rounding)};
    const std::array<int, 11> shoe{0, 2, 1, 1, 2, 1, 1, 1, 1, 1, 4};
    std::vector<int> cards;
    for (int value = 1; value <= 10; ++value)
        cards.insert(cards.end(), shoe[value], value);
    const int n = int(cards.size());
    std::map<double, std::array<double, 11>> leftBy; // count -> the sum of what is left
    std::map<double, int> sets;
    for (int mask = 0; mask < (1 << n); ++mask) {
        if (__builtin_popcount(mask) != seen) continue;
        double running = 0;
        std::array<double, 11> left{};
        for (int i = 0; i < n; ++i) {
            if (mask & (1 << i)) {
                running += system.tags[cards[i]];
            } else {
                left[cards[i]] += 1;
            }
        }
        const double count = counting::trueCount(running, n - seen, conventions);
        for (int value = 1; value <= 10; ++value)
            leftBy[count][value] += left[value];
        ++sets[count];
    }
    for (const auto& [count, sum] : leftBy) {
        const auto expected = counting::expectedLeft(system, conventions, shoe, seen, count);
        QVERIFY2(expected, qPrintable(QString::number(count)));
        for (int value = 1; value <= 10; ++value) {
            QVERIFY2(std::abs((*expected)[value] - sum[value] / sets[count]) < 1e-12,
                     qPrintable(QString("count %1, value %2: %3 against %4")
                                    .arg(count)
                                    .arg(value)
                                    .arg((*expected)[value])
                                    .arg(sum[value] / sets[count])));
        }
    }
    QVERIFY(!counting::expectedLeft(system, conventions, shoe, seen, 1000)); // never comes up
}

// Six decks: the chances add up to 1, a balanced count's mean is 0 and KO's the tags' mean per
// card times the cards seen; Hi-Lo's running count is symmetric about 0.
void CountingTest::frequenciesOfAShoe_data() {
    QTest::addColumn<QString>("id");
    QTest::addColumn<int>("seen");
    QTest::newRow("Hi-Lo, half the shoe") << "hilo" << 156;
    QTest::newRow("Zen, three quarters") << "zen" << 234;
    QTest::newRow("KO, a third") << "ko" << 104;
}

void CountingTest::frequenciesOfAShoe() {
    QFETCH(QString, id);
    QFETCH(int, seen);
    const auto system = *counting::systemOfId(id.toStdString());
    std::array<int, 11> shoe{};
    for (int value = 1; value <= 9; ++value)
        shoe[value] = 24;
    shoe[10] = 96;
    const auto counts = counting::runningCounts(system, shoe, seen);
    double sum = 0, mean = 0;
    for (const auto& [count, chance] : counts) {
        sum += chance;
        mean += count * chance;
    }
    QVERIFY(std::abs(sum - 1) < 1e-9);
    QVERIFY(std::abs(mean - seen * system.deckSum() / 52) < 1e-9);
    if (id == "hilo") {
        for (const auto& [count, chance] : counts)
            QVERIFY(std::abs(chance - counts.at(-count)) < 1e-12);
    }
    // By the true count, as the player goes: still adding up to 1.
    double byTrueCount = 0;
    for (const auto& [count, chance] : counting::countFrequencies(system, {}, 6, seen))
        byTrueCount += chance;
    QVERIFY(std::abs(byTrueCount - 1) < 1e-9);
}

// Many depths at once give at each depth what one depth does.
void CountingTest::everyDepthAtOnce_data() {
    QTest::addColumn<QString>("id");
    QTest::addColumn<int>("decks");
    QTest::addColumn<int>("seen");
    QTest::addColumn<int>("rounding");
    QTest::newRow("Hi-Lo, 6 decks") << "hilo" << 6 << 100 << int(Rounding::Floor);
    QTest::newRow("KO, 2 decks") << "ko" << 2 << 40 << int(Rounding::Floor);
    QTest::newRow("Wong Halves, 1 deck, exact") << "halves" << 1 << 20 << int(Rounding::Exact);
}

void CountingTest::everyDepthAtOnce() {
    QFETCH(QString, id);
    QFETCH(int, decks);
    QFETCH(int, seen);
    QFETCH(int, rounding);
    const auto system = *counting::systemOfId(id.toStdString());
    const Conventions conventions{DeckEstimate::Half, Rounding(rounding)};
    std::array<int, 11> shoe{};
    for (int value = 1; value <= 10; ++value)
        shoe[value] = (value == 10 ? 16 : 4) * decks;
    const auto atOnce =
        counting::countsOverDepths(system, conventions, decks, {{seen / 2, 0.0}, {seen, 1.0}});
    const auto one = counting::countFrequencies(system, conventions, decks, seen);
    QCOMPARE(atOnce.frequency.size(), one.size());
    for (const auto& [count, chance] : one) {
        QVERIFY(std::abs(atOnce.frequency.at(count) - chance) < 1e-12);
        const auto left = *counting::expectedLeft(system, conventions, shoe, seen, count);
        for (int value = 1; value <= 10; ++value)
            QVERIFY(std::abs(atOnce.left.at(count)[value] - left[value]) < 1e-9);
    }
}

QTEST_APPLESS_MAIN(CountingTest)
#include "tst_counting.moc"

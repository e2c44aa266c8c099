// The expected-value engine against published exact figures, and the laws its numbers obey.
#include "Analysis.h"
#include "DealerTable.h"
#include "FittedRules.h"
#include "RuleSets.h"
#include "Shoe.h"

#include <QTest>

#include <cmath>

using analysis::Play;
using analysis::Rules;

Q_DECLARE_METATYPE(analysis::Rules)

namespace {

// The rules of the published figures: double any two, double after split, split to four
// hands, no surrender, hole card.
Rules published(int decks, bool hitSoft17) {
    Rules rules;
    rules.decks = decks;
    rules.hitSoft17 = hitSoft17;
    return rules;
}

} // namespace

class AnalysisTest : public QObject {
    Q_OBJECT

private slots:
    void handValues_data();
    void handValues();
    void roundReturn_data();
    void roundReturn();
    void ruleEffects_data();
    void ruleEffects();
    void splitAcesAgainstExact();
    void lawsOfTheNumbers_data();
    void lawsOfTheNumbers();
    void fittedRulesAgreeMost();
};

void AnalysisTest::handValues_data() {
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::addColumn<int>("play");
    QTest::addColumn<double>("expected");
    QTest::addColumn<double>("tolerance");
    // One deck, dealer stands on soft 17, against an ace that is no blackjack.
    QTest::newRow("6,5 stand") << 6 << 5 << int(Play::Stand) << -0.634013 << 1e-6;
    QTest::newRow("6,5 hit") << 6 << 5 << int(Play::Hit) << 0.172946 << 1e-4;
    QTest::newRow("6,5 double") << 6 << 5 << int(Play::Double) << 0.240259 << 1e-6;
    QTest::newRow("A,7 stand") << 1 << 7 << int(Play::Stand) << -0.101015 << 1e-6;
    QTest::newRow("A,7 hit") << 1 << 7 << int(Play::Hit) << -0.108386 << 1e-4;
    QTest::newRow("A,7 double") << 1 << 7 << int(Play::Double) << -0.357778 << 1e-6;
}

void AnalysisTest::handValues() {
    QFETCH(int, first);
    QFETCH(int, second);
    QFETCH(int, play);
    QFETCH(double, expected);
    QFETCH(double, tolerance);
    static const analysis::Analysis analysis(published(1, false));
    const double value = analysis.startingHand(first, second, 1)[Play(play)];
    QVERIFY2(std::abs(value - expected) <= tolerance, qPrintable(QString::number(value, 'f', 6)));
    // A hand given card by card is the same hand.
    QCOMPARE(analysis::analyseHand(published(1, false), {second, first}, 1)[Play(play)], value);
}

void AnalysisTest::roundReturn_data() {
    QTest::addColumn<Rules>("rules");
    QTest::addColumn<double>("expected");
    QTest::newRow("1 deck, stands on soft 17") << published(1, false) << 0.001839;
    QTest::newRow("1 deck, hits soft 17") << published(1, true) << -0.000072;
    QTest::newRow("2 decks, hits soft 17") << published(2, true) << -0.003797;
}

void AnalysisTest::roundReturn() {
    QFETCH(Rules, rules);
    QFETCH(double, expected);
    const double value = analysis::Analysis(rules).roundReturn();
    QVERIFY2(std::abs(value - expected) <= 0.0002, qPrintable(QString::number(value, 'f', 6)));
}

// What one rule changes in a six-deck game's return, against the published rule effects (in per
// cent of the bet, ranges around them): each catches a rule read the wrong way round or twice.
void AnalysisTest::ruleEffects_data() {
    QTest::addColumn<Rules>("changed");
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    auto sixDecks = [](auto change) {
        Rules rules = published(6, false);
        rules.doubleAfterSplit = false;
        change(rules);
        return rules;
    };
    QTest::newRow("dealer hits soft 17")
        << sixDecks([](Rules& r) { r.hitSoft17 = true; }) << -0.26 << -0.17;
    QTest::newRow("double after split")
        << sixDecks([](Rules& r) { r.doubleAfterSplit = true; }) << 0.11 << 0.17;
    QTest::newRow("late surrender")
        << sixDecks([](Rules& r) { r.surrender = true; }) << 0.05 << 0.10;
    QTest::newRow("blackjack pays 6:5")
        << sixDecks([](Rules& r) { r.sixToFive = true; }) << -1.50 << -1.25;
    QTest::newRow("double on 10 and 11")
        << sixDecks([](Rules& r) { r.doubling = analysis::Doubling::TenOrEleven; }) << -0.22
        << -0.14;
    QTest::newRow("double on 9 to 11")
        << sixDecks([](Rules& r) { r.doubling = analysis::Doubling::NineToEleven; }) << -0.12
        << -0.06;
    QTest::newRow("split to 2 hands")
        << sixDecks([](Rules& r) { r.splitHands = 2; }) << -0.06 << -0.02;
    QTest::newRow("no hole card") << sixDecks([](Rules& r) { r.holeCard = false; }) << -0.14
                                  << -0.08;
    QTest::newRow("1 deck") << sixDecks([](Rules& r) { r.decks = 1; }) << 0.45 << 0.65;
    QTest::newRow("2 decks") << sixDecks([](Rules& r) { r.decks = 2; }) << 0.17 << 0.27;
    QTest::newRow("8 decks") << sixDecks([](Rules& r) { r.decks = 8; }) << -0.04 << -0.01;
}

void AnalysisTest::ruleEffects() {
    QFETCH(Rules, changed);
    QFETCH(double, low);
    QFETCH(double, high);
    Rules base = published(6, false);
    base.doubleAfterSplit = false;
    static const double baseReturn = analysis::Analysis(base).roundReturn();
    const double effect = 100 * (analysis::Analysis(changed).roundReturn() - baseReturn);
    QVERIFY2(effect >= low && effect <= high, qPrintable(QString::number(effect, 'f', 3)));
}

// Split aces take one card each, so their exact value is a sum over both hands' cards with
// all four out of the shoe. The engine values each hand without the other's card, which is the
// same: an unseen card taken out at random leaves the dealer's chances as they were. One deck,
// where a card out matters most.
void AnalysisTest::splitAcesAgainstExact() {
    const Rules rules = published(1, false);
    const analysis::Analysis engine(rules);
    auto versus = [](int total, const analysis::Distribution& d) {
        double value = d[analysis::DealerBust] - d[analysis::DealerBlackjack];
        for (int o = analysis::Dealer17; o <= analysis::Dealer21; ++o) {
            value += total > 17 + o ? d[o] : total < 17 + o ? -d[o] : 0;
        }
        return value;
    };
    double worst = 0;
    for (int up = 1; up <= 10; ++up) {
        const analysis::DealerTable dealer(up, rules.hitSoft17, rules.holeCard);
        analysis::Shoe shoe = analysis::Shoe::ofDecks(1);
        for (int card : {up, 1, 1})
            shoe.take(card);
        const double noBlackjack = 1 - dealer.blackjackChance(shoe);
        double exact = 0;
        for (int first = 1; first <= 10; ++first) {
            const double p1 = shoe.chance(first);
            if (p1 == 0) continue;
            shoe.take(first);
            for (int second = 1; second <= 10; ++second) {
                const double p2 = shoe.chance(second);
                if (p2 == 0) continue;
                shoe.take(second);
                const analysis::Distribution d = dealer.outcomes(shoe);
                exact += p1 * p2 *
                         (versus(analysis::holding({1, first}).total(), d) +
                          versus(analysis::holding({1, second}).total(), d));
                shoe.putBack(second);
            }
            shoe.putBack(first);
        }
        const double error = engine.startingHand(1, 1, up)[Play::Split] - exact / noBlackjack;
        worst = std::max(worst, std::abs(error));
    }
    QVERIFY2(worst < 1e-9, qPrintable(QString::number(worst, 'g', 3)));
}

void AnalysisTest::lawsOfTheNumbers_data() {
    QTest::addColumn<Rules>("rules");
    Rules european = published(8, true);
    european.holeCard = false;
    european.surrender = true;
    european.doubling = analysis::Doubling::NineToEleven;
    Rules sixToFive = published(1, false);
    sixToFive.sixToFive = true;
    sixToFive.surrender = true;
    sixToFive.splitHands = 2;
    QTest::newRow("8 decks, hits soft 17, no hole card") << european;
    QTest::newRow("1 deck, 6:5, surrender, two hands") << sixToFive;
}

void AnalysisTest::lawsOfTheNumbers() {
    QFETCH(Rules, rules);
    // The dealer's outcomes add up to the chance of no blackjack where the dealer checks, and
    // to 1 where the blackjack is one of them; for a full shoe and for one played far down.
    analysis::Shoe full = analysis::Shoe::ofDecks(rules.decks);
    analysis::Shoe down = full;
    for (int value : {10, 10, 10, 5, 6, 1, 1, 9, 2, 2})
        down.take(value);
    for (int up = 1; up <= 10; ++up) {
        for (analysis::Shoe shoe : {full, down}) {
            shoe.take(up);
            for (bool holeCard : {true, false}) {
                const analysis::DealerTable dealer(up, rules.hitSoft17, holeCard);
                double sum = 0;
                for (double chance : dealer.outcomes(shoe))
                    sum += chance;
                const double expected = holeCard ? 1 - dealer.blackjackChance(shoe) : 1.0;
                QVERIFY2(std::abs(sum - expected) < 1e-12, qPrintable(QString::number(up)));
            }
        }
    }
    // Every value lies within what the play can win or lose.
    const analysis::Analysis analysis(rules);
    const double bounds[] = {1, 1, 2, 2.0 * 2 * rules.splitHands, 1};
    for (int first = 1; first <= 10; ++first) {
        for (int second = first; second <= 10; ++second) {
            if (first == 1 && second == 10) continue;
            for (int up = 1; up <= 10; ++up) {
                const analysis::PlayValues& values = analysis.startingHand(first, second, up);
                QVERIFY(values.allows(Play::Stand) && values.allows(Play::Hit));
                QCOMPARE(values.allows(Play::Split), first == second);
                for (Play play : analysis::kAllPlays) {
                    const double value = values[play];
                    QVERIFY2(!values.allows(play) || std::abs(value) <= bounds[int(play)],
                             qPrintable(QString("%1,%2 v %3").arg(first).arg(second).arg(up)));
                }
                if (rules.surrender) {
                    QVERIFY(values[Play::Surrender] <= -0.5 && values[Play::Surrender] >= -1);
                }
            }
        }
    }
}

// The rules written on each chart agree with the table at least as well as the rules the table
// suggests, and the count written is the count of those rules.
void AnalysisTest::fittedRulesAgreeMost() {
    const auto suggested = charts::suggestedRules();
    for (std::size_t i = 0; i < suggested.size(); ++i) {
        const auto table = strategy::kRuleSets[i].advise;
        const analysis::Fit& fit = charts::kFittedRules[i];
        QCOMPARE(analysis::agreement(analysis::Analysis(fit.rules), table), fit.agreeing);
        QVERIFY(fit.agreeing >= analysis::agreement(analysis::Analysis(suggested[i]), table));
    }
}

QTEST_APPLESS_MAIN(AnalysisTest)
#include "tst_analysis.moc"

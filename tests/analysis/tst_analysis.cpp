// The expected-value engine against published exact figures, and the laws its numbers obey.
#include "Analysis.h"
#include "DealerTable.h"
#include "FittedRules.h"
#include "KnownCharts.h"
#include "Shoe.h"

#include <QFile>
#include <QTest>

#include <cmath>
#include <unordered_map>

using analysis::Play;
using rules::Rules;

Q_DECLARE_METATYPE(rules::Rules)

namespace {

// The rules of the published figures: double any two, double after split, split to four
// hands, no surrender, hole card.
Rules published(int decks, bool hitSoft17) {
    Rules rules;
    rules.decks = decks;
    rules.hitSoft17 = hitSoft17;
    return rules;
}

// Every order in which the cards can fall to the hands of a split and the dealer, played one by
// one from a deck of values: the split's value by plain enumeration, with its own best-play
// search for the strategy's choices. Small decks only.
class EveryOrder {
public:
    EveryOrder(int pair, int up, int most, rules::PostSplit postSplit)
        : pair_(pair), up_(up), most_(most), postSplit_(postSplit) {}

    double split() {
        Deck deck = full();
        for (int card : {up_, pair_, pair_})
            take(deck, card);
        std::vector<Hand> hands{{{pair_}, 1}, {{pair_}, 1}};
        return play(deck, hands, 0, 2);
    }

private:
    using Deck = std::array<int, 11>; // index 0: the cards left
    struct Hand {
        std::vector<int> cards;
        int bet;
    };
    using Outcomes = std::array<double, 6>; // dealer 17..21, bust

    static void take(Deck& deck, int card) {
        --deck[card];
        --deck[0];
    }
    static void putBack(Deck& deck, int card) {
        ++deck[card];
        ++deck[0];
    }
    static Deck full() {
        Deck deck{};
        for (int v = 1; v <= 10; ++v)
            deck[v] = v == 10 ? 16 : 4;
        deck[0] = 52;
        return deck;
    }
    static int total(const std::vector<int>& cards) {
        int sum = 0;
        bool ace = false;
        for (int c : cards) {
            sum += c;
            ace = ace || c == 1;
        }
        return ace && sum + 10 <= 21 ? sum + 10 : sum;
    }
    static long key(const Deck& deck) {
        long k = 0;
        for (int v = 1; v <= 10; ++v)
            k = k * 17 + deck[v];
        return k;
    }

    // The dealer, standing on soft 17, from the up card (2 to 9: no blackjack to check).
    const Outcomes& dealer(Deck& deck) {
        const long k = key(deck);
        auto found = dealer_.find(k);
        if (found != dealer_.end()) return found->second;
        Outcomes outcomes{};
        std::vector<int> cards{up_};
        draw(deck, cards, 1.0, outcomes);
        return dealer_.emplace(k, outcomes).first->second;
    }
    void draw(Deck& deck, std::vector<int>& cards, double chance, Outcomes& outcomes) {
        const int t = total(cards);
        if (t > 21) {
            outcomes[5] += chance;
            return;
        }
        if (t >= 17) {
            outcomes[t - 17] += chance;
            return;
        }
        for (int c = 1; c <= 10; ++c) {
            if (deck[c] == 0) continue;
            const double p = double(deck[c]) / deck[0];
            take(deck, c);
            cards.push_back(c);
            draw(deck, cards, chance * p, outcomes);
            cards.pop_back();
            putBack(deck, c);
        }
    }
    static double versus(int t, const Outcomes& d) {
        if (t > 21) return -1;
        double value = d[5];
        for (int o = 0; o < 5; ++o)
            value += t > 17 + o ? d[o] : t < 17 + o ? -d[o] : 0;
        return value;
    }

    // The best play for these cards in this deck (stand 0, hit 1, double 2) and its value.
    std::pair<int, double> best(Deck& deck, std::vector<int>& cards) {
        const int t = total(cards);
        if (t >= 21) return {0, versus(t, dealer(deck))};
        const long k = key(deck) * 64 + long(cards.size());
        auto found = best_.find(k);
        if (found != best_.end()) return found->second;
        std::pair<int, double> choice{0, versus(t, dealer(deck))};
        double hit = 0, twice = 0;
        for (int c = 1; c <= 10; ++c) {
            if (deck[c] == 0) continue;
            const double p = double(deck[c]) / deck[0];
            take(deck, c);
            cards.push_back(c);
            hit += p * best(deck, cards).second;
            twice += 2 * p * versus(total(cards), dealer(deck));
            cards.pop_back();
            putBack(deck, c);
        }
        if (hit > choice.second) choice = {1, hit};
        if (cards.size() == 2 && twice > choice.second) choice = {2, twice};
        return best_.emplace(k, choice).first->second;
    }

    // The strategy's choice: best for the full deck less the up card, the hand's cards and,
    // for CDP1, the other pair card.
    int choose(const std::vector<int>& cards) {
        Deck deck = full();
        take(deck, up_);
        if (postSplit_ == rules::PostSplit::CDP1) take(deck, pair_);
        for (int c : cards)
            take(deck, c);
        std::vector<int> held = cards;
        return best(deck, held).first;
    }

    // Hands before `current` are done; the others are played in turn, then the dealer.
    double play(Deck& deck, std::vector<Hand>& hands, std::size_t current, int made) {
        if (current == hands.size()) {
            const Outcomes& d = dealer(deck);
            double sum = 0;
            for (const Hand& h : hands)
                sum += h.bet * versus(total(h.cards), d);
            return sum;
        }
        Hand& hand = hands[current];
        const int t = total(hand.cards);
        const bool second = hand.cards.size() == 1;
        int choice = 0;
        if (second) {
            choice = 1;
        } else if (t < 21 && hand.bet == 1) {
            choice = choose(hand.cards);
        }
        if (choice == 0) return play(deck, hands, current + 1, made);
        double sum = 0;
        for (int c = 1; c <= 10; ++c) {
            if (deck[c] == 0) continue;
            const double p = double(deck[c]) / deck[0];
            take(deck, c);
            if (second && c == pair_ && made < most_) {
                hands.push_back({{pair_}, 1});
                sum += p * play(deck, hands, current, made + 1);
                hands.pop_back();
            } else {
                hands[current].cards.push_back(c);
                if (choice == 2) hands[current].bet = 2;
                const bool done = choice == 2 || total(hands[current].cards) > 21;
                sum += p * play(deck, hands, done ? current + 1 : current, made);
                hands[current].bet = 1;
                hands[current].cards.pop_back();
            }
            putBack(deck, c);
        }
        return sum;
    }

    int pair_, up_, most_;
    rules::PostSplit postSplit_;
    std::unordered_map<long, Outcomes> dealer_;
    std::unordered_map<long, std::pair<int, double>> best_;
};

// A whole table of exact values from an independent calculator: card1,card2,up, then stand,
// hit, double, split, surrender (empty where not allowed), best; the last line the return.
struct ExactTable {
    struct Row {
        int first, second, up;
        std::array<QString, 4> values; // stand, hit, double, split
    };
    std::vector<Row> rows;
    double roundReturn = 0;
};

ExactTable readExactTable(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        qFatal("cannot read %s", qPrintable(path));
    ExactTable table;
    auto card = [](const QString& text) { return text == "A" ? 1 : text.toInt(); };
    file.readLine(); // the column names
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith('#')) {
            table.roundReturn = line.section(':', 1).trimmed().toDouble();
            continue;
        }
        const QStringList f = line.split(',');
        if (f.size() < 9) continue;
        table.rows.push_back({card(f[0]), card(f[1]), card(f[2]), {f[3], f[4], f[5], f[6]}});
    }
    return table;
}

} // namespace

class AnalysisTest : public QObject {
    Q_OBJECT

private slots:
    void rulesOutOfReachRefused_data();
    void rulesOutOfReachRefused();
    void shoeLessDecksIsFewerDecks_data();
    void shoeLessDecksIsFewerDecks();
    void smallShoesAgainstEveryCard_data();
    void smallShoesAgainstEveryCard();
    void handValues_data();
    void handValues();
    void roundReturn_data();
    void roundReturn();
    void ruleEffects_data();
    void ruleEffects();
    void splitAcesAgainstExact();
    void splitsAgainstEveryOrder_data();
    void splitsAgainstEveryOrder();
    void wholeTablesAgainstExact_data();
    void wholeTablesAgainstExact();
    void lawsOfTheNumbers_data();
    void lawsOfTheNumbers();
    void fittedRulesAgreeMost();
    void fractionalShoes_data();
    void fractionalShoes();
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
        << sixDecks([](Rules& r) { r.doubling = rules::Doubling::TenOrEleven; }) << -0.22 << -0.14;
    QTest::newRow("double on 9 to 11")
        << sixDecks([](Rules& r) { r.doubling = rules::Doubling::NineToEleven; }) << -0.12 << -0.06;
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

// Resplits by the engine's sum over patterns against every order of the cards, split to three
// hands from one deck, where a card out matters most. CDP's choices follow pair cards a hand
// may not have seen yet, so no order of cards plays it: the calculator's tables check it.
void AnalysisTest::splitsAgainstEveryOrder_data() {
    QTest::addColumn<int>("pair");
    QTest::addColumn<int>("up");
    QTest::addColumn<int>("postSplit");
    for (auto postSplit : {rules::PostSplit::CDZ, rules::PostSplit::CDP1}) {
        const QString name = QString::fromStdString(rules::postSplitName(postSplit));
        for (auto [pair, up] : {std::pair{10, 5}, {10, 6}, {8, 6}, {9, 6}}) {
            QTest::addRow("%d,%d v %d, %s", pair, pair, up, qPrintable(name))
                << pair << up << int(postSplit);
        }
    }
    QTest::newRow("3,3 v 4, CDP1, hands that hit") << 3 << 4 << int(rules::PostSplit::CDP1);
}

void AnalysisTest::splitsAgainstEveryOrder() {
    QFETCH(int, pair);
    QFETCH(int, up);
    QFETCH(int, postSplit);
    Rules rules = published(1, false);
    rules.splitHands = 3;
    rules.postSplit = rules::PostSplit(postSplit);
    const double engine = analysis::analyseHand(rules, {pair, pair}, up)[Play::Split];
    const double enumerated = EveryOrder(pair, up, 3, rules.postSplit).split();
    QVERIFY2(std::abs(engine - enumerated) < 1e-9,
             qPrintable(QString("%1 v %2").arg(engine, 0, 'f', 9).arg(enumerated, 0, 'f', 9)));
}

// Six whole tables of an independent exact calculator: 2 decks, double any two and after a
// split, split to four hands, no surrender, each post-split strategy. Values are compared as
// both sides round them, to six decimals.
void AnalysisTest::wholeTablesAgainstExact_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<Rules>("rules");
    for (bool hitSoft17 : {false, true}) {
        for (auto postSplit :
             {rules::PostSplit::CDZ, rules::PostSplit::CDP1, rules::PostSplit::CDP}) {
            Rules rules = published(2, hitSoft17);
            rules.postSplit = postSplit;
            const char* strategy = postSplit == rules::PostSplit::CDZ    ? "cdz"
                                   : postSplit == rules::PostSplit::CDP1 ? "cdp1"
                                                                         : "cdp";
            const QString file = QString("ev-2d-%1-doa-das-spl4-nls-%2.csv")
                                     .arg(hitSoft17 ? "h17" : "s17", strategy);
            QTest::newRow(qPrintable(file)) << file << rules;
        }
    }
}

void AnalysisTest::wholeTablesAgainstExact() {
    QFETCH(QString, file);
    QFETCH(Rules, rules);
    const ExactTable table = readExactTable(QStringLiteral(HITWISE_EXACT_TABLES "/") + file);
    QCOMPARE(table.rows.size(), std::size_t(550));
    const analysis::Analysis engine(rules);
    const Play plays[] = {Play::Stand, Play::Hit, Play::Double, Play::Split};
    int compared = 0;
    for (const ExactTable::Row& row : table.rows) {
        if (analysis::isBlackjack(row.first, row.second)) continue;
        const analysis::PlayValues& values = engine.startingHand(row.first, row.second, row.up);
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(values.allows(plays[i]), !row.values[i].isEmpty());
            if (row.values[i].isEmpty()) continue;
            const double ours = std::round(values[plays[i]] * 1e6) / 1e6;
            QVERIFY2(std::abs(ours - row.values[i].toDouble()) <= 1.5e-6,
                     qPrintable(QString("%1,%2 v %3 %4: %5 against %6")
                                    .arg(row.first)
                                    .arg(row.second)
                                    .arg(row.up)
                                    .arg(analysis::playName(plays[i]).data())
                                    .arg(ours, 0, 'f', 6)
                                    .arg(row.values[i])));
            ++compared;
        }
    }
    QVERIFY(compared > 1500);
    QVERIFY2(std::abs(engine.roundReturn() - table.roundReturn) <= 1e-10, // given to 11 decimals
             qPrintable(QString::number(engine.roundReturn(), 'f', 11)));
}

void AnalysisTest::lawsOfTheNumbers_data() {
    QTest::addColumn<Rules>("rules");
    Rules european = published(8, true);
    european.holeCard = false;
    european.surrender = true;
    european.doubling = rules::Doubling::NineToEleven;
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
    for (int i = 0; i < charts::kKnownChartCount; ++i) {
        const auto table = charts::kKnownCharts[i].advise;
        const charts::Fit& fit = charts::fittedRules(i);
        QCOMPARE(charts::agreement(analysis::Analysis(fit.rules), table), fit.agreeing);
        QVERIFY(fit.agreeing >=
                charts::agreement(analysis::Analysis(charts::suggestedRules(i)), table));
    }
}

// Rules past what the engine can value are refused with the reason, never valued.
void AnalysisTest::rulesOutOfReachRefused_data() {
    QTest::addColumn<int>("decks");
    QTest::addColumn<int>("splitHands");
    QTest::addColumn<QString>("problem");
    QTest::newRow("no deck") << 0 << 4 << "decks: 0 is not from 1 to 8";
    QTest::newRow("nine decks") << 9 << 4 << "decks: 9 is not from 1 to 8";
    QTest::newRow("no split") << 6 << 1 << "split hands: 1 is not from 2 to 4";
    QTest::newRow("five hands") << 6 << 5 << "split hands: 5 is not from 2 to 4";
}

void AnalysisTest::rulesOutOfReachRefused() {
    QFETCH(int, decks);
    QFETCH(int, splitHands);
    QFETCH(QString, problem);
    rules::Rules rules;
    rules.decks = decks;
    rules.splitHands = splitHands;
    QCOMPARE(QString::fromStdString(rules.problem()), problem);
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, analysis::Analysis{rules});
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, analysis::analyseHand(rules, {8, 8}, 6));
    QVERIFY(!rules::fromCanonical(rules::canonical(rules)));
}

// A shoe less whole decks is a shoe of fewer decks: every value and chance, exactly.
void AnalysisTest::shoeLessDecksIsFewerDecks_data() {
    QTest::addColumn<int>("decks");
    QTest::addColumn<bool>("hitSoft17");
    QTest::newRow("2 decks less one, S17") << 2 << false;
    QTest::newRow("6 decks less one, H17") << 6 << true;
}

void AnalysisTest::shoeLessDecksIsFewerDecks() {
    QFETCH(int, decks);
    QFETCH(bool, hitSoft17);
    Rules fewer;
    fewer.decks = decks - 1;
    fewer.hitSoft17 = hitSoft17;
    Rules more = fewer;
    more.decks = decks;
    analysis::Shoe shoe = analysis::Shoe::ofDecks(decks);
    for (int value = 1; value <= 10; ++value) {
        for (int i = 0; i < (value == 10 ? 16 : 4); ++i)
            shoe.take(value);
    }
    const analysis::Analysis depleted(more, shoe);
    const analysis::Analysis full(fewer);
    QCOMPARE(depleted.roundReturn(), full.roundReturn());
    for (int first = 1; first <= 10; ++first) {
        for (int second = first; second <= 10; ++second) {
            for (int up = 1; up <= 10; ++up) {
                QCOMPARE(depleted.dealChance(first, second, up),
                         full.dealChance(first, second, up));
                const auto& a = depleted.startingHand(first, second, up);
                const auto& b = full.startingHand(first, second, up);
                for (Play play : analysis::kAllPlays) {
                    QCOMPARE(a.allows(play), b.allows(play));
                    if (a.allows(play)) QCOMPARE(a[play], b[play]);
                }
            }
        }
    }
}

namespace {

// Every card that can come, one after another, from a small shoe: the test's own recursion,
// with nothing of the engine's but the rules. The dealer stands on soft 17. Without a hole card
// the dealer's blackjack takes the bet (doubled, both). With one, the values are given that the
// dealer has none: the hole card is any card still unseen that makes no blackjack with the up
// card (it is no likelier to be one card than the next the player draws), so every value is
// summed jointly with "no blackjack" and divided by its chance at the end; the player never
// sees it.
struct EveryCard {
    std::array<int, 11> shoe{};
    int up = 0;
    bool holeCard = false;

    int total() const {
        int n = 0;
        for (int v = 1; v <= 10; ++v)
            n += shoe[v];
        return n;
    }
    static int count(const std::vector<int>& cards) {
        int hard = 0;
        bool ace = false;
        for (int c : cards) {
            hard += c;
            ace = ace || c == 1;
        }
        return ace && hard + 10 <= 21 ? hard + 10 : hard;
    }
    template <typename F> double overNext(F f) {
        const int n = total();
        double sum = 0;
        for (int v = 1; v <= 10; ++v) {
            if (shoe[v] == 0) continue;
            const double chance = double(shoe[v]) / n;
            --shoe[v];
            sum += chance * f(v);
            ++shoe[v];
        }
        return sum;
    }
    static bool blackjack(int up, int hole) { return count({up, hole}) == 21; }
    // The chance that the hole card makes no blackjack, from the cards unseen.
    double noBlackjack() {
        if (!holeCard) return 1;
        return overNext([&](int h) { return blackjack(up, h) ? 0.0 : 1.0; });
    }
    // What standing on `player` wins once the dealer, holding `dealer`, plays out.
    double dealerPlays(std::vector<int> dealer, int player) {
        const int d = count(dealer);
        if (dealer.size() == 2 && d == 21) return -1; // a blackjack, no hole card to check
        if (d > 21) return 1;
        if (d >= 17) return player > d ? 1 : player < d ? -1 : 0;
        return overNext([&](int v) {
            std::vector<int> next = dealer;
            next.push_back(v);
            return dealerPlays(next, player);
        });
    }
    double stand(const std::vector<int>& hand) {
        if (count(hand) > 21) return -noBlackjack();
        if (!holeCard) return dealerPlays({up}, count(hand));
        return overNext([&](int h) {
            return blackjack(up, h) ? 0.0 : dealerPlays({up, h}, count(hand));
        });
    }
    double best(const std::vector<int>& hand) {
        const double standing = stand(hand);
        if (count(hand) >= 21) return standing;
        return std::max(standing, hit(hand));
    }
    double hit(const std::vector<int>& hand) {
        return overNext([&](int v) {
            std::vector<int> next = hand;
            next.push_back(v);
            return count(next) > 21 ? -noBlackjack() : best(next);
        });
    }
    double doubleDown(const std::vector<int>& hand) {
        return 2 * overNext([&](int v) {
                   std::vector<int> next = hand;
                   next.push_back(v);
                   return stand(next);
               });
    }
};

} // namespace

// Standing, hitting and doubling from two small odd shoes, against every card that can come.
void AnalysisTest::smallShoesAgainstEveryCard_data() {
    QTest::addColumn<QString>("hand");
    QTest::addColumn<int>("up");
    QTest::addColumn<bool>("holeCard");
    QTest::addColumn<int>("which");
    for (int which = 0; which < 2; ++which) {
        for (bool hole : {false, true}) {
            const char* where = which == 0 ? "shoe 1" : "shoe 2";
            const char* rule = hole ? "hole card" : "no hole card";
            QTest::addRow("%s, %s: 10,6 v 10", where, rule) << "10,6" << 10 << hole << which;
            QTest::addRow("%s, %s: 9,2 v 6", where, rule) << "9,2" << 6 << hole << which;
            QTest::addRow("%s, %s: A,7 v 9", where, rule) << "1,7" << 9 << hole << which;
            QTest::addRow("%s, %s: 10,2 v A", where, rule) << "10,2" << 1 << hole << which;
            QTest::addRow("%s, %s: 5,4,3 v 7", where, rule) << "5,4,3" << 7 << hole << which;
        }
    }
}

void AnalysisTest::smallShoesAgainstEveryCard() {
    QFETCH(QString, hand);
    QFETCH(int, up);
    QFETCH(bool, holeCard);
    QFETCH(int, which);
    const std::array<int, 11> shoes[] = {{0, 3, 2, 3, 2, 3, 2, 2, 3, 2, 9},
                                         {0, 1, 4, 1, 3, 1, 3, 1, 1, 4, 12}};
    std::vector<int> cards;
    for (const QString& card : hand.split(','))
        cards.push_back(card.toInt());
    Rules rules;
    rules.holeCard = holeCard;
    rules.doubleAfterSplit = false;
    const analysis::PlayValues values =
        analysis::analyseHand(rules, analysis::Shoe::ofCounts(shoes[which]), cards, up);
    EveryCard every{shoes[which], up, holeCard};
    for (int card : cards)
        --every.shoe[card];
    --every.shoe[up];
    const double given = every.noBlackjack();
    const double stand = every.stand(cards) / given;
    const double hit = every.hit(cards) / given;
    QVERIFY2(std::abs(values[Play::Stand] - stand) < 1e-12,
             qPrintable(QString("stand %1 against %2").arg(values[Play::Stand]).arg(stand)));
    QVERIFY2(std::abs(values[Play::Hit] - hit) < 1e-12,
             qPrintable(QString("hit %1 against %2").arg(values[Play::Hit]).arg(hit)));
    if (cards.size() == 2) {
        const double twice = every.doubleDown(cards) / given;
        QVERIFY2(std::abs(values[Play::Double] - twice) < 1e-12,
                 qPrintable(QString("double %1 against %2").arg(values[Play::Double]).arg(twice)));
    }
}

// A shoe with half a card more of one value lies halfway between the two whole shoes, to the
// second order; the chances of every deal still add up to 1, and the round's moments kept by the
// analysis are those roundMoments() works out on its own.
void AnalysisTest::fractionalShoes_data() {
    QTest::addColumn<int>("decks");
    QTest::addColumn<int>("value");
    QTest::addColumn<double>("within"); // of a bet, between the halfway round and the shoe's
    QTest::addColumn<double>("hand");   // the same for hitting 16 against a ten
    QTest::newRow("1 deck, an ace") << 1 << 1 << 1e-4 << 5e-4;
    QTest::newRow("1 deck, a five") << 1 << 5 << 1e-4 << 5e-4;
    QTest::newRow("3 decks, a ten") << 3 << 10 << 3e-5 << 5e-5;
}

void AnalysisTest::fractionalShoes() {
    QFETCH(int, decks);
    QFETCH(int, value);
    QFETCH(double, within);
    QFETCH(double, hand);
    rules::Rules rules;
    rules.decks = decks;
    const analysis::Shoe fewer = analysis::Shoe::ofDecks(decks);
    analysis::Shoe more = fewer;
    more.putBack(value);
    std::array<double, 11> half = fewer.count;
    half[value] += 0.5;
    const analysis::OwnChooser best = [](const analysis::Analysis& a, int f, int s, int up) {
        return a.startingHand(f, s, up).best();
    };
    const analysis::Analysis low(rules, fewer), high(rules, more);
    const analysis::Analysis mid(rules, analysis::Shoe::ofFractions(half), best);
    const double halfway = (low.roundReturn() + high.roundReturn()) / 2;
    QVERIFY2(std::abs(mid.roundReturn() - halfway) < within,
             qPrintable(QString::number(mid.roundReturn() - halfway)));
    const double hit = (low.startingHand(10, 6, 10)[analysis::Play::Hit] +
                        high.startingHand(10, 6, 10)[analysis::Play::Hit]) /
                       2;
    QVERIFY(std::abs(mid.startingHand(10, 6, 10)[analysis::Play::Hit] - hit) < hand);
    double deals = 0;
    for (int up = 1; up <= 10; ++up) {
        for (int f = 1; f <= 10; ++f) {
            for (int s = f; s <= 10; ++s)
                deals += mid.dealChance(f, s, up);
        }
    }
    QVERIFY(std::abs(deals - 1) < 1e-12);
    const auto alone = analysis::roundMoments(
        rules, mid.shoe(), [&](int f, int s, int up) { return mid.startingHand(f, s, up).best(); });
    QVERIFY(std::abs(mid.moments().second - alone.second) < 1e-12);
    QVERIFY(std::abs(mid.moments().mean - mid.roundReturn()) < 1e-12);
}

QTEST_APPLESS_MAIN(AnalysisTest)
#include "tst_analysis.moc"

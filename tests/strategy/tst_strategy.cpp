// Every hand of the three advice tables, byte for byte against the published tables.
#include "StrategyTables.h"

#include "KnownCharts.h"

#include <QTest>

#include <map>
#include <set>
#include <utility>
#include <vector>

using charts::kKnownCharts;
using strategy::Hand;

namespace {

struct Table {
    const TableRow* rows;
    int rowCount;
    const CatalogueRow* texts;
    int textCount;
};

template <int R, int T> Table table(const TableRow (&rows)[R], const CatalogueRow (&texts)[T]) {
    return {rows, R, texts, T};
}

// Indexed like kKnownCharts.
const Table kTables[] = {table(kSingleDeck, kSingleDeckTexts), table(kMultiDeck, kMultiDeckTexts),
                         table(kEuropean, kEuropeanTexts)};

// Dealer cards in the order of the table's columns: 2 .. 10, then the ace.
constexpr int kColumns[] = {2, 3, 4, 5, 6, 7, 8, 9, 10, 1};

int cardValue(const QString& face) {
    return face == "A" ? 1 : face.toInt();
}

// The ordered player hands (first card, second card) that a table row stands for.
std::vector<std::pair<int, int>> handsOfRow(const QString& label) {
    std::vector<std::pair<int, int>> hands;
    if (label.startsWith("hard ")) {
        const int sum = label.mid(5).toInt();
        for (int a = 2; a <= 10; ++a) {
            const int b = sum - a;
            if (b >= 2 && b <= 10 && a != b) hands.emplace_back(a, b);
        }
        return hands;
    }
    const QStringList cards = label.split(',');
    const int a = cardValue(cards[0]);
    const int b = cardValue(cards[1]);
    hands.emplace_back(a, b);
    if (a != b) hands.emplace_back(b, a);
    return hands;
}

QStringList cellsOf(const TableRow& row) {
    return QString(row.cells).split(' ');
}

QString idOf(const strategy::Advice& advice) {
    return QString::fromLatin1(advice.id.data(), int(advice.id.size()));
}

QString textOf(const strategy::Advice& advice) {
    return QString::fromLatin1(advice.text.data(), int(advice.text.size()));
}

// The cells of a table row, keyed by dealer card value.
std::map<int, QString> rowByDealer(const Table& t, const QString& hand) {
    std::map<int, QString> byDealer;
    for (int r = 0; r < t.rowCount; ++r) {
        if (hand == t.rows[r].hand) {
            const QStringList cells = cellsOf(t.rows[r]);
            for (int c = 0; c < 10; ++c)
                byDealer[kColumns[c]] = cells[c];
        }
    }
    return byDealer;
}

} // namespace

class StrategyTest : public QObject {
    Q_OBJECT

private slots:
    void tableRowsCoverEveryHandOnce();
    void everyHand_data();
    void everyHand();
    void loneFirstCard_data();
    void loneFirstCard();
    void catalogue_data();
    void catalogue();
    void orderOfRulesDecides_data();
    void orderOfRulesDecides();
    void valuesOutsideTheCardsStillAnswer();
};

void StrategyTest::tableRowsCoverEveryHandOnce() {
    for (const Table& t : kTables) {
        QCOMPARE(t.rowCount, 34);
        std::set<std::pair<int, int>> seen;
        for (int r = 0; r < t.rowCount; ++r) {
            QCOMPARE(cellsOf(t.rows[r]).size(), 10);
            for (const auto& hand : handsOfRow(t.rows[r].hand)) {
                QVERIFY2(seen.insert(hand).second, t.rows[r].hand);
            }
        }
        QCOMPARE(int(seen.size()), 100); // with 10 dealer cards: all 1,000 combinations
    }
}

void StrategyTest::everyHand_data() {
    QTest::addColumn<int>("ruleSet");
    QTest::addColumn<QString>("hand");
    QTest::addColumn<QStringList>("cells");
    for (int rs = 0; rs < 3; ++rs) {
        for (int r = 0; r < kTables[rs].rowCount; ++r) {
            const TableRow& row = kTables[rs].rows[r];
            QTest::addRow("%d: %s", rs, row.hand) << rs << QString(row.hand) << cellsOf(row);
        }
    }
}

void StrategyTest::everyHand() {
    QFETCH(int, ruleSet);
    QFETCH(QString, hand);
    QFETCH(QStringList, cells);
    for (int c = 0; c < 10; ++c) {
        const strategy::Advice* expected = strategy::findAdvice(cells[c].toStdString());
        QVERIFY2(expected, qPrintable(cells[c]));
        for (const auto& [first, second] : handsOfRow(hand)) {
            const Hand h{first, second, kColumns[c]};
            const strategy::Advice& got = kKnownCharts[ruleSet].advise(h);
            QVERIFY2(got.text == expected->text,
                     qPrintable(QString("%1,%2 against %3: got %4 \"%5\", want %6")
                                    .arg(first)
                                    .arg(second)
                                    .arg(kColumns[c])
                                    .arg(idOf(got), textOf(got), cells[c])));
        }
    }
}

// A second card whose picture failed leaves PlayerCard2 at 0: a lone ace splits, any other card
// is answered like the hard total of its own value (2 to 7 always hit).
void StrategyTest::loneFirstCard_data() {
    QTest::addColumn<int>("ruleSet");
    QTest::addColumn<int>("card");
    for (int rs = 0; rs < 3; ++rs) {
        for (int card = 1; card <= 10; ++card)
            QTest::addRow("%d: %d", rs, card) << rs << card;
    }
}

void StrategyTest::loneFirstCard() {
    QFETCH(int, ruleSet);
    QFETCH(int, card);
    const auto hardRow = rowByDealer(kTables[ruleSet], QString("hard %1").arg(card));
    for (int dealer = 1; dealer <= 10; ++dealer) {
        QString want = "H13";
        if (card == 1) {
            want = "P10+1";
        } else if (card >= 8) {
            want = hardRow.at(dealer);
        }
        const strategy::Advice& got = kKnownCharts[ruleSet].advise(Hand{card, 0, dealer});
        QVERIFY2(
            idOf(got) == want,
            qPrintable(QString("against %1: got %2, want %3").arg(dealer).arg(idOf(got), want)));
    }
}

void StrategyTest::catalogue_data() {
    QTest::addColumn<int>("ruleSet");
    QTest::addColumn<int>("index");
    for (int rs = 0; rs < 3; ++rs) {
        for (int i = 0; i < kTables[rs].textCount; ++i) {
            QTest::addRow("%d: %s", rs, kTables[rs].texts[i].id) << rs << i;
        }
    }
}

// Each text is the catalogue's, with its blanks and length as tabled, used by as many cells.
void StrategyTest::catalogue() {
    QFETCH(int, ruleSet);
    QFETCH(int, index);
    const CatalogueRow& row = kTables[ruleSet].texts[index];
    const strategy::Advice* entry = strategy::findAdvice(row.id);
    QVERIFY(entry);
    QCOMPARE(textOf(*entry), QString(row.text));
    const QString text = row.text;
    QCOMPARE(int(text.size()), row.length);
    int leading = 0;
    while (leading < text.size() && text[leading] == ' ')
        ++leading;
    int trailing = 0;
    while (trailing < text.size() && text[text.size() - 1 - trailing] == ' ')
        ++trailing;
    QCOMPARE(leading, row.leadingBlanks);
    QCOMPARE(trailing, row.trailingBlanks);

    int cells = 0;
    std::set<QString> idsInTable;
    for (int r = 0; r < kTables[ruleSet].rowCount; ++r) {
        for (const QString& cell : cellsOf(kTables[ruleSet].rows[r])) {
            cells += cell == row.id;
            idsInTable.insert(cell);
        }
    }
    QCOMPARE(cells, row.cells);
    // Every id in the table is listed in its catalogue.
    for (const QString& id : idsInTable) {
        bool listed = false;
        for (int i = 0; i < kTables[ruleSet].textCount; ++i)
            listed |= id == kTables[ruleSet].texts[i].id;
        QVERIFY2(listed, qPrintable(id));
    }
}

// Hands where an earlier rule of the cascade takes precedence over a later, more specific one.
void StrategyTest::orderOfRulesDecides_data() {
    QTest::addColumn<int>("ruleSet");
    QTest::addColumn<int>("card1");
    QTest::addColumn<int>("card2");
    QTest::addColumn<int>("dealer");
    QTest::addColumn<QString>("want");
    struct Case {
        const char* name;
        int rs, a, b, d;
        const char* want;
    };
    const Case cases[] = {
        {"single: 8,8 v A is surrender by total 16, not split", 0, 8, 8, 1, "Rh"},
        {"single: 7,7 v A hits apart from other 14s", 0, 7, 7, 1, "H14"},
        {"single: 5,9 v A", 0, 5, 9, 1, "H13"},
        {"single: A,8 v A from the dealer-ace stage", 0, 1, 8, 1, "S11"},
        {"single: A,7 v A from the dealer-ace stage", 0, 7, 1, 1, "S10"},
        {"single: A,A v A splits", 0, 1, 1, 1, "P10"},
        {"single: 9,9 v 7 falls through to total 18", 0, 9, 9, 7, "S11"},
        {"single: hard 10 v A doubles (ace counts 1)", 0, 4, 6, 1, "Dh"},
        {"single: hard 16 v 10 capital Hit", 0, 10, 6, 10, "RH"},
        {"single: 7,7 v 10 surrender to stand", 0, 7, 7, 10, "RS"},
        {"multi: A,10 v A is blackjack before total 11", 1, 10, 1, 1, "BJ11"},
        {"multi: 8,8 v A by total 16", 1, 8, 8, 1, "Rh"},
        {"multi: A,8 v A not caught by total 9", 1, 1, 8, 1, "S11"},
        {"multi: A,7 v A", 1, 1, 7, 1, "H10"},
        {"multi: hard 11 v A", 1, 5, 6, 1, "H14"},
        {"multi: hard 15 v 10", 1, 7, 8, 10, "RH"},
        {"european: A,10 v A is blackjack", 2, 1, 10, 1, "BJ11"},
        {"european: A,9 v A is no hard 10: it stands", 2, 9, 1, 1, "S10"},
        {"european: 8,8 v A by total 16", 2, 8, 8, 1, "H13"},
        {"european: 8,8 v 10 falls through to total 16", 2, 8, 8, 10, "H13"},
        {"european: 2,2 v A from the dealer-ace stage", 2, 2, 2, 1, "H14"},
        {"european: A,A v A", 2, 1, 1, 1, "H10"},
        {"european: hard 9 v 2", 2, 4, 5, 2, "H16"},
        {"european: hard 10 v 10", 2, 3, 7, 10, "H17"},
        {"european: hard 11 v 10", 2, 2, 9, 10, "H15"},
    };
    for (const Case& c : cases) {
        QTest::newRow(c.name) << c.rs << c.a << c.b << c.d << QString(c.want);
    }
}

void StrategyTest::orderOfRulesDecides() {
    QFETCH(int, ruleSet);
    QFETCH(int, card1);
    QFETCH(int, card2);
    QFETCH(int, dealer);
    QFETCH(QString, want);
    QCOMPARE(idOf(kKnownCharts[ruleSet].advise(Hand{card1, card2, dealer})), want);
}

// Values that never reach the tables still get an entry of the catalogue, never a crash.
void StrategyTest::valuesOutsideTheCardsStillAnswer() {
    for (const auto& ruleSet : kKnownCharts) {
        for (int a = -3; a <= 14; ++a) {
            for (int b = -3; b <= 14; ++b) {
                for (int d = -3; d <= 14; ++d) {
                    const strategy::Advice& got = ruleSet.advise(Hand{a, b, d});
                    QVERIFY(strategy::findAdvice(got.id) == &got);
                }
            }
        }
    }
}

QTEST_APPLESS_MAIN(StrategyTest)
#include "tst_strategy.moc"

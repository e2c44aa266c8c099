// The counter's game in its one text form: every option written and read back as the same game;
// a text of before (the counting options alone) and a bad one.
#include "CountOptions.h"
#include "RuleOptions.h"

#include <QTest>

#include <functional>

Q_DECLARE_METATYPE(std::function<void(counting::Game&)>)

class OptionsTest : public QObject {
    Q_OBJECT

private slots:
    void everyOptionReadsBack_data();
    void everyOptionReadsBack();
    void textsOfBefore_data();
    void textsOfBefore();
};

using Change = std::function<void(counting::Game&)>;

// A row for each option: the game differing from the default in it alone.
void OptionsTest::everyOptionReadsBack_data() {
    QTest::addColumn<Change>("change");
    QTest::addColumn<QString>("written");
    const auto row = [](const char* name, Change change, const char* written) {
        QTest::newRow(name) << change << QString::fromLatin1(written);
    };
    row(
        "the default game", [](counting::Game&) {}, "--count=hilo");
    row(
        "--decks", [](counting::Game& g) { g.rules.decks = 2; }, "--decks=2");
    row(
        "--h17", [](counting::Game& g) { g.rules.hitSoft17 = true; }, "--h17");
    row(
        "--no-das", [](counting::Game& g) { g.rules.doubleAfterSplit = false; }, "--no-das");
    row(
        "--surrender", [](counting::Game& g) { g.rules.surrender = true; }, "--surrender");
    row(
        "--no-hole-card", [](counting::Game& g) { g.rules.holeCard = false; }, "--no-hole-card");
    row(
        "--double", [](counting::Game& g) { g.rules.doubling = rules::Doubling::TenOrEleven; },
        "--double=10-11");
    row(
        "--split-hands", [](counting::Game& g) { g.rules.splitHands = 3; }, "--split-hands=3");
    row(
        "--blackjack", [](counting::Game& g) { g.rules.sixToFive = true; }, "--blackjack=6:5");
    row(
        "--post-split", [](counting::Game& g) { g.rules.postSplit = rules::PostSplit::CDZ; },
        "--post-split=cdz");
    row(
        "--count", [](counting::Game& g) { g.system = *counting::systemOfId("ko"); }, "--count=ko");
    row(
        "--tags",
        [](counting::Game& g) {
            g.system = *counting::systemOfTags(
                "A:-1,2:0.5,3:1,4:1,5:1.5,6:1,7:0.5,8:0,9:-0.5,10:-1", nullptr);
        },
        "--tags=A:-1,2:0.5,3:1,4:1,5:1.5,6:1,7:0.5,8:0,9:-0.5,10:-1");
    row(
        "--deck-estimate",
        [](counting::Game& g) { g.conventions.estimate = counting::DeckEstimate::Quarter; },
        "--deck-estimate=quarter");
    row(
        "--tc", [](counting::Game& g) { g.conventions.rounding = counting::Rounding::Truncate; },
        "--tc=truncate");
    row(
        "--depth", [](counting::Game& g) { g.depth = 2.5; }, "--depth=2.5");
    row(
        "--penetration", [](counting::Game& g) { g.penetration = 0.8125; }, "--penetration=0.8125");
    row(
        "--players", [](counting::Game& g) { g.players = 5; }, "--players=5");
    row(
        "--ramp",
        [](counting::Game& g) {
            g.ramp = {{-1, 1}, {2, 2.5}, {4, 12}};
        },
        "--ramp=-1:1,2:2.5,4:12");
    row(
        "--leave-below", [](counting::Game& g) { g.leaveBelow = -2; }, "--leave-below=-2");
    row(
        "--bankroll", [](counting::Game& g) { g.bankroll = 12345.5; }, "--bankroll=12345.5");
    row(
        "--rounds-per-hour", [](counting::Game& g) { g.roundsPerHour = 80; },
        "--rounds-per-hour=80");
    row(
        "--max-spread", [](counting::Game& g) { g.maxSpread = 12; }, "--max-spread=12");
}

void OptionsTest::everyOptionReadsBack() {
    QFETCH(Change, change);
    QFETCH(QString, written);
    counting::Game game;
    game.rules = options::defaultRules();
    game.rules.doubleAfterSplit = true;
    change(game);
    const QString text = options::gameText(game);
    QVERIFY2(text.split(' ').contains(written), qPrintable(text));
    QString error;
    const auto read = options::gameOfText(text, &error);
    QVERIFY2(read, qPrintable(error));
    QVERIFY2(*read == game, qPrintable(options::gameText(*read)));
    QCOMPARE(options::gameText(*read), text);
}

// The drill kept its count as the counting options alone: they read at the default rules. A text
// that is no game says why in one line.
void OptionsTest::textsOfBefore_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("error");
    QTest::newRow("the drill's count of before")
        << "--count=zen --deck-estimate=quarter --tc=truncate --penetration=0.8 "
           "--ramp=1:1,3:4 --bankroll=500 --rounds-per-hour=80"
        << QString();
    QTest::newRow("no count") << "--decks=6"
                              << "--count or --tags";
    QTest::newRow("a bad ramp") << "--count=hilo --ramp=1:x"
                                << "--ramp";
    QTest::newRow("an unknown option") << "--count=hilo --wonging=1"
                                       << "wonging";
    QTest::newRow("a word that is no option") << "--count=hilo now"
                                              << "now";
}

void OptionsTest::textsOfBefore() {
    QFETCH(QString, text);
    QFETCH(QString, error);
    QString why;
    const auto game = options::gameOfText(text, &why);
    QCOMPARE(game.has_value(), error.isEmpty());
    if (!game) {
        QVERIFY2(why.contains(error) && !why.contains('\n'), qPrintable(why));
        return;
    }
    QCOMPARE(options::countWords(*game), "Zen, quarter-deck estimate, truncated");
    QCOMPARE(game->rules, options::defaultRules());
    QCOMPARE(game->bankroll, 500.0);
    QCOMPARE(counting::rampText(game->ramp), "1:1,3:4");
}

QTEST_MAIN(OptionsTest)
#include "tst_options.moc"

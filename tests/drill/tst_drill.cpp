// The drill's dialogs: what they show and what they give back.
#include "CountDialog.h"
#include "CountOptions.h"
#include "DrillSettings.h"
#include "TableDialog.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

using analysis::Play;
using namespace practice;

class DrillTest : public QObject {
    Q_OBJECT

private slots:
    void tableDialogShowsTheHouseEdge();
    void countDialogKeepsWhatItShows();
    void countsKeptBeforeStillRead();
};

// The Your table dialog says what the rules cost as they stand: here 2 decks S17, double after
// split, split to 4, CDP, whose round the independent calculator puts at -0.178469318.
void DrillTest::tableDialogShowsTheHouseEdge() {
    rules::Rules rules;
    rules.decks = 2;
    rules.doubleAfterSplit = true;
    TableDialog dialog(rules);
    auto* label = dialog.findChild<QLabel*>("EdgeLabel");
    QVERIFY(label);
    QTRY_COMPARE_WITH_TIMEOUT(
        label->text(), "These rules: the house keeps 0.18 % a round by the best play.", 120000);
    QCOMPARE(label->accessibleName(), "The house edge of these rules");
}

// The Count dialog edits a copy of the game: what it shows comes back as it was, what it does
// not show is kept; a recent game is chosen again at this table; a ramp that does not read is
// no game.
void DrillTest::countDialogKeepsWhatItShows() {
    counting::Game start;
    start.rules.decks = 6;
    start.system = *counting::systemOfId("zen");
    start.conventions = {counting::DeckEstimate::Quarter, counting::Rounding::Truncate};
    start.penetration = 0.8;
    start.ramp = {{1, 1}, {3, 4}};
    start.bankroll = 500;
    start.roundsPerHour = 80;
    start.players = 3;
    counting::Game recent;
    recent.system = *counting::systemOfId("ko");
    recent.bankroll = 200;
    CountDialog dialog(start, {recent});
    QVERIFY(dialog.game() == start);
    QCOMPARE(options::countWords(*dialog.game()), "Zen, quarter-deck estimate, truncated");
    // A recent game chosen again, at this table's rules.
    auto* box = dialog.findChild<QComboBox*>("RecentBox");
    QCOMPARE(box->count(), 1);
    QCOMPARE(box->itemText(0), "KO, running count from -20");
    box->setCurrentIndex(0);
    emit box->activated(0);
    QCOMPARE(dialog.game()->system.id, "ko");
    QCOMPARE(dialog.game()->bankroll, 200.0);
    QCOMPARE(dialog.game()->rules, start.rules);
    dialog.findChild<QLineEdit*>("RampEdit")->setText("1:x");
    std::string why;
    QVERIFY(!dialog.game(&why) && !why.empty());
}

// The count in force and the last counts as the version before kept them, each a list of its
// counting options: read as games, and still there among the recent ones once a new count is
// chosen.
void DrillTest::countsKeptBeforeStillRead() {
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName("hitwise-test");
    QSettings().clear();
    QSettings().setValue("count", QStringList{"--count=ko", "--bankroll=300"});
    QSettings().setValue("recentCounts", QStringList{"--count=ko\n--bankroll=300",
                                                     "--count=zen\n--tc=truncate"});
    const auto kept = DrillSettings::countGame();
    QVERIFY(kept);
    QCOMPARE(kept->system.id, "ko");
    QCOMPARE(kept->bankroll, 300.0);
    counting::Game chosen;
    chosen.system = *counting::systemOfId("halves");
    DrillSettings::setCountGame(chosen, true);
    QStringList ids;
    for (const counting::Game& game : DrillSettings::recentGames())
        ids << QString::fromStdString(game.system.id);
    QCOMPARE(ids, QStringList({"halves", "ko", "zen"}));
    QCOMPARE(DrillSettings::countGame()->system.id, "halves");
    QSettings().clear();
}

QTEST_MAIN(DrillTest)
#include "tst_drill.moc"

// The drill's dialogs: what they show and what they give back.
#include "CountDialog.h"
#include "CountOptions.h"
#include "TableDialog.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using analysis::Play;
using namespace practice;

class DrillTest : public QObject {
    Q_OBJECT

private slots:
    void tableDialogShowsTheHouseEdge();
    void countDialogKeepsWhatItShows();
};

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

QTEST_MAIN(DrillTest)
#include "tst_drill.moc"

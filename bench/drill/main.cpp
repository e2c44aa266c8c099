// Hitwise Drill: the time from choosing a table in the Rules list to its first deal on the
// screen, alternating between two tables of the player's own (median of RUNS).
//   drill_bench [RUNS]
#include "CountDrill.h"
#include "DrillWindow.h"

using analysis::Play;

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

using namespace practice;

namespace {

// From a decision to its grade against the index play and the exact values of the cards left,
// the whole answer as the window waits for it: 8 decks (the largest shoe), Hi-Lo, splitting
// wherever the hand may (the engine's longest work), a seeded shoe to the cut card and beyond.
int measureCountedPlay(const QString& folder) {
    rules::Rules rules;
    rules.decks = 8;
    rules.doubleAfterSplit = true;
    counting::Game game;
    game.rules = rules;
    game.system = *counting::systemOfId("hilo");
    game.ramp = {{1, 1}, {2, 2}, {3, 4}, {4, 8}};
    // The first time the game is studied (the bench gives it an empty cache folder), then read
    // from the cache as every later start of the same game.
    QElapsedTimer planning;
    planning.start();
    (void)planCount(game);
    const double planned = planning.nsecsElapsed() / 1e9;
    planning.restart();
    const auto plan = planCount(game);
    const double again = planning.nsecsElapsed() / 1e9;
    std::printf("| Keep the count: its plan worked out (the index plays and each count's round, "
                "8 decks, off the window's thread), the first time; again, from the cache | "
                "%.2f s; %.3f s | for reference |\n",
                planned, again);
    PracticeSession session(folder, 3, Table::own(rules), true);
    session.keepCount(plan);
    std::vector<double> times;
    while (times.size() < 400) {
        if (session.view().betting) session.placeBet(1);
        if (session.view().insuring) session.insure(false);
        if (session.view().checkingCount) session.answerRunningCount(session.runningCount());
        if (!session.view().answering) {
            session.dealNext();
            continue;
        }
        const auto& allowed = session.view().allowed;
        const Play play = allowed.allows(Play::Split) ? Play::Split : Play::Stand;
        QElapsedTimer timer;
        timer.start();
        session.answer(play);
        times.push_back(timer.nsecsElapsed() / 1e9);
    }
    std::sort(times.begin(), times.end());
    const double worst = times.back();
    std::printf("| Keep the count: a decision to its grade on the cards left, 8 decks (median / "
                "worst of %zu) | %.4f / %.4f s | at most 0.05: %s |\n",
                times.size(), times[times.size() / 2], worst, worst <= 0.05 ? "met" : "MISSED");
    return worst <= 0.05 ? 0 : 1;
}

// The running-count drill's pace: the time of the last of 30 cards at 5 a second against the
// 5.8 s asked (the first card at once), and the worst card's lateness.
int measurePace() {
    PaceClock clock;
    QElapsedTimer since;
    double worstLate = 0;
    constexpr int kCards = 30;
    constexpr double kPace = 5;
    QObject::connect(&clock, &PaceClock::tick, [&] {
        const double due = clock.ticks() / kPace;
        worstLate = std::max(worstLate, since.nsecsElapsed() / 1e9 - due);
        if (clock.ticks() == kCards - 1) {
            clock.stop();
            QCoreApplication::quit();
        }
    });
    since.start();
    clock.start(kPace);
    QCoreApplication::exec();
    const double took = since.nsecsElapsed() / 1e9;
    const double asked = (kCards - 1) / kPace;
    const double off = std::abs(took - asked) / asked;
    std::printf("| The running-count drill at 5 cards a second: 30 cards (the pace off by; the "
                "latest card) | %.2f %% ; %.1f ms | within 2 %%: %s |\n",
                100 * off, 1000 * worstLate, off <= 0.02 ? "met" : "MISSED");
    return off <= 0.02 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath("config").toUtf8());
    QApplication app(argc, argv);
    QApplication::setOrganizationName("hitwise-bench");
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    rules::Rules one;
    one.decks = 6;
    one.hitSoft17 = true;
    rules::Rules other = one;
    other.decks = 2;
    other.doubleAfterSplit = true;
    QSettings().setValue("recentTables",
                         QStringList{Table::own(one).key(), Table::own(other).key()});
    DrillWindow::Start start;
    start.table = Table::own(one);
    start.playOut = true;
    DrillWindow window(home.filePath("data"), home.path(), start);
    window.show();
    QApplication::processEvents();
    auto* rules = window.findChild<QComboBox*>("RuleSetBox");
    auto* hand = window.findChild<QLabel*>("HandLabel");
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const int index = rules->findText(Table::own(i % 2 ? one : other).name());
        if (index < 0) {
            std::fprintf(stderr, "drill_bench: the table is not in the list\n");
            return 1;
        }
        const QString before = hand->text();
        QElapsedTimer timer;
        timer.start();
        rules->setCurrentIndex(index);
        emit rules->activated(index);
        while (hand->text() == before)
            QApplication::processEvents();
        window.repaint(); // on the screen, not just decided
        times.push_back(timer.nsecsElapsed() / 1e9);
    }
    std::sort(times.begin(), times.end());
    std::printf(
        "| Hitwise Drill: choosing a table to its first deal | %.4f / %.4f s | at most 0.3: "
        "%s |\n",
        times.front(), times[times.size() / 2], times[times.size() / 2] <= 0.3 ? "met" : "MISSED");
    return measureCountedPlay(home.filePath("counted")) | measurePace();
}

#pragma once

// Practice: the drill's logic, Qt Core only, no window.
//
// How the parts meet: a PracticeSession holds the Table in force (one of the known charts or the
// player's own rules), deals a hand with the HandDealer (leaning on the weak spots the History
// keeps) or plays a Round out from a CardShoe, grades each answer with grade() (the chart, or the
// engine's best play), records it in the History and says what is to be shown in a PracticeView,
// in words (PracticeText, RoundView) as a screen reader reads them. The History's HistoryStore
// keeps every answer in SQLite (HistorySchema: the schema and its migrations; HistoryRows: how a
// row writes an answer) with what is shown at once, the AnswerStats, kept up to date in the same
// transaction; HistoryQueries reads the rest when it is asked for, and checks the whole file
// off the window's thread. Edge turns the statistics into what the player's
// mistakes cost. The window only shows the view and passes the player's choices on.
//
// With a count: the CountInForce holds the counter's game (counting::Game, its rules the
// table's) and works out off the window's thread its CountPlan (the index plays and each
// count's round, from the count lab), the index chart and the game's figures. With the plan,
// the session plays the shoe with the count through KeepCount (bets, insurance, decisions graded
// against the index play and the cards left, count checks); until the plan is there, no card is
// dealt. CountDrill deals and grades the Count tab's drills at a PaceClock's steady pace; the
// History keeps every answer of counting too; CounterEdge prices each kind of counting mistake.

#include "CountPlan.h"
#include "Grading.h"
#include "HandDealer.h"
#include "History.h"
#include "KeepCount.h"
#include "PracticeView.h"
#include "Round.h"
#include "Table.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace practice {

class PracticeSession {
public:
    // The history lives in dataFolder; every shoe and hand comes from the seed.
    PracticeSession(const QString& dataFolder, std::uint32_t seed, const Table& table,
                    bool playOut);

    const Table& table() const { return table_; }
    bool playOut() const { return playOut_; }
    History& history() { return history_; }
    const History& history() const { return history_; }
    const PracticeView& view() const { return view_; }

    // A new table: a new shoe, and the next hand dealt. The count is no longer kept: its plan
    // was for the rules before.
    void useTable(const Table& table);
    // Single hands or whole rounds; the hand on the table is taken back unanswered.
    void setPlayOut(bool playOut);
    void setDealKind(DealKind kind);
    // Single hands of this cell until the kind of deal changes.
    void study(const GridCell& cell);

    // The next hand or round, when nothing is waiting for an answer.
    void dealNext();
    // An answer to the hand on the table: graded, recorded before anything else, and shown.
    // False when it is not taken (nothing asked, or a play the hand may not make in a round:
    // the feedback then says so and nothing else changes).
    bool answer(analysis::Play play);
    // The cell of the grid the last answer changed, once.
    std::optional<GridCell> takeChangedCell();

    // "This session: 3 of 4 right (75 %). All time with these rules: …"
    QString scoreText() const;

    // Playing the shoe with the count of this plan (KeepCount). Nothing turns it off; a new
    // table, single hands or keepCount(nullptr) do. Without a plan yet, planCount() waits for
    // it with nothing dealt: the view says why.
    void keepCount(std::shared_ptr<const CountPlan> plan);
    void awaitPlan();
    bool keepsCount() const { return keep_.active() || view_.planning; }
    // A shoe of these cards in this order from the next round on (never shuffled): for a round
    // whose every card is known.
    void useStackedShoe(std::vector<cards::Card> cards);
    // Keeping the count: the bet of the next round, insurance, the running count at a count
    // check, and the count shown or hidden.
    bool placeBet(double units) { return keep_.placeBet(units); }
    bool insure(bool insure) { return keep_.insure(insure); }
    bool answerRunningCount(double count) { return keep_.answerRunningCount(count); }
    void toggleCount() { keep_.toggleCount(); }
    // The running count of the cards the player has seen, and the cards they have not.
    double runningCount() const { return keep_.runningCount(); }
    std::array<int, 11> unseen() const { return keep_.unseen(); }
    static constexpr double kCheckChance = KeepCount::kCheckChance;

private:
    void showDeal();
    void startRound();
    void showRound();
    void answerDeal(analysis::Play play);
    bool answerRound(analysis::Play play);
    void record(const Answer& answer);

    History history_;
    HandDealer dealer_;
    std::uint32_t seed_;
    Table table_;
    bool playOut_ = false;
    DealKind kind_ = DealKind::EveryHand;
    std::unique_ptr<CardShoe> shoe_;
    std::unique_ptr<Round> round_;
    QStringList roundLog_; // the round's decisions and grades
    int position_ = 0;     // decisions so far in the round
    Deal deal_;
    std::optional<GridCell> studyCell_;
    std::optional<GridCell> changedCell_;
    int tries_ = 0;
    int rights_ = 0;
    PracticeView view_;
    KeepCount keep_;
};

} // namespace practice

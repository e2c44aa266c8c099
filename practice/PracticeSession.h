#pragma once

// Practice: the drill's logic, Qt Core only, no window.
//
// How the parts meet: a PracticeSession holds the Table in force (one of the known charts or the
// player's own rules), deals a hand with the HandDealer (leaning on the weak spots the History
// keeps) or plays a Round out from a CardShoe, grades each answer with grade() (the chart, or the
// engine's best play), records it in the History (its SQLite HistoryStore and the AnswerStats
// read from it) and says what is to be shown in a PracticeView, in words (PracticeText) as a
// screen reader reads them. Edge turns the statistics into what the player's mistakes cost. The
// window only shows the view and passes the player's choices on.
//
// With a count: a CountPlan (the index plays and each count's round, from the count lab) lets
// the session keep the count through a shoe (PracticeCount.cpp: bets, insurance, decisions
// graded against the index play and the cards left, count checks); CountDrill deals and grades
// the Count tab's drills at a PaceClock's steady pace; the History keeps every answer of
// counting too; CounterEdge prices each kind of counting mistake.

#include "CountPlan.h"
#include "Grading.h"
#include "HandDealer.h"
#include "History.h"
#include "Round.h"
#include "Table.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

// A hand as the felt shows it.
struct ShownHand {
    std::vector<cards::Card> cards;
    QString caption; // under the cards: "16", "soft 18, doubled", "won +1"
    bool current = false;
};

// What the practice tab shows after each step.
struct PracticeView {
    std::vector<cards::Card> dealer; // face up
    int hidden = 0;                  // dealer's cards face down after them
    QString dealerCaption;
    std::vector<ShownHand> hands;
    QString hand;     // the hand and the up card in words
    QString feedback; // the prompt, the grade, or the round's end
    bool answering = false;
    analysis::PlayValues allowed; // in a round, what the hand may do now
    bool blackjackPause = false;  // nothing to decide: the next hand comes after a pause
    QString status;               // a passing word for the status bar, or empty
    // Keeping the count: what the session waits for, and the count when the player shows it.
    bool betting = false;
    bool insuring = false;
    bool checkingCount = false;
    QString count; // "Running count +3, true count +1 (4.5 decks left)"; empty while hidden
};

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

    // A new table: a new shoe, and the next hand dealt.
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

    // Playing the shoe with the count: rounds from a shoe cut at the plan's penetration, a bet
    // before each, insurance by its index, every decision graded against the index play and the
    // cards left, and count checks. Nothing turns it off; a new table or single hands do.
    void keepCount(std::shared_ptr<const CountPlan> plan);
    bool keepsCount() const { return plan_ != nullptr; }
    // A shoe of these cards in this order from the next round on (never shuffled): for a round
    // whose every card is known.
    void useStackedShoe(std::vector<cards::Card> cards);
    // The bet of the next round, in units (1 and up): graded, then the round is dealt.
    bool placeBet(double units);
    bool insure(bool insure);
    // The running count, asked at a count check.
    bool answerRunningCount(double count);
    // Shows or hides the count.
    void toggleCount();
    // The running count of the cards the player has seen, and the cards they have not.
    double runningCount() const;
    std::array<int, 11> unseen() const;
    // The chance of a count check after a round (there is always one at the cut card).
    static constexpr double kCheckChance = 1.0 / 6;

private:
    void showDeal();
    void startRound();
    void showRound();
    void answerDeal(analysis::Play play);
    bool answerRound(analysis::Play play);
    void count(const Answer& answer);
    void countedDeal();
    void askInsurance();
    bool answerCounted(analysis::Play play);
    void endCountedRound();
    void showCount();
    int countNow() const; // the whole count the player goes by now
    CountAnswer answerInShoe(CountKind kind) const;
    void shuffledStatus();

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

    enum class Step { Deciding, Betting, Insuring, Checking, Done };
    std::shared_ptr<const CountPlan> plan_;
    Step step_ = Step::Deciding;
    double bet_ = 1;
    double insured_ = 0; // the insurance's result, in units
    bool countShown_ = false;
    QString summary_; // the round's end, before any count check
    std::mt19937 checks_;
};

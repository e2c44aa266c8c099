#pragma once

#include "CountPlan.h"
#include "History.h"
#include "PracticeView.h"
#include "Round.h"

#include <QStringList>

#include <functional>
#include <memory>
#include <random>

namespace practice {

// Playing the shoe with the count: rounds from a shoe cut at the game's penetration, a bet before
// each graded against the ramp, insurance by its index, every decision graded against the index
// play and the exact values of the cards left, and count checks, now and then and always at the
// cut card. Every answer is kept in the history before it is shown; the view says what the
// round waits for.
class KeepCount {
public:
    // Records a decision: in the history, and in the session's score.
    using RecordDecision = std::function<void(const Answer&)>;

    // Keeps the answers in `history` and fills `view`; the shoes and the count checks come from
    // the seed.
    KeepCount(History& history, PracticeView& view, std::uint32_t seed, RecordDecision record);

    // Starts a shoe with the count of this plan (its game's rules are the table's), the table
    // named in the history by `table`; the bet of its first round is asked.
    void start(std::shared_ptr<const CountPlan> plan, const QString& table);
    void stop();
    bool active() const { return plan_ != nullptr; }
    const CountPlan& plan() const { return *plan_; }
    // Between rounds: the shuffle at the cut card, then the bet is asked. Nothing while the
    // player is asked for something.
    void dealNext();
    // The bet of the next round, in units (1 and up): graded, then the round is dealt.
    bool placeBet(double units);
    bool insure(bool insure);
    // A decision of the hand being played: false, and the feedback says so, for one it may
    // not make now.
    bool answer(analysis::Play play);
    // The running count, asked at a count check.
    bool answerRunningCount(double count);
    // Shows or hides the count.
    void toggleCount();
    // A shoe of these cards in this order from the next round on (never shuffled).
    void useStackedShoe(std::vector<cards::Card> cards);

    // The running count of the cards the player has seen, and the cards they have not.
    double runningCount() const;
    std::array<int, 11> unseen() const;
    // Whether a decision of the round is awaited.
    bool deciding() const { return step_ == Step::Deciding && round_ && !round_->over(); }

    // The chance of a count check after a round (there is always one at the cut card).
    static constexpr double kCheckChance = 1.0 / 6;

private:
    enum class Step { Deciding, Betting, Insuring, Checking, Done };
    void showRound();
    void askInsurance();
    void endRound();
    void showCount();
    int countNow() const; // the whole count the player goes by now
    CountAnswer answerInShoe(CountKind kind) const;

    History& history_;
    PracticeView& view_;
    std::uint32_t seed_;
    RecordDecision record_;
    std::shared_ptr<const CountPlan> plan_;
    QString table_;
    std::unique_ptr<CardShoe> shoe_;
    std::unique_ptr<Round> round_;
    QStringList roundLog_; // the round's decisions and grades
    int position_ = 0;     // decisions so far in the round
    Step step_ = Step::Done;
    double bet_ = 1;
    double insured_ = 0; // the insurance's result, in units
    bool countShown_ = false;
    QString summary_; // the round's end, before any count check
    std::mt19937 checks_;
};

} // namespace practice

#include "KeepCount.h"

#include "PracticeText.h"
#include "RoundView.h"

#include <cmath>

using analysis::Play;

namespace practice {

namespace {

QString unitsWord(double units) {
    return std::abs(units) == 1 ? QStringLiteral("unit") : QStringLiteral("units");
}

QString value(double v) {
    return (v >= 0 ? "+" : "") + QString::number(v, 'f', 3);
}

} // namespace

KeepCount::KeepCount(History& history, PracticeView& view, std::uint32_t seed,
                     RecordDecision record)
    : history_(history), view_(view), seed_(seed), record_(std::move(record)),
      checks_(seed ^ 0x5eedu) {}

void KeepCount::start(std::shared_ptr<const CountPlan> plan, const QString& table) {
    plan_ = std::move(plan);
    table_ = table;
    const rules::Rules& rules = plan_->game.rules;
    shoe_ = std::make_unique<CardShoe>(rules.decks, seed_, plan_->game.penetration);
    round_.reset();
    step_ = Step::Done;
    dealNext();
}

void KeepCount::stop() {
    plan_.reset();
    round_.reset();
    step_ = Step::Done;
    view_.betting = view_.insuring = view_.checkingCount = false;
    view_.count.clear();
}

void KeepCount::useStackedShoe(std::vector<cards::Card> cards) {
    shoe_ = std::make_unique<CardShoe>(std::move(cards));
    round_.reset();
    step_ = Step::Done;
    dealNext();
}

// An answer of counting at this point of the shoe, its grade still to come.
CountAnswer KeepCount::answerInShoe(CountKind kind) const {
    CountAnswer answer;
    answer.kind = kind;
    answer.system = systemKey(plan_->game.system);
    answer.cardsSeen = shoe_->size() - shoe_->left();
    answer.cardsLeft = shoe_->left();
    return answer;
}

std::array<int, 11> KeepCount::unseen() const {
    std::array<int, 11> cards = shoe_->unseen();
    // The hole card, face down, is among the cards not seen.
    if (round_ && round_->hole() && (!round_->over() || step_ == Step::Insuring))
        ++cards[std::size_t(*round_->hole())];
    return cards;
}

double KeepCount::runningCount() const {
    return runningCountOf(plan_->game.system, plan_->game.rules.decks, shoe_->whole(), unseen());
}

int KeepCount::countNow() const {
    return counting::wholeCount(counting::countToGoBy(plan_->game, runningCount(), shoe_->left()));
}

void KeepCount::showCount() {
    if (!plan_ || !countShown_) {
        view_.count.clear();
        return;
    }
    const counting::Game& game = plan_->game;
    const double running = runningCount();
    view_.count = QStringLiteral("Running count %1").arg(countText(running));
    if (game.system.balanced()) {
        view_.count += QStringLiteral(", true count %1 (%2 decks left)")
                           .arg(countText(counting::countToGoBy(game, running, shoe_->left())))
                           .arg(counting::estimatedDecks(shoe_->left(), game.conventions.estimate));
    }
}

void KeepCount::toggleCount() {
    countShown_ = !countShown_;
    showCount();
}

// Between rounds: the shuffle at the cut card, then the bet.
void KeepCount::dealNext() {
    if (step_ == Step::Betting || step_ == Step::Checking) return; // waiting for the player
    if (shoe_->reshuffleIfDue())
        view_.status = QStringLiteral("The cut card is out: the shoe was shuffled.");
    round_.reset();
    roundLog_.clear();
    position_ = 0;
    insured_ = 0;
    step_ = Step::Betting;
    view_.dealer.clear();
    view_.hidden = 0;
    view_.dealerCaption = QStringLiteral("Dealer");
    view_.hands.clear();
    view_.hand = QStringLiteral("%1 cards are left in the shoe.").arg(shoe_->left());
    view_.feedback = QStringLiteral("Your bet? 1 to 9 units (keys 1 to 9), or the bet box and "
                                    "Enter.");
    view_.answering = false;
    view_.allowed = {};
    view_.betting = true;
    view_.insuring = view_.checkingCount = false;
    showCount();
}

bool KeepCount::placeBet(double units) {
    if (!plan_ || step_ != Step::Betting || units < 1) return false;
    const counting::Game& game = plan_->game;
    const int count = countNow();
    const counting::BetGrade grade = counting::gradeBet(game, plan_->rounds, count, units);
    CountAnswer answer = answerInShoe(CountKind::Bet);
    answer.given = units;
    answer.right = grade.rampBet;
    answer.correct = grade.right;
    answer.cost = grade.cost;
    answer.count = count;
    history_.record(table_, answer);
    bet_ = units;
    const QString at = countNamed(game, count);
    roundLog_ << (grade.right ? QStringLiteral("Bet %1 %2: right, the ramp's bet at %3.")
                                    .arg(units)
                                    .arg(unitsWord(units), at)
                              : QStringLiteral("Bet %1 %2: the ramp bets %3 at %4; this bet "
                                               "gives up %5 units a round of certainty "
                                               "equivalent.")
                                    .arg(units)
                                    .arg(unitsWord(units))
                                    .arg(grade.rampBet)
                                    .arg(at, QString::number(grade.cost, 'f', 3)));
    view_.betting = false;
    step_ = Step::Deciding;
    round_ = std::make_unique<Round>(game.rules, *shoe_);
    if (game.rules.holeCard && round_->up() == 1) {
        askInsurance();
        return true;
    }
    view_.feedback = roundPrompt();
    showRound();
    showCount();
    return true;
}

void KeepCount::askInsurance() {
    step_ = Step::Insuring;
    showRound();
    view_.feedback = QStringLiteral("The dealer shows an ace. Insurance? Y for yes, N for no.");
    view_.answering = false;
    view_.allowed = {};
    view_.insuring = true;
    showCount();
}

bool KeepCount::insure(bool insure) {
    if (!plan_ || step_ != Step::Insuring) return false;
    const int count = countNow();
    const bool right = counting::insureAt(plan_->indices, count);
    const double worth = counting::insuranceValue(unseen()) * bet_;
    CountAnswer answer = answerInShoe(CountKind::Insurance);
    answer.given = insure ? 1 : 0;
    answer.right = right ? 1 : 0;
    answer.correct = insure == right;
    answer.cost = (right ? worth : 0) - (insure ? worth : 0);
    answer.count = count;
    history_.record(table_, answer);
    const auto index = counting::insuranceIndex(plan_->indices);
    const QString indexWords = index ? QStringLiteral("the index insures at %1 and the count is %2")
                                           .arg(countText(*index), countText(count))
                                     : QStringLiteral("this count has no insurance index");
    roundLog_ << QStringLiteral("Insurance %1: %2, %3.")
                     .arg(insure ? "taken" : "declined", answer.correct ? "right" : "wrong",
                          indexWords);
    if (insure) insured_ = round_->dealerBlackjack() ? bet_ : -bet_ / 2;
    step_ = Step::Deciding;
    view_.insuring = false;
    view_.feedback = roundPrompt();
    showRound();
    showCount();
    return true;
}

// The round on the felt at the bet; at its end, its summary.
void KeepCount::showRound() {
    // While insurance is asked, a dealer's blackjack is not yet shown.
    const bool over = round_->over() && step_ != Step::Insuring;
    practice::showRound(*round_, over, bet_, &view_);
    if (over) {
        endRound();
    } else {
        view_.answering = true;
        view_.allowed = round_->allowed();
    }
}

bool KeepCount::answer(Play play) {
    if (!deciding()) return false;
    Round& round = *round_;
    const analysis::PlayValues allowed = round.allowed();
    if (!allowed.allows(play)) {
        view_.feedback = notAllowedText(play);
        return false;
    }
    const std::vector<int> cards = round.hands()[round.current()].values();
    const int up = round.up();
    const int at = countNow();
    const Play index = counting::indexPlay(plan_->indices, cards, up, at, allowed);
    const Play basic = counting::basicPlay(plan_->indices, cards, up, allowed);

    int copies = 1;
    analysis::PlayValues values;
    try {
        values = counting::valuesOnCardsLeft(plan_->game.rules, unseen(), cards, up, &copies);
    } catch (const std::invalid_argument&) {
        values = {}; // too few cards even taken many times over: no real-shoe line
    }

    Answer answer{cards, up, position_, play, index, play == index, std::nullopt};
    const bool valued = values.allows(play) && values.allows(index);
    answer.counted = CountedDecision{systemKey(plan_->game.system), at, basic,
                                     valued ? (values[index] - values[play]) * bet_ : 0.0};
    record_(answer);
    ++position_;

    const QString hand =
        QStringLiteral("%1 against %2")
            .arg(totalText(cards), up == 1 ? QStringLiteral("an ace") : QString::number(up));
    QString text = QStringLiteral("Index play: %1, %2 at %3. ")
                       .arg(playText(index), hand, countNamed(plan_->game, at));
    text += answer.right ? QStringLiteral("Right.")
                         : QStringLiteral("Wrong: you chose %1.").arg(playText(play));
    if (values.allows(Play::Stand)) {
        // Masked to what the hand may do now.
        analysis::PlayValues now;
        for (Play p : analysis::kAllPlays) {
            if (allowed.allows(p) && values.allows(p)) now.set(p, values[p]);
        }
        int ranked = 0;
        const auto order = now.ranked(&ranked);
        const Play best = order[0];
        const Play other = play != best ? play : (ranked > 1 ? order[1] : best);
        text += QStringLiteral(" The cards left: %1 was best").arg(playText(best));
        if (other != best)
            text +=
                QStringLiteral(", %1 over %2").arg(value(now[best] - now[other]), playText(other));
        text += '.';
        if (best != index && now.allows(index)) {
            text += QStringLiteral(" The index and the cards left disagree here: following the "
                                   "index cost %1 of the bet.")
                        .arg(QString::number(now[best] - now[index], 'f', 3));
        }
        if (copies > 1) {
            text += QStringLiteral(" Near the cut card, %1 cards are too few for the engine to be "
                                   "sure of finishing a round: the grade values their mix taken "
                                   "%2 times.")
                        .arg(shoe_->left() + 1)
                        .arg(copies);
        }
    }
    roundLog_ << QStringLiteral("%1 on %2: %3.")
                     .arg(playText(play), hand,
                          answer.right ? "right" : "wrong, the index plays " + playText(index));
    round.play(play);
    showRound();
    if (!round.over())
        view_.feedback = text + " Next decision.";
    else
        view_.feedback = text + " " + view_.feedback;
    showCount();
    return true;
}

// The round's end: its result, bet, insurance and decisions; then, at the cut card or now and
// then, a count check.
void KeepCount::endRound() {
    const double result = round_->result() * bet_ + insured_;
    summary_ = QStringLiteral("Round over: %1 %2.").arg(unitsText(result), unitsWord(result));
    if (!roundLog_.isEmpty()) summary_ += " " + roundLog_.join(" ");
    view_.answering = false;
    view_.allowed = {};
    const bool check = shoe_->due() || std::bernoulli_distribution(kCheckChance)(checks_);
    if (check) {
        step_ = Step::Checking;
        view_.checkingCount = true;
        view_.feedback = summary_ + QStringLiteral(" Count check: what is the running count "
                                                   "now? Type it, then Enter.");
    } else {
        step_ = Step::Done;
        view_.feedback = summary_ + QStringLiteral(" Space deals the next round.");
    }
}

bool KeepCount::answerRunningCount(double given) {
    if (!plan_ || step_ != Step::Checking) return false;
    const double running = runningCount();
    CountAnswer answer = answerInShoe(CountKind::CountCheck);
    answer.given = given;
    answer.right = running;
    answer.correct = counting::sameCount(given, running);
    history_.record(table_, answer);
    step_ = Step::Done;
    view_.checkingCount = false;
    view_.feedback =
        summary_ +
        (answer.correct ? QStringLiteral(" Count check: right, %1.").arg(countText(running))
                        : QStringLiteral(" Count check: you said %1; the running count is %2.")
                              .arg(countText(given), countText(running))) +
        QStringLiteral(" Space deals the next round.");
    showCount();
    return true;
}

} // namespace practice

#include "PracticeSession.h"

#include "CardText.h"
#include "PracticeText.h"
#include "RoundView.h"

#include <cmath>

using analysis::Play;

namespace practice {

PracticeSession::PracticeSession(const QString& dataFolder, std::uint32_t seed, const Table& table,
                                 bool playOut)
    : history_(dataFolder), dealer_(seed), seed_(seed), table_(table), playOut_(playOut),
      keep_(history_, view_, seed, [this](const Answer& answer) { record(answer); }) {}

void PracticeSession::useTable(const Table& table) {
    table_ = table;
    keep_.stop();
    view_.planning = false;
    shoe_ = std::make_unique<CardShoe>(table.rules.decks, seed_);
    round_.reset();
    studyCell_.reset();
    dealNext();
}

void PracticeSession::setPlayOut(bool playOut) {
    playOut_ = playOut;
    if (!playOut) {
        keep_.stop();
        view_.planning = false;
    }
    round_.reset();
    dealNext();
}

void PracticeSession::setDealKind(DealKind kind) {
    kind_ = kind;
    studyCell_.reset();
    dealNext();
}

void PracticeSession::study(const GridCell& cell) {
    studyCell_ = cell;
    playOut_ = false;
    keep_.stop();
    view_.planning = false;
    round_.reset();
    dealNext();
}

void PracticeSession::dealNext() {
    if (!shoe_) shoe_ = std::make_unique<CardShoe>(table_.rules.decks, seed_);
    view_.status.clear();
    view_.blackjackPause = false;
    if (view_.planning) return; // no card before the count's plan
    if (keep_.active()) {
        keep_.dealNext();
        return;
    }
    if (playOut_) {
        startRound();
        return;
    }
    deal_ = studyCell_ ? dealer_.dealCell(*studyCell_)
                       : dealer_.deal(kind_, history_.weakCells(table_.key()));
    showDeal();
}

void PracticeSession::showDeal() {
    const std::vector<int> values{deal_.first(), deal_.second()};
    view_.dealer = {deal_.cards[2]};
    view_.hidden = 1;
    view_.dealerCaption = QStringLiteral("Dealer");
    view_.hands = {{{deal_.cards[0], deal_.cards[1]}, totalText(values), true}};
    view_.hand = QStringLiteral("Your hand: %1 and %2 (%3). The dealer shows %4.")
                     .arg(cards::spokenName(deal_.cards[0]), cards::spokenName(deal_.cards[1]),
                          totalText(values), cards::spokenName(deal_.cards[2]));
    if (analysis::isBlackjack(deal_.first(), deal_.second())) {
        view_.feedback = QStringLiteral("Black Jack: nothing to decide. The next hand comes now.");
        view_.answering = false;
        view_.blackjackPause = true;
    } else {
        view_.feedback = handPrompt();
        view_.answering = true;
        view_.allowed = analysis::allowedPlays(table_.rules, values);
    }
}

void PracticeSession::startRound() {
    if (shoe_->reshuffleIfDue()) view_.status = QStringLiteral("The shoe was shuffled.");
    round_ = std::make_unique<Round>(table_.rules, *shoe_);
    roundLog_.clear();
    position_ = 0;
    view_.feedback = roundPrompt();
    showRound();
}

void PracticeSession::showRound() {
    const Round& round = *round_;
    const bool over = round.over();
    practice::showRound(round, over, 1, &view_);
    if (over) {
        QString summary =
            QStringLiteral("Round over: %1 %2.")
                .arg(unitsText(round.result()), std::abs(round.result()) == 1 ? "bet" : "bets");
        if (!roundLog_.isEmpty()) summary += " " + roundLog_.join(" ");
        if (roundLog_.isEmpty() && round.hands().size() == 1 &&
            round.hands()[0].settled == Settled::Blackjack) {
            summary = QStringLiteral("Black Jack! Paid %1. ").arg(unitsText(round.result())) +
                      "Space or Enter deals the next round.";
        }
        view_.feedback = summary;
        view_.answering = false;
        view_.allowed = {};
    } else {
        view_.answering = true;
        view_.allowed = round.allowed();
    }
}

bool PracticeSession::answer(Play play) {
    if (!view_.answering) return false;
    view_.status.clear();
    if (keep_.active()) return keep_.answer(play);
    if (playOut_ && round_) return answerRound(play);
    answerDeal(play);
    return true;
}

// Committed before anything else happens: the next hand waits for it.
void PracticeSession::record(const Answer& answer) {
    if (history_.record(table_.key(), answer)) {
        changedCell_ = GridCell{charts::rowOfHand(answer.cards[0], answer.cards[1]), answer.up};
    }
    ++tries_;
    rights_ += answer.right;
}

void PracticeSession::answerDeal(Play play) {
    const std::vector<int> cards{deal_.first(), deal_.second()};
    const Grade grade = practice::grade(table_, cards, deal_.up(),
                                        analysis::allowedPlays(table_.rules, cards), play);
    record({cards, deal_.up(), 0, play, grade.rightPlay, grade.right, std::nullopt});
    view_.feedback = gradeText(grade, play, table_.isChart());
    view_.answering = false;
}

bool PracticeSession::answerRound(Play play) {
    Round& round = *round_;
    const analysis::PlayValues allowed = round.allowed();
    if (!allowed.allows(play)) {
        view_.feedback = notAllowedText(play);
        return false;
    }
    const std::vector<int> cards = round.hands()[round.current()].values();
    const Grade grade = practice::grade(table_, cards, round.up(), allowed, play);
    record({cards, round.up(), position_, play, grade.rightPlay, grade.right, std::nullopt});
    ++position_;
    QString line = QStringLiteral("%1 on %2: %3")
                       .arg(playText(play), totalText(cards), grade.right ? "right" : "wrong");
    if (!grade.right) line += QStringLiteral(" (%1)").arg(playText(grade.rightPlay));
    roundLog_ << line + ".";
    round.play(play);
    showRound();
    if (!round.over())
        view_.feedback = gradeText(grade, play, table_.isChart()) + " Next decision.";
    return true;
}

std::optional<GridCell> PracticeSession::takeChangedCell() {
    std::optional<GridCell> cell;
    cell.swap(changedCell_);
    return cell;
}

QString PracticeSession::scoreText() const {
    const auto [tries, rights] = history_.totals(table_.key());
    QString text = QStringLiteral("This session: %1 of %2 right (%3).")
                       .arg(rights_)
                       .arg(tries_)
                       .arg(percentText(rights_, tries_));
    text += history_.remembers() ? QStringLiteral(" All time with these rules: %1 of %2 (%3).")
                                       .arg(rights)
                                       .arg(tries)
                                       .arg(percentText(rights, tries))
                                 : QStringLiteral(" Answers are not kept this time.");
    return text;
}

void PracticeSession::keepCount(std::shared_ptr<const CountPlan> plan) {
    view_.planning = false;
    if (!plan) {
        keep_.stop();
        dealNext();
        return;
    }
    playOut_ = true;
    studyCell_.reset();
    round_.reset();
    keep_.start(std::move(plan), table_.key());
}

// Nothing on the felt, nothing to answer: a counter never sees a round before betting on it.
void PracticeSession::awaitPlan() {
    keep_.stop();
    playOut_ = true;
    studyCell_.reset();
    round_.reset();
    view_ = PracticeView{};
    view_.planning = true;
    view_.dealerCaption = QStringLiteral("Dealer");
    view_.hand = QStringLiteral("No cards yet: the shoe is dealt once your count's plan is "
                                "worked out.");
    view_.feedback = QStringLiteral("Working out the index plays of your count…");
}

void PracticeSession::useStackedShoe(std::vector<cards::Card> cards) {
    if (keep_.active()) {
        keep_.useStackedShoe(std::move(cards));
        return;
    }
    shoe_ = std::make_unique<CardShoe>(std::move(cards));
    round_.reset();
    dealNext();
}

} // namespace practice

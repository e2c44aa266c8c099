#include "CountPanel.h"

#include "CardText.h"
#include "CountPlan.h"
#include "PracticeText.h"
#include "ui_CountPanel.h"

using namespace practice;

namespace {

enum Drill { RunningCountDrill, DecksLeftDrill, TrueCountDrill };
enum Deal { SingleDeck, SomeCards, Rounds };
constexpr int kSpacePace = 5; // the pace box's last entry

} // namespace

CountPanel::CountPanel(History& history, std::uint32_t seed, QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::CountPanel>()), history_(history), drill_(seed) {
    ui->setupUi(this);
    addAction(ui->ActionNextCard);
    connect(ui->DrillBox, &QComboBox::currentIndexChanged, this, &CountPanel::DrillChange);
    connect(ui->DealBox, &QComboBox::currentIndexChanged, this, &CountPanel::DrillChange);
    connect(ui->StartButton, &QPushButton::clicked, this, &CountPanel::StartClick);
    connect(ui->ActionNextCard, &QAction::triggered, this, &CountPanel::NextCard);
    connect(&clock_, &PaceClock::tick, this, &CountPanel::NextCard);
    connect(ui->SubmitButton, &QPushButton::clicked, this, &CountPanel::SubmitClick);
    connect(ui->AnswerBox, &QDoubleSpinBox::editingFinished, this, &CountPanel::AnswerEnter);
    clear();
}

CountPanel::~CountPanel() = default;

void CountPanel::hideEvent(QHideEvent* event) {
    if (state_ == State::Dealing) clear();
    QWidget::hideEvent(event);
}

double CountPanel::pace() const {
    const int index = ui->PaceBox->currentIndex();
    return index == kSpacePace ? 0 : index + 1;
}

void CountPanel::setGame(const std::optional<counting::Game>& game, const QString& table) {
    game_ = game;
    table_ = table;
    clear();
    showRecord();
}

void CountPanel::DrillChange() {
    clear();
}

// What each drill asks for, and why a drill is off.
void CountPanel::showChoices() {
    const int drill = ui->DrillBox->currentIndex();
    const bool running = drill == RunningCountDrill;
    ui->DealBox->setVisible(running);
    ui->CardsBox->setVisible(running && ui->DealBox->currentIndex() != SingleDeck);
    ui->PlayersBox->setVisible(running && ui->DealBox->currentIndex() == Rounds);
    ui->PaceBox->setVisible(running);
    ui->Felt->setVisible(running);
    ui->Tray->setVisible(!running);
    QString why;
    if (!game_) {
        why = QStringLiteral("Choose a count first: Table, Count….");
    } else if (drill == TrueCountDrill) {
        why = trueCountOff(*game_);
    }
    ui->StartButton->setEnabled(why.isEmpty() && state_ != State::Dealing);
    // Space deals only while a deal waits for it; else it presses the button with the focus.
    ui->ActionNextCard->setEnabled(state_ == State::Dealing && pace() == 0);
    const bool answering = state_ == State::Answering;
    ui->AnswerBox->setEnabled(answering);
    ui->SubmitButton->setEnabled(answering);
    if (!why.isEmpty()) ui->QuestionLabel->setText(why);
}

// A drill begun again: the table cleared.
void CountPanel::clear() {
    clock_.stop();
    state_ = State::Idle;
    ui->Felt->setCards({}, 0, {}, {});
    ui->Tray->setCards(0);
    ui->FeedbackLabel->clear();
    ui->QuestionLabel->setText(QStringLiteral("Press Start (Alt+S) to begin."));
    showChoices();
}

void CountPanel::StartClick() {
    if (!game_) return;
    ui->FeedbackLabel->clear();
    switch (ui->DrillBox->currentIndex()) {
    case RunningCountDrill: {
        const int deal = ui->DealBox->currentIndex();
        drill_.dealCards(deal == SingleDeck ? 52 : ui->CardsBox->value(),
                         deal == Rounds ? ui->PlayersBox->value() : 0);
        shown_ = 0;
        state_ = State::Dealing;
        showChoices();
        ui->Felt->setCards({}, 0, {}, {});
        ui->QuestionLabel->setText(pace() > 0 ? QStringLiteral("Count the cards as they come.")
                                              : QStringLiteral("Space deals each card."));
        ui->Felt->setFocus();
        timing_.start();
        NextCard();
        if (pace() > 0) clock_.start(pace());
        return;
    }
    case DecksLeftDrill:
        tray_ = drill_.trayOfEight();
        ui->Tray->setCards(tray_);
        ask(QStringLiteral("Eight decks in all: how many decks are left? To the %1.")
                .arg(game_->conventions.estimate == counting::DeckEstimate::Exact
                         ? QStringLiteral("exact deck")
                         : QStringLiteral("estimate in force")));
        return;
    case TrueCountDrill:
        question_ = drill_.trueCountQuestion(*game_);
        ui->Tray->setCards(question_.tray);
        ask(QStringLiteral("%1 decks in all, running count %2: what is the true count?")
                .arg(game_->rules.decks)
                .arg(countText(question_.runningCount)));
        return;
    }
}

// The next card of the running-count deal: on the felt, and in words.
void CountPanel::NextCard() {
    if (state_ != State::Dealing) return;
    const std::vector<DealtCard>& deal = drill_.deal();
    if (shown_ >= deal.size()) return;
    const DealtCard& dealt = deal[shown_++];
    const int players = drill_.players();
    const bool rounds = players > 0;
    if (rounds) {
        // Every card of the rounds dealt so far in this round.
        const std::size_t perRound = std::size_t(2 * (players + 1));
        const std::size_t from = (shown_ - 1) / perRound * perRound;
        std::vector<cards::Card> dealer;
        std::vector<ShownHand> hands(static_cast<std::size_t>(players));
        for (std::size_t i = from; i < shown_; ++i) {
            if (deal[i].seat < 0) {
                dealer.push_back(deal[i].card);
            } else {
                hands[std::size_t(deal[i].seat)].cards.push_back(deal[i].card);
            }
        }
        ui->Felt->setCards(dealer, 0, QStringLiteral("Dealer"), hands);
    } else {
        ui->Felt->setCards({}, 0, {}, {{{dealt.card}, {}, false}});
    }
    ui->QuestionLabel->setText(
        QStringLiteral("Card %1 of %2%3: %4.")
            .arg(shown_)
            .arg(deal.size())
            .arg(rounds ? (dealt.seat < 0 ? QStringLiteral(", to the dealer")
                                          : QStringLiteral(", to player %1").arg(dealt.seat + 1))
                        : QString())
            .arg(cards::spokenName(dealt.card)));
    if (shown_ == deal.size()) {
        clock_.stop();
        ask(QStringLiteral("%1 cards dealt: what is the running count? (The last: %2.)")
                .arg(deal.size())
                .arg(cards::spokenName(dealt.card)));
    }
}

void CountPanel::ask(const QString& question) {
    state_ = State::Answering;
    showChoices();
    ui->QuestionLabel->setText(question);
    ui->AnswerBox->setValue(0);
    ui->AnswerBox->setFocus();
    ui->AnswerBox->selectAll();
}

// Enter in the answer box submits; leaving it does not.
void CountPanel::AnswerEnter() {
    if (ui->AnswerBox->hasFocus()) SubmitClick();
}

void CountPanel::SubmitClick() {
    if (state_ != State::Answering || !game_) return;
    const double given = ui->AnswerBox->value();
    CountGrade grade;
    switch (ui->DrillBox->currentIndex()) {
    case RunningCountDrill:
        grade = drill_.answerRunningCount(*game_, given, timing_.elapsed() / 1000.0);
        break;
    case DecksLeftDrill: grade = drill_.answerDecksLeft(*game_, tray_, given); break;
    case TrueCountDrill: grade = drill_.answerTrueCount(*game_, question_, given); break;
    }
    history_.record(table_, grade.answer); // kept before anything else is shown
    state_ = State::Idle;
    showChoices();
    ui->QuestionLabel->setText(QStringLiteral("Start (Alt+S) for another."));
    ui->FeedbackLabel->setText(grade.text);
    ui->StartButton->setFocus();
    showRecord();
}

// The best clean deck and the accuracy of the last 20 running counts, of the system in force.
void CountPanel::showRecord() {
    if (!game_) {
        ui->RecordLabel->clear();
        return;
    }
    const RunningCountRecord record = history_.runningCountRecord(systemKey(game_->system));
    const QString best = record.bestDeckSeconds
                             ? QStringLiteral("%1 s").arg(*record.bestDeckSeconds, 0, 'f', 1)
                             : QStringLiteral("none yet");
    ui->RecordLabel->setText(
        QStringLiteral("Best time for a deck counted down without an error: %1. %2")
            .arg(best, record.lastTried == 0
                           ? QStringLiteral("No running count answered yet.")
                           : QStringLiteral("Running counts right of the last %1: %2 (%3).")
                                 .arg(record.lastTried)
                                 .arg(record.lastRight)
                                 .arg(practice::percentText(record.lastRight, record.lastTried))));
}

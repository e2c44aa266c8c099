#include "CountDrill.h"

#include "CountPlan.h"
#include "Round.h"

#include <algorithm>
#include <cmath>

namespace practice {

PaceClock::PaceClock(QObject* parent) : QObject(parent) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &PaceClock::fire);
}

void PaceClock::start(double perSecond) {
    interval_ = 1000.0 / perSecond;
    ticks_ = 0;
    since_.start();
    scheduleNext();
}

void PaceClock::stop() {
    timer_.stop();
}

void PaceClock::fire() {
    ++ticks_;
    scheduleNext(); // before the tick's work, which may stop the clock
    emit tick();
}

void PaceClock::scheduleNext() {
    const double due = (ticks_ + 1) * interval_;
    timer_.start(std::max(0, int(std::lround(due - double(since_.elapsed())))));
}

CountDrill::CountDrill(std::uint32_t seed) : random_(seed) {}

namespace {

QString decksText(double decks) {
    return QString::number(decks, 'g', 3);
}

} // namespace

void CountDrill::dealCards(int cards, int players) {
    const int decks = std::max(1, (cards + 51) / 52);
    CardShoe shoe(decks, random_(), 1.0);
    deal_.clear();
    players_ = players < 2 ? 0 : players;
    if (players_ == 0) {
        for (int i = 0; i < cards; ++i)
            deal_.push_back({0, shoe.draw()});
        return;
    }
    // Rounds as a dealer deals them: a card to each player and the dealer, twice.
    const int round = 2 * (players + 1);
    while (int(deal_.size()) < cards && shoe.left() >= round) {
        for (int pass = 0; pass < 2; ++pass) {
            for (int seat = 0; seat < players; ++seat)
                deal_.push_back({seat, shoe.draw()});
            deal_.push_back({-1, shoe.draw()});
        }
    }
}

double CountDrill::runningCountOf(const counting::CountSystem& system) const {
    double count = 0; // the cards counted from the start, as the drill counts them
    for (const DealtCard& dealt : deal_)
        count += system.tags[std::size_t(dealt.card.value())];
    return count;
}

CountGrade CountDrill::answerRunningCount(const counting::Game& game, double given,
                                          double seconds) const {
    CountGrade grade;
    CountAnswer& answer = grade.answer;
    answer.kind = CountKind::RunningCount;
    answer.system = systemKey(game.system);
    answer.cardsSeen = int(deal_.size());
    answer.seconds = seconds;
    answer.given = given;
    answer.right = runningCountOf(game.system);
    answer.correct = counting::sameCount(given, answer.right);
    grade.text = answer.correct
                     ? QStringLiteral("Right: %1, %2 cards in %3 s.")
                           .arg(countText(answer.right))
                           .arg(answer.cardsSeen)
                           .arg(seconds, 0, 'f', 1)
                     : QStringLiteral("You said %1; the running count is %2 (off by %3).")
                           .arg(countText(given), countText(answer.right),
                                QString::number(std::abs(given - answer.right), 'g', 3));
    return grade;
}

int CountDrill::trayOfEight() {
    // Half a deck to seven and a half, 26 to 390 cards.
    return std::uniform_int_distribution<int>(26, 390)(random_);
}

CountGrade CountDrill::answerDecksLeft(const counting::Game& game, int tray, double given) const {
    const int left = kEightDecks - tray;
    const counting::DeckEstimate estimate = game.conventions.estimate;
    const double right = counting::estimatedDecks(left, estimate);
    CountGrade grade;
    CountAnswer& answer = grade.answer;
    answer.kind = CountKind::DecksLeft;
    answer.system = systemKey(game.system);
    answer.cardsSeen = tray;
    answer.cardsLeft = left;
    answer.given = given;
    answer.right = right;
    // Exact decks are judged to a tenth of a deck; the steps, exactly.
    answer.correct = estimate == counting::DeckEstimate::Exact ? std::abs(given - right) <= 0.1
                                                               : counting::sameCount(given, right);
    grade.text =
        answer.correct
            ? QStringLiteral("Right: %1 decks left (%2 cards).").arg(decksText(right)).arg(left)
            : QStringLiteral("You said %1; %2 cards are left, %3 decks to the estimate "
                             "in force.")
                  .arg(decksText(given))
                  .arg(left)
                  .arg(decksText(right));
    return grade;
}

CountDrill::TrueCountQuestion CountDrill::trueCountQuestion(const counting::Game& game) {
    const int shoe = game.rules.decks * 52;
    TrueCountQuestion question;
    question.tray = std::uniform_int_distribution<int>(26, std::max(26, shoe - 26))(random_);
    question.cardsLeft = shoe - question.tray;
    // Running counts as the shoe gives them: up to about four a deck left either way.
    const int reach = std::max(2, int(std::lround(4.0 * question.cardsLeft / 52)));
    question.runningCount = std::uniform_int_distribution<int>(-reach, reach)(random_);
    return question;
}

CountGrade CountDrill::answerTrueCount(const counting::Game& game,
                                       const TrueCountQuestion& question, double given) const {
    const double right =
        counting::trueCount(question.runningCount, question.cardsLeft, game.conventions);
    CountGrade grade;
    CountAnswer& answer = grade.answer;
    answer.kind = CountKind::TrueCount;
    answer.system = systemKey(game.system);
    answer.cardsSeen = question.tray;
    answer.cardsLeft = question.cardsLeft;
    answer.given = given;
    answer.right = right;
    answer.correct = game.conventions.rounding == counting::Rounding::Exact
                         ? std::abs(given - right) <= 0.1
                         : counting::sameCount(given, right);
    grade.text = answer.correct
                     ? QStringLiteral("Right: true count %1.").arg(countText(right))
                     : QStringLiteral("You said %1; running count %2 over %3 decks left is true "
                                      "count %4.")
                           .arg(countText(given), countText(question.runningCount),
                                decksText(counting::estimatedDecks(question.cardsLeft,
                                                                   game.conventions.estimate)),
                                countText(right));
    return grade;
}

QString trueCountOff(const counting::Game& game) {
    if (game.system.balanced()) return {};
    return QStringLiteral("The true-count drill is off: %1 is an unbalanced count, played by its "
                          "running count.")
        .arg(QString::fromStdString(game.system.name));
}

RunningCountRecord runningCountRecord(const std::vector<CountAnswer>& answers, int last) {
    RunningCountRecord record;
    std::vector<const CountAnswer*> running;
    for (const CountAnswer& answer : answers) {
        if (answer.kind != CountKind::RunningCount) continue;
        running.push_back(&answer);
        if (answer.correct && answer.cardsSeen == 52 &&
            (!record.bestDeckSeconds || answer.seconds < *record.bestDeckSeconds)) {
            record.bestDeckSeconds = answer.seconds;
        }
    }
    const std::size_t from = running.size() > std::size_t(last) ? running.size() - last : 0;
    for (std::size_t i = from; i < running.size(); ++i) {
        ++record.lastTried;
        record.lastRight += running[i]->correct;
    }
    return record;
}

} // namespace practice

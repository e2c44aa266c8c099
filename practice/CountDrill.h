#pragma once

// The count drills, Qt Core only: the running count of cards dealt one at a time or as the hands
// of a round, the decks left in a discard tray, and the true count of a running count and a
// tray; each answer graded by the count in force and its conventions, and said in words. The
// pace of the deal is the PaceClock's.

#include "AnswerStats.h"
#include "Card.h"
#include "CountLab.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <optional>
#include <random>
#include <vector>

namespace practice {

// A steady pace of ticks: each tick is due at the start plus a whole number of intervals, so
// that a late tick never delays the ones after it.
class PaceClock : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PaceClock)

public:
    explicit PaceClock(QObject* parent = nullptr);
    void start(double perSecond);
    void stop();
    bool running() const { return timer_.isActive(); }
    int ticks() const { return ticks_; }

signals:
    void tick();

private:
    void fire();
    void scheduleNext();
    QTimer timer_;
    QElapsedTimer since_;
    double interval_ = 1000; // ms
    int ticks_ = 0;
};

// A card of a running-count deal: where it goes (the dealer, or a player from 0) and the card.
struct DealtCard {
    int seat = 0; // -1 the dealer
    cards::Card card;
};

struct CountGrade {
    CountAnswer answer;
    QString text; // "Right: +3." or "You said +1; the running count is +3."
};

class CountDrill {
public:
    explicit CountDrill(std::uint32_t seed);

    // Running count: `cards` from a shuffled deck (a single deck: 52), or the rounds of
    // `players` (2 to 7) and the dealer, two cards each, until about `cards` are out.
    void dealCards(int cards, int players);
    const std::vector<DealtCard>& deal() const { return deal_; }
    int players() const { return players_; } // 0: single cards
    double runningCountOf(const counting::CountSystem& system) const;
    CountGrade answerRunningCount(const counting::Game& game, double given, double seconds) const;

    // Decks left: 0.5 to 7.5 decks of eight dealt into the tray, by the half-card.
    int trayOfEight();
    CountGrade answerDecksLeft(const counting::Game& game, int tray, double given) const;

    // True count: a tray of the table's shoe and a running count to go with it.
    struct TrueCountQuestion {
        int tray = 0;
        int cardsLeft = 0;
        double runningCount = 0;
    };
    TrueCountQuestion trueCountQuestion(const counting::Game& game);
    CountGrade answerTrueCount(const counting::Game& game, const TrueCountQuestion& question,
                               double given) const;

    static constexpr int kEightDecks = 8 * 52;

private:
    std::mt19937 random_;
    std::vector<DealtCard> deal_;
    int players_ = 0;
};

// Why the true-count drill is off, for an unbalanced count; empty when it is on.
QString trueCountOff(const counting::Game& game);

// The best time for a single deck counted down without an error, in seconds, and the share of
// the last `last` running counts that were right: from the answers of a system.
struct RunningCountRecord {
    std::optional<double> bestDeckSeconds;
    int lastRight = 0;
    int lastTried = 0;
};
RunningCountRecord runningCountRecord(const std::vector<CountAnswer>& answers, int last = 20);

} // namespace practice

#pragma once

#include "Card.h"
#include "Play.h"

#include <QString>

#include <vector>

namespace practice {

// What the practice tab shows after each step, in words as a screen reader reads them: the
// session fills it, the window only shows it.

// A hand as the felt shows it.
struct ShownHand {
    std::vector<cards::Card> cards;
    QString caption; // under the cards: "16", "soft 18, doubled", "won +1"
    bool current = false;
};

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
    bool planning = false; // no card is dealt until the count's plan is worked out
    QString count;         // "Running count +3, true count +1 (4.5 decks left)"; empty while hidden
};

} // namespace practice

#pragma once

#include <vector>

namespace analysis {

// The player's cards as the rules see them.
struct Held {
    int hard = 0; // the sum, aces counting 1
    bool ace = false;
    int cards = 0;

    int total() const { return soft() ? hard + 10 : hard; }
    bool soft() const { return ace && hard + 10 <= 21; }
    Held plus(int value) const { return {hard + value, ace || value == 1, cards + 1}; }
    // Hitting a hard 11 or less is worth at least standing: no card busts it, and standing
    // after the card is worth on average at least what standing now is (the dealer draws as
    // if the card were still unseen). Its standing need not be worked out to choose.
    bool hittingIsNoWorse() const { return !soft() && total() <= 11; }
};

// The cards of a hand, values 1..10.
Held holding(const std::vector<int>& cards);

// Two cards that make a blackjack: an ace and a ten-valued card, in either order.
inline bool isBlackjack(int first, int second) {
    return (first == 1 && second == 10) || (first == 10 && second == 1);
}

} // namespace analysis

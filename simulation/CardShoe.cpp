#include "CardShoe.h"

#include <algorithm>

namespace simulation {

CardShoe::CardShoe(int decks) : size(decks * 52) {
    int at = 0;
    for (int value = 1; value <= 10; ++value) {
        for (int n = 0; n < (value == 10 ? 16 : 4) * decks; ++n)
            card[at++] = std::uint8_t(value);
    }
}

void CardShoe::shuffle(Random& random, int places) {
    next = 0;
    roundStart = 0;
    shuffled = std::min(size, places);
    random.shuffle(card, size, shuffled);
}

int CardShoe::drawLate(Random& random, bool& ranOut) {
    ranOut = next >= size;
    if (ranOut) {
        // The discards back in: the round's cards move to the front, the rest are drawn anew. A
        // round that took every card of the shoe alone (seven hands at one deck) takes them all.
        if (roundStart > 0) {
            std::rotate(card, card + roundStart, card + next);
            next -= roundStart;
        } else {
            next = 0;
        }
        roundStart = 0;
        shuffled = next;
    }
    const int i = next + int(random.card(std::uint32_t(size - next)));
    const std::uint8_t value = card[i];
    card[i] = card[next];
    card[next++] = value;
    return value;
}

} // namespace simulation

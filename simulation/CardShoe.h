#pragma once

// The shoe being dealt: its cards in the order they come out, the next card's place, and how far
// the shuffle has gone. The places up to the cut card and a few rounds beyond are shuffled at
// once; any past them are drawn one by one from the cards left, so that a long round or a deep
// cut never deals an unshuffled card.

#include "Random.h"

#include <cstdint>

namespace simulation {

struct CardShoe {
    static constexpr int kPlaces = 512;
    std::uint8_t card[kPlaces]; // values 1 to 10
    int size = 0;               // cards in the shoe
    int next = 0;               // the next card's place
    int shuffled = 0;           // the places shuffled at once
    int roundStart = 0;         // the first card of the round under way

    explicit CardShoe(int decks);
    // Every card back, the first `places` shuffled, the next card the first.
    void shuffle(Random& random, int places);
    // The next card, past the places shuffled: drawn from the cards left. Should the shoe run
    // out in a round, the discards are shuffled back in, as a dealer does, the round's cards kept
    // out; true is then returned through `ranOut`.
    int drawLate(Random& random, bool& ranOut);
};

} // namespace simulation

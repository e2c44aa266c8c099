#pragma once

namespace strategy {

// Card values: ace 1, two to nine their number, ten and the court cards 10; 0 for no card.
inline constexpr int kAce = 1;

// The three card values an advice is given for. PlayerCard2 is 0 when the second card's
// picture could not be shown; the cascades then answer the lone first card.
struct Hand {
    int playerCard1 = 0;
    int playerCard2 = 0;
    int dealerUpCard = 0;
};

// The sum of the two player cards, the ace counting 1.
int total(const Hand& hand);

// Both player cards have the value v.
bool isPairOf(const Hand& hand, int v);

// Exactly one player card is an ace.
bool isAceHand(const Hand& hand);

// An ace hand whose other card (the side card) has the value side, in either order.
bool isAceWith(const Hand& hand, int side);

// The other card of an ace hand.
int sideCard(const Hand& hand);

// The dealer's up card is one of the listed values (the ace counting 1).
bool dealerIs(const Hand& hand, int v);
bool dealerIn(const Hand& hand, int from, int to);
bool dealerAtMost(const Hand& hand, int v);

} // namespace strategy

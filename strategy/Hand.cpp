#include "Hand.h"

namespace strategy {

int total(const Hand& hand) {
    return hand.playerCard1 + hand.playerCard2;
}

bool isPairOf(const Hand& hand, int v) {
    return hand.playerCard1 == v && hand.playerCard2 == v;
}

bool isAceHand(const Hand& hand) {
    return (hand.playerCard1 == kAce) != (hand.playerCard2 == kAce);
}

bool isAceWith(const Hand& hand, int side) {
    return (hand.playerCard1 == kAce && hand.playerCard2 == side) ||
           (hand.playerCard2 == kAce && hand.playerCard1 == side);
}

int sideCard(const Hand& hand) {
    return hand.playerCard1 == kAce ? hand.playerCard2 : hand.playerCard1;
}

bool dealerIs(const Hand& hand, int v) {
    return hand.dealerUpCard == v;
}

bool dealerIn(const Hand& hand, int from, int to) {
    return hand.dealerUpCard >= from && hand.dealerUpCard <= to;
}

bool dealerAtMost(const Hand& hand, int v) {
    return hand.dealerUpCard <= v;
}

} // namespace strategy

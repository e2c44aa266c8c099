// "Blackjack Single Deck ": five stages, tried in order; the first rule that holds answers.
#include "Strategy.h"

namespace strategy {

using namespace advice;

const Advice& adviseSingleDeck(const Hand& h) {
    const int sum = total(h);

    // Stage 1: the dealer shows an ace.
    if (dealerIs(h, kAce)) {
        if (isPairOf(h, 5)) return H14;
        if (isPairOf(h, 6)) return H14;
        if (isPairOf(h, 7)) return H14;
        if (isPairOf(h, 9)) return S11;
        if (isAceWith(h, 6)) return H13;
        if (isAceWith(h, 7)) return S10;
        if (isAceWith(h, 8)) return S11;
        if (sum == 16) return Rh; // takes in 8,8
        if (sum == 13) return H13;
        if (sum == 14) return H13;
        if (sum == 15) return H12;
        if (sum == 9) return H14;
    }

    // Stage 2: the pair of aces.
    if (isPairOf(h, kAce)) return P10;

    // Stage 3: ace hands, by side card.
    if (isAceHand(h)) {
        switch (sideCard(h)) {
        case 10: return BJ6;
        case 9: return S10;
        case 8: return dealerIs(h, 6) ? Ds : S10;
        case 7:
            if (dealerIn(h, 3, 6)) return Ds;
            if (dealerIn(h, 9, 10)) return H14;
            return S10; // 2, 7, 8
        case 6: return dealerAtMost(h, 6) ? D11 : H13;
        case 5: return dealerIn(h, 4, 6) ? D11 : H13;
        case 4: return dealerIn(h, 4, 6) ? D11_1 : H13;
        case 3: return dealerIn(h, 4, 6) ? D11_2 : H13;
        case 2: return dealerIn(h, 4, 6) ? D11 : H13;
        default: return P10_1; // a lone ace: the second card is missing
        }
    }

    // Stage 4: pairs other than aces.
    if (isPairOf(h, 10)) return S10;
    if (isPairOf(h, 9) && (dealerAtMost(h, 6) || dealerIn(h, 8, 9))) return P11;
    if (isPairOf(h, 8)) return P11;
    if (isPairOf(h, 7)) {
        if (dealerAtMost(h, 7)) return P10;
        if (dealerIn(h, 8, 9)) return H14;
        return RS; // 10
    }
    if (isPairOf(h, 6)) return dealerAtMost(h, 6) ? P10 : H13;
    if (isPairOf(h, 5)) return dealerAtMost(h, 9) ? D10 : H13;
    if (isPairOf(h, 4)) return dealerIn(h, 5, 6) ? D10 : H13;
    if (isPairOf(h, 3)) return dealerIn(h, 4, 7) ? P10 : H13;
    if (isPairOf(h, 2)) return dealerIn(h, 3, 7) ? P10 : H13;

    // Stage 5: by total (hard hands, 9,9 against 7 and 10, and a lone first card).
    if (sum < 8) return H13;
    if (sum == 8) return dealerIn(h, 5, 6) ? Dh : H13;
    if (sum == 9) return dealerAtMost(h, 6) ? Dh : H13;
    if (sum == 10) return dealerIs(h, 10) ? H14 : Dh;
    if (sum == 11) return Dh;
    if (sum == 12) return dealerIn(h, 4, 6) ? S10 : H13;
    if (sum == 13) return dealerAtMost(h, 6) ? S11 : H14;
    if (sum == 14) return dealerAtMost(h, 6) ? S11 : H13;
    if (sum == 15) return dealerAtMost(h, 6) ? S11 : H13;
    if (sum == 16) {
        if (dealerAtMost(h, 6)) return S11;
        if (dealerIn(h, 7, 9)) return H13;
        return RH; // 10
    }
    return S11; // 17, 18, 19: no higher total reaches this stage
}

} // namespace strategy

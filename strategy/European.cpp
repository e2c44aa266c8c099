// "Blackjack European": seven stages, tried in order; the first rule that holds answers.
// No surrender, and no ace hand doubles.
#include "Strategy.h"

namespace strategy {

using namespace advice;

const Advice& adviseEuropean(const Hand& h) {
    const int sum = total(h);

    // Stage 1: the dealer shows an ace.
    if (dealerIs(h, kAce)) {
        if (isPairOf(h, 2)) return H14;
        if (isPairOf(h, 3)) return H14;
        if (isPairOf(h, 5)) return H14;
        if (isPairOf(h, 6)) return H14;
        if (isPairOf(h, 7)) return H14;
        if (isPairOf(h, 9)) return S11;
        if (isAceWith(h, 6)) return H13;
        if (isAceWith(h, 7)) return H10;
        if (isAceWith(h, 8)) return S11;
    }

    // Stage 2: the blackjack, against every dealer card.
    if (isAceWith(h, 10)) return BJ11;

    // Stage 3: the dealer shows an ace, by total.
    if (dealerIs(h, kAce)) {
        if (sum == 16) return H13; // takes in 8,8
        if (sum == 13) return H13;
        if (sum == 14) return H13;
        if (sum == 15) return H12;
        if (sum == 11) return H14;
        if (sum == 9) return H14;
        if (sum == 10 && !isAceHand(h)) return H14; // hard 10 only: A,9 stands like its row
    }

    // Stage 4: the pair of aces.
    if (isPairOf(h, kAce)) return dealerIs(h, kAce) ? H10 : P10;

    // Stage 5: ace hands, by side card (10 was answered in stage 2).
    if (isAceHand(h)) {
        switch (sideCard(h)) {
        case 9: return S10;
        case 8: return dealerIs(h, 6) ? S11 : S10;
        case 7: return dealerIn(h, 9, 10) ? H14 : S10;
        case 6: return H13;
        case 5: return H13;
        case 4: return dealerIn(h, 4, 6) ? H13_1 : H13;
        case 3: return H13;
        case 2: return dealerIn(h, 5, 6) ? H14 : H13;
        default: return P10_1; // a lone ace: the second card is missing
        }
    }

    // Stage 6: pairs other than aces.
    if (isPairOf(h, 10)) return S10;
    if (isPairOf(h, 9) && (dealerAtMost(h, 6) || dealerIn(h, 8, 9))) return P11;
    if (isPairOf(h, 8) && dealerAtMost(h, 9)) return P11;
    if (isPairOf(h, 7)) return dealerAtMost(h, 7) ? P10 : H14;
    if (isPairOf(h, 6)) return dealerAtMost(h, 6) ? P10 : H13;
    if (isPairOf(h, 5)) return dealerAtMost(h, 9) ? D10 : H13;
    if (isPairOf(h, 4)) return dealerIn(h, 5, 6) ? P13 : H13;
    if (isPairOf(h, 3)) return dealerAtMost(h, 7) ? P10 : H13;
    if (isPairOf(h, 2)) return dealerAtMost(h, 7) ? P10 : H13;

    // Stage 7: by total (hard hands, 9,9 against 7 and 10, 8,8 against 10, a lone first card).
    if (sum < 8) return H13;
    if (sum == 8) return dealerIn(h, 5, 6) ? Dh : H13;
    if (sum == 9) {
        if (dealerIs(h, 2)) return H16;
        if (dealerIn(h, 3, 6)) return Dh;
        return H13; // 7 or higher
    }
    if (sum == 10) return dealerIs(h, 10) ? H17 : Dh;
    if (sum == 11) return dealerIs(h, 10) ? H15 : Dh;
    if (sum == 12) return dealerIn(h, 4, 6) ? S10 : H13;
    if (sum == 13) return dealerAtMost(h, 6) ? S11 : H14;
    if (sum >= 14 && sum <= 16) return dealerAtMost(h, 6) ? S11 : H13;
    return S11; // 17, 18, 19: no higher total reaches this stage
}

} // namespace strategy

// The lean rounds: a lone counter's single hand, the rules and settlement of the whole table's
// code without its bookkeeping. The shoe's place and the running count live in locals for the
// round, the sums in locals for the block; the few branches a round takes on its cards are
// turned into table reads where that spares a misprediction: the dealer's hand and what it
// makes of the player's total, and a player's total past 21, which the play tables read as
// Stand. A split is handed over to the whole table's code.
#include "CasinoTable.h"

namespace simulation {

using analysis::Play;

namespace {
constexpr int kBlackjack = pairIndexOf(1, 10);
} // namespace

template <bool Counting> void CasinoTable::leanRounds(Totals& t) {
    LeanSums s;
    if (plan_.setup.csm) {
        for (int i = 0; i < plan_.roundsPerBlock; ++i) {
            shoe_.next = shoe_.shuffled = 0; // every round from the whole shoe
            running_ = plan_.initialCount;
            leanRound<Counting>(s);
        }
    } else {
        for (int shoe = 0; shoe < plan_.shoesPerBlock; ++shoe) {
            shuffle(t);
            while (shoe_.next < plan_.cutAt)
                leanRound<Counting>(s);
        }
    }
    t.rounds = t.played = s.played;
    t.win = {s.win, double(s.played)};
    t.bet = {s.bet, double(s.played)};
    t.win2 = s.win2;
    t.win3 = s.win3;
    t.win4 = s.win4;
    for (int i = 0; i < kCounts; ++i) {
        t.frequency[std::size_t(i)].x = double(s.dealtAt[i]);
        t.returns[std::size_t(i)] = {s.returnAt[i], double(s.dealtAt[i])};
    }
}

template <bool Counting> [[gnu::always_inline]] inline void CasinoTable::leanRound(LeanSums& s) {
    int next = shoe_.next, shuffled = shoe_.shuffled, running = running_;
    shoe_.roundStart = next;
    const auto draw = [&]() -> int {
        if (__builtin_expect(next < shuffled, 1)) return shoe_.card[next++];
        shoe_.next = next;
        running_ = running;
        const int card = drawLate();
        next = shoe_.next, shuffled = shoe_.shuffled, running = running_;
        return card;
    };
    const auto see = [&](int card) {
        if constexpr (Counting) running += tags_[card];
        return card;
    };
    const auto count = [&] { return countAt(running, cards_ - next); };
    int bin = -kLowestCount;
    double bet = 1;
    if constexpr (Counting) {
        const int before = count();
        bin = countBin(before);
        bet = plan_.betAt(before);
    }
    double units = 0; // won, in bets
    const auto done = [&] {
        shoe_.next = next;
        running_ = running;
        const double won = units * bet, won2 = won * won;
        ++s.played;
        ++s.dealtAt[bin];
        s.win += won;
        s.bet += bet;
        s.win2 += won2;
        s.win3 += won2 * won;
        s.win4 += won2 * won2;
        s.returnAt[bin] += units;
    };

    const int a = see(draw()), up = see(draw()), b = see(draw());
    const bool holeCard = r_.holeCard;
    int hole = holeCard ? draw() : 0; // 0 until it is drawn: no blackjack
    const int pair = pairIndex(a, b);
    const bool blackjack = pair == kBlackjack;
    if (Counting && holeCard && up == 1 && plan_.hasInsurance && count() >= plan_.insuranceIndex)
        units += hole == 10 ? 1 : -0.5;
    if (pairIndex(up, hole) == kBlackjack) { // the dealer's blackjack, checked (hole 0: none)
        see(hole);
        units -= blackjack ? 0 : 1;
        return done();
    }
    if (blackjack) {
        if (!holeCard) hole = draw();
        see(hole);
        const bool push = !holeCard && pairIndex(up, hole) == kBlackjack;
        units += push ? 0 : r_.blackjackPays();
        return done();
    }

    const PlayTables& tables = plan_.counter;
    const auto binNow = [&] { return Counting ? tables.bin(count()) : 0; };
    int play = tables.firstPlay(binNow(), up, pair);
    if (__builtin_expect(play == int(Play::Split), 0)) {
        shoe_.next = next;
        running_ = running;
        units += leanSplit(a, b, up, hole, bet) / bet;
        next = shoe_.next, running = running_;
        return done();
    }
    int hard = a + b;
    int ace = (a == 1) | (b == 1);
    double stake = 1; // in bets
    if (play == int(Play::Double)) {
        stake = 2;
        const int card = see(draw());
        hard += card;
        ace |= card == 1;
    }
    // A total past 21 reads Stand, as 21 does.
    while (play == int(Play::Hit)) {
        const int card = see(draw());
        hard += card;
        ace |= card == 1;
        const bool soft = ace && hard <= 11;
        play = tables.laterPlay(binNow(), up, laterIndex(soft ? hard + 10 : hard, soft));
    }
    const int total = ace && hard <= 11 ? hard + 10 : hard;
    if (!holeCard) hole = draw();
    see(hole);
    if (!holeCard && pairIndex(up, hole) == kBlackjack) {
        units -= stake; // no hole card: the dealer's blackjack takes every bet
    } else if (play == int(Play::Surrender)) {
        units -= 0.5;
    } else if (total > 21) {
        units -= stake;
    } else {
        int hand = dealerHand(up, hole);
        while (!dealerStands_[hand])
            hand = dealerHits(hand, see(draw()));
        units += stake * outcome_[total][dealerTotal_[hand]];
    }
    done();
}

// A split, as the whole table plays it: the hands, the dealer and the settlement, in units.
double CasinoTable::leanSplit(int a, int b, int up, int hole, double bet) {
    Hand& h = hands_[0][0];
    h = Hand{};
    h.stake = bet;
    h.add(a);
    h.add(b);
    handCount_[0] = 1;
    playing_ = true;
    split(hands_[0], handCount_[0], 0);
    hands_[0][0].done = a == 1; // split aces: one card each
    playSeat(0, up);
    if (!r_.holeCard) hole = draw();
    seen(hole);
    return dealerAndSettle(up, hole);
}

template void CasinoTable::leanRounds<true>(Totals& t);
template void CasinoTable::leanRounds<false>(Totals& t);

} // namespace simulation

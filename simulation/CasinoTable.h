#pragma once

// One block of a run at the table: the shoe, the seats and their hands, the count as each card
// shows, the dealer's play and each round's settlement. Two ways through a round: the whole
// table (seats, spots, Wonging, the player's own mistakes, trips) and the lean one of a lone
// counter's single hand, the hot loop of most runs, which keeps the shoe's place and the count
// in registers and hands a split over to the whole table's code.

#include "CardShoe.h"
#include "Plan.h"
#include "Random.h"
#include "Totals.h"

#include <cstdint>
#include <vector>

namespace simulation {

// A hand at the table, as the whole table's code plays it.
struct Hand {
    int hard = 0; // aces as 1
    bool ace = false;
    int cards = 0;
    int first = 0, second = 0;
    double stake = 0; // units at risk
    bool fromSplit = false;
    bool done = false;
    bool surrendered = false;
    bool blackjack = false;
    std::uint64_t key = 0; // the cards, five bits a value

    bool soft() const { return ace && hard <= 11; }
    int total() const { return soft() ? hard + 10 : hard; }
    void add(int card);
};

class CasinoTable {
public:
    CasinoTable(const Plan& plan, std::uint64_t block);
    Totals deal();
    std::vector<int> firstShoe(int cards);

private:
    static constexpr int kMostSeats = 7;
    static constexpr int kMostHands = 4;

    // What the lean rounds add up, kept apart from the Totals until the block is done.
    struct LeanSums {
        double win = 0, bet = 0, win2 = 0, win3 = 0, win4 = 0;
        std::int64_t played = 0;
        std::int64_t dealtAt[kCounts] = {}, playedAt[kCounts] = {};
        double returnAt[kCounts] = {};
    };
    template <bool Counting> void leanRounds(Totals& t);
    template <bool Counting> void leanRound(LeanSums& s);
    double leanSplit(int a, int b, int up, int hole, double bet);
    void wholeRounds(Totals& t);

    void shuffle(Totals& t);
    int draw() {
        if (__builtin_expect(shoe_.next < shoe_.shuffled, 1)) return shoe_.card[shoe_.next++];
        return drawLate();
    }
    int drawLate();
    int seen(int card) {
        running_ += tags_[card];
        return card;
    }
    // The count at a running count and cards left, from the plan's table where it holds one.
    int countAt(int running, int left) const {
        return countTable_ ? countTable_[(running - countLow_) * (cards_ + 1) + left]
                           : plan_.count(running, left);
    }
    int countNow() const { return counting_ ? countAt(running_, cards_ - shoe_.next) : 0; }
    int countUsed(int count);
    bool mine(int seat) const {
        return playing_ && seat >= plan_.seat && seat < plan_.seat + plan_.spots;
    }
    bool plays(int count);
    analysis::Play decide(const Hand& h, int up, bool counter, bool resplit);
    int mistaken(int play, int up, const Hand& h, int hand, bool resplit);
    void playSeat(int seat, int up);
    void split(Hand* hands, int& count, int i);
    void round(Totals& t);
    double dealerAndSettle(int up, int hole);
    double betAt(int count);
    void settle(Totals& t, double bet, double result, int bin);
    void trip(Totals& t, double result);

    const Plan& plan_;
    const rules::Rules& r_;
    int cards_;
    CardShoe shoe_;
    int running_ = 0;
    int tags_[11] = {};
    bool counting_ = false, mistaken_ = false, composition_ = false;
    const std::int8_t* countTable_ = nullptr;
    int countLow_ = 0;
    bool playing_ = true;
    bool lean_ = false;
    bool watching_ = false;
    Random random_;
    Random mistakes_;
    std::uint64_t block_;
    Hand hands_[kMostSeats][kMostHands];
    int handCount_[kMostSeats] = {};
    // The dealer's hand as its hard sum, and 32 once it holds an ace (the sum stays below 32):
    // its total, and whether it stands there.
    static int dealerHand(int up, int hole) { return up + hole + (up == 1 || hole == 1 ? 32 : 0); }
    static int dealerHits(int hand, int card) { return (hand + card) | (card == 1 ? 32 : 0); }
    std::uint8_t dealerTotal_[64];
    bool dealerStands_[64];
    std::int8_t outcome_[32][32] = {}; // by the player's total to 21 and the dealer's: +1, 0, -1
    double bankroll_ = 0;
    double tripBank_ = 0;
    int tripRounds_ = 0;
};

} // namespace simulation

#include "CasinoTable.h"

#include <algorithm>

namespace simulation {

using analysis::Play;

namespace {

constexpr int kPaths = 5;        // trips drawn for the plot
constexpr int kPathPoints = 400; // points a path at most

} // namespace

void Hand::add(int card) {
    hard += card;
    ace = ace || card == 1;
    if (cards == 0) first = card;
    if (cards == 1) second = card;
    ++cards;
    key += cardBit(card);
}

CasinoTable::CasinoTable(const Plan& plan, std::uint64_t block)
    : plan_(plan), r_(plan.rules), cards_(plan.rules.decks * 52), shoe_(plan.rules.decks),
      random_(plan.setup.seed, block, 0), mistakes_(plan.setup.seed, block, 1), block_(block) {
    if (plan.counting) {
        for (int v = 1; v <= 10; ++v)
            tags_[v] = plan.tags[std::size_t(v)];
    }
    for (int ace = 0; ace < 2; ++ace) {
        for (int hard = 0; hard < 32; ++hard) {
            const bool soft = ace && hard <= 11;
            const int total = soft ? hard + 10 : hard;
            dealerTotal_[ace * 32 + hard] = std::uint8_t(total);
            dealerStands_[ace * 32 + hard] =
                total > 17 || (total == 17 && !(soft && plan.rules.hitSoft17));
        }
    }
    for (int total = 0; total <= 21; ++total) {
        for (int dealer = 17; dealer < 32; ++dealer)
            outcome_[total][dealer] = dealer > 21 || total > dealer ? 1 : total < dealer ? -1 : 0;
    }
    counting_ = plan.counting;
    countTable_ = plan.countAt.empty() ? nullptr : plan.countAt.data();
    countLow_ = plan.countLow;
    mistaken_ = plan.setup.mistakes.has_value();
    composition_ = plan.setup.strategy == Strategy::Composition;
    bankroll_ = plan.setup.game.bankroll;
    const counting::Game& g = plan.setup.game;
    // One seat, one hand, no Wonging, mistakes or trips: the lean rounds.
    lean_ = plan.players == 1 && plan.spots == 1 && !mistaken_ && !composition_ && !g.wongIn &&
            !g.wongOut && !g.leaveBelow && !plan.setup.trip;
}

std::vector<int> CasinoTable::firstShoe(int cards) {
    Totals t;
    shuffle(t);
    std::vector<int> dealt(shoe_.card, shoe_.card + plan_.setup.burn);
    while (int(dealt.size()) < cards)
        dealt.push_back(draw());
    return dealt;
}

Totals CasinoTable::deal() {
    Totals t;
    t.blocks = 1;
    if (!lean_) {
        wholeRounds(t);
    } else if (counting_) {
        leanRounds<true>(t);
    } else {
        leanRounds<false>(t);
    }
    for (Ratio& at : t.frequency)
        at.y = double(t.rounds);
    return t;
}

void CasinoTable::wholeRounds(Totals& t) {
    if (plan_.setup.csm) {
        for (int i = 0; i < plan_.roundsPerBlock; ++i) {
            // The shuffler: every round from the whole shoe, drawn card by card.
            shoe_.next = shoe_.shuffled = 0;
            running_ = plan_.initialCount;
            round(t);
        }
        return;
    }
    for (int shoe = 0; shoe < plan_.shoesPerBlock; ++shoe) {
        shuffle(t);
        while (shoe_.next < plan_.cutAt)
            round(t);
    }
}

// A new shoe: the places to the cut card shuffled (those past it, for the round the cut card
// comes out in, are drawn one by one), the count from the start, the burn cards out unseen.
void CasinoTable::shuffle(Totals& t) {
    ++t.shoes;
    shoe_.shuffle(random_, plan_.cutAt);
    running_ = plan_.initialCount;
    for (int i = 0; i < plan_.setup.burn; ++i)
        draw();
    if (plan_.setup.game.wongIn) watching_ = true; // back-counting from the start
}

int CasinoTable::drawLate() {
    bool ranOut = false;
    const int card = shoe_.drawLate(random_, ranOut);
    if (ranOut) running_ = plan_.initialCount; // the counter starts the count over
    return card;
}

// The count the counter goes by: now and then off, as the player's own mistakes have it.
int CasinoTable::countUsed(int count) {
    if (!mistaken_) return count;
    const double u = mistakes_.uniform();
    double sum = 0;
    for (int off = -2; off <= 2; ++off) {
        sum += plan_.setup.mistakes->countOff[std::size_t(off + 2)];
        if (u < sum) return count + off;
    }
    return count;
}

// Whether the counter plays the round that starts at this count: Wonging in and out,
// leaving below a count.
bool CasinoTable::plays(int count) {
    const counting::Game& g = plan_.setup.game;
    if (!counting_) return true;
    if (watching_) {
        if (!g.wongIn || count >= *g.wongIn) watching_ = false;
    } else if (g.wongOut && count < *g.wongOut) {
        watching_ = true;
    }
    if (watching_) return false;
    return !(g.leaveBelow && count < *g.leaveBelow);
}

Play CasinoTable::decide(const Hand& h, int up, bool counter, bool resplit) {
    if (counter && composition_) {
        const auto& plays = plan_.composition[std::size_t(up - 1)];
        const auto found = plays.find(h.key);
        if (found != plays.end()) {
            return Play(h.cards > 2   ? found->second.later
                        : h.fromSplit ? found->second.split
                                      : found->second.first);
        }
    }
    const PlayTables& tables = counter ? plan_.counter : plan_.basic;
    const int bin = counter && counting_ ? tables.bin(countUsed(countNow())) : 0;
    int play, hand;
    if (h.cards == 2) {
        const int pair = pairIndex(h.first, h.second);
        play = h.fromSplit ? tables.splitPlay(bin, up, pair, resplit)
                           : tables.firstPlay(bin, up, pair);
        hand = (h.fromSplit ? kPairs : 0) + pair;
    } else {
        const int later = laterIndex(h.total(), h.soft());
        play = tables.laterPlay(bin, up, later);
        hand = 3 * kPairs + later;
    }
    if (counter && mistaken_) play = mistaken(play, up, h, hand, resplit);
    return Play(play);
}

// The player's own mistakes: an index play missed (the basic play made), or a basic play
// missed (the cell's second-best play made).
int CasinoTable::mistaken(int play, int up, const Hand& h, int hand, bool resplit) {
    const std::size_t at = std::size_t(up - 1) * (kPairs * 3 + kLater) + std::size_t(hand);
    const PlayTables& b = plan_.basic;
    const int basic = h.cards == 2 ? (h.fromSplit ? b.splitPlay(0, up, hand - kPairs, resplit)
                                                  : b.firstPlay(0, up, hand))
                                   : b.laterPlay(0, up, hand - 3 * kPairs);
    if (play != basic) {
        return mistakes_.uniform() < plan_.indexMiss[at] ? basic : play;
    }
    if (mistakes_.uniform() >= plan_.basicMiss[at]) return play;
    const PlayTables& s = plan_.second;
    return h.cards == 2 ? (h.fromSplit ? s.splitPlay(0, up, hand - kPairs, resplit)
                                       : s.firstPlay(0, up, hand))
                        : s.laterPlay(0, up, hand - 3 * kPairs);
}

// Plays one seat's hands out, splits included.
void CasinoTable::playSeat(int seat, int up) {
    const bool counter = mine(seat);
    Hand* hands = hands_[seat];
    int& count = handCount_[seat];
    for (int i = 0; i < count; ++i) {
        Hand& h = hands[i];
        if (h.cards == 1) { // a split hand takes its second card
            h.add(seen(draw()));
            if (h.first == 1) { // split aces: one card each
                h.done = true;
                continue;
            }
        }
        while (!h.done) {
            if (h.total() >= 21) {
                h.done = true;
                break;
            }
            const bool mayResplit = count < r_.splitHands && h.first != 1;
            if (counter && composition_ && h.fromSplit && h.cards == 2 && h.first == h.second &&
                mayResplit) {
                // As the engine values a split: a pair card starts a new hand.
                split(hands, count, i);
                continue;
            }
            const Play play = decide(h, up, counter, mayResplit);
            switch (play) {
            case Play::Stand: h.done = true; break;
            case Play::Hit: h.add(seen(draw())); break;
            case Play::Double:
                h.stake *= 2;
                h.add(seen(draw()));
                h.done = true;
                break;
            case Play::Split:
                if (h.cards == 2 && h.first == h.second && count < r_.splitHands) {
                    split(hands, count, i);
                    hands[i].done = hands[i].first == 1; // aces: one card each, no more
                } else {
                    h.add(seen(draw()));
                }
                break;
            case Play::Surrender:
                h.surrendered = true;
                h.done = true;
                break;
            }
        }
    }
}

// The pair of hand i splits: a new hand after the others, with the second card.
void CasinoTable::split(Hand* hands, int& count, int i) {
    Hand& h = hands[i];
    const int pair = h.first;
    Hand next;
    next.add(pair);
    next.stake = h.stake;
    next.fromSplit = true;
    hands[count++] = next;
    const double stake = h.stake;
    h = Hand{};
    h.add(pair);
    h.stake = stake;
    h.fromSplit = true;
    h.add(seen(draw()));
}

void CasinoTable::round(Totals& t) {
    shoe_.roundStart = shoe_.next;
    const int before = countNow();
    const int bin = countBin(before);
    ++t.rounds;
    t.frequency[std::size_t(bin)].x += 1; // over every round dealt: y once the block is done
    playing_ = plays(before);
    const double bet = playing_ ? betAt(before) : 0;

    const int players = plan_.players;
    for (int s = 0; s < players; ++s) {
        Hand& h = hands_[s][0];
        h = Hand{};
        h.stake = mine(s) ? bet : 1;
        h.add(seen(draw()));
        handCount_[s] = 1;
    }
    const int up = seen(draw());
    for (int s = 0; s < players; ++s) {
        Hand& h = hands_[s][0];
        h.add(seen(draw()));
        h.blackjack = h.total() == 21;
    }
    const bool holeCard = r_.holeCard;
    int hole = holeCard ? draw() : 0;

    double result = 0; // the counter's, in units
    if (holeCard && up == 1 && playing_ && plan_.hasInsurance &&
        countUsed(countNow()) >= plan_.insuranceIndex) {
        const bool dealerBlackjack = hole == 10;
        result += (dealerBlackjack ? 1.0 : -0.5) * bet * plan_.spots;
    }
    if (holeCard && ((up == 1 && hole == 10) || (up == 10 && hole == 1))) {
        seen(hole);
        for (int s = plan_.seat; playing_ && s < plan_.seat + plan_.spots; ++s)
            result += hands_[s][0].blackjack ? 0 : -bet;
        settle(t, bet, result, bin);
        return;
    }
    for (int s = 0; s < players; ++s) {
        if (!hands_[s][0].blackjack) playSeat(s, up);
    }
    if (!holeCard) hole = draw();
    seen(hole);
    result += dealerAndSettle(up, hole);
    settle(t, bet, result, bin);
}

// The dealer's play, while a hand stands (the hole card shown already), and what the
// counter's hands make of it.
double CasinoTable::dealerAndSettle(int up, int hole) {
    const int players = plan_.players;
    bool standing = false;
    for (int s = 0; s < players; ++s) {
        for (int i = 0; i < handCount_[s]; ++i) {
            const Hand& h = hands_[s][i];
            standing = standing || (!h.surrendered && h.total() <= 21 && !h.blackjack);
        }
    }
    int hand = dealerHand(up, hole);
    const bool dealerBlackjack = (up == 1 && hole == 10) || (up == 10 && hole == 1);
    if (standing && !dealerBlackjack) {
        while (!dealerStands_[hand])
            hand = dealerHits(hand, seen(draw()));
    }
    const int dealer = dealerTotal_[hand];
    const double blackjackPays = r_.blackjackPays();
    double result = 0;
    for (int s = plan_.seat; playing_ && s < plan_.seat + plan_.spots; ++s) {
        for (int i = 0; i < handCount_[s]; ++i) {
            const Hand& h = hands_[s][i];
            const int total = h.total();
            double w;
            if (h.blackjack && handCount_[s] == 1) {
                w = dealerBlackjack ? 0 : blackjackPays * h.stake;
            } else if (dealerBlackjack) {
                w = -h.stake; // no hole card: the dealer's blackjack takes every bet
            } else if (h.surrendered) {
                w = -0.5 * h.stake;
            } else if (total > 21) {
                w = -h.stake;
            } else if (dealer > 21 || total > dealer) {
                w = h.stake;
            } else {
                w = total < dealer ? -h.stake : 0;
            }
            result += w;
        }
    }
    return result;
}

double CasinoTable::betAt(int count) {
    int used = countUsed(count);
    if (mistaken_ && plan_.setup.mistakes->betOff > 0 &&
        mistakes_.uniform() < plan_.setup.mistakes->betOff) {
        used += mistakes_.uniform() < 0.5 ? -1 : 1;
    }
    return plan_.betAt(used);
}

void CasinoTable::settle(Totals& t, double bet, double result, int bin) {
    if (!playing_) {
        ++t.watched;
        return;
    }
    const double staked = bet * plan_.spots;
    ++t.played;
    const double w2 = result * result;
    t.win.x += result;
    t.win.y += 1;
    t.bet.x += staked;
    t.bet.y += 1;
    t.win2 += w2;
    t.win3 += w2 * result;
    t.win4 += w2 * w2;
    Ratio& at = t.returns[std::size_t(bin)];
    at.x += result / staked;
    at.y += 1;
    if (plan_.setup.trip) trip(t, result);
}

// Trips of so many rounds played, each from the full bankroll: ruined the first time the
// losses reach it (the trip then ends).
void CasinoTable::trip(Totals& t, double result) {
    tripBank_ += result;
    ++tripRounds_;
    const int rounds = *plan_.setup.trip;
    const bool drawn = block_ == 0 && int(t.paths.size()) < kPaths + 1 && t.trips < kPaths;
    if (drawn) {
        if (t.paths.size() <= std::size_t(t.trips)) t.paths.emplace_back(1, float(bankroll_));
        if (tripRounds_ % std::max(1, rounds / kPathPoints) == 0 || tripBank_ <= -bankroll_)
            t.paths.back().push_back(float(bankroll_ + tripBank_));
    }
    const bool ruined = tripBank_ <= -bankroll_;
    if (ruined || tripRounds_ == rounds) {
        ++t.trips;
        t.ruined += ruined;
        tripBank_ = 0;
        tripRounds_ = 0;
    }
}

} // namespace simulation

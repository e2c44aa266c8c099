#include "Dealer.h"

#include "Random.h"

#include <algorithm>
#include <cmath>

namespace simulation {

using analysis::Play;

namespace {

constexpr int kMostSeats = 7;
constexpr int kMostHands = 4;
constexpr int kPaths = 5;          // trips drawn for the plot
constexpr int kPathPoints = 400;   // points a path at most

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
    void add(int card) {
        hard += card;
        ace = ace || card == 1;
        if (cards == 0) first = card;
        if (cards == 1) second = card;
        ++cards;
        key += cardBit(card);
    }
};

class Table {
public:
    Table(const Plan& plan, std::uint64_t block)
        : plan_(plan), r_(plan.rules), cards_(plan.rules.decks * 52),
          random_(plan.setup.seed, block, 0), mistakes_(plan.setup.seed, block, 1),
          block_(block) {
        int at = 0;
        for (int value = 1; value <= 10; ++value) {
            for (int n = 0; n < (value == 10 ? 16 : 4) * plan.rules.decks; ++n)
                shoe_[at++] = std::uint8_t(value);
        }
        if (plan.counting) {
            for (int v = 1; v <= 10; ++v)
                tags_[v] = plan.tags[std::size_t(v)];
        }
        for (int ace = 0; ace < 2; ++ace) {
            for (int hard = 0; hard < 32; ++hard) {
                const bool soft = ace && hard <= 11;
                const int total = soft ? hard + 10 : hard;
                dealerTotal_[ace][hard] = total;
                dealerStands_[ace][hard] =
                    total > 17 || (total == 17 && !(soft && plan.rules.hitSoft17));
            }
        }
        counting_ = plan.counting;
        countTable_ = plan.countAt.empty() ? nullptr : plan.countAt.data();
        countLow_ = plan.countLow;
        cutAt_ = plan.cutAt;
        mistaken_ = plan.setup.mistakes.has_value();
        composition_ = plan.setup.strategy == Strategy::Composition;
        bankroll_ = plan.setup.game.bankroll;
        const counting::Game& g = plan.setup.game;
        // One seat, one hand, no Wonging, mistakes or trips: the lean path of the marks.
        lean_ = plan.players == 1 && plan.spots == 1 && !mistaken_ && !composition_ && !g.wongIn &&
                !g.wongOut && !g.leaveBelow && !plan.setup.trip;
    }

    std::vector<int> firstShoe(int cards) {
        Totals t;
        shuffle(t);
        std::vector<int> dealt(shoe_, shoe_ + plan_.setup.burn);
        while (int(dealt.size()) < cards)
            dealt.push_back(draw());
        return dealt;
    }

    Totals deal() {
        Totals t;
        t.blocks = 1;
        if (lean_) {
            counting_ ? rounds<true>(t) : rounds<false>(t);
        } else {
            rounds<false, false>(t);
        }
        for (Ratio& at : t.frequency)
            at.y = double(t.rounds);
        if (lean_) {
            t.win.y = t.bet.y = double(t.played);
            for (int i = 0; i < kCounts; ++i) {
                t.returns[std::size_t(i)].y = double(playedAt_[i]);
                t.frequency[std::size_t(i)].x = double(dealtAt_[i]);
            }
        }
        return t;
    }

private:
    // Every round of the block: the lean path (one hand) or the whole table.
    template <bool Counting, bool Lean = true>
    void rounds(Totals& t) {
        if (plan_.setup.csm) {
            for (int i = 0; i < plan_.roundsPerBlock; ++i) {
                next_ = 0; // the shuffler: every round from the whole shoe, drawn card by card
                shuffled_ = 0;
                running_ = plan_.initialCount;
                Lean ? leanRound<Counting>(t) : round(t);
            }
            return;
        }
        for (int shoe = 0; shoe < plan_.shoesPerBlock; ++shoe) {
            shuffle(t);
            while (next_ < cutAt_)
                Lean ? leanRound<Counting>(t) : round(t);
        }
    }

    // One hand at the table, alone: the same rules and settlement as round(), without the
    // table's bookkeeping. A split is played out by the table's own code.
    template <bool Counting>
    [[gnu::always_inline]] inline void leanRound(Totals& t) {
        roundStart_ = next_;
        int bin = -kLowestCount;
        double bet = 1;
        if constexpr (Counting) {
            const int count = countAt(running_, cards_ - next_);
            bin = countBin(count);
            bet = plan_.betAt(count);
        }
        ++t.rounds;
        ++dealtAt_[bin];
        const int a = draw(), up = draw(), b = draw();
        const bool holeCard = r_.holeCard;
        int hole = holeCard ? draw() : 0;
        if constexpr (Counting) running_ += tags_[a] + tags_[up] + tags_[b];
        double result = 0;
        const bool blackjack = a + b == 11 && (a == 1 || b == 1);
        if (holeCard && (up == 1 || up == 10)) {
            if (Counting && up == 1 && plan_.hasInsurance &&
                countAt(running_, cards_ - next_) >= plan_.insuranceIndex)
                result += hole == 10 ? bet : -0.5 * bet;
            if (up + hole == 11) { // the dealer's blackjack, checked
                if constexpr (Counting) running_ += tags_[hole];
                leanSettle<Counting>(t, bet, result + (blackjack ? 0 : -bet), bin);
                return;
            }
        }
        if (blackjack) {
            if (!holeCard) hole = draw();
            if constexpr (Counting) running_ += tags_[hole];
            const bool push = !holeCard && up + hole == 11 && (up == 1 || hole == 1);
            leanSettle<Counting>(t, bet, result + (push ? 0 : r_.blackjackPays() * bet), bin);
            return;
        }
        int hard = a + b;
        bool ace = a == 1 || b == 1;
        double stake = bet;
        bool surrendered = false;
        const PlayTables& tables = plan_.counter;
        int play = tables.firstPlay(Counting ? tables.bin(countAt(running_, cards_ - next_)) : 0,
                                    up, pairIndex(a, b));
        for (;;) {
            if (play == int(Play::Stand)) break;
            if (play == int(Play::Split)) {
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
                if (!holeCard) hole = draw();
                seen(hole);
                result += dealerAndSettle(up, hole);
                leanSettle<Counting>(t, bet, result, bin);
                return;
            }
            if (play == int(Play::Surrender)) {
                surrendered = true;
                break;
            }
            const int card = draw();
            if constexpr (Counting) running_ += tags_[card];
            hard += card;
            ace = ace || card == 1;
            if (play == int(Play::Double)) {
                stake *= 2;
                break;
            }
            const int total = ace && hard <= 11 ? hard + 10 : hard;
            if (total >= 21) break;
            play = tables.laterPlay(Counting ? tables.bin(countAt(running_, cards_ - next_)) : 0,
                                    up, laterIndex(total, ace && hard <= 11));
        }
        const int total = ace && hard <= 11 ? hard + 10 : hard;
        if (!holeCard) hole = draw();
        if constexpr (Counting) running_ += tags_[hole];
        const bool dealerBlackjack = up + hole == 11 && (up == 1 || hole == 1);
        if (dealerBlackjack) { // no hole card: it takes every bet
            result -= stake;
        } else if (surrendered) {
            result -= 0.5 * stake;
        } else if (total > 21) {
            result -= stake;
        } else {
            // The dealer's hand as its hard sum and whether it holds an ace: its total, and
            // whether it stands there, from a table.
            int dHard = up + hole;
            int dAce = up == 1 || hole == 1;
            while (!dealerStands_[dAce][dHard]) {
                const int card = draw();
                if constexpr (Counting) running_ += tags_[card];
                dHard += card;
                dAce |= card == 1;
            }
            const int dTotal = dealerTotal_[dAce][dHard];
            result += dTotal > 21 || total > dTotal ? stake : total < dTotal ? -stake : 0;
        }
        leanSettle<Counting>(t, bet, result, bin);
    }

    // The rounds played are counted once the block is done (the ratios' y).
    template <bool Counting>
    void leanSettle(Totals& t, double bet, double result, int bin) {
        const double w2 = result * result;
        ++t.played;
        t.win.x += result;
        t.bet.x += bet;
        t.win2 += w2;
        t.win3 += w2 * result;
        t.win4 += w2 * w2;
        ++playedAt_[bin];
        t.returns[std::size_t(bin)].x += Counting ? result / bet : result;
    }


    // A new shoe: every card back, the count from the start, the burn cards out unseen. The
    // cards up to the cut card and a few rounds beyond are shuffled at once (Fisher and Yates,
    // as far as that: those places are then a uniform draw); any past them are drawn one by one.
    void shuffle(Totals& t) {
        ++t.shoes;
        next_ = 0;
        shuffled_ = std::min(cards_, plan_.cutAt + 24 * plan_.players);
        for (int i = 0; i < shuffled_; ++i) {
            const int j = i + int(random_.card(std::uint32_t(cards_ - i)));
            const std::uint8_t card = shoe_[j];
            shoe_[j] = shoe_[i];
            shoe_[i] = card;
        }
        running_ = plan_.initialCount;
        for (int i = 0; i < plan_.setup.burn; ++i)
            draw();
        if (plan_.setup.game.wongIn) watching_ = true; // back-counting from the start
    }
    // The shoe ran out in a round (a deep cut, a few decks, many hands): as a dealer does, the
    // discards are shuffled back in, the cards on the table kept out; the counter starts the count
    // over. A round that took every card of the shoe alone (seven hands at one deck) takes a whole
    // new shoe.
    void runOut() {
        if (roundStart_ > 0) {
            std::rotate(shoe_, shoe_ + roundStart_, shoe_ + next_);
            next_ -= roundStart_;
        } else {
            next_ = 0;
        }
        roundStart_ = 0;
        shuffled_ = next_;
        running_ = plan_.initialCount;
    }

    // The next card: from the places shuffled, or drawn from those left.
    int draw() {
        if (next_ < shuffled_) return shoe_[next_++ & kShoeMask];
        if (next_ >= cards_) runOut();
        const int i = next_ + int(random_.card(std::uint32_t(cards_ - next_)));
        const std::uint8_t card = shoe_[i];
        shoe_[i] = shoe_[next_];
        shoe_[next_++] = card;
        return card;
    }
    int seen(int card) {
        running_ += tags_[card];
        return card;
    }
    int countNow() const { return counting_ ? countAt(running_, cards_ - next_) : 0; }
    // The count at a running count and cards left: the plan's table, read here.
    int countAt(int running, int left) const {
        return countTable_ ? countTable_[(running - countLow_) * (cards_ + 1) + left]
                           : plan_.count(running, left);
    }
    // The count the counter goes by: now and then off, as the player's own mistakes have it.
    int countUsed(int count) {
        if (!mistaken_) return count;
        const double u = mistakes_.uniform();
        double sum = 0;
        for (int off = -2; off <= 2; ++off) {
            sum += plan_.setup.mistakes->countOff[std::size_t(off + 2)];
            if (u < sum) return count + off;
        }
        return count;
    }
    bool mine(int seat) const {
        return playing_ && seat >= plan_.seat && seat < plan_.seat + plan_.spots;
    }

    // Whether the counter plays the round that starts at this count: Wonging in and out,
    // leaving below a count.
    bool plays(int count) {
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

    Play decide(const Hand& h, int up, bool counter, bool resplit) {
        if (counter && composition_) {
            const auto& plays = plan_.composition[std::size_t(up - 1)];
            const auto found = plays.find(h.key);
            if (found != plays.end()) {
                return Play(h.cards > 2 ? found->second.later
                                        : h.fromSplit ? found->second.split : found->second.first);
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
        if (counter && mistaken_) play = mistaken(play, bin, up, h, hand, resplit);
        return Play(play);
    }

    // The player's own mistakes: an index play missed (the basic play made), or a basic play
    // missed (the cell's second-best play made).
    int mistaken(int play, int bin, int up, const Hand& h, int hand, bool resplit) {
        const std::size_t at = std::size_t(up - 1) * (kPairs * 3 + kLater) + std::size_t(hand);
        const PlayTables& b = plan_.basic;
        const int basic = h.cards == 2 ? (h.fromSplit ? b.splitPlay(0, up, hand - kPairs, resplit)
                                                      : b.firstPlay(0, up, hand))
                                       : b.laterPlay(0, up, hand - 3 * kPairs);
        (void)bin;
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
    void playSeat(int seat, int up) {
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
                if (counter && composition_ && h.fromSplit && h.cards == 2 &&
                    h.first == h.second && mayResplit) {
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
    void split(Hand* hands, int& count, int i) {
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

    void round(Totals& t) {
        if (!plan_.setup.csm && next_ >= plan_.cutAt) shuffle(t);
        roundStart_ = next_;
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
    double dealerAndSettle(int up, int hole) {
        const int players = plan_.players;
        bool standing = false;
        for (int s = 0; s < players; ++s) {
            for (int i = 0; i < handCount_[s]; ++i) {
                const Hand& h = hands_[s][i];
                standing = standing || (!h.surrendered && h.total() <= 21 && !h.blackjack);
            }
        }
        int hard = up + hole;
        bool ace = up == 1 || hole == 1;
        const bool dealerBlackjack = (up == 1 && hole == 10) || (up == 10 && hole == 1);
        if (standing && !dealerBlackjack) {
            for (;;) {
                const bool soft = ace && hard <= 11;
                const int total = soft ? hard + 10 : hard;
                if (total > 17 || (total == 17 && !(soft && r_.hitSoft17))) break;
                const int card = seen(draw());
                hard += card;
                ace = ace || card == 1;
            }
        }
        const int dealer = (ace && hard <= 11) ? hard + 10 : hard;
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

    double betAt(int count) {
        int used = countUsed(count);
        if (mistaken_ && plan_.setup.mistakes->betOff > 0 &&
            mistakes_.uniform() < plan_.setup.mistakes->betOff) {
            used += mistakes_.uniform() < 0.5 ? -1 : 1;
        }
        return plan_.betAt(used);
    }

    void settle(Totals& t, double bet, double result, int bin) {
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
    void trip(Totals& t, double result) {
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

    const Plan& plan_;
    const rules::Rules& r_;
    int cards_;
    static constexpr int kShoeMask = 511; // a place in the shoe, as the compiler can see it is
    static_assert(52 * rules::kMaxDecks <= kShoeMask + 1);
    std::uint8_t shoe_[kShoeMask + 1];
    int next_ = 0;
    int shuffled_ = 0;   // the places shuffled at once
    int roundStart_ = 0; // the first card of the round under way
    int running_ = 0;
    int tags_[11] = {};
    bool counting_ = false, mistaken_ = false, composition_ = false;
    const std::int8_t* countTable_ = nullptr;
    int countLow_ = 0;
    int cutAt_ = 0;
    bool playing_ = true;
    bool lean_ = false;
    bool watching_ = false;
    Random random_;
    Random mistakes_;
    std::uint64_t block_;
    Hand hands_[kMostSeats][kMostHands];
    int handCount_[kMostSeats] = {};
    int dealerTotal_[2][32];   // by an ace held and the hard sum
    bool dealerStands_[2][32];
    std::int64_t playedAt_[kCounts] = {}; // the lean path's rounds played at each count
    std::int64_t dealtAt_[kCounts] = {};  // and dealt
    double bankroll_ = 0;
    double tripBank_ = 0;
    int tripRounds_ = 0;
};

} // namespace

std::vector<int> firstShoe(const Plan& plan, std::uint64_t block, int cards) {
    Table table(plan, block);
    return table.firstShoe(cards);
}

Totals dealBlock(const Plan& plan, std::uint64_t block) {
    Table table(plan, block);
    return table.deal();
}

} // namespace simulation

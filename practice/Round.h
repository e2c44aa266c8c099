#pragma once

// A round played to the end from a shoe: the player's hand or hands, one decision at a time,
// then the dealer by the rules, then every hand settled. Plain C++: the window shows it and asks
// for the decisions; the grading is done elsewhere.

#include "Card.h"
#include "Play.h"
#include "Rules.h"

#include <array>
#include <cstdint>
#include <optional>
#include <random>
#include <vector>

namespace practice {

// The plays a hand may make in a round: a two-card hand may double (after a split only with
// double after split), split (while fewer than the most hands are out; aces once) and surrender
// (not after a split) as the rules say.
analysis::PlayValues playsAllowed(const rules::Rules& rules, const std::vector<int>& cards,
                                  bool fromSplit, int hands);

// The rules' decks, shuffled by a seeded generator, shuffled again once the cut card is out (at
// the penetration, three quarters by default); or a stacked shoe, its cards in a given order,
// for a round whose every card is known.
class CardShoe {
public:
    CardShoe(int decks, std::uint32_t seed, double penetration = 0.75);
    explicit CardShoe(std::vector<cards::Card> stacked);
    cards::Card draw();
    // Whether the cut card is out: the shoe is shuffled before the next round. Never for a
    // stacked shoe.
    bool due() const;
    // Shuffles again if due; true if it did. Called between rounds.
    bool reshuffleIfDue();
    int left() const { return int(cards_.size() - next_); }
    int size() const { return int(cards_.size()); }
    // The cards of each value (1 the ace to 10) in the whole shoe, and those not dealt yet.
    std::array<int, 11> whole() const;
    std::array<int, 11> unseen() const;

private:
    void shuffle();
    std::vector<cards::Card> cards_;
    std::size_t next_ = 0;
    std::mt19937 random_;
    double penetration_ = 0.75;
    bool stacked_ = false;
};

enum class HandEnd { Playing, Stood, Bust, Surrendered };
enum class Settled { Won, Lost, Pushed, Blackjack };

struct RoundHand {
    std::vector<cards::Card> cards;
    HandEnd end = HandEnd::Playing;
    bool doubled = false;
    bool fromSplit = false;
    Settled settled = Settled::Pushed;
    double result = 0; // in units of the bet, once settled
    std::vector<int> values() const;
    int total() const;
};

class Round {
public:
    // Deals the player two cards and the dealer the up card (and the hole card, where the
    // dealer takes one). A blackjack on either side may end the round at once.
    Round(const rules::Rules& rules, CardShoe& shoe);

    bool over() const { return over_; }
    int current() const { return current_; }
    const std::vector<RoundHand>& hands() const { return hands_; }
    // The dealer's cards: the up card first; the rest only once the round is over.
    const std::vector<cards::Card>& dealer() const { return dealer_; }
    int up() const { return dealer_[0].value(); }
    bool dealerBlackjack() const;
    // The hole card's value, where the dealer takes one (face down until the round is over).
    std::optional<int> hole() const;
    // What the hand being played may do.
    analysis::PlayValues allowed() const;
    // Plays a decision for the current hand (one it may make) and goes on as far as the next
    // decision or the end.
    void play(analysis::Play play);
    // The round's result in units of the bet, once over.
    double result() const;

private:
    void advance();
    void dealerPlays();
    void settle();
    cards::Card draw() { return shoe_.draw(); }

    rules::Rules rules_;
    CardShoe& shoe_;
    std::vector<RoundHand> hands_;
    std::vector<cards::Card> dealer_;
    cards::Card hole_;
    bool hasHole_ = false;
    int current_ = 0;
    bool over_ = false;
};

} // namespace practice

#include "Round.h"

#include "Analysis.h"
#include "Held.h"

#include <algorithm>

using analysis::Play;

namespace practice {

using cards::Card;
using cards::valuesOf;

CardShoe::CardShoe(int decks, std::uint32_t seed, double penetration)
    : random_(seed), penetration_(penetration) {
    for (int deck = 0; deck < decks; ++deck) {
        for (int suit = 0; suit < cards::kSuitCount; ++suit) {
            for (int face = 0; face < int(cards::kFaces.size()); ++face)
                cards_.push_back({face, suit});
        }
    }
    shuffle();
}

CardShoe::CardShoe(std::vector<Card> stacked) : cards_(std::move(stacked)), stacked_(true) {}

void CardShoe::shuffle() {
    std::shuffle(cards_.begin(), cards_.end(), random_);
    next_ = 0;
}

bool CardShoe::due() const {
    return !stacked_ && double(next_) >= penetration_ * double(cards_.size());
}

bool CardShoe::reshuffleIfDue() {
    if (!due()) return false;
    shuffle();
    return true;
}

namespace {

std::array<int, 11> valuesFrom(std::vector<Card>::const_iterator from,
                               std::vector<Card>::const_iterator to) {
    std::array<int, 11> counts{};
    for (auto card = from; card != to; ++card)
        ++counts[std::size_t(card->value())];
    return counts;
}

} // namespace

std::array<int, 11> CardShoe::whole() const {
    return valuesFrom(cards_.begin(), cards_.end());
}

std::array<int, 11> CardShoe::unseen() const {
    return valuesFrom(cards_.begin() + long(next_), cards_.end());
}

Card CardShoe::draw() {
    if (cards_.empty()) return {};
    // No round takes a whole shoe; a last resort. A stacked shoe runs out only in a test that
    // stacked too few cards: it starts again from its first card.
    if (next_ == cards_.size()) {
        if (stacked_) {
            next_ = 0;
        } else {
            shuffle();
        }
    }
    return cards_[next_++];
}

std::vector<int> RoundHand::values() const {
    return valuesOf(cards);
}

int RoundHand::total() const {
    return analysis::holding(values()).total();
}

namespace {

bool isBlackjack(const std::vector<Card>& cards) {
    return cards.size() == 2 && analysis::isBlackjack(cards[0].value(), cards[1].value());
}

} // namespace

Round::Round(const rules::Rules& rules, CardShoe& shoe) : rules_(rules), shoe_(shoe) {
    hands_.emplace_back();
    hands_[0].cards.push_back(draw());
    dealer_.push_back(draw());
    hands_[0].cards.push_back(draw());
    if (rules_.holeCard) {
        hole_ = draw();
        hasHole_ = true;
    }
    const bool checked = rules_.holeCard && analysis::isBlackjack(up(), hole_.value());
    if (isBlackjack(hands_[0].cards) || checked) {
        hands_[0].end = HandEnd::Stood;
        current_ = 1;
        dealerPlays();
        settle();
        return;
    }
    advance();
}

std::optional<int> Round::hole() const {
    if (!hasHole_) return std::nullopt;
    return hole_.value();
}

bool Round::dealerBlackjack() const {
    return over_ && isBlackjack(dealer_);
}

analysis::PlayValues playsAllowed(const rules::Rules& rules, const std::vector<int>& cards,
                                  bool fromSplit, int hands) {
    const analysis::PlayValues all = analysis::allowedPlays(rules, cards);
    analysis::PlayValues plays;
    for (Play play : analysis::kAllPlays) {
        if (!all.allows(play)) continue;
        if (play == Play::Double && fromSplit && !rules.doubleAfterSplit) continue;
        if (play == Play::Split && (hands >= rules.splitHands || (fromSplit && cards[0] == 1))) {
            continue;
        }
        if (play == Play::Surrender && fromSplit) continue;
        plays.set(play, 0);
    }
    return plays;
}

analysis::PlayValues Round::allowed() const {
    if (over_) return {};
    const RoundHand& hand = hands_[current_];
    return playsAllowed(rules_, hand.values(), hand.fromSplit, int(hands_.size()));
}

void Round::play(Play play) {
    if (over_ || !allowed().allows(play)) return;
    RoundHand& hand = hands_[current_];
    switch (play) {
    case Play::Stand: hand.end = HandEnd::Stood; break;
    case Play::Hit:
        hand.cards.push_back(draw());
        if (hand.total() > 21) hand.end = HandEnd::Bust;
        break;
    case Play::Double:
        hand.cards.push_back(draw());
        hand.doubled = true;
        hand.end = hand.total() > 21 ? HandEnd::Bust : HandEnd::Stood;
        break;
    case Play::Surrender: hand.end = HandEnd::Surrendered; break;
    case Play::Split: {
        RoundHand other;
        other.fromSplit = true;
        other.cards.push_back(hand.cards[1]);
        hand.cards.pop_back();
        hand.fromSplit = true;
        hand.cards.push_back(draw());
        hands_.insert(hands_.begin() + current_ + 1, other);
        break;
    }
    }
    advance();
}

// Skips to the next decision: a hand of 21 stands, split aces take one card, a split hand
// takes its second card when its turn comes; when no hand is left, the dealer plays.
void Round::advance() {
    while (current_ < int(hands_.size())) {
        RoundHand& hand = hands_[current_];
        if (hand.cards.size() == 1) hand.cards.push_back(draw());
        const bool splitAce = hand.fromSplit && hand.cards[0].value() == 1;
        if (hand.end == HandEnd::Playing && (hand.total() >= 21 || splitAce)) {
            // Split aces may be split again nowhere here: they take one card and stand.
            hand.end = hand.total() > 21 ? HandEnd::Bust : HandEnd::Stood;
        }
        if (hand.end == HandEnd::Playing) return;
        ++current_;
    }
    dealerPlays();
    settle();
}

void Round::dealerPlays() {
    over_ = true;
    dealer_.push_back(hasHole_ ? hole_ : draw());
    if (isBlackjack(dealer_)) return;
    const bool anyStanding = std::any_of(
        hands_.begin(), hands_.end(), [](const RoundHand& h) { return h.end == HandEnd::Stood; });
    const bool playerBlackjack = hands_.size() == 1 && isBlackjack(hands_[0].cards);
    if (!anyStanding || playerBlackjack) return;
    for (;;) {
        const analysis::Held h = analysis::holding(valuesOf(dealer_));
        const int total = h.total();
        if (total > 17 || (total == 17 && !(h.soft() && rules_.hitSoft17))) break;
        dealer_.push_back(draw());
    }
}

void Round::settle() {
    const bool dealerHasBlackjack = isBlackjack(dealer_);
    const int dealerTotal = analysis::holding(valuesOf(dealer_)).total();
    for (RoundHand& hand : hands_) {
        const double bet = hand.doubled ? 2 : 1;
        const bool blackjack = hands_.size() == 1 && isBlackjack(hand.cards);
        if (blackjack) {
            hand.settled = dealerHasBlackjack ? Settled::Pushed : Settled::Blackjack;
            hand.result = dealerHasBlackjack ? 0 : rules_.blackjackPays();
        } else if (dealerHasBlackjack) {
            // Without a hole card the dealer's blackjack takes every bet, doubled ones whole.
            hand.settled = Settled::Lost;
            hand.result = -bet;
        } else if (hand.end == HandEnd::Surrendered) {
            hand.settled = Settled::Lost;
            hand.result = -0.5;
        } else if (hand.end == HandEnd::Bust) {
            hand.settled = Settled::Lost;
            hand.result = -bet;
        } else {
            const int total = hand.total();
            if (dealerTotal > 21 || total > dealerTotal) {
                hand.settled = Settled::Won;
                hand.result = bet;
            } else if (total < dealerTotal) {
                hand.settled = Settled::Lost;
                hand.result = -bet;
            } else {
                hand.settled = Settled::Pushed;
                hand.result = 0;
            }
        }
    }
}

double Round::result() const {
    double sum = 0;
    for (const RoundHand& hand : hands_)
        sum += hand.result;
    return sum;
}

} // namespace practice

#pragma once

// Counting: card-counting systems and their conventions, plain C++ without Qt.
//
// How the parts meet: a CountSystem gives each card value a tag (built in: Hi-Lo, KO, Hi-Opt I,
// Hi-Opt II, Omega II, Zen, Wong Halves; or any tags). A balanced system (its deck sums to 0) is
// played by the true count, the running count over the decks left as the player estimates them
// (Conventions: the deck estimate and the rounding); an unbalanced one (KO) by the running count
// from its initial running count. CountFrequency.h gives how often each count comes up, exactly,
// from the tag groups. No side counts.
//
// The conventions. Decks left are estimated to the nearest step (a full deck, a half or a
// quarter; or exactly), never below one step. The true count is then floored by default:
// flooring keeps every count's step one unit wide, on both sides of 0, where truncating towards
// 0 makes the step at 0 two units wide (-0.9 and +0.9 both count 0). Published index tables
// are computed under one convention or the other; an index is only as good as the match of its
// convention with the player's.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace counting {

struct CountSystem {
    std::string id;   // "hilo", as --count names it; empty for tags of the player's own
    std::string name; // "Hi-Lo"
    std::array<double, 11> tags{}; // by value: 1 the ace, 2 to 9, 10 every ten-valued card

    // The sum of the tags of one deck: 0 for a balanced system.
    double deckSum() const;
    bool balanced() const;
    // The running count at the start of a shoe of `decks`: 0 for a balanced system; for an
    // unbalanced one -(deck sum) x (decks - 1), so that the count is 0 with a deck left on
    // average (KO: 4 - 4 x decks).
    double initialRunningCount(int decks) const;
};

// The systems Hitwise knows, with their published tags.
const std::array<CountSystem, 7>& builtInSystems();
// A built-in system by its id ("hilo", "ko", "hiopt1", "hiopt2", "omega2", "zen", "halves").
std::optional<CountSystem> systemOfId(std::string_view id);
// Tags of the player's own: "A:-1,2:1,3:1,4:1,5:1,6:1,7:0,8:0,9:0,10:-1", every value once, in
// any order, fractions allowed. Nothing, and *why says what is wrong, for a text that is not.
std::optional<CountSystem> systemOfTags(std::string_view text, std::string* why);

enum class DeckEstimate { Full, Half, Quarter, Exact };
enum class Rounding { Floor, Truncate, Round, Exact };

struct Conventions {
    DeckEstimate estimate = DeckEstimate::Half;
    Rounding rounding = Rounding::Floor;
};

// The decks left as the player estimates them from the cards left.
double estimatedDecks(int cardsLeft, DeckEstimate estimate);
// The true count: the running count over the estimated decks left, rounded.
double trueCount(double runningCount, int cardsLeft, const Conventions& conventions);

} // namespace counting

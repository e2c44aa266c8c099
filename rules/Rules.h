#pragma once

// The rules of a table: plain C++, no Qt, the lowest layer. The engine values them, the charts
// name them, the counter's game and the drill keep them; options/RuleOptions.h (Qt Core) reads
// and writes them as the options of every program. Rules::problem() is the one check of what the
// engine can value: the options, the history and the Your table dialog all ask it. The words of
// the rules (kDoublingWords and the rest) are written once here, for the canonical text, the
// options and their help alike.
//
// The canonical text (canonical(), fromCanonical()) is what the drill's history stores: a new
// field in it comes with a numbered migration step of the history, never silently.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace rules {

// Which two-card hands may double.
enum class Doubling { AnyTwo, NineToEleven, TenOrEleven };

// How each hand of a split is played, as exact calculators name it:
// CDZ- as the same cards would be played unsplit (the shoe less the hand's cards and the up
// card); CDP1 as best for the shoe after the first split (both pair cards out); CDP as best for
// the shoe less every pair card the round splits, as exact calculators count it (Split.h).
enum class PostSplit { CDZ, CDP1, CDP };

// The words of the rules, written once: the canonical text, the options and their help read
// them, in the order of the enums.
inline constexpr std::array<std::string_view, 3> kDoublingWords{"any", "9-11", "10-11"};
inline constexpr std::array<std::string_view, 3> kPostSplitWords{"cdz", "cdp1", "cdp"};
inline constexpr std::array<std::string_view, 2> kPayoutWords{"3:2",
                                                              "6:5"}; // sixToFive false, true

// What the engine can value. The split's lanes (Split.cpp) and the dealer's depth
// (DealerTable.cpp) are sized from these and check them at compile time.
inline constexpr int kMinDecks = 1;
inline constexpr int kMaxDecks = 8;
inline constexpr int kMinSplitHands = 2;
inline constexpr int kMaxSplitHands = 4;

// The rules of a table, as a value. The defaults are the rules of the published figures the
// engine is checked against: one deck, dealer stands on soft 17, hole card, double on any two
// cards and after a split, split to four hands, no surrender, blackjack pays 3:2.
struct Rules {
    int decks = 1;          // kMinDecks to kMaxDecks
    bool hitSoft17 = false; // the dealer hits a soft 17
    bool holeCard = true;   // the dealer checks for blackjack before the player acts
    Doubling doubling = Doubling::AnyTwo;
    bool doubleAfterSplit = true;
    int splitHands = 4;     // kMinSplitHands to kMaxSplitHands; aces split once, one card each
    bool surrender = false; // late surrender
    bool sixToFive = false; // blackjack pays 6:5 instead of 3:2
    PostSplit postSplit = PostSplit::CDP;

    double blackjackPays() const { return sixToFive ? 1.2 : 1.5; }
    // Whether a two-card hand may double: restricted doubling takes hard totals only.
    bool mayDouble(int hardTotal, bool holdsAce) const;
    bool operator==(const Rules& other) const;
    // Why the engine cannot value these rules ("decks: 9 is not from 1 to 8"), or empty.
    std::string problem() const;
};

// "CDZ-", "CDP1", "CDP".
std::string postSplitName(PostSplit postSplit);

// A one-line description of every rule, e.g. "6 decks, dealer stands on soft 17, ...".
std::string describe(const Rules& rules);

// The rules in words, naming only what differs from a plain table (hole card, double on any two,
// split to four, no surrender, 3:2, CDP): "6 decks, dealer hits soft 17, double after split,
// late surrender".
std::string inWords(const Rules& rules);

// A short name: "6 decks, H17, DAS, LS".
std::string shortName(const Rules& rules);

// One canonical text of every rule, e.g. "6d,h17,hole,any,das,4h,ls,3:2,cdp", and back; a
// text that is not one gives nothing.
std::string canonical(const Rules& rules);
std::optional<Rules> fromCanonical(const std::string& text);

} // namespace rules

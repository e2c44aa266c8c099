#include "Rules.h"

#include <tuple>
#include <vector>

namespace rules {

namespace {

auto fields(const Rules& r) {
    return std::tie(r.decks, r.hitSoft17, r.holeCard, r.doubling, r.doubleAfterSplit, r.splitHands,
                    r.surrender, r.sixToFive, r.postSplit);
}

} // namespace

bool Rules::mayDouble(int hardTotal, bool holdsAce) const {
    switch (doubling) {
    case Doubling::AnyTwo: return true;
    case Doubling::NineToEleven: return !holdsAce && hardTotal >= 9 && hardTotal <= 11;
    case Doubling::TenOrEleven: return !holdsAce && (hardTotal == 10 || hardTotal == 11);
    }
    return false;
}

bool Rules::operator==(const Rules& other) const {
    return fields(*this) == fields(other);
}

std::string Rules::problem() const {
    auto range = [](const char* what, int value, int low, int high) {
        if (value >= low && value <= high) return std::string();
        return std::string(what) + ": " + std::to_string(value) + " is not from " +
               std::to_string(low) + " to " + std::to_string(high);
    };
    std::string problem = range("decks", decks, kMinDecks, kMaxDecks);
    if (problem.empty()) problem = range("split hands", splitHands, kMinSplitHands, kMaxSplitHands);
    if (problem.empty()) problem = range("doubling", int(doubling), 0, 2);
    if (problem.empty()) problem = range("post-split strategy", int(postSplit), 0, 2);
    return problem;
}

std::string postSplitName(PostSplit postSplit) {
    switch (postSplit) {
    case PostSplit::CDZ: return "CDZ-";
    case PostSplit::CDP1: return "CDP1";
    case PostSplit::CDP: return "CDP";
    }
    return {};
}

std::string describe(const Rules& r) {
    std::string text = r.decks == 1 ? "1 deck" : std::to_string(r.decks) + " decks";
    text += r.hitSoft17 ? ", dealer hits soft 17" : ", dealer stands on soft 17";
    text += r.holeCard ? ", hole card (dealer checks for blackjack)"
                       : ", no hole card (dealer's blackjack takes all bets)";
    switch (r.doubling) {
    case Doubling::AnyTwo: text += ", double on any two cards"; break;
    case Doubling::NineToEleven: text += ", double on 9 to 11"; break;
    case Doubling::TenOrEleven: text += ", double on 10 and 11"; break;
    }
    text += r.doubleAfterSplit ? ", double after split" : ", no double after split";
    text += ", split to " + std::to_string(r.splitHands) + " hands (aces once)";
    text += r.surrender ? ", late surrender" : ", no surrender";
    text += r.sixToFive ? ", blackjack pays 6:5" : ", blackjack pays 3:2";
    text += ", post-split strategy " + postSplitName(r.postSplit);
    return text;
}

namespace {

// What differs from a plain table (hole card, double on any two, split to four, no surrender,
// 3:2, CDP), in words or in short.
std::string differences(const Rules& r, bool inShort) {
    std::string text = r.decks == 1 ? "1 deck" : std::to_string(r.decks) + " decks";
    auto add = [&](bool when, const std::string& words, const std::string& brief) {
        if (when) text += ", " + (inShort ? brief : words);
    };
    add(true, r.hitSoft17 ? "dealer hits soft 17" : "dealer stands on soft 17",
        r.hitSoft17 ? "H17" : "S17");
    add(!r.holeCard, "no hole card", "no hole card");
    add(r.doubling == Doubling::NineToEleven, "double on 9 to 11 only", "D9-11");
    add(r.doubling == Doubling::TenOrEleven, "double on 10 and 11 only", "D10-11");
    add(r.doubleAfterSplit, "double after split", "DAS");
    add(r.splitHands != 4, "split to " + std::to_string(r.splitHands) + " hands",
        "split to " + std::to_string(r.splitHands));
    add(r.surrender, "late surrender", "LS");
    add(r.sixToFive, "blackjack pays 6:5", "6:5");
    add(r.postSplit != PostSplit::CDP, "split hands played " + postSplitName(r.postSplit),
        postSplitName(r.postSplit));
    return text;
}

} // namespace

std::string inWords(const Rules& r) {
    return differences(r, false);
}

std::string shortName(const Rules& r) {
    return differences(r, true);
}

namespace {

// The canonical text's words of a rule that is off or on, in that order.
using Switch = std::array<std::string_view, 2>;
constexpr Switch kH17{"s17", "h17"};
constexpr Switch kHole{"nohole", "hole"};
constexpr Switch kDas{"nodas", "das"};
constexpr Switch kSurrender{"nols", "ls"};

} // namespace

std::string canonical(const Rules& r) {
    std::string text = std::to_string(r.decks) + "d";
    for (const std::string_view word :
         {kH17[r.hitSoft17], kHole[r.holeCard], kDoublingWords[int(r.doubling)],
          kDas[r.doubleAfterSplit]}) {
        text += ",";
        text += word;
    }
    text += "," + std::to_string(r.splitHands) + "h";
    for (const std::string_view word :
         {kSurrender[r.surrender], kPayoutWords[r.sixToFive], kPostSplitWords[int(r.postSplit)]}) {
        text += ",";
        text += word;
    }
    return text;
}

std::optional<Rules> fromCanonical(const std::string& text) {
    std::vector<std::string> f;
    std::string field;
    for (char c : text + ",") {
        if (c == ',') {
            f.push_back(field);
            field.clear();
        } else {
            field += c;
        }
    }
    if (f.size() != 9 || f[0].size() != 2 || f[0][1] != 'd' || f[5].size() != 2 || f[5][1] != 'h') {
        return std::nullopt;
    }
    auto oneOf = [](const std::string& word, const auto& words) {
        for (std::size_t i = 0; i < std::size(words); ++i) {
            if (word == words[i]) return int(i);
        }
        return -1;
    };

    Rules r;
    r.decks = f[0][0] - '0';
    r.splitHands = f[5][0] - '0';
    const int h17 = oneOf(f[1], kH17);
    const int hole = oneOf(f[2], kHole);
    const int doubling = oneOf(f[3], kDoublingWords);
    const int das = oneOf(f[4], kDas);
    const int ls = oneOf(f[6], kSurrender);
    const int pays = oneOf(f[7], kPayoutWords);
    const int postSplit = oneOf(f[8], kPostSplitWords);
    if (h17 < 0 || hole < 0 || doubling < 0 || das < 0 || ls < 0 || pays < 0 || postSplit < 0) {
        return std::nullopt;
    }
    r.hitSoft17 = h17 == 1;
    r.holeCard = hole == 1;
    r.doubling = Doubling(doubling);
    r.doubleAfterSplit = das == 1;
    r.surrender = ls == 1;
    r.sixToFive = pays == 1;
    r.postSplit = PostSplit(postSplit);
    if (!r.problem().empty()) return std::nullopt;
    return r;
}

} // namespace rules

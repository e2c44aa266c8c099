#include "Rules.h"

#include <tuple>

namespace analysis {

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

} // namespace analysis

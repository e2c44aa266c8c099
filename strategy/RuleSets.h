#pragma once

#include "Strategy.h"

#include <array>
#include <string_view>

namespace strategy {

// A rule set as the user chooses it: its name in the radio group, its chart document and its
// advice table. The index in kRuleSets is the rule-set number of the radio group.
struct RuleSet {
    std::string_view name;
    std::string_view chartFile;
    const Advice& (*advise)(const Hand&);
};

inline constexpr std::array<RuleSet, 3> kRuleSets{{
    {"Blackjack Single Deck ", "single.htm", &adviseSingleDeck},
    {"Blackjack Multi Deck", "multi.htm", &adviseMultiDeck},
    {"Blackjack European", "european.htm", &adviseEuropean},
}};

} // namespace strategy

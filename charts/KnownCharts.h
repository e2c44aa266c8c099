#pragma once

// The three charts Hitwise knows, each defined once: its id, its title, its document, its advice
// table and the rules it suggests. The main window's rule sets, the options (--rules,
// --compare), the drill and the chart writers all read this table; an index into it is a
// chart's number everywhere (the main window's radio group, the history's version 1).
// FittedRules.h adds the rules each chart was found to fit, worked out at build time.

#include "Rules.h"
#include "Strategy.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace charts {

using AdviceTable = const strategy::Advice& (*)(const strategy::Hand&);

struct KnownChart {
    std::string_view id;    // "single": as the options and the history name it
    std::string_view title; // as the main window's rule set reads, blanks included
    std::string_view file;  // the chart document next to the program
    AdviceTable advise;
};

inline constexpr std::array<KnownChart, 3> kKnownCharts{{
    {"single", "Blackjack Single Deck ", "single.htm", &strategy::adviseSingleDeck},
    {"multi", "Blackjack Multi Deck", "multi.htm", &strategy::adviseMultiDeck},
    {"european", "Blackjack European", "european.htm", &strategy::adviseEuropean},
}};
inline constexpr int kKnownChartCount = int(kKnownCharts.size());

// A text without its leading and trailing blanks (the tables' titles and advice carry some).
std::string trimmed(std::string_view text);

// The title without its blanks: "Blackjack Single Deck".
std::string chartTitle(int chart);

// The rules a chart suggests, where the search for the rules it fits starts.
rules::Rules suggestedRules(int chart);

} // namespace charts

#pragma once

// The hand-made advice tables held against the engine: which play an advice text makes under
// given rules, whether it is the best one, and which rules a table fits best.

#include "Analysis.h"
#include "KnownCharts.h"

#include <functional>
#include <optional>
#include <vector>

namespace charts {

// The play an advice makes for a hand under the rules: its first play where the rules allow it
// for that hand, otherwise its second ("Double if allowed, or hit" hits where doubling is not
// allowed). A plain "Double" the rules forbid is played as a hit.
analysis::Play advisedPlay(const strategy::Advice& advice, const analysis::PlayValues& values);

// What a conditional advice says to do where its first play is not allowed ("Double if
// allowed; or stand": Stand); nothing for an advice of one play.
std::optional<analysis::Play> advisedFallback(const strategy::Advice& advice);

// Whether an advice names the best play: its first play is the best, or the rules don't allow
// its first play and its second is the best.
bool agreesWithBest(const strategy::Advice& advice, const analysis::PlayValues& values);

// The cells of a table whose advice agrees with the best play: the 54 two-card hands other than
// a blackjack against the 10 up cards, each card pair on its own (540 cells).
int agreement(const analysis::Analysis& analysis, AdviceTable table);
inline constexpr int kTableCells = 540;

// The expected return of a round played by the table: its advice for the first play of every
// starting hand, the best play for every later decision.
double roundReturnByTable(const analysis::Analysis& analysis, AdviceTable table);

struct Fit {
    rules::Rules rules;
    int agreeing = 0;
};

// A table and the rules it suggests, to start from.
struct FitQuestion {
    AdviceTable table;
    rules::Rules expected;
};

// For each table, the rule variant whose best play agrees with the most of its cells, searched
// over decks (1, 2, 4, 6, 8), doubling, double after split, surrender and hole card; the other
// rules are the expected ones. Among equals, the one that differs least from the expected wins.
std::vector<Fit> fitRules(const std::vector<FitQuestion>& questions);

} // namespace charts

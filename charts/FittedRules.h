#pragma once

#include "TableFit.h"

#include <array>

namespace charts {

// The rules each of the program's tables suggests, to start the search from; in the order of
// strategy::kRuleSets.
std::array<analysis::Rules, 3> suggestedRules();

// The rules each table was found to fit best, with its agreement count: found by rulefit at
// build time, in the order of strategy::kRuleSets.
extern const std::array<analysis::Fit, 3> kFittedRules;

} // namespace charts

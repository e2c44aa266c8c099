#pragma once

#include "TableFit.h"

namespace charts {

// The rules known chart `chart` (an index of kKnownCharts) was found to fit best, with its
// agreement count: found by rulefit at build time (the fitted_rules library).
const Fit& fittedRules(int chart);

} // namespace charts

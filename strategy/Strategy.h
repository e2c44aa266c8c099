#pragma once

#include "Advice.h"
#include "Hand.h"

namespace strategy {

// The three advice tables. Each is an ordered first-match cascade of tests on the three card
// values: the first rule that holds gives the advice. They keep no state.
const Advice& adviseSingleDeck(const Hand& hand);
const Advice& adviseMultiDeck(const Hand& hand);
const Advice& adviseEuropean(const Hand& hand);

} // namespace strategy

#pragma once

#include "PracticeView.h"
#include "Round.h"

namespace practice {

// A round on the felt and in words: the hands with their totals (or, once over, how each was
// settled and what it won, at `bet` units a hand), the dealer's cards and the caption.
void showRound(const Round& round, bool over, double bet, PracticeView* view);

} // namespace practice

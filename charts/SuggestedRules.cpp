#include "FittedRules.h"

namespace charts {

std::array<analysis::Rules, 3> suggestedRules() {
    analysis::Rules single; // one deck, no double after split, late surrender
    single.decks = 1;
    single.doubleAfterSplit = false;
    single.surrender = true;
    analysis::Rules multi = single; // four to eight decks
    multi.decks = 6;
    analysis::Rules european; // no hole card, double on 9 to 11, no surrender
    european.decks = 6;
    european.holeCard = false;
    european.doubling = analysis::Doubling::NineToEleven;
    european.doubleAfterSplit = false;
    european.surrender = false;
    return {single, multi, european};
}

} // namespace charts

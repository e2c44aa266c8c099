#include "KnownCharts.h"

namespace charts {

std::string trimmed(std::string_view text) {
    const auto begin = text.find_first_not_of(' ');
    if (begin == std::string_view::npos) return {};
    const auto end = text.find_last_not_of(' ');
    return std::string(text.substr(begin, end - begin + 1));
}

std::string chartTitle(int chart) {
    return trimmed(kKnownCharts[chart].title);
}

rules::Rules suggestedRules(int chart) {
    rules::Rules single; // one deck, no double after split, late surrender
    single.decks = 1;
    single.doubleAfterSplit = false;
    single.surrender = true;
    if (chart == 0) return single;
    rules::Rules multi = single; // four to eight decks
    multi.decks = 6;
    if (chart == 1) return multi;
    rules::Rules european; // no hole card, double on 9 to 11, no surrender
    european.decks = 6;
    european.holeCard = false;
    european.doubling = rules::Doubling::NineToEleven;
    european.doubleAfterSplit = false;
    european.surrender = false;
    return european;
}

} // namespace charts

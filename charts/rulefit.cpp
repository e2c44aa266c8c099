// Finds the rules each advice table fits best and writes them as C++ for the chart programs:
//   rulefit <output .cpp file>
#include "FittedRules.h"
#include "KnownCharts.h"

#include <cstdio>
#include <fstream>

namespace {

const char* doublingName(rules::Doubling doubling) {
    switch (doubling) {
    case rules::Doubling::AnyTwo: return "AnyTwo";
    case rules::Doubling::NineToEleven: return "NineToEleven";
    case rules::Doubling::TenOrEleven: return "TenOrEleven";
    }
    return "AnyTwo";
}

const char* postSplitIdentifier(rules::PostSplit postSplit) {
    switch (postSplit) {
    case rules::PostSplit::CDZ: return "CDZ";
    case rules::PostSplit::CDP1: return "CDP1";
    case rules::PostSplit::CDP: return "CDP";
    }
    return "CDP";
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: rulefit <output file>\n");
        return 2;
    }
    std::vector<charts::FitQuestion> questions;
    for (int i = 0; i < charts::kKnownChartCount; ++i) {
        questions.push_back({charts::kKnownCharts[i].advise, charts::suggestedRules(i)});
    }
    const std::vector<charts::Fit> fits = charts::fitRules(questions);

    std::ofstream out(argv[1], std::ios::binary);
    out << "// Written by rulefit at build time: the rules each advice table fits best.\n"
        << "#include \"FittedRules.h\"\n\nnamespace charts {\n\n"
        << "namespace {\n\nconst Fit kFits[] = {\n";
    for (const charts::Fit& fit : fits) {
        const rules::Rules& r = fit.rules;
        out << "    {rules::Rules{" << r.decks << ", " << r.hitSoft17 << ", " << r.holeCard
            << ", rules::Doubling::" << doublingName(r.doubling) << ", " << r.doubleAfterSplit
            << ", " << r.splitHands << ", " << r.surrender << ", " << r.sixToFive
            << ", rules::PostSplit::" << postSplitIdentifier(r.postSplit) << "}, " << fit.agreeing
            << "}, // " << describe(r) << "\n";
    }
    out << "};\n\n} // namespace\n\nconst Fit& fittedRules(int chart) {\n"
        << "    static_assert(sizeof kFits / sizeof kFits[0] == kKnownChartCount);\n"
        << "    return kFits[chart];\n}\n\n} // namespace charts\n";
    if (!out) {
        std::fprintf(stderr, "rulefit: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}

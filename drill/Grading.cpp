#include "Grading.h"

#include "FittedRules.h"
#include "RuleSets.h"
#include "TableFit.h"

#include <algorithm>

using analysis::Play;

Play Grader::chartPlay(int ruleSet, int first, int second, int up) {
    const analysis::Rules& rules = charts::kFittedRules[ruleSet].rules;
    const strategy::Advice& advice =
        strategy::kRuleSets[ruleSet].advise(strategy::Hand{first, second, up});
    return analysis::advisedPlay(advice, analysis::allowedPlays(rules, {first, second}));
}

bool Grader::isBlackjack(int first, int second) {
    return std::min(first, second) == 1 && std::max(first, second) == 10;
}

Grade Grader::grade(int ruleSet, int first, int second, int up, Play answer) {
    Grade grade;
    const strategy::Advice& advice =
        strategy::kRuleSets[ruleSet].advise(strategy::Hand{first, second, up});
    grade.adviceText =
        QString::fromLatin1(advice.text.data(), qsizetype(advice.text.size())).trimmed();
    grade.chartPlay = chartPlay(ruleSet, first, second, up);
    grade.right = answer == grade.chartPlay;
    const analysis::Rules& rules = charts::kFittedRules[ruleSet].rules;
    grade.answerAllowed = analysis::allowedPlays(rules, {first, second}).allows(answer);
    if (!grade.right && grade.answerAllowed) {
        auto& values = analyses_[ruleSet];
        if (!values) values = std::make_unique<analysis::Analysis>(rules);
        const analysis::PlayValues& ev = values->startingHand(first, second, up);
        grade.cost = ev[grade.chartPlay] - ev[answer];
    }
    return grade;
}

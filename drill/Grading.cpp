#include "Grading.h"

#include "FittedRules.h"
#include "RuleSets.h"
#include "TableFit.h"

using analysis::Play;

Grade Grader::grade(int ruleSet, int first, int second, int up, Play answer) {
    Grade grade;
    const strategy::Advice& advice =
        strategy::kRuleSets[ruleSet].advise(strategy::Hand{first, second, up});
    grade.adviceText =
        QString::fromLatin1(advice.text.data(), qsizetype(advice.text.size())).trimmed();
    const analysis::Rules& rules = charts::kFittedRules[ruleSet].rules;
    const analysis::PlayValues allowed = analysis::allowedPlays(rules, {first, second});
    grade.chartPlay = analysis::advisedPlay(advice, allowed);
    grade.right = answer == grade.chartPlay;
    grade.answerAllowed = allowed.allows(answer);
    if (!grade.right && grade.answerAllowed) {
        auto& values = analyses_[ruleSet];
        if (!values) values = std::make_unique<analysis::Analysis>(rules);
        const analysis::PlayValues& ev = values->startingHand(first, second, up);
        grade.cost = ev[grade.chartPlay] - ev[answer];
    }
    return grade;
}

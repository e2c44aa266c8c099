#pragma once

#include "Analysis.h"

#include <QString>

#include <array>
#include <memory>
#include <optional>

// Grades a drill answer by the rule set's own advice table, through the same strategy
// functions as the main window. A conditional text counts by the rules of its chart (the rules
// the table was found to fit): "Double if allowed, or hit" is Double where those rules let the
// hand double, otherwise Hit; "Surrender if able, ..." is Surrender where they offer it,
// otherwise its second play. The cost of a wrong answer comes from the engine.
struct Grade {
    bool right = false;
    analysis::Play chartPlay = analysis::Play::Stand;
    QString adviceText;         // the table's advice, trimmed
    bool answerAllowed = true;  // whether the rules allow the answer for this hand
    std::optional<double> cost; // the chart's play's value less the answer's, for a wrong one
};

class Grader {
public:
    // Grades an answer; the values of a rule set are worked out on its first wrong answer.
    Grade grade(int ruleSet, int first, int second, int up, analysis::Play answer);

private:
    std::array<std::unique_ptr<analysis::Analysis>, 3> analyses_;
};

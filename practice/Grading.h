#pragma once

#include "Table.h"

#include "Analysis.h"

#include <QString>

#include <optional>
#include <vector>

namespace practice {

// Grades a decision. At one of the three charts, by the chart's advice for the hand, through the
// same strategy functions as the main window: two cards as dealt, more cards by their total
// (hard or soft, as the chart's rows). A conditional text counts by what the hand may do: "Double
// if allowed, or hit" is Double where the hand may double, otherwise Hit; "Surrender if able,
// ..." likewise. At the player's own table, by the engine's best play for the cards held; a play
// within kCloseCall of the best counts as right, a close call. Values come from the engine for
// the exact cards held.
struct Grade {
    bool right = false;
    bool closeCall = false; // right, but not the best play, or the best by a hair
    analysis::Play rightPlay = analysis::Play::Stand; // the chart's play, or the best
    QString adviceText;        // the chart's advice, trimmed; empty at the player's own table
    bool answerAllowed = true; // whether the hand may make the answer
    std::optional<double> answerValue;
    std::optional<double> rightValue;
    // For a close call: the other play within kCloseCall of the answer, and its value.
    std::optional<std::pair<analysis::Play, double>> closeTo;
    // The right play's value less the answer's, for a wrong answer.
    std::optional<double> cost() const;
};

inline constexpr double kCloseCall = 0.001; // of the bet

// What a hand may do: stand and hit, and double, split or surrender where `allowed` says.
// `cards` are the hand's values 1..10, up the up card.
Grade grade(const Table& table, const std::vector<int>& cards, int up,
            const analysis::PlayValues& allowed, analysis::Play answer);

// The play one of the three charts makes for a hand that may make the `allowed` plays.
analysis::Play chartPlay(int chart, const std::vector<int>& cards, int up,
                         const analysis::PlayValues& allowed, QString* adviceText = nullptr);

} // namespace practice

#pragma once

// What the drill says, in words: for the window's labels and for screen readers alike.

#include "Grading.h"
#include "Round.h"

#include <QString>

#include <vector>

namespace practice {

QString playText(analysis::Play play);                // "Hit"
QString totalText(const std::vector<int>& cards);     // "soft 18", "16"
QString settledText(const RoundHand& hand);           // "won", "surrendered"
QString unitsText(double result);                     // "+1.5", "-2"
QString percentText(int part, int whole);             // "75 %", "-" of nothing
QString cardsText(const std::vector<cards::Card>& c); // "Ace of spades, Ten of hearts"

// The grade of an answer: right or wrong, the chart's words at a chart, and what it costs.
// What a hand waits for: "Your play? Hit (H), ..."; in a round, where the hand may.
QString handPrompt();
QString roundPrompt();
QString gradeText(const Grade& grade, analysis::Play play, bool atChart);
// "Double is not allowed for this hand now; choose another play."
QString notAllowedText(analysis::Play play);

} // namespace practice

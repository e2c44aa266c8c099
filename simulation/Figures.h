#pragma once

// What a run's totals say, every figure with its standard error, and the count lab's figures for
// the same game beside them.
//
// Errors: the win a round, the bet, how often each count comes up and its return take the blocks
// as batches (Ratio); a run of fewer than kBatches blocks takes its rounds as independent. The
// deviation's error comes from the fourth moment; N0, SCORE, DI and the risk of ruin carry the
// errors of the win and the deviation through (the delta method).

#include "CountLab.h"
#include "Totals.h"

#include <optional>

namespace simulation {

inline constexpr int kBatches = 30;

struct Figure {
    double value = 0;
    std::optional<double> error; // a standard error, where the figure has one
};

struct SimFigures {
    std::int64_t rounds = 0, shoes = 0, played = 0, watched = 0;
    Figure winPer100, winPerHour, winPercentOfBet, averageBet, sdPerRound, sdPer100;
    Figure n0, score, di, riskOfRuin;
    std::optional<Figure> tripRuin;
    struct AtCount {
        int count = 0;
        Figure frequency;
        std::optional<Figure> returns; // none where no round was played
    };
    std::array<AtCount, kCounts> byCount{};
};

SimFigures figuresOf(const Totals& totals, const counting::Game& game);

// The count lab's figures for the same game: what a counter's game is worth, and what each count
// is worth (its return by basic strategy or with the indices, as the run played).
struct LabFigures {
    counting::GameFigures game;
    std::vector<counting::CountWorth> byCount;
    bool withIndices = true;
    bool hasGame = true; // the lab's game is played with its index plays: none without them
    double returnAt(int count) const; // a count's, by the strategy the run played
    double frequencyAt(int count) const;
};

// "-6 and below", "-1", "0", "+2", "+6 and above": a count of the by-count table.
std::string countLabel(int count);

// How far the simulated figure is from the lab's, in standard errors (0 without an error).
double standardErrorsOff(const Figure& simulated, double lab);

// "The count lab's average shoe is off most at +5: ..." where the lab's returns and the dealt
// game's differ by more than two standard errors, or that they agree; then, where they differ
// as much, how often the counts come up and the standard deviation.
std::string labSentence(const SimFigures& figures, const LabFigures& lab);

} // namespace simulation

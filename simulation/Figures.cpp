#include "Figures.h"

#include <cmath>
#include <cstdio>

namespace simulation {

namespace {

Figure ratioFigure(const Ratio& r, std::int64_t blocks, double iidSd, double scale) {
    Figure f;
    f.value = scale * r.value();
    f.error =
        scale * (blocks >= kBatches ? r.error(blocks) : (r.y > 0 ? iidSd / std::sqrt(r.y) : 0));
    return f;
}

} // namespace

SimFigures figuresOf(const Totals& t, const counting::Game& game) {
    SimFigures f;
    f.rounds = t.rounds;
    f.shoes = t.shoes;
    f.played = t.played;
    f.watched = t.watched;
    const double n = double(t.played);
    const double mean = n > 0 ? t.win.x / n : 0;
    const double second = n > 0 ? t.win2 / n : 0;
    const double variance = std::max(0.0, second - mean * mean);
    const double sd = std::sqrt(variance);
    const Figure win = ratioFigure(t.win, t.blocks, sd, 1);
    const double winError = *win.error;
    f.winPer100 = {100 * mean, 100 * winError};
    f.winPerHour = {game.roundsPerHour * mean, game.roundsPerHour * winError};
    const double averageBet = t.bet.value();
    f.averageBet = ratioFigure(t.bet, t.blocks, 0, 1);
    f.winPercentOfBet = {averageBet > 0 ? 100 * mean / averageBet : 0,
                         averageBet > 0 ? 100 * winError / averageBet : 0};
    // The deviation's error from the fourth central moment.
    const double third = n > 0 ? t.win3 / n : 0, fourth = n > 0 ? t.win4 / n : 0;
    const double m4 =
        fourth - 4 * mean * third + 6 * mean * mean * second - 3 * mean * mean * mean * mean;
    const double sdError =
        n > 1 && sd > 0 ? std::sqrt(std::max(0.0, m4 - variance * variance) / n) / (2 * sd) : 0;
    f.sdPerRound = {sd, sdError};
    f.sdPer100 = {10 * sd, 10 * sdError};
    const double relWin = mean != 0 ? winError / std::abs(mean) : 0;
    const double relSd = sd > 0 ? sdError / sd : 0;
    const double both = std::sqrt(relWin * relWin + relSd * relSd);
    if (mean != 0 && sd > 0) {
        f.n0.value = variance / (mean * mean);
        f.n0.error = f.n0.value * 2 * both;
        f.di.value = 1000 * mean / sd;
        f.di.error = std::abs(f.di.value) * both;
    } else {
        f.n0.error = f.di.error = 0;
    }
    f.score.value = mean > 0 && sd > 0 ? 1e6 * mean * mean / variance : 0;
    f.score.error = f.score.value * 2 * both;
    if (mean > 0 && sd > 0) {
        const double b = game.bankroll;
        f.riskOfRuin.value = std::exp(-2 * mean * b / variance);
        const double dw = 2 * b * winError / variance;
        const double ds = 4 * mean * b * sdError / (variance * sd);
        f.riskOfRuin.error = f.riskOfRuin.value * std::sqrt(dw * dw + ds * ds);
    } else {
        f.riskOfRuin = {1.0, 0.0};
    }
    if (t.trips > 0) {
        const double p = double(t.ruined) / double(t.trips);
        f.tripRuin = Figure{p, std::sqrt(p * (1 - p) / double(t.trips))};
    }
    for (int i = 0; i < kCounts; ++i) {
        SimFigures::AtCount& at = f.byCount[std::size_t(i)];
        at.count = kLowestCount + i;
        const Ratio& freq = t.frequency[std::size_t(i)];
        const double p = freq.value();
        at.frequency = ratioFigure(freq, t.blocks, std::sqrt(p * (1 - p)), 1);
        const Ratio& ret = t.returns[std::size_t(i)];
        if (ret.y > 0) {
            // Without batches: the round's deviation a unit bet, as near as the whole run's.
            const double unitSd = averageBet > 0 ? sd / averageBet : sd;
            at.returns = ratioFigure(ret, t.blocks, unitSd, 1);
        }
    }
    return f;
}

double LabFigures::returnAt(int count) const {
    for (const counting::CountWorth& worth : byCount) {
        if (worth.count == count) return withIndices ? worth.withIndices : worth.basic;
    }
    return 0;
}

double LabFigures::frequencyAt(int count) const {
    for (const counting::CountWorth& worth : byCount) {
        if (worth.count == count) return worth.frequency;
    }
    return 0;
}

double standardErrorsOff(const Figure& simulated, double lab) {
    if (!simulated.error || *simulated.error <= 0) return 0;
    return (lab - simulated.value) / *simulated.error;
}

namespace {

// The by-count row furthest from the lab by `off`, if it is more than two standard errors.
template <typename Off>
const SimFigures::AtCount* furthest(const SimFigures& f, Off off, double* worstOff) {
    const SimFigures::AtCount* worst = nullptr;
    *worstOff = 2;
    for (const SimFigures::AtCount& at : f.byCount) {
        const double o = std::abs(off(at));
        if (o > *worstOff) {
            *worstOff = o;
            worst = &at;
        }
    }
    return worst;
}

} // namespace

std::string countLabel(int count) {
    std::string label = (count > 0 ? "+" : "") + std::to_string(count);
    if (count == kLowestCount) label += " and below";
    if (count == kHighestCount) label += " and above";
    return label;
}

std::string labSentence(const SimFigures& f, const LabFigures& lab) {
    std::string out;
    char buffer[400];
    double off = 0;
    const SimFigures::AtCount* worst = furthest(
        f,
        [&](const SimFigures::AtCount& at) {
            return at.returns ? standardErrorsOff(*at.returns, lab.returnAt(at.count)) : 0.0;
        },
        &off);
    if (worst) {
        const double gap = lab.returnAt(worst->count) - worst->returns->value;
        std::snprintf(buffer, sizeof buffer,
                      "The count lab's average shoe is off most at %s: its return is %.3f %% of "
                      "the bet %s the dealt game's (%.1f standard errors).",
                      countLabel(worst->count).c_str(), 100 * std::abs(gap),
                      gap > 0 ? "above" : "below", off);
        out += buffer;
    } else {
        out += "The count lab's average shoe agrees with the dealt game: its return at every "
               "count is within two standard errors of the rounds dealt.";
    }
    worst = furthest(
        f,
        [&](const SimFigures::AtCount& at) {
            return standardErrorsOff(at.frequency, lab.frequencyAt(at.count));
        },
        &off);
    if (worst && lab.byCount.size() > 1) {
        // The lab spaces its rounds evenly through the shoe; a dealt round takes more cards
        // or fewer as the count goes, and the last round may run past the cut card.
        std::snprintf(buffer, sizeof buffer,
                      " How often a count comes up is off most at %s: %.2f %% in the lab, "
                      "%.2f %% dealt (%.1f standard errors); the lab spaces rounds evenly, 2.7 "
                      "cards a hand.",
                      countLabel(worst->count).c_str(), 100 * lab.frequencyAt(worst->count),
                      100 * worst->frequency.value, off);
        out += buffer;
    }
    const double labSd = lab.game.sdPer100 / 10;
    const double sdOff = standardErrorsOff(f.sdPerRound, labSd);
    if (lab.hasGame && std::abs(sdOff) > 2 && f.sdPerRound.value > 0) {
        std::snprintf(buffer, sizeof buffer,
                      " Its standard deviation is %.2f %% %s the dealt game's (%.1f standard "
                      "errors): it takes a split as two hands without resplits, and no "
                      "insurance.",
                      100 * std::abs(labSd / f.sdPerRound.value - 1),
                      labSd < f.sdPerRound.value ? "below" : "above", sdOff);
        out += buffer;
    }
    return out;
}

} // namespace simulation

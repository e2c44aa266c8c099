#include "CounterEdge.h"

#include "PracticeText.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace practice {

double countMissCost(const CountPlan& plan, double error) {
    // A true count anywhere within a whole count's step, off by the error, lands on the whole
    // count `below` away or the next, in proportion.
    const int below = int(std::floor(error));
    const double next = error - below;
    double cost = 0;
    double weight = 0;
    for (const counting::CountRound& round : plan.rounds) {
        const double variance = round.second - round.mean * round.mean;
        auto worth = [&](int count) {
            return counting::certaintyEquivalent(plan.game.betAt(count), round.mean, variance,
                                                 plan.game.bankroll);
        };
        const double right = worth(round.count);
        const double lost = (1 - next) * (right - worth(round.count + below)) +
                            next * (right - worth(round.count + below + 1));
        cost += round.frequency * std::max(0.0, lost);
        weight += round.frequency;
    }
    return weight > 0 ? cost / weight : 0;
}

std::optional<double> trueCountError(const counting::Game& game, const CountAnswer& answer) {
    switch (answer.kind) {
    case CountKind::RunningCount:
    case CountKind::CountCheck: {
        // A drill's running count is turned over the decks left on average in the shoe.
        const double decks = answer.kind == CountKind::CountCheck && answer.cardsLeft > 0
                                 ? answer.cardsLeft / 52.0
                                 : game.rules.decks * (1 - game.penetration / 2);
        return game.system.balanced() ? (answer.given - answer.right) / decks
                                      : answer.given - answer.right;
    }
    case CountKind::TrueCount: return answer.given - answer.right;
    default: return std::nullopt;
    }
}

CounterEdge counterEdge(const CountPlan& plan, const CountRecords& records) {
    CounterEdge edge;
    const char* const names[] = {"Running counts missed", "True counts missed", "Bets off the ramp",
                                 "Indices missed", "Basic-strategy plays missed"};
    for (std::size_t i = 0; i < edge.kinds.size(); ++i)
        edge.kinds[i].name = QString::fromLatin1(names[i]);
    for (const counting::CountRound& round : plan.rounds)
        edge.perfectPer100 += 100 * round.frequency * plan.game.betAt(round.count) * round.mean;

    const QString system = systemKey(plan.game.system);
    const counting::Game& game = plan.game;
    // What each kind of mistake cost in all, in units.
    std::array<double, 5> spent{};
    const auto note = [&](int kind, bool correct, double cost) {
        CounterEdge::Kind& counted = edge.kinds[std::size_t(kind)];
        ++counted.answers;
        counted.missed += !correct;
        spent[std::size_t(kind)] += cost;
    };
    std::map<QString, double> study;
    for (const StoredCountAnswer& stored : records.answers) {
        const CountAnswer& answer = stored.answer;
        if (answer.system != system) continue;
        switch (answer.kind) {
        case CountKind::RunningCount:
        case CountKind::CountCheck:
        case CountKind::TrueCount:
            note(answer.kind == CountKind::TrueCount ? CounterEdge::TrueCounts
                                                     : CounterEdge::RunningCounts,
                 answer.correct,
                 answer.correct ? 0 : countMissCost(plan, *trueCountError(game, answer)));
            break;
        case CountKind::DecksLeft:
            // Priced through the true counts it gives, not on its own.
            note(CounterEdge::TrueCounts, answer.correct, 0);
            break;
        case CountKind::Bet:
            note(CounterEdge::Bets, answer.correct, answer.cost);
            ++edge.rounds;
            if (!answer.correct) {
                study[QStringLiteral("Bets at %1: the ramp bets %2")
                          .arg(countNamed(game, answer.count))
                          .arg(answer.right)] += answer.cost;
            }
            break;
        case CountKind::Insurance:
            note(CounterEdge::Indices, answer.correct, answer.cost);
            if (!answer.correct) study[QStringLiteral("Insurance")] += answer.cost;
            break;
        }
    }
    for (const StoredAnswer& stored : records.decisions) {
        const Answer& answer = stored.answer;
        if (answer.counted->system != system) continue;
        const bool index = answer.rightPlay != answer.counted->basicPlay;
        note(index ? CounterEdge::Indices : CounterEdge::BasicPlays, answer.right,
             answer.counted->cost);
        if (index && !answer.right) {
            study[QStringLiteral("%1 against %2 at %3: %4")
                      .arg(practice::totalText(answer.cards),
                           answer.up == 1 ? QStringLiteral("an ace") : QString::number(answer.up),
                           countNamed(game, answer.counted->count),
                           practice::playText(answer.rightPlay))] += answer.counted->cost;
        }
    }
    // Counts and bets come one an answer; plays, over the rounds bet.
    const int rounds = std::max(1, edge.rounds);
    for (std::size_t kind = 0; kind < edge.kinds.size(); ++kind) {
        const int over = kind == CounterEdge::Indices || kind == CounterEdge::BasicPlays
                             ? rounds
                             : std::max(1, edge.kinds[kind].answers);
        edge.kinds[kind].costPer100 = 100 * spent[kind] / over;
    }
    edge.yoursPer100 = edge.perfectPer100;
    for (const CounterEdge::Kind& kind : edge.kinds)
        edge.yoursPer100 -= kind.costPer100;
    for (const auto& [words, cost] : study) {
        if (cost > 0) edge.study.emplace_back(words, 100 * cost / rounds);
    }
    std::sort(edge.study.begin(), edge.study.end(),
              [](const auto& a, const auto& b) { return a.second > b.second; });
    if (edge.study.size() > 8) edge.study.resize(8);
    return edge;
}

} // namespace practice

#include "Edge.h"

#include "ChartModel.h"
#include "Grading.h"

#include <algorithm>
#include <map>

using analysis::Play;

namespace practice {

Edge edgeOf(const analysis::Analysis& analysis, const Table& table, const AnswersOf& answersOf) {
    const rules::Rules& rules = analysis.rules();
    auto rightPlay = [&](int first, int second, int up) {
        const analysis::PlayValues& values = analysis.startingHand(first, second, up);
        return table.isChart() ? chartPlay(table.chart, {first, second}, up,
                                           analysis::allowedPlays(rules, {first, second}))
                               : values.best();
    };
    Edge edge;
    edge.reference = analysis.roundReturn(rightPlay);
    const auto& rows = charts::everyRow();
    for (int row = 0; row < int(rows.size()); ++row) {
        for (int up = 1; up <= 10; ++up) {
            const GridCell cell{row, up};
            const auto& hands = rows[row].hands;
            if (hands.size() == 1 && analysis::isBlackjack(hands[0].first, hands[0].second)) {
                continue;
            }
            const std::vector<Play> answers = answersOf(cell);
            if (answers.empty()) {
                ++edge.unanswered;
                continue;
            }
            std::map<Play, double> share;
            for (Play answer : answers)
                share[answer] += 1.0 / answers.size();
            CellCost cost{cell};
            double mostDealt = -1;
            for (const auto& [first, second] : hands) {
                const double dealt = analysis.dealChance(first, second, up);
                if (dealt == 0) continue;
                const analysis::PlayValues& values = analysis.startingHand(first, second, up);
                // Values are after the dealer's check: the round reaches them without a
                // dealer's blackjack.
                const double reached =
                    rules.holeCard ? dealt * (1 - analysis.dealerBlackjackChance(first, second, up))
                                   : dealt;
                const Play right = rightPlay(first, second, up);
                for (const auto& [answer, part] : share) {
                    if (answer == right) continue;
                    cost.missShare += dealt * part;
                    // An answer the hand may not make is counted as a miss, not priced.
                    if (values.allows(answer)) {
                        cost.cost += reached * part * (values[right] - values[answer]);
                    }
                }
                cost.dealt += dealt;
                if (dealt > mostDealt) {
                    mostDealt = dealt;
                    cost.rightPlay = right;
                }
            }
            if (cost.dealt > 0) cost.missShare /= cost.dealt;
            edge.answered.push_back(cost);
        }
    }
    double total = 0;
    for (const CellCost& cost : edge.answered)
        total += cost.cost;
    edge.yours = edge.reference - total;
    std::stable_sort(edge.answered.begin(), edge.answered.end(),
                     [](const CellCost& a, const CellCost& b) { return a.cost > b.cost; });
    return edge;
}

} // namespace practice

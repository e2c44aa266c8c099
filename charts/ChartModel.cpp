#include "ChartModel.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>

namespace charts {

using analysis::Analysis;
using analysis::PlayValues;

namespace {} // namespace

PlayValues combined(const Analysis& analysis, const Row& row, int up) {
    if (row.hands.size() == 1) {
        return analysis.startingHand(row.hands[0].first, row.hands[0].second, up);
    }
    PlayValues sum;
    double weights = 0;
    for (const auto& [first, second] : row.hands) {
        const double weight = analysis.dealChance(first, second, up);
        const PlayValues& values = analysis.startingHand(first, second, up);
        for (int p = 0; p < analysis::kPlays; ++p) {
            sum.allowed[p] = values.allowed[p];
            sum.ev[p] += weight * values.ev[p];
        }
        weights += weight;
    }
    for (double& value : sum.ev)
        value /= weights;
    return sum;
}

namespace {

bool isBlackjack(const Row& row) {
    return row.hands.size() == 1 && analysis::isBlackjack(row.hands[0].first, row.hands[0].second);
}

// Fills a cell's values, its best play and, for a hard total, where its pairs differ.
void evaluate(const Analysis& analysis, const Row& row, Cell& cell) {
    cell.values = combined(analysis, row, cell.up);
    cell.best = cell.values.best();
    cell.bestEv = cell.values[cell.best];
    if (row.hands.size() > 1) {
        std::vector<std::pair<std::string, Play>> bests;
        bool differ = false;
        for (const auto& [first, second] : row.hands) {
            const Play best = analysis.startingHand(first, second, cell.up).best();
            differ = differ || best != cell.best;
            bests.emplace_back(cardName(first) + "," + cardName(second), best);
        }
        if (differ) cell.pairsDiffer = bests;
    }
}

Chart baseChart(const Analysis& analysis) {
    Chart chart;
    chart.rules = analysis.rules();
    chart.returnBest = analysis.roundReturn();
    chart.rows = chartRows();
    return chart;
}

} // namespace

const std::vector<Row>& everyRow() {
    static const std::vector<Row> rows = chartRows();
    return rows;
}

RowKind kindOfRow(int row) {
    if (row < kPairRows) return RowKind::Pair;
    if (row < kPairRows + kSoftRows) return RowKind::Soft;
    return RowKind::Hard;
}

std::vector<Row> chartRows() {
    std::vector<Row> rows;
    rows.push_back({"A,A", "Pairs", {{1, 1}}, {}});
    for (int v = 2; v <= 10; ++v) {
        rows.push_back({cardName(v) + "," + cardName(v), "Pairs", {{v, v}}, {}});
    }
    for (int v = 2; v <= 10; ++v) {
        rows.push_back({"A," + cardName(v), "Soft hands (an ace and another card)", {{1, v}}, {}});
    }
    for (int total = 5; total <= 19; ++total) {
        Row row{"Hard " + std::to_string(total), "Hard totals", {}, {}};
        for (int low = 2; low < total - low; ++low) {
            if (total - low <= 10) row.hands.emplace_back(low, total - low);
        }
        rows.push_back(row);
    }
    return rows;
}

int rowOfHand(int first, int second) {
    const std::pair<int, int> hand{std::min(first, second), std::max(first, second)};
    const auto& rows = everyRow();
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const auto& hands = rows[row].hands;
        if (std::find(hands.begin(), hands.end(), hand) != hands.end()) return int(row);
    }
    return -1;
}

std::string shoeText(const analysis::Shoe& shoe) {
    return shoe.text() + " (" + analysis::cardsText(shoe.total) + " cards)";
}

std::string cardName(int value) {
    return value == 1 ? "A" : std::to_string(value);
}

std::string signedValue(double value, int decimals) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%+.*f", decimals, value);
    return buffer;
}

std::string fixed(double value, int decimals) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

std::string percent(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%+.3f %%", 100 * value);
    return buffer;
}

Chart tableChart(const Analysis& analysis, AdviceTable table, const std::string& name,
                 int agreeing) {
    Chart chart = baseChart(analysis);
    chart.title = name;
    chart.agreeing = agreeing;
    chart.returnByChart = roundReturnByTable(analysis, table);
    for (Row& row : chart.rows) {
        for (int c = 0; c < 10; ++c) {
            Cell& cell = row.cells[c];
            cell.up = kUpCards[c];
            const auto [first, second] = row.hands.front();
            const strategy::Advice& advice = table(strategy::Hand{first, second, cell.up});
            cell.text = trimmed(advice.text);
            cell.blackjack = isBlackjack(row);
            if (cell.blackjack) continue;
            evaluate(analysis, row, cell);
            cell.play = advisedPlay(advice, cell.values);
            cell.ev = cell.values[cell.play];
            // The chart's own words where it names what to do otherwise.
            const auto stated = advisedFallback(advice);
            cell.fallback = fallbackOf(cell.values, cell.play);
            if (stated && cell.fallback) cell.fallback = stated;
        }
    }
    return chart;
}

Chart bestPlayChart(const Analysis& analysis) {
    Chart chart = baseChart(analysis);
    chart.title = "Best play";
    chart.returnByChart = chart.returnBest;
    for (Row& row : chart.rows) {
        for (int c = 0; c < 10; ++c) {
            Cell& cell = row.cells[c];
            cell.up = kUpCards[c];
            cell.blackjack = isBlackjack(row);
            if (cell.blackjack) {
                cell.text = "Black Jack";
                continue;
            }
            evaluate(analysis, row, cell);
            cell.play = cell.best;
            cell.ev = cell.bestEv;
            cell.text = std::string(analysis::playName(cell.play));
            cell.fallback = fallbackOf(cell.values, cell.play);
        }
    }
    return chart;
}

std::optional<Play> fallbackOf(const PlayValues& values, Play play) {
    std::vector<Play> remaining;
    if (play == Play::Double) remaining = {Play::Hit, Play::Stand};
    if (play == Play::Surrender) remaining = {Play::Hit, Play::Stand, Play::Split};
    std::optional<Play> better;
    for (Play other : remaining) {
        if (values.allows(other) && (!better || values[other] > values[*better])) better = other;
    }
    return better;
}

std::string playCode(Play play, std::optional<Play> fallback) {
    static const char* kCodes[] = {"S", "H", "D", "P", "R"};
    static const char* kAfter[] = {"s", "h", "d", "p", "r"};
    std::string code = kCodes[static_cast<int>(play)];
    if (fallback) code += kAfter[static_cast<int>(*fallback)];
    return code;
}

std::string Cell::code() const {
    return blackjack ? "BJ" : playCode(play, fallback);
}

std::vector<std::pair<const Row*, const Cell*>> markedByCost(const Chart& chart) {
    std::vector<std::pair<const Row*, const Cell*>> marked;
    for (const Row& row : chart.rows) {
        for (const Cell& cell : row.cells) {
            if (cell.marked()) marked.emplace_back(&row, &cell);
        }
    }
    std::stable_sort(marked.begin(), marked.end(), [](const auto& a, const auto& b) {
        return a.second->cost() > b.second->cost();
    });
    return marked;
}

std::string playWord(Play play) {
    std::string name(analysis::playName(play));
    for (char& c : name)
        c = static_cast<char>(std::tolower(c));
    return name;
}

namespace {} // namespace

std::string compareCsv(const Analysis& analysis, AdviceTable table) {
    std::string out = "card1,card2,up,chart,best,cost\n";
    for (int first = 1; first <= 10; ++first) {
        for (int second = first; second <= 10; ++second) {
            if (analysis::isBlackjack(first, second)) continue;
            for (int up = 1; up <= 10; ++up) {
                const PlayValues& values = analysis.startingHand(first, second, up);
                const Play chart = advisedPlay(table(strategy::Hand{first, second, up}), values);
                const Play best = values.best();
                if (chart == best || values[best] <= values[chart]) continue;
                out += cardName(first) + "," + cardName(second) + "," + cardName(up) + "," +
                       playWord(chart) + "," + playWord(best) + "," +
                       fixed(values[best] - values[chart], kCsvDecimals) + "\n";
            }
        }
    }
    out += "# rules: " + describe(analysis.rules()) + "\n";
    out += "# shoe: " + shoeText(analysis.shoe()) + "\n";
    return out;
}

std::string csv(const Analysis& analysis) {
    std::string out = "card1,card2,up,stand,hit,double,split,surrender,best,fallback\n";
    for (int first = 1; first <= 10; ++first) {
        for (int second = first; second <= 10; ++second) {
            if (first == 1 && second == 10) continue;
            for (int up = 1; up <= 10; ++up) {
                const PlayValues& values = analysis.startingHand(first, second, up);
                out += cardName(first) + "," + cardName(second) + "," + cardName(up);
                for (Play play : analysis::kAllPlays) {
                    out += ",";
                    if (values.allows(play)) out += fixed(values[play], kCsvDecimals);
                }
                const Play best = values.best();
                const auto fallback = fallbackOf(values, best);
                out +=
                    "," + playWord(best) + "," + (fallback ? playCode(best, fallback) : "") + "\n";
            }
        }
    }
    out += "# rules: " + describe(analysis.rules()) + "\n";
    out += "# shoe: " + shoeText(analysis.shoe()) + "\n";
    out += "# expected return: " + fixed(analysis.roundReturn(), kCsvReturnDecimals) + "\n";
    return out;
}

} // namespace charts

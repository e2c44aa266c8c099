// The count lab's forms: text for reading, CSV with fixed columns.
#include "ChartModel.h"
#include "CountLab.h"

#include <cctype>
#include <cmath>
#include <cstdio>

namespace counting {

namespace {

// "16", "A,7", "8,8" or "insurance".
std::string handOf(const IndexPlay& play) {
    return play.insurance ? "insurance" : handName(play.row);
}

std::string belowOf(const IndexPlay& play) {
    return play.insurance ? "no" : charts::playWord(play.below);
}
std::string aboveOf(const IndexPlay& play) {
    return play.insurance ? "insure" : charts::playWord(play.atOrAbove);
}

// "1:1, 2:2, 3:4, 4:8".
std::string rampText(const Game& game) {
    std::string out;
    for (const auto& [count, units] : game.ramp)
        out += (out.empty() ? "" : ", ") + std::to_string(count) + ":" +
               charts::fixed(units, units == std::floor(units) ? 0 : 2);
    return out;
}

// The lines after a CSV's rows: the rules, the count, and how close its figures come.
std::string about(const Game& game) {
    return "# rules: " + rules::describe(game.rules) + "\n# count: " + describe(game) +
           "\n# shoes: " + kHowClose + "\n";
}

std::string countName(const Game& game) {
    return game.system.balanced() ? "true count" : "running count";
}

} // namespace

std::string handName(int row) {
    const charts::Row& chartRow = charts::everyRow()[std::size_t(row)];
    if (charts::kindOfRow(row) == charts::RowKind::Hard) {
        const auto [first, second] = chartRow.hands.front();
        return std::to_string(first + second);
    }
    return chartRow.label;
}

std::optional<int> rowOfHandName(const std::string& name) {
    std::string upper;
    for (char c : name) {
        if (c != ' ') upper += char(std::toupper(static_cast<unsigned char>(c)));
    }
    for (int row = 0; row < charts::kChartRowCount; ++row) {
        if (handName(row) == upper) return row;
    }
    return std::nullopt;
}

std::string describe(const Game& game) {
    const std::string name = game.system.name.empty() ? "tags of your own" : game.system.name;
    std::string out = name + ", by the " + countName(game);
    if (game.system.balanced()) {
        static const char* const estimates[] = {"to the whole deck", "to the half deck",
                                                "to the quarter deck", "exactly"};
        static const char* const roundings[] = {"floored", "truncated", "rounded", "unrounded"};
        out += std::string(" (decks left estimated ") + estimates[int(game.conventions.estimate)] +
               ", the count " + roundings[int(game.conventions.rounding)] + ")";
    } else {
        out += " from " + charts::fixed(game.system.initialRunningCount(game.rules.decks), 0);
    }
    if (game.depth) {
        out += "; at " + charts::fixed(*game.depth, 2) + " decks dealt";
    } else {
        out += "; every round to the cut card at " + charts::fixed(100 * game.penetration, 0) +
               " % of the shoe, " + std::to_string(game.players) +
               (game.players == 1 ? " player" : " players");
    }
    return out;
}

std::string indexCsv(const Game& game, const IndexTable& table) {
    std::string out = "hand,up,below,index,at_or_above,crossing,gain_per_100\n";
    for (const IndexPlay& play : table.plays) {
        // "A,7" and "8,8" hold the separator: quoted, as CSV readers expect.
        const std::string hand = handOf(play);
        out += (hand.find(',') != std::string::npos ? '"' + hand + '"' : hand) + "," +
               charts::cardName(play.up) + "," + belowOf(play) + "," + std::to_string(play.index) +
               "," + aboveOf(play) + "," + charts::fixed(play.crossing, 2) + "," +
               charts::fixed(play.gainPer100, 4) + "\n";
    }
    return out + about(game);
}

std::string indexText(const Game& game, const IndexTable& table) {
    std::string out =
        "Index plays: " + describe(game) + ".\nRules: " + rules::describe(game.rules) + ".\n\n";
    auto line = [](const IndexPlay& play) {
        char buffer[160];
        std::snprintf(buffer, sizeof buffer,
                      "  %-9s v %-2s  %-9s below %+3d, %-9s at or above "
                      "(crossing %+6.2f)  %7.4f per 100 rounds\n",
                      handOf(play).c_str(), charts::cardName(play.up).c_str(),
                      belowOf(play).c_str(), play.index, aboveOf(play).c_str(), play.crossing,
                      play.gainPer100);
        return std::string(buffer);
    };
    out += "Your top 18 (the playing indices that gain the most at this table):\n";
    for (int i : table.top)
        out += line(table.plays[std::size_t(i)]);
    if (!table.surrender.empty()) {
        out += "\nYour surrender 4:\n";
        for (int i : table.surrender)
            out += line(table.plays[std::size_t(i)]);
    }
    out += "\nEvery change of the best play between counts " + std::to_string(kLowestIndex) +
           " and +" + std::to_string(kHighestIndex) + ":\n";
    for (const IndexPlay& play : table.plays)
        out += line(play);
    out += "\nGains are per 100 rounds, " +
           std::string(game.ramp.empty() ? "in initial bets, flat bets"
                                         : "in units, bet by the ramp " + rampText(game)) +
           ". Each count's shoe is valued as it is: the average composition at that count, "
           "fractional. " +
           kHowClose + "\n";
    return out;
}

std::string gameText(const GameFigures& f) {
    std::string out;
    auto line = [&](const char* name, const std::string& value) {
        out += std::string(name) + ": " + value + "\n";
    };
    line("win rate per 100 rounds", charts::fixed(f.winPer100, 4));
    line("win rate per hour", charts::fixed(f.winPerHour, 4));
    line("win rate per cent of the average bet", charts::fixed(f.winPercentOfBet, 4));
    line("standard deviation per 100 rounds", charts::fixed(f.sdPer100, 4));
    line("N0", charts::fixed(f.n0, 0));
    line("risk of ruin", charts::fixed(f.riskOfRuin, 6));
    line("SCORE", charts::fixed(f.score, 2));
    line("DI", charts::fixed(f.di, 2));
    line("best ramp", f.bestRamp);
    return out;
}

std::string byCountCsv(const Game& game, const std::vector<CountWorth>& rows) {
    std::string out = "true_count,frequency,basic,with_indices\n";
    for (const CountWorth& row : rows) {
        out += std::to_string(row.count) + "," + charts::fixed(row.frequency, 9) + "," +
               charts::fixed(row.basic, 9) + "," + charts::fixed(row.withIndices, 9) + "\n";
    }
    return out + about(game);
}

std::string byCountText(const Game& game, const std::vector<CountWorth>& rows) {
    std::string out = "What each count is worth: " + describe(game) +
                      ".\nRules: " + rules::describe(game.rules) + ".\n\n";
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, "%-14s %10s %12s %14s\n", "count", "how often", "basic",
                  "with indices");
    out += buffer;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const CountWorth& row = rows[i];
        std::string label = (row.count > 0 ? "+" : "") + std::to_string(row.count);
        if (i == 0) label += " or less";
        if (i + 1 == rows.size()) label += " or more";
        std::snprintf(buffer, sizeof buffer, "%-14s %9.2f %% %+10.3f %% %+12.3f %%\n",
                      label.c_str(), 100 * row.frequency, 100 * row.basic, 100 * row.withIndices);
        out += buffer;
    }
    out += "\nReturns are per round, in per cent of the initial bet; basic plays the full shoe's "
           "best play at every count, with indices each cell's best play at the count and "
           "insurance where it gains. " +
           std::string(kHowClose) + "\n";
    return out;
}

} // namespace counting

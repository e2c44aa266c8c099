#include "CountLab.h"

#include "ChartModel.h"
#include "CountAnalyses.h"
#include "CountShoe.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <tuple>

namespace counting {

using analysis::Analysis;
using analysis::Play;
using analysis::PlayValues;

std::vector<CountShoe> countShoes(const Game& game, int lowest, int highest) {
    const int decks = game.rules.decks;
    const std::vector<std::pair<int, double>> depths =
        game.depth ? std::vector<std::pair<int, double>>{{int(std::lround(*game.depth * 52)), 1.0}}
                   : roundDepths(decks, game.penetration, game.players);
    const CountsOverDepths counts = countsOverDepths(game.system, game.conventions, decks, depths);
    std::vector<CountShoe> shoes(std::size_t(highest - lowest + 1));
    std::vector<std::array<double, 11>> left(shoes.size());
    for (const auto& [count, frequency] : counts.frequency) {
        const int whole = std::clamp(int(std::floor(count + 1e-9)), lowest, highest);
        CountShoe& shoe = shoes[std::size_t(whole - lowest)];
        shoe.frequency += frequency;
        const auto& cards = counts.left.at(count);
        for (int value = 1; value <= 10; ++value)
            left[std::size_t(whole - lowest)][value] += frequency * cards[value];
    }
    for (std::size_t i = 0; i < shoes.size(); ++i) {
        CountShoe& shoe = shoes[i];
        shoe.count = lowest + int(i);
        if (shoe.frequency <= 0) continue;
        for (double& cards : left[i])
            cards /= shoe.frequency;
        shoe.left = left[i];
        shoe.shoe = analysis::Shoe::ofFractions(left[i]);
        shoe.decksLeft = shoe.shoe.total / 52.0;
        shoe.valued = analysis::shoeProblem(game.rules, shoe.shoe).empty();
    }
    return shoes;
}

namespace {

// The index rows of the chart: the pairs, the soft hands A,2 to A,9, the hard totals 8 to 17.
std::vector<int> indexRows() {
    std::vector<int> rows;
    const auto& every = charts::everyRow();
    for (int row = 0; row < int(every.size()); ++row) {
        const auto& hands = every[row].hands;
        const auto [first, second] = hands.front();
        const int total = first + second;
        switch (charts::kindOfRow(row)) {
        case charts::RowKind::Pair: rows.push_back(row); break;
        case charts::RowKind::Soft:
            if (second <= 9) rows.push_back(row);
            break;
        case charts::RowKind::Hard:
            if (total >= 8 && total <= 17) rows.push_back(row);
            break;
        }
    }
    return rows;
}

// Insurance on half the bet against an ace: what it gains a round, in initial bets, from the
// cards left on average (it is linear in them: the average shoe's figure is the real shoes').
double insuranceValue(const std::array<double, 11>& left) {
    double cards = 0;
    for (int value = 1; value <= 10; ++value)
        cards += left[value];
    if (left[1] < 1 || cards <= 1) return 0;
    const double ten = left[10] / (cards - 1);
    return 0.5 * (3 * ten - 1);
}

// A row's play values and deal chance against an up card at a decision count.
struct CellAt {
    PlayValues values;
    double deal = 0;
    bool known = false;
};

CellAt cellAt(const CountAnalyses& counts, const charts::Row& row, int up, int count) {
    CellAt cell;
    for (const auto& [first, second] : row.hands) {
        const double before = counts.before(count, {first, second, up});
        const auto deal =
            counts.read(before, [&](const Analysis& a) { return a.dealChance(first, second, up); });
        if (!deal || *deal <= 0) continue;
        cell.values.allowed = analysis::allowedPlays(counts.rules(), {first, second}).allowed;
        for (int p = 0; p < analysis::kPlays; ++p) {
            const auto value = counts.read(
                before, [&](const Analysis& a) { return a.startingHand(first, second, up).ev[p]; });
            cell.values.ev[p] += *deal * *value;
        }
        cell.deal += *deal;
    }
    if (cell.deal <= 0) return cell;
    for (double& value : cell.values.ev)
        value /= cell.deal;
    cell.known = true;
    return cell;
}

void addChanges(IndexTable& table, int row, int up, bool surrender, const std::vector<int>& counts,
                const std::vector<Play>& plays, const std::vector<std::array<double, 5>>& values,
                Play basic, const std::vector<double>& weight) {
    auto gainOf = [&](std::size_t i, Play play) {
        return weight[i] * (values[i][int(play)] - values[i][int(basic)]);
    };
    for (std::size_t i = 1; i < counts.size(); ++i) {
        if (plays[i] == plays[i - 1]) continue;
        IndexPlay change;
        change.row = row;
        change.up = up;
        change.surrender = surrender;
        change.below = plays[i - 1];
        change.atOrAbove = plays[i];
        change.index = counts[i];
        const double before = values[i - 1][int(plays[i])] - values[i - 1][int(plays[i - 1])];
        const double after = values[i][int(plays[i])] - values[i][int(plays[i - 1])];
        change.crossing =
            after != before ? counts[i - 1] + (-before) / (after - before) : double(counts[i]);
        // The gain over basic strategy of the side that deviates, up to the next change.
        double gain = 0;
        if (plays[i] != basic) {
            for (std::size_t j = i; j < counts.size() && plays[j] == plays[i]; ++j)
                gain += gainOf(j, plays[i]);
        } else {
            for (std::size_t j = i; j-- > 0 && plays[j] == plays[i - 1];)
                gain += gainOf(j, plays[i - 1]);
        }
        change.gainPer100 = 100 * gain;
        table.plays.push_back(change);
    }
}

} // namespace

namespace {

// Every count the index plays are sought in, and room beyond: a decision count is read a count
// or two from its shoe (past the room, from the last). The by-count range is within it.
constexpr int kLowestStudied = kLowestIndex - 2;
constexpr int kHighestStudied = kHighestIndex + 2;
CountAnalyses studiedCounts(const Game& game, const analysis::OwnChooser& momentsBy = {}) {
    return CountAnalyses(game, kLowestStudied, kHighestStudied, momentsBy);
}

IndexTable indexPlaysFrom(const CountAnalyses& counts, const Analysis& full, const Game& game) {
    IndexTable table;
    table.basic = charts::bestPlayChart(full);
    std::vector<int> whole;
    for (int count = kLowestIndex; count <= kHighestIndex; ++count)
        whole.push_back(count);
    const auto& rows = charts::everyRow();
    for (int row : indexRows()) {
        for (int up : charts::kUpCards) {
            const PlayValues basicValues = charts::combined(full, rows[row], up);
            std::vector<int> at;
            std::vector<Play> plays, surrenders;
            std::vector<std::array<double, 5>> values;
            std::vector<double> weight;
            for (int count : whole) {
                const CellAt cell = cellAt(counts, rows[row], up, count);
                if (!cell.known) continue;
                at.push_back(count);
                plays.push_back(cell.values.bestBut(Play::Surrender));
                surrenders.push_back(cell.values.allowed[int(Play::Surrender)] &&
                                             cell.values[Play::Surrender] >
                                                 cell.values[plays.back()]
                                         ? Play::Surrender
                                         : plays.back());
                values.push_back(cell.values.ev);
                weight.push_back(counts.at(count).frequency * cell.deal * game.betAt(count));
            }
            if (at.empty()) continue;
            addChanges(table, row, up, false, at, plays, values,
                       basicValues.bestBut(Play::Surrender), weight);
            if (game.rules.surrender) {
                const std::size_t before = table.plays.size();
                addChanges(table, row, up, true, at, surrenders, values, basicValues.best(),
                           weight);
                // A surrender index compares surrender with the best play but surrender: a
                // change between two other plays is a playing index, already counted.
                table.plays.erase(std::remove_if(table.plays.begin() + long(before),
                                                 table.plays.end(),
                                                 [](const IndexPlay& p) {
                                                     return p.below != Play::Surrender &&
                                                            p.atOrAbove != Play::Surrender;
                                                 }),
                                  table.plays.end());
            }
        }
    }
    // Insurance against an ace.
    {
        IndexPlay insurance;
        insurance.row = -1;
        insurance.up = 1;
        insurance.insurance = true;
        std::optional<double> previous;
        std::optional<int> index;
        for (int count : whole) {
            // The ace's tag moves the count: the shoe's fractions read between whole counts.
            const double before = counts.before(count, {1});
            const int low = std::clamp(int(std::floor(before)), counts.lowest(), counts.highest());
            const int high = std::min(low + 1, counts.highest());
            const double part = std::clamp(before - low, 0.0, 1.0);
            if (counts.at(low).frequency <= 0 && counts.at(high).frequency <= 0) continue;
            const std::optional<double> value = (1 - part) * insuranceValue(counts.at(low).left) +
                                                part * insuranceValue(counts.at(high).left);
            if (previous && *previous <= 0 && *value > 0 && !index) {
                index = count;
                insurance.crossing = count - 1 + (-*previous) / (*value - *previous);
            }
            if (index) {
                const CountShoe& shoe = counts.at(count);
                insurance.gainPer100 += 100 * shoe.frequency * game.betAt(count) * shoe.left[1] /
                                        std::max(shoe.shoe.total, 1.0) * *value;
            }
            previous = value;
        }
        if (index) {
            insurance.index = *index;
            table.plays.push_back(insurance);
        }
    }
    // By chart row, up card as the chart's columns run, index; insurance last.
    auto column = [](int up) {
        return int(std::find(charts::kUpCards.begin(), charts::kUpCards.end(), up) -
                   charts::kUpCards.begin());
    };
    std::stable_sort(table.plays.begin(), table.plays.end(),
                     [&](const IndexPlay& a, const IndexPlay& b) {
                         const int rowA = a.insurance ? charts::kChartRowCount : a.row;
                         const int rowB = b.insurance ? charts::kChartRowCount : b.row;
                         return std::tuple(rowA, column(a.up), a.index) <
                                std::tuple(rowB, column(b.up), b.index);
                     });
    // The most gainful first.
    std::vector<int> playing, surrendering;
    for (int i = 0; i < int(table.plays.size()); ++i)
        (table.plays[i].surrender ? surrendering : playing).push_back(i);
    auto byGain = [&](int a, int b) {
        return table.plays[a].gainPer100 > table.plays[b].gainPer100;
    };
    std::stable_sort(playing.begin(), playing.end(), byGain);
    std::stable_sort(surrendering.begin(), surrendering.end(), byGain);
    playing.resize(std::min<std::size_t>(playing.size(), 18));
    surrendering.resize(std::min<std::size_t>(surrendering.size(), 4));
    table.top = playing;
    table.surrender = surrendering;
    return table;
}

using CellPlays = std::array<std::array<Play, 11>, charts::kChartRowCount>; // [row][up]

// A cell's best play at a count's shoe, its hands weighted by how often they come.
Play cellBest(const Analysis& at, const Analysis& full, int row, int up) {
    PlayValues values;
    for (const auto& [first, second] : charts::everyRow()[std::size_t(row)].hands) {
        for (int p = 0; p < analysis::kPlays; ++p) {
            values.allowed[p] =
                full.startingHand(first, second, up).allowed[p] || values.allowed[p];
            values.ev[p] +=
                at.dealChance(first, second, up) * at.startingHand(first, second, up).ev[p];
        }
    }
    return values.best();
}

CellPlays bestPlaysAt(const Analysis& at, const Analysis& full) {
    CellPlays best{};
    for (int r = 0; r < charts::kChartRowCount; ++r) {
        for (int up = 1; up <= 10; ++up)
            best[std::size_t(r)][std::size_t(up)] = cellBest(at, full, r, up);
    }
    return best;
}

CellPlays basicPlays(const Analysis& full) {
    const charts::Chart chart = charts::bestPlayChart(full);
    CellPlays plays{};
    for (int r = 0; r < charts::kChartRowCount; ++r) {
        for (const charts::Cell& cell : chart.rows[std::size_t(r)].cells)
            plays[std::size_t(r)][std::size_t(cell.up)] = cell.best;
    }
    return plays;
}

analysis::PlayChooser chooserOf(const CellPlays& plays) {
    return [&plays](int first, int second, int up) {
        return plays[std::size_t(charts::rowOfHand(first, second))][std::size_t(up)];
    };
}

// The counts' rounds' first plays: each cell's best at the count's own shoe.
analysis::OwnChooser bestAtCount(const Analysis& full) {
    return [&full](const Analysis& at, int first, int second, int up) {
        return cellBest(at, full, charts::rowOfHand(first, second), up);
    };
}

// What insurance gains a round where it gains (taken by its index), from the composition.
double insuranceTaken(const CountShoe& shoe) {
    const double insurance = insuranceValue(shoe.left);
    return insurance > 0 ? shoe.left[1] / shoe.shoe.total * insurance : 0.0;
}

// A round at one count: by the full shoe's best plays, by each cell's best play at the count
// with insurance by its index, and the second moment of the latter (with moments asked for).
struct AtCount {
    double basic = 0, withIndices = 0, second = 0;
};

// The rows for the whole counts kLowestByCount to kHighestByCount, the ends standing for every
// count beyond: each row's figures the average of its counts' by how often they come up.
template <typename Row, typename Fill>
std::vector<Row> rowsByCount(const CountAnalyses& counts, const Analysis& full, bool basic,
                             Fill fill) {
    const CellPlays basicCells = basicPlays(full);
    std::vector<Row> rows;
    std::vector<AtCount> sums;
    std::vector<double> valuedFrequency;
    for (int count = kLowestByCount; count <= kHighestByCount; ++count) {
        rows.emplace_back().count = count;
        sums.emplace_back();
        valuedFrequency.push_back(0);
    }
    for (const CountShoe& shoe : counts.shoes()) {
        const std::size_t i =
            std::size_t(std::clamp(shoe.count, kLowestByCount, kHighestByCount) - kLowestByCount);
        rows[i].frequency += shoe.frequency;
        if (!counts.valued(shoe.count)) continue;
        const Analysis& at = *counts.analysis(shoe.count);
        const CellPlays best = bestPlaysAt(at, full);
        const double f = shoe.frequency;
        if (basic) sums[i].basic += f * at.roundReturn(chooserOf(basicCells));
        sums[i].withIndices += f * (at.roundReturn(chooserOf(best)) + insuranceTaken(shoe));
        sums[i].second += f * at.moments().second;
        valuedFrequency[i] += f;
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (valuedFrequency[i] <= 0) continue;
        const double f = valuedFrequency[i];
        fill(rows[i], AtCount{sums[i].basic / f, sums[i].withIndices / f, sums[i].second / f});
    }
    return rows;
}

std::vector<CountWorth> worthFrom(const CountAnalyses& counts, const Analysis& full) {
    return rowsByCount<CountWorth>(counts, full, true, [](CountWorth& row, const AtCount& at) {
        row.basic = at.basic;
        row.withIndices = at.withIndices;
    });
}

std::vector<CountRound> roundsFrom(const CountAnalyses& counts, const Analysis& full) {
    return rowsByCount<CountRound>(counts, full, false, [](CountRound& round, const AtCount& at) {
        round.mean = at.withIndices;
        round.second = at.second;
    });
}

} // namespace

IndexTable indexPlays(const Game& game) {
    return indexPlaysFrom(studiedCounts(game), Analysis(game.rules), game);
}

std::vector<CountWorth> byCount(const Game& game) {
    const Analysis full(game.rules);
    return worthFrom(studiedCounts(game), full);
}

std::vector<CountRound> countRounds(const Game& game) {
    const Analysis full(game.rules);
    return roundsFrom(studiedCounts(game, bestAtCount(full)), full);
}

CountStudy countStudy(const Game& game) {
    return *countStudy(game, std::atomic<bool>{false});
}

std::optional<CountStudy> countStudy(const Game& game, const std::atomic<bool>& stop) {
    const Analysis full(game.rules);
    const CountAnalyses counts =
        CountAnalyses(game, kLowestStudied, kHighestStudied, bestAtCount(full), &stop);
    if (counts.stopped()) return std::nullopt;
    CountStudy study;
    study.indices = indexPlaysFrom(counts, full, game);
    study.worth = worthFrom(counts, full);
    study.rounds = roundsFrom(counts, full);
    return study;
}

namespace {

struct Result {
    double win = 0, second = 0, bet = 0, played = 0;
    double sigma() const { return std::sqrt(std::max(second - win * win, 0.0)); }
    double score() const { return sigma() > 0 ? 1e6 * (win / sigma()) * (win / sigma()) : 0.0; }
};

// A round's win and second moment by these bets, over the rounds played.
Result resultOf(const std::vector<CountRound>& rounds, const std::vector<double>& bets,
                const Game& game) {
    Result r;
    for (std::size_t i = 0; i < rounds.size(); ++i) {
        const CountRound& round = rounds[i];
        if (!playsAt(game, round.count)) continue;
        r.played += round.frequency;
        r.win += round.frequency * bets[i] * round.mean;
        r.second += round.frequency * bets[i] * bets[i] * round.second;
        r.bet += round.frequency * bets[i];
    }
    if (r.played > 0) {
        r.win /= r.played;
        r.second /= r.played;
        r.bet /= r.played;
    }
    return r;
}

std::string bestRampText(const std::vector<CountRound>& rounds, const std::vector<double>& bets) {
    std::string out;
    double last = -1;
    for (std::size_t i = 0; i < rounds.size(); ++i) {
        if (bets[i] == last) continue;
        out += (out.empty() ? "" : ",") + std::to_string(rounds[i].count) + ":" +
               std::to_string(int(std::lround(bets[i])));
        last = bets[i];
    }
    return out;
}

} // namespace

GameFigures figuresOfRound(const Game& game, double win, double sigma, double averageBet) {
    GameFigures f;
    f.winPer100 = 100 * win;
    f.winPerHour = game.roundsPerHour * win;
    f.winPercentOfBet = averageBet > 0 ? 100 * win / averageBet : 0;
    f.sdPer100 = 10 * sigma;
    f.n0 = win != 0 ? (sigma / win) * (sigma / win) : 0;
    f.di = sigma > 0 ? 1000 * win / sigma : 0;
    f.score = win > 0 && sigma > 0 ? 1e6 * (win / sigma) * (win / sigma) : 0;
    f.riskOfRuin =
        win > 0 && sigma > 0 ? std::exp(-2 * win * game.bankroll / (sigma * sigma)) : 1.0;
    return f;
}

GameFigures gameFigures(const Game& game) {
    return gameFigures(game, countRounds(game));
}

GameFigures gameFigures(const Game& game, const std::vector<CountRound>& rounds) {
    std::vector<double> bets;
    double smallest = 1e300, largest = 0;
    for (const CountRound& round : rounds) {
        bets.push_back(game.betAt(round.count));
        smallest = std::min(smallest, bets.back());
        largest = std::max(largest, bets.back());
    }
    const Result r = resultOf(rounds, bets, game);
    GameFigures f = figuresOfRound(game, r.win, r.sigma(), r.bet);
    // The best ramp of whole units up to the spread: bets in proportion to each count's win
    // over its second moment (what maximises the win over the deviation), scaled over every
    // multiplier, then each count moved a unit at a time while SCORE grows.
    int spread =
        game.maxSpread ? *game.maxSpread : std::max(1, int(std::lround(largest / smallest)));
    if (game.tableMax) spread = std::max(1, std::min(spread, int(std::floor(*game.tableMax))));
    // Flat bets are the ramp to beat only where they win: a losing game's SCORE is no score.
    std::vector<double> best(rounds.size(), 1.0);
    const Result flat = resultOf(rounds, best, game);
    double bestScore = flat.win > 0 ? flat.score() : 0.0;
    for (double k = 1; k <= 4000; k *= 1.05) {
        std::vector<double> tried(rounds.size(), 1.0);
        for (std::size_t i = 0; i < rounds.size(); ++i) {
            if (rounds[i].mean > 0 && rounds[i].second > 0) {
                tried[i] = std::clamp(double(std::lround(k * rounds[i].mean / rounds[i].second)),
                                      1.0, double(spread));
            }
        }
        const Result t = resultOf(rounds, tried, game);
        if (t.win > 0 && t.score() > bestScore) {
            bestScore = t.score();
            best = tried;
        }
    }
    for (bool better = true; better;) {
        better = false;
        for (std::size_t i = 0; i < rounds.size(); ++i) {
            for (double step : {-1.0, 1.0}) {
                std::vector<double> tried = best;
                tried[i] = std::clamp(tried[i] + step, 1.0, double(spread));
                const Result t = resultOf(rounds, tried, game);
                if (t.win > 0 && t.score() > bestScore + 1e-12) {
                    bestScore = t.score();
                    best = tried;
                    better = true;
                }
            }
        }
    }
    f.bestRamp = bestRampText(rounds, best);
    return f;
}

} // namespace counting

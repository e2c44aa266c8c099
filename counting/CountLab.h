#pragma once

// The count lab: what the exact engine says about a counter's game at the player's own table.
//
// How the parts meet: a Game (Game.h) is the counter's whole game as one value: the table's
// rules, the count system and its conventions, where in the shoe rounds are dealt (one depth, or
// every round up to the cut card with the players at the table), the ramp and the plan.
// countShoes() gives, for each whole count the player goes by, how often it comes up and the shoe
// it implies (CountShoe.h: the cards left on average at that count, fractional). The engine
// values each such shoe once, as it is (CountAnalyses.h, analysis::Shoe::ofFractions), with its
// round's moments; indexPlays() reads from those analyses where the best play of each chart cell
// changes with the count, byCount() what a round is worth at each count and countRounds() its
// moments; countStudy() gives all three from the one set of analyses.
//
// The count at a decision includes the player's cards and the up card: a cell's values at
// decision count I are read from the shoes before the deal at I less the tags of the hand and
// the up card over the decks left, linearly between whole counts. A count's shoe stands for the
// real shoes at that count: their average composition. The figures are then those of the
// average shoe played by its own best plays, not an average of the real shoes' own figures; the
// manual says how close they come.
//
// CountPlay.h plays a shoe by these figures: the count the player goes by, a hand's index play
// at it, a bet graded against the ramp, and the exact values of a hand on the cards actually
// left in a shoe.

#include "Analysis.h"
#include "ChartModel.h"
#include "Count.h"
#include "Game.h"

#include <array>
#include <atomic>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace counting {

// The counts the indices are sought in, and those byCount() reports (the ends stand for every
// count beyond).
inline constexpr int kLowestIndex = -10;
inline constexpr int kHighestIndex = 10;
inline constexpr int kLowestByCount = -6;
inline constexpr int kHighestByCount = 6;

struct CountShoe {
    int count = 0;
    double frequency = 0;          // how often rounds start at it (the ends: at it or beyond)
    double decksLeft = 0;          // on average where it comes up
    std::array<double, 11> left{}; // the cards left on average there, before the round's deal
    analysis::Shoe shoe;           // the same as whole cards (CountShoe.h's wholeCards)
    bool valued = false;           // false where the shoe is too small for the engine to value
};
// Whole counts lowest to highest, a count taken as the whole count at or below it.
std::vector<CountShoe> countShoes(const Game& game, int lowest, int highest);

// One change of a cell's best play with the count.
struct IndexPlay {
    int row = 0;            // the chart row (charts::everyRow()); -1 for insurance
    int up = 0;             // 1 the ace, 2 to 10
    analysis::Play below{}; // the best play below the index
    analysis::Play atOrAbove{};
    bool insurance = false; // below: no insurance; at or above: insure
    bool surrender = false; // surrender against the best play but surrender
    int index = 0;          // the smallest whole count at which the change pays
    double crossing = 0;    // where the two plays' values cross, between whole counts
    double gainPer100 = 0;  // in initial bets (units with a ramp), over every count it is played at
};
struct IndexTable {
    std::vector<IndexPlay> plays; // by chart row, up card (2 to 10, A), index; insurance last
    std::vector<int> top;         // the 18 playing indices that gain most (into plays)
    std::vector<int> surrender;   // the 4 surrender indices that gain most
    charts::Chart basic;          // the full shoe's best plays, the chart the indices amend
};
IndexTable indexPlays(const Game& game);

// What a round is worth at each whole count kLowestByCount to kHighestByCount (the ends: the
// average of the counts beyond, by how often each comes up).
struct CountWorth {
    int count = 0;
    double frequency = 0;
    double basic = 0;       // the full shoe's best plays, played at this count
    double withIndices = 0; // each cell's best play at this count, insurance by its index
};
std::vector<CountWorth> byCount(const Game& game);

// A round at each count kLowestByCount to kHighestByCount (the ends as in byCount()), each cell
// played by its best play at the count and insurance by its index: its mean and second moment
// in initial bets (the second moment exact but for splits and insurance, as
// analysis::roundMoments gives it).
struct CountRound {
    int count = 0;
    double frequency = 0;
    double mean = 0;
    double second = 0;
};
std::vector<CountRound> countRounds(const Game& game);

// The three at once, what each count is worth and its rounds from one set of analyses: what
// the programs that show them all ask for.
struct CountStudy {
    IndexTable indices;
    std::vector<CountWorth> worth;
    std::vector<CountRound> rounds;
};
CountStudy countStudy(const Game& game);
// The same, given up once `stop` is set (a newer game is wanted): then nothing.
std::optional<CountStudy> countStudy(const Game& game, const std::atomic<bool>& stop);

// What a counter's game is worth: the game's ramp bet at each count (flat without one), its
// bankroll, rounds an hour and leaving below a count; the best ramp within its spread.
struct GameFigures {
    double winPer100 = 0;       // units
    double winPerHour = 0;      // units
    double winPercentOfBet = 0; // of the average bet
    double sdPer100 = 0;        // units
    double n0 = 0;              // (sigma / w)^2: rounds to win one deviation
    double riskOfRuin = 0;      // exp(-2 w B / sigma^2)
    double score = 0;           // 10^6 (w / sigma)^2
    double di = 0;              // 1000 w / sigma
    std::string bestRamp;       // whole units, the counts where the bet changes
};
GameFigures gameFigures(const Game& game);
// The figures of a round of this win and deviation (units) at this average bet, with the game's
// bankroll and rounds an hour; no best ramp.
GameFigures figuresOfRound(const Game& game, double win, double sigma, double averageBet);
// The same from the counts' rounds of countRounds(game), which only the rules, the count, its
// conventions and where rounds are dealt change: the bets, the bankroll and the rest are only
// weighed again.
GameFigures gameFigures(const Game& game, const std::vector<CountRound>& rounds);
std::string gameText(const GameFigures& figures);

// How close a count's shoe comes to the real shoes at that count (measured by bench/countcheck),
// and the lab to the game as it is dealt (400 million rounds of hitwise-sim), as every form says
// it.
inline constexpr const char* kHowClose =
    "A count's shoe is the average composition of the real shoes at that count; set against "
    "400 real shoes at Hi-Lo +2, three decks into six, each valued exactly, a round by basic "
    "strategy comes within 0.04 % of the bet and 16 against 10 within 0.02 %, the best plays "
    "0.1 % below the real shoes' own. Against a whole game as it is dealt (Hi-Lo, six decks "
    "S17 DAS LS to 75 %, 400 million rounds), how often each count comes up is within half a "
    "percentage point, the returns at +4 and above up to a third of a per cent of the bet "
    "high, and the win of a 1-8 ramp 7 % high; hitwise-sim deals any game beside these "
    "figures.";

// The forms: text, and CSV with fixed columns (the rules, the count and how close its figures
// come in lines starting "# " after the rows).
std::string indexText(const Game& game, const IndexTable& table);
std::string indexCsv(const Game& game, const IndexTable& table);
std::string byCountText(const Game& game, const std::vector<CountWorth>& rows);
std::string byCountCsv(const Game& game, const std::vector<CountWorth>& rows);
// Web pages: the basic chart with the index written in every cell that changes, under the
// rules, the count, its conventions and the depth, then the top 18 and surrender 4; the worth
// of each count with a plot.
std::string indexHtml(const Game& game, const IndexTable& table);
// The basic chart with each cell's index plays ("S>=+1"), its heading the count and its notes
// the top 18 and surrender 4: for the PDF and the wallet card.
charts::Chart indexChart(const Game& game, const IndexTable& table);
std::string byCountHtml(const Game& game, const std::vector<CountWorth>& rows);
charts::PlotPage byCountPage(const Game& game, const std::vector<CountWorth>& rows);

// A chart row as the index forms name its hands, "16" (a hard total), "A,7" or "8,8"; and back,
// any case, nothing for a name that is no row.
std::string handName(int row);
std::optional<int> rowOfHandName(const std::string& name);

// "Hi-Lo, true count (decks left to the half deck, floored), rounds dealt to 75 % with 1
// player" and the like, for the forms' headings.
std::string describe(const Game& game);

} // namespace counting

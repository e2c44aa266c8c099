#pragma once

// What a strategy chart shows, worked out once and written as HTML, text or CSV.
//
// A chart is a grid of rows (pairs, soft hands, hard totals) by dealer up cards. Each cell holds
// the play the chart makes under its rules and that play's expected value; for a hard total the
// card pairs that make it are combined by how often each is dealt. A chart is either one of the
// program's own advice tables held against the engine, or the best play for any rules.
//
// How the parts of charts/ meet: KnownCharts.h defines the three known charts once (id, title,
// document, advice table, suggested rules); TableFit.h holds an advice table against the engine
// and finds the rules it fits, which rulefit writes at build time into the fitted_rules library
// (FittedRules.h). This header builds a chart; ChartHtml, ChartText and ChartPdf.h write it;
// chartgen writes the three known charts' pages next to the program.

#include "Analysis.h"
#include "KnownCharts.h"
#include "TableFit.h"

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace charts {

using analysis::Play;

// The up cards in the order of the columns: 2 to 10, then the ace.
inline constexpr std::array<int, 10> kUpCards{2, 3, 4, 5, 6, 7, 8, 9, 10, 1};

struct Cell {
    int up = 0;
    std::string text;        // the advice as the chart words it
    bool blackjack = false;  // nothing to decide, no value
    Play play = Play::Stand; // the play the chart makes under its rules
    double ev = 0;           // its expected value (combined over the pairs of a hard total)
    Play best = Play::Stand; // the play of the highest value
    double bestEv = 0;
    analysis::PlayValues values; // every allowed play (combined over the pairs of a hard total)
    // What to play where the play is no longer allowed (no double after a hit, no surrender
    // after a split or a hit): for a double or a surrender, the better of the remaining plays.
    std::optional<Play> fallback;
    // For a hard total whose pairs differ on the best play: each pair's best play.
    std::vector<std::pair<std::string, Play>> pairsDiffer;
    // A count's index plays in this cell, as an index chart prints them ("S>=+1"); empty on
    // other charts.
    std::string index;

    bool marked() const { return !blackjack && best != play && bestEv > ev; }
    // As published charts write it: "H", "S", "P", "Dh", "Ds", "Rh", "Rs", "Rp", "BJ".
    std::string code() const;
    double cost() const { return bestEv - ev; }
};

struct Row {
    std::string label;                      // "A,A", "A,7", "Hard 12"
    std::string group;                      // "Pairs", "Soft hands", "Hard totals"
    std::vector<std::pair<int, int>> hands; // the card pairs it stands for
    std::array<Cell, 10> cells;
};

// The paper of a printed chart (ChartPdf.h): A4 or Letter, or a wallet card.
enum class Paper { A4, Letter, Card };

// A page with a plot of some series over labelled points, and a table: for the PDF writer.
struct PlotPage {
    std::string title;
    std::vector<std::string> heading;
    std::vector<std::string> xLabels; // one a point
    std::string xName;
    std::string yName; // the values are fractions, shown in per cent
    std::vector<std::pair<std::string, std::vector<double>>> series;
    std::vector<std::vector<std::string>> table; // the first row the headers
    std::string note;
};

struct Chart {
    std::string title;
    std::string about; // one paragraph on where the chart comes from
    rules::Rules rules;
    std::string shoe;            // the shoe valued, where it is to be named (shoeText())
    std::optional<int> agreeing; // cells that name the best play, for a program table
    double returnByChart = 0;
    double returnBest = 0;
    std::vector<Row> rows;
    std::vector<std::string> heading; // printed lines under the rules (an index chart's count)
    std::vector<std::string> notes;   // printed lines after the legend
    std::string cardName;             // on a wallet card's titles, after the rules
    std::string cardLine;             // a wallet card's last line, for the legend
};

// The values of a row's plays against an up card: a hard total's pairs weighted by how often
// each is dealt. The pairs of a total allow the same plays.
analysis::PlayValues combined(const analysis::Analysis& analysis, const Row& row, int up);

// The better of the plays that remain where `play` is not allowed any more: for a double, hit
// or stand; for a surrender, hit, stand or split. Nothing for other plays.
std::optional<Play> fallbackOf(const analysis::PlayValues& values, Play play);
// "hit", "stand": a play as the CSV's best column writes it.
std::string playWord(Play play);
// "H", "S", "D", "P", "R", with the fallback's letter after a double or a surrender: "Dh".
std::string playCode(Play play, std::optional<Play> fallback);
// What the codes mean, for the legends.
inline constexpr const char* kCodesInWords =
    "H hit, S stand, P split, Dh double (else hit), Ds double (else stand), "
    "Rh surrender (else hit), Rs surrender (else stand), Rp surrender (else split)";

// The marked cells of a chart (a better play exists), the costliest first, with their rows.
std::vector<std::pair<const Row*, const Cell*>> markedByCost(const Chart& chart);

// The rows of every chart, in this order: the pairs, the soft hands, the hard totals.
inline constexpr int kPairRows = 10;
inline constexpr int kSoftRows = 9;
inline constexpr int kHardRows = 15;
inline constexpr int kChartRowCount = kPairRows + kSoftRows + kHardRows;
enum class RowKind { Pair, Soft, Hard };
RowKind kindOfRow(int row);

// The rows of a chart, without cells: pairs A,A to 10,10, soft hands A,2 to A,10, hard totals 5
// to 19 (each with the card pairs that make it, the ace first and the lower card first).
std::vector<Row> chartRows();
// The same rows, made once for the process: for readers that only look them up.
const std::vector<Row>& everyRow();
// The row of a two-card hand (card values 1..10, either order), or -1.
int rowOfHand(int first, int second);

// The chart of one of the program's tables, under the rules it was found to fit.
Chart tableChart(const analysis::Analysis& analysis, AdviceTable table, const std::string& name,
                 int agreeing);

// The best play for the analysis's rules.
Chart bestPlayChart(const analysis::Analysis& analysis);

// "A", "2" .. "10".
std::string cardName(int value);

// "A:24,2:24,...,10:96 (312 cards)".
std::string shoeText(const analysis::Shoe& shoe);

// A value as "+0.123" / "-0.123" with the given decimals.
std::string signedValue(double value, int decimals);
// A value with the given decimals, a minus sign only: "-0.634013".
std::string fixed(double value, int decimals);
// A fraction of the bet in per cent: "-0.497 %".
std::string percent(double value);

// The style sheet of the program's web pages, and a text made safe to stand in one.
const char* pageStyle();
std::string escaped(const std::string& text);

// The three forms a chart is written in.
std::string html(const Chart& chart);
std::string text(const Chart& chart);
// One line per two-card hand (not a blackjack) and up card, with the best play's fallback code
// ("Dh", empty where none is needed), then the rules, the shoe and the round's expected
// return. Every value has kCsvDecimals, the return kCsvReturnDecimals: the
// figures are exact, and read at that precision.
inline constexpr int kCsvDecimals = 9;
inline constexpr int kCsvReturnDecimals = 11;
std::string csv(const analysis::Analysis& analysis);

// The two-card hands where a known table's advice, played under the analysis's rules (a
// conditional text resolved by what the hand may do there), is not the best play: one line per
// hand and up card, "card1,card2,up,chart,best,cost", cost the best play's value less the
// chart's, then the rules.
std::string compareCsv(const analysis::Analysis& analysis, AdviceTable table);

} // namespace charts

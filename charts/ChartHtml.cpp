// A chart as a self-contained web page: no scripts, no external files, a print layout.
#include "ChartModel.h"

#include <sstream>

namespace charts {

const char* const kStyle = R"(
:root { color-scheme: light; }
body { font-family: "Liberation Sans", Arial, Helvetica, sans-serif; margin: 0; color: #1b1b1b;
       background: #f4f1ea; line-height: 1.4; }
header { background: #1f5f3b; color: #fff; padding: 16px 24px; }
header h1 { margin: 0; font-size: 1.6em; }
header p { margin: 4px 0 0; opacity: 0.92; }
main { padding: 16px 24px; max-width: 1200px; }
.wrap { overflow-x: auto; }
table.chart, table.values { border-collapse: collapse; font-size: 0.82em; background: #fff; }
.chart th, .chart td, .values th, .values td { border: 1px solid #c8c2b4; padding: 3px 5px;
       text-align: center; }
.chart thead th, .values thead th { background: #1f5f3b; color: #fff; }
.chart tbody th, .values tbody th { background: #ebe6da; text-align: left; white-space: nowrap; }
.chart tr.group th { background: #d8d0bd; text-align: left; font-weight: bold; }
.chart td .ev { display: block; font-size: 0.85em; color: #444; font-variant-numeric: tabular-nums; }
.code { font-weight: bold; font-size: 0.85em; }
.chart td .flag { color: #b00000; font-weight: bold; }
.chart td.marked { outline: 2px solid #b00000; outline-offset: -2px; }
.values td { font-variant-numeric: tabular-nums; }
.values td.best { font-weight: bold; background: #e8f4e4; }
.hit { background: #f6d4cf; } .stand { background: #fff3b8; } .double { background: #bfe3c4; }
.split { background: #c9d9f4; } .bj { background: #e5c9f0; font-weight: bold; }
.dh { background: #d9ecc4; } .ds { background: #eaf0b4; } .sur { background: #dcdcdc; }
.legend { display: flex; flex-wrap: wrap; gap: 8px 16px; padding: 0; list-style: none; }
.legend li { display: flex; align-items: center; gap: 6px; }
.swatch { display: inline-block; width: 1.2em; height: 1.2em; border: 1px solid #999; }
.figures { display: grid; grid-template-columns: max-content auto; gap: 2px 12px; margin: 8px 0; }
.figures dt { font-weight: bold; } .figures dd { margin: 0; }
details { margin-top: 16px; }
footer { padding: 8px 24px 24px; font-size: 0.85em; color: #555; }
@media (max-width: 600px) { main, header { padding: 10px; } table.chart { font-size: 0.7em; } }
@page { size: auto; margin: 10mm; }
@media print {
  body { background: #fff; font-size: 8pt; }
  header { background: none; color: #000; padding: 0 0 4pt; }
  main { padding: 0; max-width: none; }
  table.chart, table.values { font-size: 6.5pt; }
  .chart th, .chart td, .values th, .values td { padding: 1pt 2pt; }
  .chart thead th, .values thead th { background: #ddd; color: #000; }
  section.values-section { break-before: page; }
  details, footer { display: none; }
  * { -webkit-print-color-adjust: exact; print-color-adjust: exact; }
}
)";

const char* pageStyle() {
    return kStyle;
}

std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

namespace {

// The colour of a cell follows its words, so that a text has one colour wherever it stands.
const char* cssClass(const std::string& text) {
    static const std::pair<const char*, const char*> kClasses[] = {
        {"Black Jack", "bj"},         {"Double if allowed, or", "dh"},
        {"Double if allowed;", "ds"}, {"Surrender", "sur"},
        {"Double", "double"},         {"Split", "split"},
        {"Stand", "stand"},           {"Hit", "hit"},
    };
    for (const auto& [start, cls] : kClasses) {
        if (text.rfind(start, 0) == 0) return cls;
    }
    return "";
}

std::string where(const Row& row, const Cell& cell) {
    return row.label + " against " + cardName(cell.up);
}

void header(std::ostringstream& html, const Chart& chart) {
    html << "<header><h1>" << escaped(chart.title) << "</h1><p>Hitwise strategy chart with the "
         << "expected value of every play</p></header>\n<main>\n";
    if (!chart.about.empty()) html << "<p>" << escaped(chart.about) << "</p>\n";
    html << "<dl class=\"figures\">\n<dt>Rules</dt><dd>" << escaped(describe(chart.rules))
         << ".</dd>\n";
    if (!chart.shoe.empty()) html << "<dt>Shoe</dt><dd>" << escaped(chart.shoe) << "</dd>\n";
    if (chart.agreeing) {
        html << "<dt>Agreement</dt><dd>" << *chart.agreeing << " of " << kTableCells
             << " cells name the best play for these rules (each two-card hand but a blackjack, "
                "against each up card).</dd>\n"
             << "<dt>Return, this chart</dt><dd>" << percent(chart.returnByChart)
             << " of the bet a round</dd>\n";
    }
    html << "<dt>Return, best play</dt><dd>" << percent(chart.returnBest)
         << " of the bet a round</dd>\n</dl>\n"
         << "<p>Find your hand in the left column and the dealer's up card along the top. Ten, "
            "jack, queen and king all count 10; the ace counts 1 or 11. Under each play is its "
            "expected value in fractions of the bet"
         << (chart.rules.holeCard ? ", once the dealer has checked for a blackjack and has none"
                                  : ", the loss to a dealer's blackjack included")
         << "; a hard total combines its card pairs by how often each is dealt.";
    if (chart.agreeing) {
        html << " A cell marked <span class=\"flag\">!</span> has a better play, listed after "
                "the chart.";
    }
    html << "</p>\n";
}

void grid(std::ostringstream& html, const Chart& chart) {
    html << "<div class=\"wrap\">\n<table class=\"chart\">\n<caption>" << escaped(chart.title)
         << ": the play by your hand and the dealer's up card</caption>\n<thead><tr><th "
            "scope=\"col\">Your hand</th>";
    for (int up : kUpCards)
        html << "<th scope=\"col\">" << cardName(up) << "</th>";
    html << "</tr></thead>\n<tbody>\n";
    std::string group;
    for (const Row& row : chart.rows) {
        if (row.group != group) {
            group = row.group;
            html << "<tr class=\"group\"><th colspan=\"11\" scope=\"rowgroup\">" << group
                 << "</th></tr>\n";
        }
        html << "<tr><th scope=\"row\">" << row.label << "</th>";
        for (const Cell& cell : row.cells) {
            html << "<td class=\"" << cssClass(cell.text) << (cell.marked() ? " marked" : "")
                 << "\"><span class=\"advice\">" << escaped(cell.text) << "</span>";
            if (cell.fallback) html << " <span class=\"code\">" << cell.code() << "</span>";
            if (!cell.blackjack) {
                html << "<span class=\"ev\">" << signedValue(cell.ev, 3)
                     << (cell.marked() ? " <span class=\"flag\" title=\"a better play exists\">!"
                                         "</span>"
                                       : "")
                     << "</span>";
            }
            html << "</td>";
        }
        html << "</tr>\n";
    }
    html << "</tbody>\n</table>\n</div>\n";
}

// The program's tables use sentences too; a best-play chart only the words.
void legend(std::ostringstream& html, const Chart& chart) {
    html << R"(<h2>What the advice means</h2>
<ul class="legend">
<li><span class="swatch hit"></span>Hit: take another card.</li>
<li><span class="swatch stand"></span>Stand: take no more cards.</li>
<li><span class="swatch double"></span>Double: double your bet and take exactly one more card.</li>
<li><span class="swatch split"></span>Split: make two hands of the pair, each with its own bet.</li>
<li><span class="swatch bj"></span>Black Jack: an ace and a ten-valued card; nothing to decide.</li>
)";
    if (chart.agreeing) {
        html
            << R"(<li><span class="swatch dh"></span>Double if allowed, or hit: double where the table lets you, otherwise hit.</li>
<li><span class="swatch ds"></span>Double if allowed; or stand: double where the table lets you, otherwise stand.</li>
<li><span class="swatch sur"></span>Surrender if able, or hit (or stand): give up half your bet where the table offers surrender, otherwise play on as the sentence says.</li>
)";
    } else {
        html
            << R"(<li><span class="swatch sur"></span>Surrender: give up half your bet and the hand.</li>
)";
    }
    html
        << R"(<li><span class="code">Dh</span>, <span class="code">Ds</span>: double; where you may not (after a hit), hit or stand.</li>
<li><span class="code">Rh</span>, <span class="code">Rs</span>, <span class="code">Rp</span>: surrender; where you may not (after a split or a hit), hit, stand or split.</li>
)";
    html << "</ul>\n";
}

void betterPlays(std::ostringstream& html, const Chart& chart) {
    std::ostringstream items;
    const auto marked = markedByCost(chart);
    for (const auto& [row, cell] : marked) {
        items << "<li>" << where(*row, *cell) << ": the chart's " << analysis::playName(cell->play)
              << " (" << signedValue(cell->ev, 4) << ") against " << analysis::playName(cell->best)
              << " (" << signedValue(cell->bestEv, 4) << "): it costs "
              << signedValue(100 * cell->cost(), 2).substr(1) << " % of the bet.</li>\n";
    }
    html << "<h2 id=\"better\">Where another play is worth more</h2>\n";
    if (marked.empty()) {
        html << "<p>Nowhere: every cell's play is the best one for these rules.</p>\n";
        return;
    }
    html << "<p>The costliest first.</p>\n<ul class=\"better\">\n"
         << items.str() << "</ul>\n"
         << "<p>Playing this chart at these rules costs "
         << percent(chart.returnBest - chart.returnByChart).substr(1)
         << " of the bet a round against the best play, each cell weighed by how often it is "
            "dealt.</p>\n";
}

void pairsDiffer(std::ostringstream& html, const Chart& chart) {
    std::ostringstream items;
    for (const Row& row : chart.rows) {
        for (const Cell& cell : row.cells) {
            if (cell.pairsDiffer.empty()) continue;
            items << "<li>" << where(row, cell) << ":";
            for (std::size_t i = 0; i < cell.pairsDiffer.size(); ++i) {
                items << (i ? ";" : "") << " " << cell.pairsDiffer[i].first << " "
                      << analysis::playName(cell.pairsDiffer[i].second);
            }
            items << ".</li>\n";
        }
    }
    html
        << "<h2 id=\"pairs\">Where the card pairs of a hard total differ</h2>\n"
        << "<p>A hard total is one row, but the best play can depend on the cards that make "
           "it. The chart's value for the total weighs its pairs by how often each is dealt.</p>\n";
    const std::string list = items.str();
    if (list.empty()) {
        html << "<p>They agree everywhere for these rules.</p>\n";
    } else {
        html << "<ul class=\"pairs\">\n" << list << "</ul>\n";
    }
}

// Every allowed play of every hand: a row per hand and play, the best in bold.
void valuesTable(std::ostringstream& html, const Chart& chart) {
    html << "<section class=\"values-section\">\n<h2 id=\"values\">Every play, every hand</h2>\n"
         << "<div class=\"wrap\">\n<table class=\"values\">\n<caption>Expected value of each "
            "allowed play; the best in bold</caption>\n<thead><tr><th scope=\"col\">Your "
            "hand</th><th scope=\"col\">Play</th>";
    for (int up : kUpCards)
        html << "<th scope=\"col\">" << cardName(up) << "</th>";
    html << "</tr></thead>\n";
    for (const Row& row : chart.rows) {
        if (row.cells[0].blackjack) continue;
        html << "<tbody>\n";
        bool first = true;
        for (Play play : analysis::kAllPlays) {
            if (!row.cells[0].values.allows(play)) continue;
            html << "<tr><th scope=\"row\">" << (first ? row.label : "") << "</th><td>"
                 << analysis::playName(play) << "</td>";
            for (const Cell& cell : row.cells) {
                html << "<td" << (cell.best == play ? " class=\"best\"" : "") << ">"
                     << signedValue(cell.values[play], 4) << "</td>";
            }
            html << "</tr>\n";
            first = false;
        }
        html << "</tbody>\n";
    }
    html << "</table>\n</div>\n</section>\n";
}

void textVersion(std::ostringstream& html, const Chart& chart) {
    html << "<details>\n<summary>The same chart as a list</summary>\n<ul class=\"text-version\">\n";
    for (const Row& row : chart.rows) {
        html << "<li>" << row.label << ": ";
        for (std::size_t c = 0; c < row.cells.size(); ++c) {
            const Cell& cell = row.cells[c];
            html << "against " << cardName(cell.up) << ", " << escaped(cell.text);
            if (!cell.blackjack) html << " (" << signedValue(cell.ev, 3) << ")";
            html << (c + 1 == row.cells.size() ? "." : "; ");
        }
        html << "</li>\n";
    }
    html << "</ul>\n</details>\n";
}

} // namespace

std::string html(const Chart& chart) {
    std::ostringstream html;
    html << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\" />\n"
         << "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\" />\n"
         << "<title>Hitwise chart: " << escaped(chart.title) << "</title>\n<style>" << kStyle
         << "</style>\n</head>\n<body>\n";
    header(html, chart);
    grid(html, chart);
    legend(html, chart);
    if (chart.agreeing) betterPlays(html, chart);
    pairsDiffer(html, chart);
    valuesTable(html, chart);
    textVersion(html, chart);
    html << "<h2 id=\"method\">How the values are worked out</h2>\n<p>Exactly, for a full shoe of "
            "these rules with your two cards and the dealer's up card taken out of it. After a "
            "hit, every further decision is the best one for the cards you then hold (not just "
            "their total). Splits are exact too, resplits included: the value counts every way "
            "the cards can fall to the split hands, each hand played by the post-split "
            "strategy the rules name (CDZ-: as the same cards unsplit; CDP1: best for the shoe "
            "after the first split; CDP: best for the shoe less every pair card the round "
            "splits, as exact calculators count it). Insurance is never taken.</p>\n"
            "</main>\n<footer>Hitwise 1.0.</footer>\n</body>\n</html>\n";
    return html.str();
}

} // namespace charts

// The count lab's web pages: self-contained, no scripts, the charts' own style.
#include "CountLab.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace counting {

namespace {

using analysis::Play;

std::string signedCount(int count) {
    return (count > 0 ? "+" : count < 0 ? "\u2212" : "") + std::to_string(std::abs(count));
}

const char* kCountStyle = R"(
.chart td .index { display: block; font-weight: bold; color: #7a1f00; font-size: 0.9em; }
.chart td.changes { outline: 2px solid #7a1f00; outline-offset: -2px; }
ol.indices li { font-variant-numeric: tabular-nums; }
svg.plot { background: #fff; border: 1px solid #c8c2b4; max-width: 100%; height: auto; }
svg.plot text { font-family: "Liberation Sans", Arial, sans-serif; font-size: 12px; }
)";

std::string page(const std::string& title, const Game& game, const std::string& body) {
    std::ostringstream html;
    html << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
         << "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
         << "<title>Hitwise: " << charts::escaped(title) << "</title>\n<style>"
         << charts::pageStyle() << kCountStyle << "</style>\n</head>\n<body>\n<header><h1>"
         << charts::escaped(title) << "</h1>\n<p>" << charts::escaped(describe(game))
         << ".</p>\n<p>" << charts::escaped(rules::describe(game.rules))
         << ".</p></header>\n<main>\n"
         << body << "</main>\n<footer>Worked out by Hitwise's exact engine. "
         << charts::escaped(kHowClose) << "</footer>\n</body>\n</html>\n";
    return html.str();
}

// "Stand at +1 or above" for the side of a change that is not the chart's play.
std::string changeText(const IndexPlay& play, Play basic) {
    if (play.atOrAbove != basic) {
        return charts::playCode(play.atOrAbove, std::nullopt) + " \u2265 " +
               signedCount(play.index);
    }
    return charts::playCode(play.below, std::nullopt) + " &lt; " + signedCount(play.index);
}

std::string listOf(const IndexTable& table, const std::vector<int>& which) {
    std::ostringstream html;
    html << "<ol class=\"indices\">\n";
    for (int i : which) {
        const IndexPlay& play = table.plays[std::size_t(i)];
        char gain[32];
        std::snprintf(gain, sizeof gain, "%.4f", play.gainPer100);
        html << "<li>";
        if (play.insurance) {
            html << "Insurance at " << signedCount(play.index) << " or above";
        } else {
            const charts::Row& row = charts::everyRow()[std::size_t(play.row)];
            html << charts::escaped(row.label) << " against " << charts::cardName(play.up) << ": "
                 << analysis::playName(play.atOrAbove) << " at " << signedCount(play.index)
                 << " or above, " << analysis::playName(play.below) << " below";
        }
        html << " (gains " << gain << " bets per 100 rounds)</li>\n";
    }
    html << "</ol>\n";
    return html.str();
}

} // namespace

charts::Chart indexChart(const Game& game, const IndexTable& table) {
    charts::Chart chart = table.basic;
    chart.title =
        (game.system.name.empty() ? std::string("Your count") : game.system.name) + " index plays";
    chart.heading.push_back("Count: " + describe(game) + ".");
    for (std::size_t r = 0; r < chart.rows.size(); ++r) {
        for (charts::Cell& cell : chart.rows[r].cells) {
            for (const IndexPlay& play : table.plays) {
                if (play.insurance || play.row != int(r) || play.up != cell.up) continue;
                std::string text = play.atOrAbove != cell.best
                                       ? charts::playCode(play.atOrAbove, std::nullopt) + "\u2265"
                                       : charts::playCode(play.below, std::nullopt) + "<";
                std::string count = signedCount(play.index);
                cell.index += (cell.index.empty() ? "" : " ") + text + count;
            }
        }
    }
    chart.cardName =
        (game.system.name.empty() ? std::string("your count") : game.system.name) + " indices";
    chart.cardLine = "S\u2265+1 stand at +1 or above, H<\u22121 hit below \u22121";
    for (const IndexPlay& play : table.plays) {
        if (play.insurance) {
            chart.heading.push_back("Insurance at " + signedCount(play.index) + " or above.");
            chart.cardLine += "; insurance at " + signedCount(play.index) + " or above";
        }
    }
    auto list = [&](const char* title, const std::vector<int>& which) {
        std::string line = title;
        for (std::size_t i = 0; i < which.size(); ++i) {
            const IndexPlay& play = table.plays[std::size_t(which[i])];
            line += (i ? "; " : " ") +
                    (play.insurance ? std::string("insurance")
                                    : charts::everyRow()[std::size_t(play.row)].label + " v " +
                                          charts::cardName(play.up) + " " +
                                          charts::playCode(play.atOrAbove, std::nullopt)) +
                    " " + signedCount(play.index);
        }
        chart.notes.push_back(line + ".");
    };
    list("Your top 18:", table.top);
    if (!table.surrender.empty()) list("Your surrender 4:", table.surrender);
    chart.notes.push_back("S\u2265+1: stand at +1 or above; H<\u22121: hit below \u22121.");
    chart.notes.push_back(kHowClose);
    return chart;
}

std::string indexHtml(const Game& game, const IndexTable& table) {
    std::ostringstream body;
    for (const IndexPlay& play : table.plays) {
        if (play.insurance) {
            char crossing[32];
            std::snprintf(crossing, sizeof crossing, "%+.2f", play.crossing);
            body << "<p><strong>Insurance:</strong> take it at " << signedCount(play.index)
                 << " or above (the values cross at " << crossing << ").</p>\n";
        }
    }
    body << "<p>The chart's play in every cell, with each index: P \u2265 +4, say, is split at +4 "
            "or above; H &lt; \u22121 is hit below \u22121.</p>\n<div class=\"wrap\"><table "
            "class=\"chart\">\n<thead><tr><th scope=\"col\">Hand</th>";
    for (int up : charts::kUpCards)
        body << "<th scope=\"col\">" << charts::cardName(up) << "</th>";
    body << "</tr></thead>\n<tbody>\n";
    std::string group;
    for (std::size_t r = 0; r < table.basic.rows.size(); ++r) {
        const charts::Row& row = table.basic.rows[r];
        if (row.group != group) {
            group = row.group;
            body << "<tr class=\"group\"><th colspan=\"11\">" << charts::escaped(group)
                 << "</th></tr>\n";
        }
        body << "<tr><th scope=\"row\">" << charts::escaped(row.label) << "</th>";
        for (const charts::Cell& cell : row.cells) {
            std::vector<const IndexPlay*> changes;
            for (const IndexPlay& play : table.plays) {
                if (!play.insurance && play.row == int(r) && play.up == cell.up)
                    changes.push_back(&play);
            }
            body << "<td" << (changes.empty() ? "" : " class=\"changes\"") << ">"
                 << (cell.blackjack ? "BJ" : cell.code());
            for (const IndexPlay* play : changes)
                body << "<span class=\"index\">" << changeText(*play, cell.best) << "</span>";
            body << "</td>";
        }
        body << "</tr>\n";
    }
    body << "</tbody></table></div>\n<h2>Your top 18</h2>\n"
         << "<p>The playing indices that gain the most at this table, flat bets.</p>\n"
         << listOf(table, table.top);
    if (!table.surrender.empty()) {
        body << "<h2>Your surrender 4</h2>\n" << listOf(table, table.surrender);
    }
    return page("Index plays", game, body.str());
}

charts::PlotPage byCountPage(const Game& game, const std::vector<CountWorth>& rows) {
    charts::PlotPage page;
    page.title = "What each count is worth";
    page.heading = {"Count: " + describe(game) + ".",
                    "Rules: " + rules::describe(game.rules) + "."};
    page.xName = game.system.balanced() ? "true count" : "running count";
    page.series = {{"basic strategy", {}}, {"with the indices", {}}};
    page.table.push_back({"Count", "How often", "Basic strategy", "With the indices"});
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const CountWorth& row = rows[i];
        page.xLabels.push_back(signedCount(row.count));
        page.series[0].second.push_back(row.basic);
        page.series[1].second.push_back(row.withIndices);
        char cells[3][32];
        std::snprintf(cells[0], sizeof cells[0], "%.2f %%", 100 * row.frequency);
        std::snprintf(cells[1], sizeof cells[1], "%+.3f %%", 100 * row.basic);
        std::snprintf(cells[2], sizeof cells[2], "%+.3f %%", 100 * row.withIndices);
        page.table.push_back({signedCount(row.count) + (i == 0                 ? " or less"
                                                        : i + 1 == rows.size() ? " or more"
                                                                               : ""),
                              cells[0], cells[1], cells[2]});
    }
    page.note = "Returns per round in per cent of the initial bet: by the full shoe's best plays, "
                "and by each cell's best play at the count with insurance where it gains. " +
                std::string(kHowClose);
    return page;
}

std::string byCountHtml(const Game& game, const std::vector<CountWorth>& rows) {
    std::ostringstream body;
    // The plot: the return by count, basic strategy and with the indices.
    const int width = 640, height = 320, left = 60, right = 20, top = 20, bottom = 40;
    double lowest = 0, highest = 0;
    for (const CountWorth& row : rows) {
        lowest = std::min({lowest, row.basic, row.withIndices});
        highest = std::max({highest, row.basic, row.withIndices});
    }
    const double step = 0.01;
    lowest = std::floor(lowest / step) * step;
    highest = std::ceil(highest / step) * step;
    auto x = [&](std::size_t i) {
        return left +
               (width - left - right) * (rows.size() > 1 ? double(i) / (rows.size() - 1) : 0.5);
    };
    auto y = [&](double value) {
        return top + (height - top - bottom) * (highest - value) / (highest - lowest);
    };
    body << "<svg class=\"plot\" viewBox=\"0 0 " << width << " " << height
         << "\" role=\"img\" aria-label=\"The return of a round at each count\">\n";
    for (double v = lowest; v <= highest + 1e-9; v += step) {
        char label[16];
        std::snprintf(label, sizeof label, "%+.0f %%", 100 * v);
        body << "<line x1=\"" << left << "\" x2=\"" << width - right << "\" y1=\"" << y(v)
             << "\" y2=\"" << y(v) << "\" stroke=\"" << (std::abs(v) < 1e-9 ? "#555" : "#ddd")
             << "\"/><text x=\"" << left - 6 << "\" y=\"" << y(v) + 4 << "\" text-anchor=\"end\">"
             << label << "</text>\n";
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        body << "<text x=\"" << x(i) << "\" y=\"" << height - bottom + 18
             << "\" text-anchor=\"middle\">" << signedCount(rows[i].count) << "</text>\n";
    }
    for (const auto& [colour, withIndices] :
         {std::pair<const char*, bool>{"#1f5f3b", false}, {"#b04a00", true}}) {
        body << "<polyline fill=\"none\" stroke=\"" << colour << "\" stroke-width=\"2\" points=\"";
        for (std::size_t i = 0; i < rows.size(); ++i)
            body << x(i) << "," << y(withIndices ? rows[i].withIndices : rows[i].basic) << " ";
        body << "\"/>\n";
    }
    body << "<text x=\"" << left + 10 << "\" y=\"" << top + 14
         << "\" fill=\"#1f5f3b\">basic strategy</text><text x=\"" << left + 10 << "\" y=\""
         << top + 30 << "\" fill=\"#b04a00\">with the indices</text>\n"
         << "<text x=\"" << (left + width - right) / 2 << "\" y=\"" << height - 6
         << "\" text-anchor=\"middle\">"
         << (game.system.balanced() ? "true count" : "running count") << "</text>\n</svg>\n";
    body << "<table class=\"values\"><thead><tr><th scope=\"col\">Count</th><th "
            "scope=\"col\">How often</th><th scope=\"col\">Basic strategy</th><th "
            "scope=\"col\">With the indices</th></tr></thead><tbody>\n";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        char cells[160];
        std::snprintf(cells, sizeof cells, "<td>%.2f %%</td><td>%+.3f %%</td><td>%+.3f %%</td>",
                      100 * rows[i].frequency, 100 * rows[i].basic, 100 * rows[i].withIndices);
        body << "<tr><th scope=\"row\">" << signedCount(rows[i].count)
             << (i == 0                 ? " or less"
                 : i + 1 == rows.size() ? " or more"
                                        : "")
             << "</th>" << cells << "</tr>\n";
    }
    body << "</tbody></table>\n<p>Returns per round in per cent of the initial bet: by the full "
            "shoe's best plays, and by each cell's best play at the count with insurance where "
            "it gains.</p>\n";
    return page("What each count is worth", game, body.str());
}

} // namespace counting

// Writes the strategy charts of the three rule sets from the advice tables themselves, so that
// a chart cannot disagree with the program:  chartgen <output folder>
#include "RuleSets.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using strategy::Action;
using strategy::Advice;
using strategy::Hand;

namespace {

// A row of the chart: its label and one hand it stands for (hard totals: any two different
// non-ace cards with that total give the same advice).
struct Row {
    std::string label;
    int card1;
    int card2;
};

std::vector<Row> chartRows() {
    std::vector<Row> rows;
    rows.push_back({"A,A", 1, 1});
    for (int v = 2; v <= 10; ++v)
        rows.push_back({std::to_string(v) + "," + std::to_string(v), v, v});
    for (int v = 2; v <= 10; ++v)
        rows.push_back({"A," + std::to_string(v), 1, v});
    for (int total = 5; total <= 19; ++total) {
        const int first = total - 2 <= 10 ? 2 : total - 10;
        rows.push_back({"Hard " + std::to_string(total), first, total - first});
    }
    return rows;
}

constexpr int kDealerCards[] = {2, 3, 4, 5, 6, 7, 8, 9, 10, 1};

std::string dealerName(int value) {
    return value == 1 ? "A" : std::to_string(value);
}

std::string trimmed(std::string_view text) {
    const auto begin = text.find_first_not_of(' ');
    const auto end = text.find_last_not_of(' ');
    return std::string(text.substr(begin, end - begin + 1));
}

const char* cssClass(Action action) {
    switch (action) {
    case Action::Hit: return "hit";
    case Action::Stand: return "stand";
    case Action::Double: return "double";
    case Action::Split: return "split";
    case Action::BlackJack: return "bj";
    case Action::DoubleOrHit: return "dh";
    case Action::DoubleOrStand: return "ds";
    case Action::Surrender: return "sur";
    }
    return "";
}

struct Description {
    const char* file;
    const char* rules;
};

// What each chart says about its rules, in the order of kRuleSets.
const Description kDescriptions[] = {
    {"single.htm",
     "One deck. The dealer stands on soft 17. You may double on any two cards and split pairs; "
     "surrender is offered on a few hands."},
    {"multi.htm",
     "Several decks shuffled together. The dealer stands on soft 17. Fewer soft hands are "
     "worth doubling than with one deck, and surrender is offered on hard 15 and 16."},
    {"european.htm",
     "Several decks; the dealer takes no hole card and stands on soft 17. There is no "
     "surrender and soft hands are never doubled, so against a dealer's ace you hit more."},
};

const char* kStyle = R"(
:root { color-scheme: light; }
body { font-family: "Liberation Sans", Arial, Helvetica, sans-serif; margin: 0; color: #1b1b1b;
       background: #f4f1ea; line-height: 1.4; }
header { background: #1f5f3b; color: #fff; padding: 16px 24px; }
header h1 { margin: 0; font-size: 1.6em; }
header p { margin: 4px 0 0; opacity: 0.9; }
main { padding: 16px 24px; max-width: 1100px; }
.wrap { overflow-x: auto; }
table.chart { border-collapse: collapse; font-size: 0.82em; background: #fff; }
.chart th, .chart td { border: 1px solid #c8c2b4; padding: 3px 5px; text-align: center; }
.chart thead th { background: #1f5f3b; color: #fff; position: sticky; top: 0; }
.chart tbody th { background: #ebe6da; text-align: left; white-space: nowrap; }
.chart tr.group th { background: #d8d0bd; text-align: left; font-weight: bold; }
.hit { background: #f6d4cf; } .stand { background: #fff3b8; } .double { background: #bfe3c4; }
.split { background: #c9d9f4; } .bj { background: #e5c9f0; font-weight: bold; }
.dh { background: #d9ecc4; } .ds { background: #eaf0b4; } .sur { background: #dcdcdc; }
.legend { display: flex; flex-wrap: wrap; gap: 8px 16px; padding: 0; list-style: none; }
.legend li { display: flex; align-items: center; gap: 6px; }
.swatch { display: inline-block; width: 1.2em; height: 1.2em; border: 1px solid #999; }
details { margin-top: 16px; }
footer { padding: 8px 24px 24px; font-size: 0.85em; color: #555; }
@media (max-width: 600px) { main, header { padding: 10px; } table.chart { font-size: 0.7em; } }
@page { size: auto; margin: 10mm; }
@media print {
  body { background: #fff; font-size: 8pt; }
  header { background: none; color: #000; padding: 0 0 4pt; }
  main { padding: 0; max-width: none; }
  table.chart { font-size: 7pt; }
  .chart th, .chart td { padding: 1pt 2pt; }
  .chart thead th { background: #ddd; color: #000; }
  details, footer { display: none; }
  * { -webkit-print-color-adjust: exact; print-color-adjust: exact; }
}
)";

std::string legend() {
    return R"(<h2>What the advice means</h2>
<ul class="legend">
<li><span class="swatch hit"></span>Hit: take another card.</li>
<li><span class="swatch stand"></span>Stand: take no more cards.</li>
<li><span class="swatch double"></span>Double: double your bet and take exactly one more card.</li>
<li><span class="swatch split"></span>Split: make two hands of the pair, each with its own bet.</li>
<li><span class="swatch bj"></span>Black Jack: an ace and a ten-valued card; nothing to decide.</li>
<li><span class="swatch dh"></span>Double if allowed, or hit: double where the table lets you, otherwise hit.</li>
<li><span class="swatch ds"></span>Double if allowed; or stand: double where the table lets you, otherwise stand.</li>
<li><span class="swatch sur"></span>Surrender if able, or hit (or stand): give up half your bet where the table offers surrender, otherwise play on as the sentence says.</li>
</ul>
)";
}

std::string chart(int index) {
    const strategy::RuleSet& ruleSet = strategy::kRuleSets[index];
    const std::string name = trimmed(ruleSet.name);
    const std::vector<Row> rows = chartRows();
    std::ostringstream html;
    html << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\" />\n"
         << "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\" />\n"
         << "<title>Hitwise chart: " << name << "</title>\n<style>" << kStyle
         << "</style>\n</head>\n<body>\n"
         << "<header><h1>" << name << "</h1><p>Hitwise basic strategy chart</p></header>\n<main>\n"
         << "<p>" << kDescriptions[index].rules << "</p>\n"
         << "<p>Find your hand in the left column and the dealer's up card along the top. "
         << "Ten, jack, queen and king all count 10; the ace counts 1 or 11.</p>\n"
         << "<div class=\"wrap\">\n<table class=\"chart\">\n<caption>" << name
         << ": advice by your hand and the dealer's up card</caption>\n<thead><tr><th "
            "scope=\"col\">Your hand</th>";
    for (int dealer : kDealerCards)
        html << "<th scope=\"col\">" << dealerName(dealer) << "</th>";
    html << "</tr></thead>\n<tbody>\n";
    const char* groups[] = {"Pairs", "Soft hands (an ace and another card)", "Hard totals"};
    for (size_t r = 0; r < rows.size(); ++r) {
        if (r == 0 || r == 10 || r == 19) {
            html << "<tr class=\"group\"><th colspan=\"11\" scope=\"rowgroup\">"
                 << groups[r == 0    ? 0
                           : r == 10 ? 1
                                     : 2]
                 << "</th></tr>\n";
        }
        html << "<tr><th scope=\"row\">" << rows[r].label << "</th>";
        for (int dealer : kDealerCards) {
            const Advice& advice = ruleSet.advise(Hand{rows[r].card1, rows[r].card2, dealer});
            html << "<td class=\"" << cssClass(advice.action) << "\">" << trimmed(advice.text)
                 << "</td>";
        }
        html << "</tr>\n";
    }
    html << "</tbody>\n</table>\n</div>\n" << legend();
    html
        << "<details>\n<summary>The same advice as a list</summary>\n<ul class=\"text-version\">\n";
    for (const Row& row : rows) {
        html << "<li>" << row.label << ": ";
        for (int dealer : kDealerCards) {
            const Advice& advice = ruleSet.advise(Hand{row.card1, row.card2, dealer});
            html << "against " << dealerName(dealer) << ", " << trimmed(advice.text)
                 << (dealer == 1 ? "." : "; ");
        }
        html << "</li>\n";
    }
    html
        << "</ul>\n</details>\n</main>\n<footer>Hitwise 1.0. The same advice the program shows for "
        << "this rule set.</footer>\n</body>\n</html>\n";
    return html.str();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: chartgen <output folder>\n");
        return 2;
    }
    for (int i = 0; i < int(strategy::kRuleSets.size()); ++i) {
        const std::string path = std::string(argv[1]) + "/" + kDescriptions[i].file;
        std::ofstream out(path, std::ios::binary);
        out << chart(i);
        if (!out) {
            std::fprintf(stderr, "chartgen: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}

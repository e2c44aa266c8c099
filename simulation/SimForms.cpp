#include "SimForms.h"

#include "ChartModel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace simulation {

namespace {

using charts::fixed;

std::string whole(std::int64_t n) {
    std::string digits = std::to_string(n < 0 ? -n : n);
    for (int at = int(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(std::size_t(at), ",");
    return (n < 0 ? "-" : "") + digits;
}

// The figures of the game, in the order the forms give them: CSV name, words, the simulated
// figure, the lab's where it has one, and the digits to show.
struct Row {
    const char* name;
    const char* words;
    Figure figure;
    std::optional<double> lab;
    int decimals;
};

std::vector<Row> rowsOf(const Report& r) {
    const SimFigures& f = r.figures;
    const counting::GameFigures* lab = r.lab && r.lab->hasGame ? &r.lab->game : nullptr;
    auto labOf = [&](double counting::GameFigures::*field) -> std::optional<double> {
        return lab ? std::optional<double>(lab->*field) : std::nullopt;
    };
    std::vector<Row> rows{
        {"rounds", "rounds dealt", {double(f.rounds), std::nullopt}, std::nullopt, 0},
        {"shoes", "shoes", {double(f.shoes), std::nullopt}, std::nullopt, 0},
        {"rounds_played", "rounds played", {double(f.played), std::nullopt}, std::nullopt, 0},
        {"rounds_watched",
         "rounds watched or sat out",
         {double(f.watched), std::nullopt},
         std::nullopt,
         0},
        {"win_per_100_rounds", "win per 100 rounds played (units)", f.winPer100,
         labOf(&counting::GameFigures::winPer100), 4},
        {"win_per_hour", "win per hour (units)", f.winPerHour,
         labOf(&counting::GameFigures::winPerHour), 4},
        {"win_per_cent_of_average_bet", "win in % of the average bet", f.winPercentOfBet,
         labOf(&counting::GameFigures::winPercentOfBet), 4},
        {"average_bet", "average bet (units)", f.averageBet, std::nullopt, 4},
        {"sd_per_round", "standard deviation per round (units)", f.sdPerRound,
         lab ? std::optional<double>(lab->sdPer100 / 10) : std::nullopt, 4},
        {"sd_per_100_rounds", "standard deviation per 100 rounds (units)", f.sdPer100,
         labOf(&counting::GameFigures::sdPer100), 3},
        {"n0", "N0 (rounds)", f.n0, labOf(&counting::GameFigures::n0), 0},
        {"score", "SCORE", f.score, labOf(&counting::GameFigures::score), 3},
        {"di", "DI", f.di, labOf(&counting::GameFigures::di), 3},
        {"risk_of_ruin", "risk of ruin", f.riskOfRuin, labOf(&counting::GameFigures::riskOfRuin),
         6},
    };
    if (f.tripRuin) {
        rows.push_back(
            {"trip_ruin", "the bankroll lost within a trip", *f.tripRuin, std::nullopt, 6});
    }
    // Enough digits for two of the error's, so that a long run's error never shows as 0.
    for (Row& row : rows) {
        const double error = row.figure.error.value_or(0);
        while (row.decimals > 0 && row.decimals < 9 && error > 0 &&
               error * std::pow(10.0, row.decimals) < 10)
            ++row.decimals;
    }
    return rows;
}

std::string playWords(const Report& r) {
    const Setup& s = r.setup;
    std::string words = s.strategy == Strategy::Total
                            ? "basic strategy by total (the full shoe's best plays)"
                            : "basic strategy by the hand's composition (the full shoe's best "
                              "plays, split hands as the same cards unsplit)";
    if (s.counting) {
        words += s.indexSource == IndexSource::Lab    ? ", with the count lab's index plays"
                 : s.indexSource == IndexSource::File ? ", with the index plays of " + r.indexFile
                                                      : ", without index plays";
        words += "; insurance by its index";
    } else {
        words += "; no insurance";
    }
    if (s.mistakes) words += "; the player's own mistakes from " + r.mistakesFile;
    return words;
}

std::string tableWords(const Report& r) {
    const counting::Game& g = r.setup.game;
    const int seat = g.seat.value_or(g.players - g.spots + 1);
    std::string words = std::to_string(g.players) + (g.players == 1 ? " player" : " players") +
                        ", the counter at seat " + std::to_string(seat) + " with " +
                        (g.spots == 1 ? "one hand" : std::to_string(g.spots) + " hands") + "; ";
    if (r.setup.csm) {
        words += "a continuous shuffler (every round from the whole shoe)";
    } else {
        words += "the cut card at " + fixed(100 * g.penetration, 1) + " % of the shoe, " +
                 std::to_string(r.setup.burn) + (r.setup.burn == 1 ? " card" : " cards") +
                 " burnt after each shuffle";
    }
    return words;
}

std::string betWords(const Report& r) {
    const counting::Game& g = r.setup.game;
    if (!r.setup.counting) return "flat bets of one unit";
    std::string words =
        g.ramp.empty() ? "flat bets of one unit" : "the ramp " + counting::rampText(g.ramp);
    if (g.tableMax) words += ", at most " + counting::numberText(*g.tableMax) + " units";
    if (g.wongIn) words += "; Wonging in at " + std::to_string(*g.wongIn);
    if (g.wongOut) words += ", out below " + std::to_string(*g.wongOut);
    if (g.leaveBelow) words += "; no round played below " + std::to_string(*g.leaveBelow);
    words += "; a bankroll of " + counting::numberText(g.bankroll) + " units, " +
             counting::numberText(g.roundsPerHour) + " rounds an hour";
    if (r.setup.trip) words += ", trips of " + std::to_string(*r.setup.trip) + " rounds played";
    return words;
}

std::string figureText(const Figure& f, int decimals) {
    if (!f.error)
        return decimals == 0 ? whole(std::int64_t(std::llround(f.value)))
                             : fixed(f.value, decimals);
    return fixed(f.value, decimals) + " ± " + fixed(*f.error, decimals == 0 ? 0 : decimals);
}

} // namespace

std::vector<std::string> aboutRun(const Report& r) {
    const Setup& s = r.setup;
    std::vector<std::string> lines{
        "Hitwise Sim: the counter's game dealt round by round",
        "rules: " + rules::describe(s.game.rules),
        "count: " + (s.counting ? counting::describe(s.game) : std::string("none")),
        "table: " + tableWords(r),
        "bets: " + betWords(r),
        "play: " + playWords(r),
        "seed: " + std::to_string(s.seed) + "; rounds asked: " +
            (s.seconds ? "as many as " + fixed(*s.seconds, 0) + " seconds deal" : whole(s.rounds)) +
            "; rounds dealt: " + whole(r.totals.rounds) +
            " in blocks of whole shoes, each its own "
            "stream of xoshiro256**",
    };
    if (r.stopped) lines.push_back("stopped early: the figures are those of the rounds dealt");
    return lines;
}

std::string simText(const Report& r) {
    std::string out;
    for (const std::string& line : aboutRun(r))
        out += "# " + line + "\n";
    out += "\n";
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, "%-44s %-28s %-14s %s\n", "figure", "dealt (± 1 SE)",
                  r.lab ? "count lab" : "", r.lab ? "off (SE)" : "");
    out += buffer;
    for (const Row& row : rowsOf(r)) {
        std::string lab, off;
        if (row.lab) {
            lab = row.decimals == 0 ? whole(std::int64_t(std::llround(*row.lab)))
                                    : fixed(*row.lab, row.decimals);
            off = fixed(standardErrorsOff(row.figure, *row.lab), 1);
        }
        std::snprintf(buffer, sizeof buffer, "%-44s %-28s %-14s %s\n", row.words,
                      figureText(row.figure, row.decimals).c_str(), lab.c_str(), off.c_str());
        out += buffer;
    }
    if (!r.setup.counting) return out;
    out += "\nBy the count at the start of a round (returns in % of the initial bet):\n";
    std::snprintf(buffer, sizeof buffer, "%-14s %-20s %-10s %-8s %-22s %-10s %s\n", "count",
                  "dealt %", "lab %", "off", "return %", "lab %", "off");
    out += buffer;
    for (const SimFigures::AtCount& at : r.figures.byCount) {
        const Figure freq{100 * at.frequency.value, 100 * at.frequency.error.value_or(0)};
        std::string ret = "-", labRet, retOff, labFreq, freqOff;
        if (at.returns) {
            ret = figureText({100 * at.returns->value, 100 * at.returns->error.value_or(0)}, 3);
        }
        if (r.lab) {
            labFreq = fixed(100 * r.lab->frequencyAt(at.count), 3);
            freqOff = fixed(standardErrorsOff(at.frequency, r.lab->frequencyAt(at.count)), 1);
            labRet = fixed(100 * r.lab->returnAt(at.count), 3);
            if (at.returns)
                retOff = fixed(standardErrorsOff(*at.returns, r.lab->returnAt(at.count)), 1);
        }
        std::snprintf(buffer, sizeof buffer, "%-14s %-20s %-10s %-8s %-22s %-10s %s\n",
                      countLabel(at.count).c_str(), figureText(freq, 3).c_str(), labFreq.c_str(),
                      freqOff.c_str(), ret.c_str(), labRet.c_str(), retOff.c_str());
        out += buffer;
    }
    if (r.lab) out += "\n" + labSentence(r.figures, *r.lab) + "\n";
    return out;
}

std::string simCsv(const Report& r) {
    std::string out;
    for (const std::string& line : aboutRun(r))
        out += "# " + line + "\n";
    out += "name,value,standard_error\n";
    auto number = [](double v) { return counting::numberText(v); };
    for (const Row& row : rowsOf(r)) {
        out += std::string(row.name) + "," + number(row.figure.value) + "," +
               (row.figure.error ? number(*row.figure.error) : "") + "\n";
    }
    out += "\ntrue_count,frequency,lab_frequency,return,return_se,lab_return\n";
    for (const SimFigures::AtCount& at : r.figures.byCount) {
        out += std::to_string(at.count) + "," + number(at.frequency.value) + "," +
               (r.lab ? number(r.lab->frequencyAt(at.count)) : "") + "," +
               (at.returns ? number(at.returns->value) : "") + "," +
               (at.returns ? number(at.returns->error.value_or(0)) : "") + "," +
               (r.lab ? number(r.lab->returnAt(at.count)) : "") + "\n";
    }
    return out;
}

namespace {

// An SVG plot: a frame, the y axis in per cent or units, the counts along the bottom.
struct Svg {
    double width = 640, height = 300, left = 64, right = 16, top = 20, bottom = 40;
    double low = 0, high = 1;
    int points = kCounts;
    std::string out;

    double x(double i) const { return left + (i + 0.5) * (width - left - right) / points; }
    double y(double v) const { return top + (high - v) / (high - low) * (height - top - bottom); }
    void begin(const std::string& label, const std::vector<std::string>& xLabels, double scale,
               const char* unit) {
        char b[256];
        std::snprintf(b, sizeof b,
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%.0f\" height=\"%.0f\" "
                      "role=\"img\" aria-label=\"%s\">\n",
                      width, height, label.c_str());
        out += b;
        for (int t = 0; t <= 4; ++t) {
            const double v = low + (high - low) * t / 4;
            std::snprintf(b, sizeof b,
                          "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" stroke=\"#ddd\"/>"
                          "<text x=\"%.1f\" y=\"%.1f\" font-size=\"11\" text-anchor=\"end\">%.2f%s"
                          "</text>\n",
                          left, y(v), width - right, y(v), left - 4, y(v) + 4, v * scale, unit);
            out += b;
        }
        for (std::size_t i = 0; i < xLabels.size(); ++i) {
            std::snprintf(b, sizeof b,
                          "<text x=\"%.1f\" y=\"%.1f\" font-size=\"11\" text-anchor=\"middle\">%s"
                          "</text>\n",
                          x(double(i)), height - bottom + 16, xLabels[i].c_str());
            out += b;
        }
    }
    void end() { out += "</svg>\n"; }
};

std::string escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else if (c == '&')
            out += "&amp;";
        else
            out += c;
    }
    return out;
}

} // namespace

std::string simHtml(const Report& r) {
    std::string out =
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>Hitwise "
        "Sim</title>\n<style>body{font-family:Arial,sans-serif;margin:2em;max-width:60em}"
        "table{border-collapse:collapse}td,th{border:1px solid #999;padding:2px 8px;"
        "text-align:right}th{background:#eee}td:first-child{text-align:left}"
        "p.about{color:#444;margin:0}</style>\n</head>\n<body>\n<h1>Hitwise Sim</h1>\n";
    for (const std::string& line : aboutRun(r))
        out += "<p class=\"about\">" + escape(line) + "</p>\n";
    out += "<h2>The game</h2>\n<table>\n<tr><th>figure</th><th>dealt</th><th>± 1 SE</th>" +
           std::string(r.lab ? "<th>count lab</th><th>off (SE)</th>" : "") + "</tr>\n";
    for (const Row& row : rowsOf(r)) {
        out += "<tr><td>" + std::string(row.words) + "</td><td>" +
               (row.decimals == 0 ? whole(std::int64_t(std::llround(row.figure.value)))
                                  : fixed(row.figure.value, row.decimals)) +
               "</td><td>" + (row.figure.error ? fixed(*row.figure.error, row.decimals) : "") +
               "</td>";
        if (r.lab) {
            out += row.lab ? "<td>" + fixed(*row.lab, row.decimals) + "</td><td>" +
                                 fixed(standardErrorsOff(row.figure, *row.lab), 1) + "</td>"
                           : "<td></td><td></td>";
        }
        out += "</tr>\n";
    }
    out += "</table>\n";
    if (r.setup.counting) {
        std::vector<std::string> labels;
        for (const SimFigures::AtCount& at : r.figures.byCount)
            labels.push_back((at.count > 0 ? "+" : "") + std::to_string(at.count));
        // The return at each count, with error bars of two standard errors, beside the lab's.
        Svg plot;
        plot.low = 0, plot.high = 0;
        for (const SimFigures::AtCount& at : r.figures.byCount) {
            if (!at.returns) continue;
            const double e = 2 * at.returns->error.value_or(0);
            plot.low = std::min(
                {plot.low, at.returns->value - e, r.lab ? r.lab->returnAt(at.count) : 0.0});
            plot.high = std::max(
                {plot.high, at.returns->value + e, r.lab ? r.lab->returnAt(at.count) : 0.0});
        }
        plot.low -= 0.005;
        plot.high += 0.005;
        plot.begin("The return at each count, dealt and by the count lab", labels, 100, " %");
        char b[256];
        std::snprintf(b, sizeof b,
                      "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" stroke=\"#888\"/>\n",
                      plot.left, plot.y(0), plot.width - plot.right, plot.y(0));
        plot.out += b;
        if (r.lab) {
            std::string path;
            for (int i = 0; i < kCounts; ++i) {
                std::snprintf(b, sizeof b, "%s%.1f,%.1f", i ? " L" : "M", plot.x(i),
                              plot.y(r.lab->returnAt(kLowestCount + i)));
                path += b;
            }
            plot.out +=
                "<path d=\"" + path + "\" fill=\"none\" stroke=\"#c33\" stroke-width=\"2\"/>\n";
        }
        for (int i = 0; i < kCounts; ++i) {
            const auto& ret = r.figures.byCount[std::size_t(i)].returns;
            if (!ret) continue;
            const double e = 2 * ret->error.value_or(0);
            std::snprintf(b, sizeof b,
                          "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" stroke=\"#236\"/>"
                          "<circle cx=\"%.1f\" cy=\"%.1f\" r=\"3.5\" fill=\"#236\"/>\n",
                          plot.x(i), plot.y(ret->value - e), plot.x(i), plot.y(ret->value + e),
                          plot.x(i), plot.y(ret->value));
            plot.out += b;
        }
        plot.end();
        out += "<h2>The return at each count</h2>\n<p>Dealt: points with bars of two standard "
               "errors each way; the count lab's average shoe: the red line.</p>\n" +
               plot.out;
        // How often each count comes up, dealt and by the lab.
        Svg bars;
        bars.low = 0;
        bars.high = 0;
        for (const SimFigures::AtCount& at : r.figures.byCount)
            bars.high = std::max(
                {bars.high, at.frequency.value, r.lab ? r.lab->frequencyAt(at.count) : 0.0});
        bars.high *= 1.1;
        bars.begin("How often each count comes up, dealt and by the count lab", labels, 100, " %");
        const double w = (bars.width - bars.left - bars.right) / kCounts / 3;
        for (int i = 0; i < kCounts; ++i) {
            const double f = r.figures.byCount[std::size_t(i)].frequency.value;
            std::snprintf(
                b, sizeof b,
                "<rect x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\" fill=\"#236\"/>\n",
                bars.x(i) - w, bars.y(f), w, bars.y(0) - bars.y(f));
            bars.out += b;
            if (r.lab) {
                const double l = r.lab->frequencyAt(kLowestCount + i);
                std::snprintf(
                    b, sizeof b,
                    "<rect x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\" fill=\"#c33\"/>\n",
                    bars.x(i), bars.y(l), w, bars.y(0) - bars.y(l));
                bars.out += b;
            }
        }
        bars.end();
        out += "<h2>How often each count comes up</h2>\n<p>Dealt: blue; the count lab: red.</p>\n" +
               bars.out;
        out += "<h2>By count</h2>\n<table>\n<tr><th>count</th><th>dealt %</th><th>± SE</th>"
               "<th>lab %</th><th>return %</th><th>± SE</th><th>lab %</th></tr>\n";
        for (const SimFigures::AtCount& at : r.figures.byCount) {
            out += "<tr><td>" + countLabel(at.count) + "</td><td>" +
                   fixed(100 * at.frequency.value, 3) + "</td><td>" +
                   fixed(100 * at.frequency.error.value_or(0), 3) + "</td><td>" +
                   (r.lab ? fixed(100 * r.lab->frequencyAt(at.count), 3) : "") + "</td><td>" +
                   (at.returns ? fixed(100 * at.returns->value, 3) : "") + "</td><td>" +
                   (at.returns ? fixed(100 * at.returns->error.value_or(0), 3) : "") + "</td><td>" +
                   (r.lab ? fixed(100 * r.lab->returnAt(at.count), 3) : "") + "</td></tr>\n";
        }
        out += "</table>\n";
        if (r.lab) out += "<p>" + escape(labSentence(r.figures, *r.lab)) + "</p>\n";
    }
    if (!r.totals.paths.empty()) {
        Svg trips;
        trips.points = 1;
        trips.low = 0;
        trips.high = r.setup.game.bankroll;
        for (const auto& path : r.totals.paths) {
            for (float v : path) {
                trips.low = std::min(trips.low, double(v));
                trips.high = std::max(trips.high, double(v));
            }
        }
        trips.begin("A few trips: the bankroll round by round", {}, 1, "");
        const double span = trips.width - trips.left - trips.right;
        const char* colours[] = {"#236", "#c33", "#393", "#c80", "#639"};
        for (std::size_t p = 0; p < r.totals.paths.size(); ++p) {
            const auto& path = r.totals.paths[p];
            std::string d;
            char b[64];
            for (std::size_t i = 0; i < path.size(); ++i) {
                std::snprintf(b, sizeof b, "%s%.1f,%.1f", i ? " L" : "M",
                              trips.left + span * double(i) /
                                               double(std::max<std::size_t>(1, path.size() - 1)),
                              trips.y(path[i]));
                d += b;
            }
            trips.out +=
                "<path d=\"" + d + "\" fill=\"none\" stroke=\"" + colours[p % 5] + "\"/>\n";
        }
        trips.end();
        out += "<h2>A few trips</h2>\n<p>The bankroll, in units, through the first trips dealt "
               "(each from the whole bankroll, until it is lost or the trip ends).</p>\n" +
               trips.out;
    }
    return out + "</body>\n</html>\n";
}

} // namespace simulation

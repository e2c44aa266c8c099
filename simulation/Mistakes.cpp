#include "Mistakes.h"

#include "ChartModel.h"
#include "CountLab.h"
#include "CsvFields.h"
#include "Game.h"

#include <cstdlib>
#include <sstream>
#include <tuple>
#include <vector>

namespace simulation {

namespace {

std::optional<int> upOf(const std::string& text) {
    if (text == "A" || text == "a") return 1;
    const auto value = csvNumber(text);
    if (!value || *value != int(*value) || *value < 2 || *value > 10) return std::nullopt;
    return int(*value);
}

std::string cellWords(const std::pair<int, int>& cell) {
    const std::string hand = counting::handName(cell.first);
    return (hand.find(',') != std::string::npos ? '"' + hand + '"' : hand) + "," +
           charts::cardName(cell.second);
}

} // namespace

double Mistakes::indexMiss(int row, int up) const {
    const auto found = index.find({row, up});
    return found == index.end() ? indexAll : found->second;
}

double Mistakes::basicMiss(int row, int up) const {
    const auto found = basic.find({row, up});
    return found == basic.end() ? basicAll : found->second;
}

bool Mistakes::operator==(const Mistakes& o) const {
    return std::tie(countOff, indexAll, index, basicAll, basic, betOff) ==
           std::tie(o.countOff, o.indexAll, o.index, o.basicAll, o.basic, o.betOff);
}

std::optional<Mistakes> mistakesOf(const std::string& text, std::string* why) {
    Mistakes mistakes;
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    auto fail = [&](const std::string& what) {
        *why = "line " + std::to_string(number) + ": " + what;
        return std::nullopt;
    };
    bool any = false;
    while (std::getline(lines, line)) {
        ++number;
        if (line.empty() || line[0] == '#' || line == "\r") continue;
        const std::vector<std::string> f = csvFields(line);
        if (f.size() != 4) return fail("not kind,what,up,chance");
        if (f[0] == "kind") continue; // the header
        const auto chance = csvNumber(f[3]);
        if (!chance || *chance < 0 || *chance > 1) return fail("the chance is not from 0 to 1");
        any = true;
        if (f[0] == "count") {
            const auto off = csvNumber(f[1]);
            if (!off || *off != int(*off) || *off < -2 || *off > 2 || *off == 0)
                return fail("a count is off by -2, -1, +1 or +2");
            mistakes.countOff[std::size_t(int(*off) + 2)] = *chance;
        } else if (f[0] == "bet") {
            mistakes.betOff = *chance;
        } else if (f[0] == "index" || f[0] == "basic") {
            double& all = f[0] == "index" ? mistakes.indexAll : mistakes.basicAll;
            auto& cells = f[0] == "index" ? mistakes.index : mistakes.basic;
            if (f[1] == "all") {
                all = *chance;
                continue;
            }
            const auto row = counting::rowOfHandName(f[1]);
            const auto up = upOf(f[2]);
            if (!row || !up) return fail("\"" + f[1] + "\" against \"" + f[2] + "\" is no cell");
            cells[{*row, *up}] = *chance;
        } else {
            return fail("\"" + f[0] + "\" is not count, index, basic or bet");
        }
    }
    double off = 0;
    for (double chance : mistakes.countOff)
        off += chance;
    if (off > 1) {
        *why = "the chances of a count off add up to more than 1";
        return std::nullopt;
    }
    if (!any) {
        *why = "no mistake in it";
        return std::nullopt;
    }
    return mistakes;
}

std::string mistakesCsv(const Mistakes& m) {
    std::string out = "kind,what,up,chance\n";
    auto chance = [](double value) { return counting::numberText(value); };
    for (int off = -2; off <= 2; ++off) {
        const double c = m.countOff[std::size_t(off + 2)];
        if (c > 0)
            out += "count," + std::string(off > 0 ? "+" : "") + std::to_string(off) + ",," +
                   chance(c) + "\n";
    }
    if (m.indexAll > 0) out += "index,all,," + chance(m.indexAll) + "\n";
    for (const auto& [cell, c] : m.index) // a cell's own row, 0 too: it stands over "all"
        out += "index," + cellWords(cell) + "," + chance(c) + "\n";
    if (m.basicAll > 0) out += "basic,all,," + chance(m.basicAll) + "\n";
    for (const auto& [cell, c] : m.basic)
        out += "basic," + cellWords(cell) + "," + chance(c) + "\n";
    if (m.betOff > 0) out += "bet,,," + chance(m.betOff) + "\n";
    return out;
}

} // namespace simulation

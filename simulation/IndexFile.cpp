#include "IndexFile.h"

#include "ChartModel.h"
#include "CsvFields.h"

#include <cstdlib>
#include <sstream>
#include <vector>

namespace simulation {

namespace {

std::optional<analysis::Play> playOf(const std::string& word) {
    for (analysis::Play play : analysis::kAllPlays) {
        if (charts::playWord(play) == word) return play;
    }
    return std::nullopt;
}

} // namespace

std::optional<counting::IndexTable> indicesOf(const std::string& text, std::string* why) {
    counting::IndexTable table;
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    auto fail = [&](const std::string& what) {
        *why = "line " + std::to_string(number) + ": " + what;
        return std::nullopt;
    };
    while (std::getline(lines, line)) {
        ++number;
        if (line.empty() || line[0] == '#' || line == "\r") continue;
        const std::vector<std::string> f = csvFields(line);
        if (f.size() != 7) return fail("not hand,up,below,index,at_or_above,crossing,gain_per_100");
        if (f[0] == "hand") continue; // the header
        counting::IndexPlay play;
        const auto index = csvNumber(f[3]);
        if (!index || *index != int(*index) || std::abs(*index) > 100)
            return fail("the index \"" + f[3] + "\" is not a whole count from -100 to 100");
        play.index = int(*index);
        if (!f[5].empty()) {
            const auto crossing = csvNumber(f[5]);
            if (!crossing) return fail("the crossing \"" + f[5] + "\" is not a number");
            play.crossing = *crossing;
        }
        if (!f[6].empty()) {
            const auto gain = csvNumber(f[6]);
            if (!gain) return fail("the gain \"" + f[6] + "\" is not a number");
            play.gainPer100 = *gain;
        }
        if (f[0] == "insurance") {
            if (f[1] != "A" || f[2] != "no" || f[4] != "insure")
                return fail("insurance is written insurance,A,no,INDEX,insure");
            play.row = -1;
            play.up = 1;
            play.insurance = true;
            table.plays.push_back(play);
            continue;
        }
        const auto row = counting::rowOfHandName(f[0]);
        if (!row) return fail("\"" + f[0] + "\" is no hand of the chart");
        play.row = *row;
        play.up = f[1] == "A" ? 1 : std::atoi(f[1].c_str());
        if (play.up < 1 || play.up > 10 || (f[1] != "A" && f[1] != std::to_string(play.up)))
            return fail("\"" + f[1] + "\" is no up card (2 to 10, A)");
        const auto below = playOf(f[2]);
        const auto above = playOf(f[4]);
        if (!below || !above || *below == *above)
            return fail("\"" + f[2] + "\" and \"" + f[4] + "\" are not two plays");
        play.below = *below;
        play.atOrAbove = *above;
        play.surrender = *below == analysis::Play::Surrender || *above == analysis::Play::Surrender;
        table.plays.push_back(play);
    }
    if (table.plays.empty()) {
        *why = "it holds no index play";
        return std::nullopt;
    }
    return table;
}

} // namespace simulation

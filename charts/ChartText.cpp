// A chart as plain text: a grid of short codes that reads well in a terminal, then every cell in
// words with its value, which a screen reader reads line by line.
#include "ChartModel.h"

#include <sstream>

namespace charts {

namespace {

std::string code(const Cell& cell) {
    return cell.code() + (cell.marked() ? "!" : "");
}

std::string padded(std::string text, std::size_t width) {
    text.resize(std::max(width, text.size()), ' ');
    return text;
}

} // namespace

std::string text(const Chart& chart) {
    std::ostringstream out;
    out << "Hitwise chart: " << chart.title << "\n"
        << "Rules: " << describe(chart.rules) << ".\n";
    if (!chart.shoe.empty()) out << "Shoe: " << chart.shoe << ".\n";
    if (chart.agreeing) {
        out << "Agreement: " << *chart.agreeing << " of " << kTableCells
            << " cells name the best play.\n"
            << "Expected return of a round by this chart: " << percent(chart.returnByChart)
            << " of the bet.\n";
    }
    out << "Expected return of a round by the best play: " << percent(chart.returnBest)
        << " of the bet.\n\n"
        << "Codes: " << kCodesInWords << ", BJ blackjack"
        << (chart.agreeing ? "; ! a better play exists" : "") << ".\n"
        << "Values are fractions of the bet"
        << (chart.rules.holeCard ? ", after the dealer has checked for a blackjack"
                                 : ", the loss to a dealer's blackjack included")
        << ".\n\n";

    out << padded("Your hand", 10);
    for (int up : kUpCards)
        out << (up == 1 ? "A" : padded(cardName(up), 4));
    out << "\n";
    for (const Row& row : chart.rows) {
        out << padded(row.label, 10);
        for (const Cell& cell : row.cells) {
            out << (cell.up == 1 ? code(cell) : padded(code(cell), 4));
        }
        out << "\n";
    }

    if (chart.agreeing) {
        const auto marked = markedByCost(chart);
        out << "\nWhere another play is worth more, the costliest first:\n";
        if (marked.empty()) out << "  nowhere: every cell's play is the best one.\n";
        for (const auto& [row, cell] : marked) {
            out << "  " << row->label << " against " << cardName(cell->up) << ": the chart's "
                << analysis::playName(cell->play) << " " << signedValue(cell->ev, 4) << ", "
                << analysis::playName(cell->best) << " " << signedValue(cell->bestEv, 4)
                << ": costs " << signedValue(100 * cell->cost(), 2).substr(1) << " % of the bet.\n";
        }
        out << "Playing this chart at these rules costs "
            << percent(chart.returnBest - chart.returnByChart).substr(1)
            << " of the bet a round against the best play.\n";
    }

    out << "\nIn words, with the value of each play, the best first:\n";
    for (const Row& row : chart.rows) {
        out << "\n" << row.label << "\n";
        for (const Cell& cell : row.cells) {
            out << "  against " << cardName(cell.up) << ": ";
            if (cell.blackjack) {
                out << "Black Jack.\n";
                continue;
            }
            if (chart.agreeing) out << "chart says " << cell.text << "; ";
            int count = 0;
            const auto ranked = cell.values.ranked(&count);
            for (int i = 0; i < count; ++i) {
                out << (i ? ", " : "") << analysis::playName(ranked[i]) << " "
                    << signedValue(cell.values[ranked[i]], 4);
            }
            out << ".\n";
        }
    }
    return out.str();
}

} // namespace charts

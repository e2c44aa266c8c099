// Writes the strategy charts of the three rule sets from the advice tables themselves, so that
// a chart cannot disagree with the program, each held against the expected values of the rules
// it fits best:  chartgen <output folder>
#include "ChartModel.h"
#include "FittedRules.h"
#include "KnownCharts.h"

#include <cstdio>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: chartgen <output folder>\n");
        return 2;
    }
    for (int i = 0; i < charts::kKnownChartCount; ++i) {
        const charts::KnownChart& known = charts::kKnownCharts[i];
        const charts::Fit& fit = charts::fittedRules(i);
        const analysis::Analysis analysis(fit.rules);
        charts::Chart chart =
            charts::tableChart(analysis, known.advise, charts::chartTitle(i), fit.agreeing);
        chart.about = "The advice Hitwise gives for this rule set, with the expected value of "
                      "each play. The table states no rules beyond \"Dealer stands on Soft 17\": "
                      "the rules below are those whose best play agrees with it most, found by "
                      "Hitwise's own calculation.";
        const std::string path = std::string(argv[1]) + "/" + std::string(known.file);
        std::ofstream out(path, std::ios::binary);
        out << charts::html(chart);
        if (!out) {
            std::fprintf(stderr, "chartgen: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}

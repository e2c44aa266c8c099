// The expected-value engine's speed, inside one process on every core: the first table of the
// process (its dealer tables made), then every two-card hand with its values and the round's
// return for single rule sets, the three charts' rules together, and one hand. Prints a
// Markdown table.
//   engine_bench [RUNS]
#include "Analysis.h"
#include "FittedRules.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

double seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void analyse(const rules::Rules& rules) {
    const analysis::Analysis analysis(rules);
    volatile double sink = analysis.roundReturn();
    (void)sink;
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    struct Case {
        std::string name;
        std::function<void()> work;
        double target;
    };
    // Split to four hands, double after split, surrender; CDP unless named.
    auto decks = [](int n, bool h17, bool hole,
                    rules::PostSplit postSplit = rules::PostSplit::CDP) {
        rules::Rules rules;
        rules.decks = n;
        rules.hitSoft17 = h17;
        rules.holeCard = hole;
        rules.surrender = true;
        rules.postSplit = postSplit;
        return rules;
    };
    // The first table pays for the dealer's tables: measured once, before anything else.
    const double first = seconds([&] { analyse(decks(6, false, true)); });
    const std::vector<Case> cases = {
        {"6 decks, S17: the first table's rules again", [&] { analyse(decks(6, false, true)); },
         0.3},
        {"1 deck, S17", [&] { analyse(decks(1, false, true)); }, 0.3},
        {"2 decks, H17", [&] { analyse(decks(2, true, true)); }, 0.3},
        {"6 decks, H17", [&] { analyse(decks(6, true, true)); }, 0.3},
        {"6 decks, H17, CDZ-", [&] { analyse(decks(6, true, true, rules::PostSplit::CDZ)); }, 0.3},
        {"6 decks, H17, CDP1", [&] { analyse(decks(6, true, true, rules::PostSplit::CDP1)); }, 0.3},
        {"8 decks, no hole card", [&] { analyse(decks(8, false, false)); }, 0.3},
        {"the three charts' rules together",
         [&] {
             for (int chart = 0; chart < charts::kKnownChartCount; ++chart)
                 analyse(charts::fittedRules(chart).rules);
         },
         0.25},
        {"one hand: 8,8 against 6 at 6 decks, the split included",
         [&] {
             volatile double sink =
                 analysis::analyseHand(decks(6, false, true), {8, 8}, 6)[analysis::Play::Split];
             (void)sink;
         },
         0.002},
    };
    std::printf("| engine in one process, every core: every two-card hand and the round's return "
                "(split to 4, DAS, surrender, CDP unless named) | min / median "
                "of %d (s) | target |\n|---|---|---|\n",
                runs);
    std::printf("| the first table of the process, 6 decks S17 (its dealer tables made) | %.3f | "
                "as quick as the later ones |\n",
                first);
    for (const Case& c : cases) {
        std::vector<double> times;
        for (int i = 0; i < runs; ++i)
            times.push_back(seconds(c.work));
        std::sort(times.begin(), times.end());
        const double median = times[times.size() / 2];
        std::printf("| %s | %.4f / %.4f | at most %g: %s |\n", c.name.c_str(), times.front(),
                    median, c.target, median <= c.target ? "met" : "MISSED");
    }
    return 0;
}

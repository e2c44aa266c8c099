#pragma once

// A run's figures as text, CSV or a web page with plots drawn by the program, each beginning with
// what the run was (the rules, the count and its conventions, the table, how it was played, the
// seed and the rounds) so that it can be repeated, and the count lab's figures beside the dealt
// game's. Nothing in them depends on the threads or processes that dealt the rounds.

#include "Figures.h"
#include "Run.h"
#include "Setup.h"

#include <optional>
#include <string>

namespace simulation {

struct Report {
    Setup setup;
    Totals totals;
    SimFigures figures;
    std::optional<LabFigures> lab;
    bool stopped = false;
    std::string mistakesFile; // its name, where the mistakes came from one
    std::string indexFile;
};

// The lines that say what the run was, without their "# ".
std::vector<std::string> aboutRun(const Report& report);

std::string simText(const Report& report);
std::string simCsv(const Report& report);
std::string simHtml(const Report& report);

} // namespace simulation

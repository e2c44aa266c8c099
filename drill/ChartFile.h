#pragma once

#include "Table.h"

#include "Analysis.h"

#include <QString>

// The best-play chart of the player's own table, written with hitwise-chart's code into the
// cache folder as "chart-<rules>.htm". Returns its path, or nothing with *error saying why.
std::optional<QString> writeChartFile(const practice::Table& table,
                                      const analysis::Analysis& analysis, QString* error);

// The index chart of a count at the player's table, written the same way as
// "indices-<rules>.htm".
std::optional<QString> writeIndexChartFile(const practice::Table& table, const std::string& html,
                                           QString* error);

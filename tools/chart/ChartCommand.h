#pragma once

#include <QStringList>
#include <QTextStream>

// hitwise-chart: parses the arguments (the program name first), writes the chart or the hand's
// plays to the output file or `out`, and returns the exit status: 0 done, 1 the output could
// not be written, 2 a bad option or value (one line on `err` naming it).
int runChartCommand(const QStringList& arguments, QTextStream& out, QTextStream& err);

#pragma once

#include "Distributed.h"

#include <QStringList>
#include <QTextStream>

#include <atomic>

// hitwise-sim: parses the arguments (the program name first), deals the game, and writes its
// figures to the output file or `out`; returns the exit status: 0 done (stopped early too: the
// figures say so), 1 the output could not be written, 2 a bad option or value (one line on `err`
// naming it). `stop` ends the run at the end of the blocks being dealt; `progress` whether a line
// on `err` tells how far it is (on a terminal). Rank 0 alone writes.
int runSimCommand(const QStringList& arguments, QTextStream& out, QTextStream& err,
                  const Ranks& ranks, const std::atomic<bool>& stop, bool progress);

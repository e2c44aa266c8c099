#pragma once

// A run on this process's threads, or, built with Open MPI and started by mpirun, across every
// process: the blocks are shared out wave by wave (each process its threads' blocks of a wave),
// and rank 0 adds them in block order, so that the figures are the digits of one process with the
// same seed. The numerical core knows nothing of ranks.

#include "Run.h"

struct Ranks {
    int rank = 0;
    int size = 1;
};

// Starts MPI where the program was built with it (a process alone is rank 0 of 1); the end.
Ranks startRanks(int* argc, char*** argv);
void endRanks();

simulation::RunResult dealRun(const simulation::Plan& plan, const Ranks& ranks,
                              const std::atomic<bool>& stop, const simulation::Progress& progress);

#pragma once

// A run: blocks 0, 1, 2 ... dealt on every thread asked for, each taking the next block when it
// is done, and added up in block order as they come (a few finished early wait their turn), so
// that the figures are the same digits on any number of threads. It ends at the first block
// whose total reaches the rounds asked for, or when the time asked for has passed or the caller
// asks it to stop (then at the end of the blocks being dealt).

#include "Dealer.h"

#include <atomic>
#include <functional>

namespace simulation {

struct RunResult {
    Totals totals;
    bool stopped = false; // by the caller, before the rounds asked for
    double seconds = 0;
};

// Told now and then, on the caller's thread: the totals so far and the seconds since the start.
using Progress = std::function<void(const Totals& sofar, double seconds)>;

// The threads: `threads`, or every core for 0.
int threadsToUse(int threads);

// Whether a run has dealt what it was asked: its rounds, or its seconds.
bool runDone(const Setup& setup, const Totals& totals, double seconds);

RunResult runBlocks(const Plan& plan, int threads, const std::atomic<bool>& stop,
                    const Progress& progress = {}, double progressEvery = 0.5);

} // namespace simulation

#include "Totals.h"

#include <cmath>

namespace simulation {

double Ratio::error(std::int64_t blocks) const {
    if (blocks < 2 || y <= 0) return 0;
    const double r = value();
    const double spread = std::max(0.0, xx - 2 * r * xy + r * r * yy);
    return std::sqrt(spread * double(blocks) / double(blocks - 1)) / y;
}

void Totals::add(const Totals& b) {
    blocks += b.blocks;
    rounds += b.rounds;
    shoes += b.shoes;
    played += b.played;
    watched += b.watched;
    win.add(b.win);
    bet.add(b.bet);
    win2 += b.win2;
    win3 += b.win3;
    win4 += b.win4;
    for (int i = 0; i < kCounts; ++i) {
        frequency[std::size_t(i)].add(b.frequency[std::size_t(i)]);
        returns[std::size_t(i)].add(b.returns[std::size_t(i)]);
    }
    trips += b.trips;
    ruined += b.ruined;
    if (paths.empty()) paths = b.paths;
}

} // namespace simulation

#include "Dealer.h"

#include "CasinoTable.h"

namespace simulation {

std::vector<int> firstShoe(const Plan& plan, std::uint64_t block, int cards) {
    CasinoTable table(plan, block);
    return table.firstShoe(cards);
}

Totals dealBlock(const Plan& plan, std::uint64_t block) {
    CasinoTable table(plan, block);
    return table.deal();
}

} // namespace simulation

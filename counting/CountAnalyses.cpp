#include "CountAnalyses.h"

#include <algorithm>

namespace counting {

CountAnalyses::CountAnalyses(const Game& game, int lowest, int highest,
                             const analysis::OwnChooser& momentsBy, const std::atomic<bool>* stop)
    : game_(game), shoes_(countShoes(game, lowest, highest)) {
    for (const CountShoe& shoe : shoes_) {
        auto& analysis = analyses_.emplace_back();
        stopped_ = stopped_ || (stop && *stop);
        if (stopped_ || !shoe.valued || shoe.frequency <= 0) continue;
        analysis = momentsBy
                       ? std::make_unique<analysis::Analysis>(game.rules, shoe.shoe, momentsBy)
                       : std::make_unique<analysis::Analysis>(game.rules, shoe.shoe);
    }
}

double CountAnalyses::before(int count, std::initializer_list<int> seen) const {
    double tags = 0;
    for (int value : seen)
        tags += game_.system.tags[value];
    if (!game_.system.balanced()) return count - tags;
    const double decks = std::max(at(count).decksLeft, 0.5);
    return count - tags / decks;
}

std::optional<int> CountAnalyses::nearest(int count, int step) const {
    count = std::clamp(count, lowest(), highest());
    for (; count >= lowest() && count <= highest(); count += step) {
        if (valued(count)) return count;
    }
    return std::nullopt;
}

} // namespace counting

#include "Play.h"

#include <algorithm>

namespace analysis {

std::string_view playName(Play play) {
    static constexpr std::array<std::string_view, kPlays> names{"Stand", "Hit", "Double", "Split",
                                                                "Surrender"};
    return names[static_cast<int>(play)];
}

Play PlayValues::best() const {
    int count = 0;
    return ranked(&count)[0];
}

Play PlayValues::bestBut(Play left) const {
    PlayValues others = *this;
    others.allowed[static_cast<int>(left)] = false;
    return others.best();
}

std::array<Play, kPlays> PlayValues::ranked(int* count) const {
    std::array<Play, kPlays> plays{};
    int n = 0;
    for (Play play : kAllPlays) {
        if (allows(play)) plays[n++] = play;
    }
    std::stable_sort(plays.begin(), plays.begin() + n,
                     [this](Play a, Play b) { return (*this)[a] > (*this)[b]; });
    *count = n;
    return plays;
}

} // namespace analysis

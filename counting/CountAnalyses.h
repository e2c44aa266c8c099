#pragma once

// The engine's analyses of every count's shoe for one game, made once and read by the index
// plays, what each count is worth and the counts' rounds (CountLab.h). A count's shoe, the
// average of the real shoes at that count, is fractional: it is valued as a mixture of whole
// shoes (CountShoe.h's wholeMixture), and read between whole counts linearly.

#include "Analysis.h"
#include "CountLab.h"

#include <cmath>
#include <initializer_list>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace counting {

// The engine's analyses of every count's shoe (a mixture of whole shoes), read at any
// decision count.
class CountAnalyses {
public:
    CountAnalyses(const Game& game, int lowest, int highest, int steps);

    const std::vector<CountShoe>& shoes() const { return shoes_; }
    const rules::Rules& rules() const { return game_.rules; }
    const CountShoe& at(int count) const { return shoes_[std::size_t(count - lowest())]; }
    int lowest() const { return shoes_.front().count; }
    int highest() const { return shoes_.back().count; }
    bool valued(int count) const {
        return count >= lowest() && count <= highest() &&
               !analyses_[std::size_t(count - lowest())].empty();
    }

    // f(analysis) over a whole count's mixture, by its weights.
    template <typename F> double mixed(int count, F&& f) const {
        double sum = 0;
        for (const auto& [weight, analysis] : analyses_[std::size_t(count - lowest())])
            sum += weight * f(*analysis);
        return sum;
    }

    // The count before the deal at which decision count `count` is met with these cards seen.
    double before(int count, std::initializer_list<int> seen) const;

    // f(analysis) read at a count between whole counts, linearly; nothing where neither
    // neighbour was valued.
    template <typename F> std::optional<double> read(double count, F&& f) const {
        const int low = int(std::floor(count));
        const double part = count - low;
        const auto a = nearest(low, -1);
        const auto b = nearest(low + 1, +1);
        if (!a && !b) return std::nullopt;
        if (!a) return mixed(*b, f);
        if (!b || part <= 0) return mixed(*a, f);
        return (1 - part) * mixed(*a, f) + part * mixed(*b, f);
    }

private:
    std::optional<int> nearest(int count, int step) const;

    Game game_;
    std::vector<CountShoe> shoes_;
    std::vector<std::vector<std::pair<double, std::unique_ptr<analysis::Analysis>>>> analyses_;
};

} // namespace counting

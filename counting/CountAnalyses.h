#pragma once

// The engine's analyses of every count's shoe for one game, made once and read by the index
// plays, what each count is worth and the counts' rounds (CountLab.h). A count's shoe, the
// average of the real shoes at that count, is fractional: the engine values it as it is
// (analysis::Shoe::ofFractions), once, and reads it between whole counts linearly.

#include "Analysis.h"
#include "CountLab.h"

#include <atomic>
#include <cmath>
#include <initializer_list>
#include <memory>
#include <optional>
#include <vector>

namespace counting {

// The engine's analyses of every count's shoe, read at any decision count.
class CountAnalyses {
public:
    // With momentsBy, each analysis keeps its round's moments, the first plays so chosen. Once
    // `stop` is set, no more shoes are valued (stopped()).
    CountAnalyses(const Game& game, int lowest, int highest,
                  const analysis::OwnChooser& momentsBy = {},
                  const std::atomic<bool>* stop = nullptr);
    bool stopped() const { return stopped_; }

    const std::vector<CountShoe>& shoes() const { return shoes_; }
    const rules::Rules& rules() const { return game_.rules; }
    const CountShoe& at(int count) const { return shoes_[std::size_t(count - lowest())]; }
    int lowest() const { return shoes_.front().count; }
    int highest() const { return shoes_.back().count; }
    bool valued(int count) const {
        return count >= lowest() && count <= highest() && analysis(count) != nullptr;
    }
    const analysis::Analysis* analysis(int count) const {
        return analyses_[std::size_t(count - lowest())].get();
    }

    // f(analysis) of a valued count.
    template <typename F> double value(int count, F&& f) const { return f(*analysis(count)); }

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
        if (!a) return value(*b, f);
        if (!b || part <= 0) return value(*a, f);
        return (1 - part) * value(*a, f) + part * value(*b, f);
    }

private:
    std::optional<int> nearest(int count, int step) const;

    Game game_;
    std::vector<CountShoe> shoes_;
    std::vector<std::unique_ptr<analysis::Analysis>> analyses_;
    bool stopped_ = false;
};

} // namespace counting

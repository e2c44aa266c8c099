#include "CountPlan.h"

#include "StudyCache.h"

#include <QStringList>

#include <utility>

namespace practice {

std::shared_ptr<const CountPlan> planCount(const counting::Game& game) {
    auto plan = std::make_shared<CountPlan>();
    plan->game = game;
    counting::CountStudy study = countcache::cachedStudy(game);
    plan->indices = std::move(study.indices);
    plan->rounds = std::move(study.rounds);
    return plan;
}

QString systemKey(const counting::CountSystem& system) {
    if (!system.id.empty()) return QString::fromStdString(system.id);
    QStringList tags;
    for (int value = 1; value <= 10; ++value) {
        tags << QStringLiteral("%1:%2")
                    .arg(value == 1 ? QStringLiteral("A") : QString::number(value))
                    .arg(system.tags[std::size_t(value)]);
    }
    return "tags:" + tags.join(',');
}

QString countText(double count) {
    return (count > 0 ? "+" : "") + QString::number(count, 'g', 4);
}

QString countNamed(const counting::Game& game, double count) {
    return (game.system.balanced() ? QStringLiteral("true count ")
                                   : QStringLiteral("running count ")) +
           countText(count);
}

double runningCountOf(const counting::CountSystem& system, int decks,
                      const std::array<int, 11>& whole, const std::array<int, 11>& unseen) {
    double count = system.initialRunningCount(decks);
    for (int value = 1; value <= 10; ++value) {
        count += system.tags[std::size_t(value)] *
                 (whole[std::size_t(value)] - unseen[std::size_t(value)]);
    }
    return count;
}

} // namespace practice

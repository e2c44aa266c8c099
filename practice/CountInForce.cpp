#include "CountInForce.h"

#include "CountOptions.h"
#include "StudyCache.h"

#include <QtConcurrent/QtConcurrentRun>

namespace practice {

CountInForce::CountInForce(std::optional<counting::Game> game, QObject* parent)
    : QObject(parent), game_(std::move(game)) {
    connect(&planning_, &QFutureWatcher<std::shared_ptr<const CountPlan>>::finished, this,
            &CountInForce::PlanDone);
    connect(&indices_, &QFutureWatcher<std::string>::finished, this, &CountInForce::IndicesDone);
}

CountInForce::~CountInForce() {
    // The work reads nothing of this object, but ends before it.
    planning_.waitForFinished();
    indices_.waitForFinished();
}

void CountInForce::setRules(const rules::Rules& rules) {
    if (game_) game_->rules = rules;
}

void CountInForce::setGame(counting::Game game) {
    if (game_) game.rules = game_->rules;
    game_ = std::move(game);
}

std::shared_ptr<const CountPlan> CountInForce::plan() {
    if (!game_) return nullptr;
    if (plan_ && plan_->game == *game_) return plan_;
    if (planning_.isRunning()) return nullptr; // what it is for is checked when it ends
    const counting::Game game = *game_;
    emit planStarted(options::countWords(game));
    planning_.setFuture(QtConcurrent::run([game] { return planCount(game); }));
    return nullptr;
}

void CountInForce::PlanDone() {
    plan_ = planning_.result();
    if (!game_) return;
    if (plan_->game == *game_) {
        emit planReady();
    } else {
        plan(); // the table or the count changed meanwhile
    }
}

bool CountInForce::makeIndexChart() {
    if (!game_ || makingChart_) return false;
    makingChart_ = true;
    // The plan's index plays where it is the game's; else the study, from the cache or made.
    std::shared_ptr<const CountPlan> plan = plan_ && plan_->game == *game_ ? plan_ : nullptr;
    indices_.setFuture(QtConcurrent::run([game = *game_, plan] {
        return counting::indexHtml(game,
                                   plan ? plan->indices : countcache::cachedStudy(game).indices);
    }));
    return true;
}

void CountInForce::IndicesDone() {
    makingChart_ = false;
    emit indexChartReady(indices_.result());
}

} // namespace practice

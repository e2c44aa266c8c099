#include "LabStudy.h"

#include "StudyCache.h"

#include <QtConcurrent>

namespace planning {

LabResult weigh(const counting::Game& game, counting::CountStudy study) {
    LabResult result;
    result.game = game;
    result.figures = counting::gameFigures(game, study.rounds);
    result.spreads = bestSpreads(game, study.rounds);
    result.study = std::move(study);
    return result;
}

LabStudy::LabStudy(QObject* parent) : QObject(parent) {
    connect(&watcher_, &QFutureWatcher<std::optional<LabResult>>::finished, this, &LabStudy::Done);
}

LabStudy::~LabStudy() {
    if (stop_) *stop_ = true;
    watcher_.waitForFinished();
}

void LabStudy::ask(const counting::Game& game) {
    if (watcher_.isRunning()) { // the newest waits its turn; older waiting ones are dropped
        next_ = game;
        if (!counting::sameDeal(running_, game)) *stop_ = true;
        return;
    }
    next_.reset();
    if (result_ && counting::sameDeal(result_->game, game)) {
        result_ = weigh(game, std::move(result_->study));
        emit ready();
        return;
    }
    emit working();
    running_ = game;
    stop_ = std::make_shared<std::atomic<bool>>(false);
    watcher_.setFuture(QtConcurrent::run([game, stop = stop_]() -> std::optional<LabResult> {
        auto study = countcache::cachedStudy(game, countcache::studyFolder(), *stop);
        if (!study) return std::nullopt;
        return weigh(game, std::move(*study));
    }));
}

void LabStudy::Done() {
    try {
        if (std::optional<LabResult> done = watcher_.result()) result_ = std::move(done);
    } catch (const std::exception& e) {
        emit failed(QString::fromUtf8(e.what()));
    }
    if (next_) { // the newest, worked out or weighed again: it says when it is ready
        const counting::Game game = *next_;
        ask(game);
        return;
    }
    emit ready();
}

} // namespace planning

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
    connect(&watcher_, &QFutureWatcher<LabResult>::finished, this, &LabStudy::Done);
}

LabStudy::~LabStudy() {
    watcher_.waitForFinished();
}

void LabStudy::ask(const counting::Game& game) {
    if (watcher_.isRunning()) { // the newest waits its turn; older waiting ones are dropped
        next_ = game;
        return;
    }
    next_.reset();
    if (result_ && counting::sameDeal(result_->game, game)) {
        result_ = weigh(game, std::move(result_->study));
        emit ready();
        return;
    }
    emit working();
    watcher_.setFuture(
        QtConcurrent::run([game] { return weigh(game, countcache::cachedStudy(game)); }));
}

void LabStudy::Done() {
    try {
        result_ = watcher_.result();
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

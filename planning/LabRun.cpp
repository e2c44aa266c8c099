#include "LabRun.h"

#include "Plan.h"
#include "Run.h"
#include "StudyCache.h"

#include <QMetaObject>
#include <QPointer>
#include <QtConcurrent>

namespace planning {

LabRun::LabRun(QObject* parent) : QObject(parent) {
    qRegisterMetaType<planning::RunState>();
    connect(&watcher_, &QFutureWatcher<RunState>::finished, this, &LabRun::Done);
}

LabRun::~LabRun() {
    stop_ = true;
    watcher_.waitForFinished();
}

bool LabRun::start(const simulation::Setup& setup) {
    if (watcher_.isRunning()) return false;
    stop_ = false;
    watcher_.setFuture(QtConcurrent::run([this, setup] {
        const counting::IndexTable indices =
            setup.counting ? countcache::cachedStudy(setup.game).indices : counting::IndexTable{};
        const simulation::Plan plan = simulation::makePlan(setup, indices);
        const simulation::RunResult result = simulation::runBlocks(
            plan, setup.threads, stop_, [this, &setup](const simulation::Totals& t, double s) {
                RunState state{simulation::figuresOf(t, setup.game), 0, s, false};
                state.rounds = state.figures.rounds;
                QMetaObject::invokeMethod(
                    this, [this, state] { emit progress(state); }, Qt::QueuedConnection);
            });
        RunState state{simulation::figuresOf(result.totals, setup.game), 0, result.seconds,
                       result.stopped};
        state.rounds = state.figures.rounds;
        return state;
    }));
    return true;
}

void LabRun::stop() {
    stop_ = true;
}

void LabRun::Done() {
    emit finished(watcher_.result());
}

} // namespace planning

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
                RunState state;
                state.figures = simulation::figuresOf(t, setup.game);
                state.rounds = state.figures.rounds;
                state.seconds = s;
                QMetaObject::invokeMethod(
                    this, [this, state] { emit progress(state); }, Qt::QueuedConnection);
            });
        RunState state;
        state.figures = simulation::figuresOf(result.totals, setup.game);
        state.rounds = state.figures.rounds;
        state.seconds = result.seconds;
        state.stopped = result.stopped;
        return state;
    }));
    return true;
}

void LabRun::stop() {
    stop_ = true;
}

void LabRun::Done() {
    RunState state;
    try {
        state = watcher_.result();
    } catch (const std::exception& e) {
        state.error = QString::fromUtf8(e.what());
    }
    emit finished(state);
}

} // namespace planning

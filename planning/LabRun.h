#pragma once

// A simulation the lab window runs off its thread: the game dealt by the simulator
// (simulation::runBlocks) on every core, the figures so far told now and then, and a stop that
// keeps what was dealt.

#include "Figures.h"
#include "Setup.h"

#include <QFutureWatcher>
#include <QObject>

#include <atomic>

namespace planning {

struct RunState {
    simulation::SimFigures figures;
    std::int64_t rounds = 0; // dealt so far
    double seconds = 0;
    bool stopped = false; // by the player, before the rounds asked for
    QString error;        // why the game could not be dealt; nothing dealt then
};

class LabRun : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LabRun)

public:
    explicit LabRun(QObject* parent = nullptr);
    ~LabRun() override; // stops a run and waits for its blocks

    // Deals the setup's game with the count lab's index plays for it (from the cache, or worked
    // out first on the run's thread); false while a run is under way.
    bool start(const simulation::Setup& setup);
    void stop();
    bool running() const { return watcher_.isRunning(); }

signals:
    void progress(const planning::RunState& state); // about twice a second
    void finished(const planning::RunState& state);

private slots:
    void Done();

private:
    QFutureWatcher<RunState> watcher_;
    std::atomic<bool> stop_{false};
};

} // namespace planning

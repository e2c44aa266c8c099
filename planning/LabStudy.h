#pragma once

// The count lab's study of the game in the lab window, worked out off the window's thread: the
// study from the cache or the engine (countcache::cachedStudy), then the game's figures and the
// best spreads. A game that deals as the last one did (counting::sameDeal) is only weighed
// again, at once. A game asked for while the engine works on another that deals otherwise stops
// that work within one shoe's analysis; of the games asked for meanwhile, only the newest is
// worked out next.

#include "BestSpread.h"

#include "CountLab.h"

#include <QFutureWatcher>
#include <QObject>

#include <atomic>
#include <memory>
#include <optional>

namespace planning {

struct LabResult {
    counting::Game game;
    counting::CountStudy study;
    counting::GameFigures figures;
    std::vector<SpreadWorth> spreads;
};

// The figures and best spreads of a game whose study is known.
LabResult weigh(const counting::Game& game, counting::CountStudy study);

class LabStudy : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LabStudy)

public:
    explicit LabStudy(QObject* parent = nullptr);
    ~LabStudy() override;

    void ask(const counting::Game& game);
    // The last game's result; nothing before the first is ready.
    const std::optional<LabResult>& result() const { return result_; }
    bool busy() const { return watcher_.isRunning(); }

signals:
    void working(); // the engine is on it: show a busy sign
    void ready();   // result() is the newest game's
    void failed(const QString& why);

private slots:
    void Done();

private:
    QFutureWatcher<std::optional<LabResult>> watcher_;
    counting::Game running_;
    std::shared_ptr<std::atomic<bool>> stop_;
    std::optional<counting::Game> next_;
    std::optional<LabResult> result_;
};

} // namespace planning

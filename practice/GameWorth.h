#pragma once

#include "CountLab.h"

#include <QFutureWatcher>
#include <QObject>

#include <optional>
#include <vector>

namespace practice {

// What a counter's game is worth (counting::gameFigures), worked out off the window's thread
// one game at a time: the newest asked for is the one answered. The counts' rounds of the last
// game are kept, so that a change of the bets, the bankroll or the rounds an hour is only weighed
// again.
class GameWorth : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GameWorth)

public:
    explicit GameWorth(QObject* parent = nullptr);
    ~GameWorth() override;

    void ask(const counting::Game& game);

signals:
    void ready(const counting::GameFigures& figures);

private slots:
    void Done();

private:
    struct Worked {
        counting::Game game;
        std::vector<counting::CountRound> rounds;
        counting::GameFigures figures;
    };
    QFutureWatcher<Worked> watcher_;
    std::optional<counting::Game> next_;
    std::optional<Worked> last_;
};

} // namespace practice

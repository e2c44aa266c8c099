#include "GameWorth.h"

#include <QtConcurrent/QtConcurrentRun>

namespace practice {

GameWorth::GameWorth(QObject* parent) : QObject(parent) {
    connect(&watcher_, &QFutureWatcher<Worked>::finished, this, &GameWorth::Done);
}

GameWorth::~GameWorth() {
    watcher_.waitForFinished(); // its work reads nothing of this object, but ends before it
}

void GameWorth::ask(const counting::Game& game) {
    if (watcher_.isRunning()) {
        next_ = game;
        return;
    }
    std::vector<counting::CountRound> rounds;
    if (last_ && counting::sameDeal(last_->game, game)) rounds = last_->rounds;
    watcher_.setFuture(QtConcurrent::run([game, rounds]() mutable {
        if (rounds.empty()) rounds = counting::countRounds(game);
        const counting::GameFigures figures = counting::gameFigures(game, rounds);
        return Worked{game, std::move(rounds), figures};
    }));
}

void GameWorth::Done() {
    last_ = watcher_.result();
    if (next_) {
        const counting::Game game = *next_;
        next_.reset();
        ask(game);
        return;
    }
    emit ready(last_->figures);
}

} // namespace practice

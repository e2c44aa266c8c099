#pragma once

// The lab's logic without its window.
//
// How the parts meet: a GameShelf keeps the games a player plans under names of their own, each
// as the game's one text form (options::gameText), in one file of the lab's data folder; every
// change is written at once through QSaveFile, so that a kill while saving leaves the shelf as
// it was. A file the shelf cannot read is set aside under a name of its own, never written
// over. BestSpread.h weighs a game's rounds (counting::countRounds) again for the ramp that
// maximises SCORE within each spread, and the bankroll a risk of ruin asks for. YourMistakes.h
// reads the drill's counting records for the simulator's --mistakes.

#include "Game.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace planning {

struct ShelvedGame {
    QString name;
    counting::Game game;
};

class GameShelf {
public:
    explicit GameShelf(QString folder);

    // Reads the shelf file; where it cannot be read, sets it aside and says so in *message
    // (false), the shelf then empty. A shelf that could not be set aside is never saved.
    bool load(QString* message);

    const std::vector<ShelvedGame>& games() const { return games_; }
    QString file() const;

    // Each change is saved at once; false, with the reason in *why, where it is refused or the
    // file could not be written (the shelf then as it was).
    bool add(const QString& name, const counting::Game& game, QString* why);
    bool rename(int at, const QString& name, QString* why);
    bool duplicate(int at, QString* why); // "name (2)", the first number free
    bool remove(int at, QString* why);
    bool replace(int at, const counting::Game& game, QString* why);

private:
    QString nameProblem(const QString& name, int except) const;
    bool holds(int at, QString* why) const;
    bool commit(std::vector<ShelvedGame> games, QString* why);

    QString folder_;
    std::vector<ShelvedGame> games_;
    bool writable_ = true;
};

} // namespace planning

#pragma once

#include "CountLab.h"
#include "GameWorth.h"

#include <QDialog>

#include <memory>
#include <optional>
#include <vector>

namespace Ui {
class CountDialog;
}

// Edits a copy of the count in force: the system, the true count's conventions, the
// penetration, the bet ramp, the bankroll and the rounds an hour; the rest of the game stays as
// it came. What the game is worth (its win rate, N0 and risk of ruin) is worked out off the
// window's thread (GameWorth) as they change.
class CountDialog : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CountDialog)

public:
    // Starts from this game; `recent` are games kept before, offered to choose again.
    explicit CountDialog(const counting::Game& start,
                         const std::vector<counting::Game>& recent = {}, QWidget* parent = nullptr);
    ~CountDialog() override;

    // The game as chosen, or nothing (and *why) for a ramp that does not read.
    std::optional<counting::Game> game(std::string* why = nullptr) const;

private slots:
    void OkClick();
    void CountChange();
    void GameReady(const counting::GameFigures& figures);
    void RecentChange(int index);

private:
    // Shows a game in the controls.
    void show(const counting::Game& game);
    counting::CountSystem chosenSystem() const;

    std::unique_ptr<Ui::CountDialog> ui;
    counting::Game game_; // what the controls leave as it came
    std::vector<counting::Game> recent_;
    practice::GameWorth worth_;
};

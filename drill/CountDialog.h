#pragma once

#include "CountLab.h"

#include <QDialog>
#include <QFutureWatcher>
#include <QStringList>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace Ui {
class CountDialog;
}

// Asks for the count in force: the system, the true count's conventions, the penetration,
// the bet ramp, the bankroll and the rounds an hour. What the game is worth (its win rate,
// N0 and risk of ruin) is worked out off the window's thread as they change.
class CountDialog : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CountDialog)

public:
    // Starts from a count (or Hi-Lo) at these rules; `recent` are counts kept before, as their
    // options wrote them, offered to choose again.
    CountDialog(const analysis::Rules& rules, const std::optional<counting::Game>& start,
                const QStringList& startArguments, const std::vector<QStringList>& recent = {},
                QWidget* parent = nullptr);
    ~CountDialog() override;

    // The count as chosen, or nothing (and *why) for a ramp that does not read.
    std::optional<counting::Game> game(std::string* why = nullptr) const;
    // The same as the counting options write it ("--count=hilo", ...), to be kept.
    QStringList arguments() const;

private slots:
    void OkClick();
    void CountChange();
    void GameReady();
    void RecentChange(int index);

private:
    // Shows a count and its plan in the controls.
    void show(const counting::Game& game, const QStringList& arguments);

    std::unique_ptr<Ui::CountDialog> ui;
    std::vector<std::pair<counting::Game, QStringList>> recent_; // those that still read
    analysis::Rules rules_;
    QFutureWatcher<counting::GameFigures> figures_;
    bool again_ = false;
};

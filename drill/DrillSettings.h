#pragma once

#include "Game.h"
#include "Table.h"

#include <QStringList>

#include <optional>
#include <vector>

// What the drill keeps between runs in QSettings: the table last used, the player's own tables
// chosen last, the count in force and those chosen last (each as the game's one text form), and
// the bet. Written only when changed: a start that changes nothing writes nothing.
class DrillSettings {
public:
    DrillSettings() = delete;

    static constexpr int kRecentTables = 5;

    static std::optional<practice::Table> lastTable();
    // Keeps the table as the last one used, and a table of the player's own at the head of the
    // recent ones; true if the recent ones changed.
    static bool useTable(const practice::Table& table);
    // The player's own tables chosen last, the newest first.
    static std::vector<practice::Table> recentTables();
    // The tables the Rules list offers: the known charts, then the recent tables.
    static std::vector<practice::Table> ruleSets();

    // Whether the player is yet to be told of this many answers of another version that are kept
    // but not counted; true once per count.
    static bool tellUncounted(int uncounted);

    // The count in force kept between starts, its rules the table's where it was kept; nothing for
    // none, or for one that no longer reads. A count kept by an earlier version (its counting
    // options, without the rules) reads as well.
    static std::optional<counting::Game> countGame();
    // Keeps it; a count the player chose is kept among the last kRecentCounts as well (not one
    // only played at another table).
    static void setCountGame(const counting::Game& game, bool chosen);
    static constexpr int kRecentCounts = 5;
    static std::vector<counting::Game> recentGames(); // the latest first, those that still read

    static double bet();
    static void setBet(double bet);
};

#pragma once

#include "Table.h"

#include <QStringList>

#include <vector>

// What the drill keeps between runs in QSettings: the table last used, the player's own tables
// chosen last, and the bet. Written only when changed: a start that changes nothing writes
// nothing.
namespace drillsettings {

inline constexpr int kRecentTables = 5;

std::optional<Table> lastTable();
// Keeps the table as the last one used, and a table of the player's own at the head of the
// recent ones; true if the recent ones changed.
bool useTable(const Table& table);
// The player's own tables chosen last, the newest first.
std::vector<Table> recentTables();

// Whether the player is yet to be told of this many answers of another version that are kept
// but not counted; true once per count.
bool tellUncounted(int uncounted);

// The count in force, as its options wrote it ("--count=hilo", "--tc=floor"), kept between
// starts; empty for none.
QStringList countArguments();
// Keeps it, and among the last kRecentCounts.
void setCountArguments(const QStringList& arguments);
inline constexpr int kRecentCounts = 5;
std::vector<QStringList> recentCounts(); // the latest first

double bet();
void setBet(double bet);

} // namespace drillsettings

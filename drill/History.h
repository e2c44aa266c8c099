#pragma once

#include "HandDealer.h"

#include <QSqlDatabase>
#include <QString>

#include <array>
#include <vector>

// How the player has done in one cell of a chart.
struct CellRecord {
    int tries = 0;
    int rights = 0;
    int streak = 0;    // right answers since the last wrong one
    bool weak = false; // missed, and not yet answered right enough times in a row since
};

// The drill's memory: every answer in an SQLite database in the data folder, committed one by
// one, read back at start into the records of every cell.
//
// Nothing is lost or damaged: a database that cannot be read, is damaged or comes from a newer
// version is set aside under a new name (never deleted) and a new one is started; a folder that
// cannot be written leaves the drill working without memory. Either way notice() says so once.
class History {
public:
    static constexpr int kRightsToMend = 3;  // right answers in a row that end a weak spot
    static constexpr int kSchemaVersion = 1; // PRAGMA user_version

    explicit History(const QString& folder);
    ~History();
    History(const History&) = delete;
    History& operator=(const History&) = delete;

    // Whether answers are kept across restarts.
    bool remembers() const { return remembers_; }
    // What went wrong with the memory, to be told to the player once; empty if nothing.
    QString takeNotice();
    QString path() const { return path_; }

    // Stores an answer, committed before this returns, and counts it in its cell.
    void record(int ruleSet, const Deal& deal, const QString& answer, bool right);

    const CellRecord& cell(int ruleSet, const GridCell& cell) const;
    std::vector<GridCell> weakCells(int ruleSet) const;
    // All answers ever given for a rule set, and the right ones.
    std::pair<int, int> totals(int ruleSet) const;

private:
    enum class Opened { Ready, Unusable, InUse };
    Opened open();
    Opened prepare(QSqlDatabase& db);
    void setAside(const QString& why);
    void withoutMemory(const QString& why);
    void count(int ruleSet, int first, int second, int up, bool right);

    QString folder_;
    QString path_;
    QString connection_;
    bool remembers_ = false;
    QString notice_;
    std::array<std::array<std::array<CellRecord, 10>, kChartRows>, 3> cells_{};
};

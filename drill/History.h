#pragma once

#include "HandDealer.h"

#include "Play.h"

#include <QDate>
#include <QSqlDatabase>
#include <QString>

#include <array>
#include <deque>
#include <map>
#include <vector>

// How the player has done in one cell of a chart.
struct CellRecord {
    int tries = 0;
    int rights = 0;
    int streak = 0;    // right answers since the last wrong one
    bool weak = false; // missed, and not yet answered right enough times in a row since
    std::deque<analysis::Play> last; // the last kLastAnswers answers, the newest last
    static constexpr std::size_t kLastAnswers = 20;
};

// One graded decision: the hand's cards (values 1..10), the up card, where in a played-out round
// it fell (0: the first decision of a deal), the answer and the right play.
struct Answer {
    std::vector<int> cards;
    int up = 0;
    int position = 0;
    analysis::Play answer = analysis::Play::Stand;
    analysis::Play rightPlay = analysis::Play::Stand;
    bool right = false;
};

// A first decision of a two-card hand as the edge reads it: its day, cell and answer.
struct FirstAnswer {
    QDate day;
    GridCell cell;
    analysis::Play answer;
};

// The drill's memory: every answer in an SQLite database in the data folder, committed one by
// one, read back at start into the records of every cell. Answers are kept by the table's key
// (Table::key(): the canonical text of its rules); the cells count first decisions of two-card
// hands.
//
// Version 1 kept a rule set 0, 1 or 2 and two cards per answer; it is brought to version 2 at
// open in one transaction, every answer kept (the rule sets become the three charts). If that
// fails the file stays as it was and the drill runs without memory.
//
// Nothing is lost or damaged: a database that cannot be read, is damaged or comes from a newer
// version is set aside under a new name (never deleted) and a new one is started; a folder that
// cannot be written leaves the drill working without memory. Either way notice() says so once.
class History {
public:
    static constexpr int kRightsToMend = 3;  // right answers in a row that end a weak spot
    static constexpr int kSchemaVersion = 2; // PRAGMA user_version

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
    void record(const QString& table, const Answer& answer);

    const CellRecord& cell(const QString& table, const GridCell& cell) const;
    std::vector<GridCell> weakCells(const QString& table) const;
    // All answers ever given at a table, and the right ones.
    std::pair<int, int> totals(const QString& table) const;
    // The first decisions of two-card hands at a table, oldest first.
    const std::vector<FirstAnswer>& firstAnswers(const QString& table) const;

private:
    enum class Opened { Ready, Unusable, InUse };
    Opened open();
    Opened prepare(QSqlDatabase& db);
    bool migrateFromVersion1(QSqlDatabase& db);
    void setAside(const QString& why);
    void withoutMemory(const QString& why);
    void count(const QString& table, const QDate& day, const Answer& answer);

    QString folder_;
    QString path_;
    QString connection_;
    bool remembers_ = false;
    QString notice_;
    using Cells = std::array<std::array<CellRecord, 10>, kChartRows>;
    struct Kept {
        Cells cells{};
        int tries = 0;
        int rights = 0;
        std::vector<FirstAnswer> first;
    };
    std::map<QString, Kept> kept_;
};

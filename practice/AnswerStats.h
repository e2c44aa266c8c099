#pragma once

#include "HandDealer.h"

#include "Play.h"

#include <QDate>
#include <QString>

#include <array>
#include <deque>
#include <map>
#include <optional>
#include <vector>

namespace practice {

// How the player has done in one cell of a chart.
struct CellRecord {
    static constexpr int kRightsToMend = 3; // right answers in a row that end a weak spot
    static constexpr std::size_t kLastAnswers = 20;

    int tries = 0;
    int rights = 0;
    int streak = 0;    // right answers since the last wrong one
    bool weak = false; // missed, and not yet answered right enough times in a row since
    std::deque<analysis::Play> last; // the last kLastAnswers answers, the newest last

    // Counts one more answer of the cell, `right` or not.
    void add(analysis::Play answer, bool right);
};

// A decision made with a count: the system (its id, or "tags:" and its tags), the count the
// player went by, the basic chart's play (the right play is then the index play) and what the
// answer cost against the index play on the cards that were left, in units.
struct CountedDecision {
    QString system;
    int count = 0;
    analysis::Play basicPlay = analysis::Play::Stand;
    double cost = 0;
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
    std::optional<CountedDecision> counted;
};

// An answer of counting: a drill's (the running count of the cards dealt, the decks left in a
// tray, the true count), a count check in a shoe, a bet or an insurance decision.
enum class CountKind { RunningCount, DecksLeft, TrueCount, CountCheck, Bet, Insurance };
struct CountAnswer {
    CountKind kind = CountKind::RunningCount;
    QString system;
    int cardsSeen = 0; // counted, or in the tray
    int cardsLeft = 0; // in the shoe, where it matters
    double seconds = 0;
    double given = 0; // a count, decks, units bet, 1 insured
    double right = 0;
    bool correct = false;
    double cost = 0;  // units a round lost, for a bet or an insurance decision
    double count = 0; // the count the player went by, for a bet or an insurance decision
};

// The first decisions of two-card hands given in a cell on a day, one answer: how many.
struct DayAnswers {
    QDate day;
    GridCell cell;
    analysis::Play answer = analysis::Play::Stand;
    int answers = 0;
};

// The records of a table's answered cells.
using CellRecords = std::vector<std::pair<GridCell, CellRecord>>;

// The cell of the grid an answer counts in: the first decision of a two-card hand; nothing for
// a later decision, a hand of more cards or one with a count.
std::optional<GridCell> cellOf(const Answer& answer);

// What the answers say, by table (Table::key()): every answer without a count counts in the
// totals; the first decisions of two-card hands count in their cells.
class AnswerStats {
public:
    // Counts an answer; the cell of the grid it changed, if any.
    std::optional<GridCell> add(const QString& table, const Answer& answer);
    // A cell and the totals of a table as the history keeps them.
    void setCell(const QString& table, const GridCell& cell, const CellRecord& record);
    void setTotals(const QString& table, int tries, int rights);

    const CellRecord& cell(const QString& table, const GridCell& cell) const;
    std::vector<GridCell> weakCells(const QString& table) const;
    // All answers ever given at a table, and the right ones.
    std::pair<int, int> totals(const QString& table) const;
    // The cells of a table with an answer, in the order of the grid.
    CellRecords answered(const QString& table) const;
    // Every table with an answer.
    std::vector<QString> tables() const;
    void clear() { kept_.clear(); }

private:
    using Cells = std::array<std::array<CellRecord, 10>, kChartRows>;
    struct Kept {
        Cells cells{};
        int tries = 0;
        int rights = 0;
    };
    std::map<QString, Kept> kept_;
};

} // namespace practice

#pragma once

#include "PracticeView.h"
#include "Table.h"

#include <QObject>

#include <vector>

namespace Ui {
class DrillWindow;
} // namespace Ui
class KeepCountBar;

// Shows the practice session on the window's Practice tab: the felt, the hand and the
// feedback, which answers and keys are open, where the focus goes on, the rules line, the list
// of tables and how rounds are played; and the keep-the-count bar (made the first time the
// count is kept), whose answers it passes on.
class PracticeTab : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PracticeTab)

public:
    explicit PracticeTab(Ui::DrillWindow& ui, QObject* parent = nullptr);

    // The session's view: `playOut` whether rounds are played out, `keeping` whether the count
    // is kept.
    void show(const practice::PracticeView& view, const QString& score, bool playOut, bool keeping);
    // Which answers are open; the focus where the keyboard user goes on.
    void setAnswering(bool answering, const analysis::PlayValues& allowed, bool playOut);
    // The boxes and menu items of how rounds are played, without their handlers: keeping the
    // count plays hands out, and single hands keep no count.
    void showPlayMode(bool playOut, bool keepCount);
    // The rules in force, and the count in force where there is one (its words), as a screen
    // reader reads them.
    void showRules(const practice::Table& table, const QString& countWords);
    // The Rules list: these tables, then "Your table…"; `current` chosen.
    void showTables(const std::vector<practice::Table>& tables, int current);
    // Keeping the count and the index chart (one at a time), with a count in force.
    void enableCount(bool counting, bool makingIndexChart);
    // Only the tab shown takes the round's keys.
    bool shown() const;
    void holdKeys();

signals:
    void betPlaced(int units);
    void insured(bool insure);
    void countAnswered(double count);

private:
    void showCountBar(const practice::PracticeView& view, bool keeping);

    Ui::DrillWindow& ui;
    KeepCountBar* countBar_ = nullptr;
};

#pragma once

#include "AnalysisCache.h"
#include "CountInForce.h"
#include "CounterEdge.h"
#include "PracticeSession.h"

#include <QFutureWatcher>
#include <QObject>
#include <QString>

namespace Ui {
class DrillWindow;
} // namespace Ui
class CountPanel;
class EdgePanel;
class WeakSpotsPanel;

// The Weak spots, Count and Your edge tabs: each panel made when its tab is first shown, then
// kept up to date with the table, the count in force and the answers. Your edge waits for the
// table's analysis and the count's plan, which it asks for; what the player's counting makes of
// the game reads every answer of counting, off the window's thread.
class DrillTabs : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DrillTabs)

public:
    DrillTabs(Ui::DrillWindow& ui, practice::PracticeSession& session,
              practice::CountInForce& count, AnalysisCache& analyses, std::uint32_t seed,
              QObject* parent = nullptr);
    ~DrillTabs() override;

    // Brings the tab shown, and those made before, up to date.
    void update();
    // An answer changed a cell of the Weak spots grid.
    void cellChanged(const practice::GridCell& cell);

signals:
    // A cell of the study list chosen: single hands of it.
    void studyChosen(const practice::GridCell& cell);

private slots:
    void BetChange(double bet);
    void CounterReady();

private:
    void updateEdge();
    void updateCounter();

    Ui::DrillWindow& ui;
    practice::PracticeSession& session_;
    practice::CountInForce& count_;
    AnalysisCache& analyses_;
    std::uint32_t seed_;
    WeakSpotsPanel* weakSpots_ = nullptr;
    CountPanel* countPanel_ = nullptr;
    QString countPanelKey_; // the table and count it drills
    EdgePanel* edge_ = nullptr;
    // What the player's counting makes of the game, read and worked out off the window's thread
    // for the count in force (its text), one at a time.
    QFutureWatcher<practice::CounterEdge> counter_;
    QString counterKey_;
    bool counterAgain_ = false;
};

#pragma once

// Hitwise Drill's window. How the parts meet: a PracticeSession (practice/) deals, grades and
// records, and says what to show; the window shows it on the FeltTable and its labels, and
// passes the player's buttons, menus and keys on. The Weak spots tab (WeakSpotsPanel, a model of
// the answers) and the Your edge tab (EdgePanel, with the CostPlot) are made when first shown;
// the AnalysisCache works whole tables out off the window's thread; DrillSettings keeps the
// tables and the bet; writeChartFile() writes the chart of the player's own table.

#include "AnalysisCache.h"
#include "CountLab.h"
#include "PracticeSession.h"

#include <QFutureWatcher>
#include <QMainWindow>

#include <memory>
#include <optional>

namespace Ui {
class DrillWindow;
} // namespace Ui
class CountPanel;
class EdgePanel;
class KeepCountBar;
class QTimer;
class WeakSpotsPanel;

class DrillWindow : public QMainWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DrillWindow)

public:
    struct Start {
        std::optional<Table> table; // from the command line; else the last one used
        bool playOut = false;
        std::uint32_t seed = 0;
        std::optional<counting::Game> count; // the count in force; its rules are the table's
        bool keepCount = false;              // play the shoe with it from the start
    };
    // The history lives in dataFolder; the charts are read from programFolder.
    DrillWindow(const QString& dataFolder, const QString& programFolder, const Start& start,
                QWidget* parent = nullptr);
    ~DrillWindow() override;

private slots:
    void HitClick();
    void StandClick();
    void DoubleClick();
    void SplitClick();
    void SurrenderClick();
    void NextClick();
    void RuleSetChange();
    void DealKindChange();
    void PlayOutChange();
    void YourTableClick();
    void ChartClick();
    void HelpClick();
    void IndexChartClick();
    void CountClick();
    void IndicesReady();
    void KeepCountChange();
    void CountPlanReady();
    void BetPlace(int units);
    void BetChosen(QAction* action);
    void Insure(bool insure);
    void InsureClick();
    void DeclineClick();
    void CheckAnswer(double count);
    void ShowCountToggle();
    void TabChange();
    void BetChange(double bet);
    void StudyChoose(const GridCell& cell);
    void AnalysisStarted(const Table& table);
    void AnalysisReady();

private:
    void bindHandlers();
    void showRulesLine();
    void showPlayMode(bool playOut, bool keepCount);
    void fillRuleSets();
    void useTable(Table table);
    void answer(analysis::Play play);
    void showView();
    void setAnswering(bool answering, const analysis::PlayValues& allowed);
    void updateWeakSpots();
    void updateEdge();
    void updateCountPanel();
    void openChart(const AnalysisCache::Analyses& analysis);
    void reportHistoryNotice();
    void planCount();
    QString planKeyOf() const;
    void showCountRow(const PracticeView& view);
    void afterCountStep(bool taken);

    std::unique_ptr<Ui::DrillWindow> ui;
    QString programFolder_;
    std::optional<counting::Game> count_; // the count in force
    QFutureWatcher<std::string> indices_; // the index chart's page, worked out off the thread
    Table indexTable_;                    // the table it is for
    // What playing the shoe with the count needs, worked out off the thread for a table and
    // count (its arguments); the last one made is kept.
    QFutureWatcher<std::shared_ptr<const CountPlan>> planning_;
    QString planKey_;    // what the window wants
    QString plannedKey_; // what the work under way is for
    std::shared_ptr<const CountPlan> plan_;
    PracticeSession session_;
    std::vector<Table> ruleSets_; // the Rules list but its last entry, "Your table…"
    QTimer* blackjackTimer_;
    WeakSpotsPanel* weakSpots_ = nullptr; // made when the tab is first shown
    EdgePanel* edge_ = nullptr;           // likewise
    CountPanel* countPanel_ = nullptr;    // likewise
    QString countPanelKey_;               // the table and count it drills
    KeepCountBar* countBar_ = nullptr;    // made when the count is first kept
    std::uint32_t seed_ = 0;
    AnalysisCache analyses_;
    bool chartWanted_ = false;
};

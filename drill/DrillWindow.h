#pragma once

// Hitwise Drill's window. How the parts meet: a PracticeSession (practice/) deals, grades and
// records, and says what to show; the window shows it on the FeltTable and its labels, and
// passes the player's buttons, menus and keys on. The CountInForce (practice/) holds the count
// in force and works out off the window's thread what it needs (the plan that keeping the count
// and Your edge read, the index chart); the window only starts it and shows what it brings. The
// Weak spots tab (WeakSpotsPanel, a model of the answers), the Count tab (CountPanel) and the
// Your edge tab (EdgePanel, with the CostPlot) are made when first shown, the KeepCountBar when
// the count is first kept; the AnalysisCache works whole tables out off the window's thread;
// DrillSettings keeps the tables, the count and the bet; ChartFile writes the charts it opens.

#include "AnalysisCache.h"
#include "CountInForce.h"
#include "DrillDocuments.h"
#include "DrillTabs.h"
#include "PracticeSession.h"
#include "PracticeTab.h"

#include <QMainWindow>

#include <memory>
#include <optional>

namespace Ui {
class DrillWindow;
} // namespace Ui
class QTimer;

class DrillWindow : public QMainWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DrillWindow)

public:
    struct Start {
        std::optional<practice::Table> table; // from the command line; else the last one used
        bool playOut = false;
        std::uint32_t seed = 0;
        std::optional<counting::Game> count; // the count in force, played at the table's rules
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
    void IndexChartReady(const std::string& page);
    void CountClick();
    void KeepCountChange();
    void PlanStarted(const QString& countWords);
    void PlanReady();
    void BetPlace(int units);
    void BetChosen(QAction* action);
    void Insure(bool insure);
    void InsureClick();
    void DeclineClick();
    void CheckAnswer(double count);
    void ShowCountToggle();
    void TabChange();
    void StudyChoose(const practice::GridCell& cell);
    void AnalysisStarted(const practice::Table& table);
    void AnalysisReady();

private:
    void bindHandlers();
    void showRulesLine();
    void useTable(practice::Table table);
    void answer(analysis::Play play);
    void showView();
    void reportHistoryNotice();
    void planCount();
    void afterCountStep(bool taken);
    void enableCount();

    std::unique_ptr<Ui::DrillWindow> ui;
    practice::PracticeSession session_;
    practice::CountInForce count_;
    AnalysisCache analyses_;
    std::unique_ptr<PracticeTab> tab_;      // shows the Practice tab
    std::unique_ptr<DrillTabs> tabs_;       // the other tabs
    practice::Table indexTable_;            // the table of the index chart under way
    std::vector<practice::Table> ruleSets_; // the Rules list but its last entry, "Your table…"
    QTimer* blackjackTimer_;
    DrillDocuments documents_;
};

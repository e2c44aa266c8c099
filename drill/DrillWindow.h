#pragma once

// The drill window: it deals a hand (or plays a round out from a shoe), the player answers by
// button, menu or key, every decision is graded at once and stored in the history, and Space or
// Enter deals the next one. How the parts meet: a Table holds the rules in force (one of the
// three charts, or the player's own), HandDealer chooses single hands (leaning on the weak
// spots the History keeps), Round plays a hand out, grade() grades a decision by the chart or
// the engine, Edge turns the history into what the player's mistakes cost, FeltTable and
// CostPlot draw. Whole tables of the engine are worked out off the window's thread; the window
// only shows and reacts.

#include "Analysis.h"
#include "Grading.h"
#include "HandDealer.h"
#include "History.h"
#include "Round.h"
#include "Table.h"

#include <QFutureWatcher>
#include <QMainWindow>

#include <map>
#include <memory>
#include <optional>

namespace Ui {
class DrillWindow;
class EdgePanel;
class WeakSpotsPanel;
} // namespace Ui
class QTimer;

class DrillWindow : public QMainWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DrillWindow)

public:
    struct Start {
        std::optional<Table> table; // from the command line; else the last one used
        bool playOut = false;
        std::uint32_t seed = 0;
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
    void TabChange();
    void BetChange();
    void StudyChoose();
    void AnalysisReady();

private:
    using Analyses = std::shared_ptr<const analysis::Analysis>;
    void bindHandlers();
    void fillRuleSets();
    void useTable(Table table);
    void dealNext();
    void startRound();
    void showDeal();
    void showRound();
    void answer(analysis::Play play);
    void answerDeal(analysis::Play play);
    void answerRound(analysis::Play play);
    QString gradeText(const Grade& grade, analysis::Play play) const;
    void setAnswering(bool answering, const analysis::PlayValues& allowed = {});
    void updateScore();
    void updateWeakSpots();
    void updateEdge();
    // The content of the Weak spots and Your edge tabs, made when the tab is first shown: the
    // window opens quicker without them.
    void makeWeakSpotsPanel();
    void makeEdgePanel();
    // The engine's whole table for the rules in force: at once if worked out, else started off
    // the window's thread, and `then` runs when it is ready.
    Analyses analysisFor(const Table& table);
    void writeAndOpenChart(const Analyses& analysis);
    void reportHistoryNotice();

    std::unique_ptr<Ui::DrillWindow> ui;
    std::unique_ptr<Ui::WeakSpotsPanel> weakUi;
    std::unique_ptr<Ui::EdgePanel> edgeUi;
    QString programFolder_;
    History history_;
    HandDealer dealer_;
    std::uint32_t seed_;
    std::vector<Table> ruleSets_; // the Rules list but its last entry, "Your table…"
    Table table_;
    bool playOut_ = false;
    std::unique_ptr<CardShoe> shoe_;
    std::unique_ptr<Round> round_;
    QStringList roundLog_; // the round's decisions and grades
    int position_ = 0;     // decisions so far in the round
    Deal deal_;
    std::optional<GridCell> studyCell_;
    bool answering_ = false;
    int sessionTries_ = 0;
    int sessionRights_ = 0;
    QTimer* blackjackTimer_;
    std::map<QString, Analyses> analyses_;
    QFutureWatcher<Analyses> watcher_;
    QString working_; // the key of the table being worked out
    bool chartWanted_ = false;
};

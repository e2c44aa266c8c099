#pragma once

#include "GameShelf.h"
#include "LabForms.h"
#include "LabRun.h"
#include "LabStudy.h"
#include "RampModel.h"

#include "HistoryQueries.h"

#include <QFutureWatcher>
#include <QMainWindow>
#include <QStringListModel>

#include <functional>
#include <map>
#include <memory>
#include <optional>

namespace Ui {
class LabWindow;
}

// Hitwise Lab: the shelf of games and the form of the one in hand on the left, what it is
// worth on the tabs. The figures come from planning::LabStudy, runs from planning::LabRun,
// tables from LabForms; the window only shows them.
class LabWindow : public QMainWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LabWindow)

public:
    // `data` holds the shelf; `history` is the drill's history file.
    LabWindow(const QString& data, const QString& history, const QString& documents,
              const counting::Game& start, QWidget* parent = nullptr);
    ~LabWindow() override;

private slots:
    void FormChange();
    void TableClick();
    void AddStepClick();
    void RemoveStepClick();
    void RampRefused(const QString& why);
    void StudyWorking();
    void StudyReady();
    void StudyFailed(const QString& why);
    void ShelfChoose();
    void SaveAsClick();
    void SaveClick();
    void RenameClick();
    void DuplicateClick();
    void DeleteClick();
    void DrillClick();
    void SimulateClick();
    void StopClick();
    void RunProgress(const planning::RunState& state);
    void RunFinished(const planning::RunState& state);
    void CompareClick();
    void CompareReady();
    void CompareSimClick();
    void CompareCsvClick();
    void CompareHtmlClick();
    void IndexHtmlClick();
    void IndexPdfClick();
    void IndexCardClick();
    void SpreadChoose();
    void UseRampClick();
    void HistoryReady();
    void BothWaysClick();
    void MistakesFileClick();
    void HelpClick();
    void AboutClick();

private:
    struct ShelfEntry {
        QString name;
        counting::Game game;
        int shelfIndex = -1; // -1: the drill's count in force
    };
    struct Job {
        simulation::Setup setup;
        QString what; // said in the status line
        std::function<void(const planning::RunState&)> done;
    };

    void showGame(const counting::Game& game);
    std::optional<counting::Game> formGame();
    void showFigures();
    void showSpreadBankroll();
    void showCompared();
    bool hasComparison();
    void reloadShelf(int select);
    int chosenEntry() const;
    void queueRun(Job job);
    void nextRun();
    simulation::Setup setupOf(const counting::Game& game) const;
    std::int64_t roundsChosen() const;
    void writeFile(const QString& title, const QString& filter, const QByteArray& bytes);
    void loadHistory();

    std::unique_ptr<Ui::LabWindow> ui;
    QString history_;
    QString documents_;
    planning::GameShelf shelf_;
    std::vector<ShelfEntry> entries_;
    QStringListModel shelfModel_;
    planning::RampModel rampModel_;
    planning::LabStudy study_;
    planning::LabRun run_;
    std::vector<Job> jobs_;
    std::optional<Job> running_;
    counting::Game current_;
    // Runs of each game (by its text), the latest kept.
    std::map<QString, simulation::SimFigures> simulated_;

    planning::LabTableModel figuresModel_, byCountModel_, indexGridModel_, indexListModel_,
        compareModel_, spreadModel_, ruinModel_, tripModel_, mistakesModel_, bothWaysModel_;
    std::vector<planning::ComparedGame> compared_;
    QFutureWatcher<std::vector<planning::ComparedGame>> compareWatcher_;
    QFutureWatcher<practice::CountRecords> historyWatcher_;
    std::optional<simulation::Mistakes> mistakes_;
};

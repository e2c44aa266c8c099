#include "DrillWindow.h"

#include "ChartFile.h"
#include "CountDialog.h"
#include "CountOptions.h"
#include "CountPanel.h"
#include "DocumentOpener.h"
#include "DrillSettings.h"
#include "EdgePanel.h"
#include "KeepCountBar.h"
#include "KnownCharts.h"
#include "TableDialog.h"
#include "WeakSpotsPanel.h"
#include "ui_DrillWindow.h"

#include <QMessageBox>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>

using analysis::Play;

namespace {

constexpr int kBlackjackPause = 1500; // ms before the hand after a blackjack is dealt
constexpr int kStatusShown = 4000;    // ms a passing word stays in the status bar

} // namespace

DrillWindow::DrillWindow(const QString& dataFolder, const QString& programFolder,
                         const Start& start, QWidget* parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::DrillWindow>()), programFolder_(programFolder),
      session_(dataFolder, start.seed,
               start.table ? *start.table : drillsettings::lastTable().value_or(Table::ofChart(0)),
               start.playOut),
      count_(start.count), blackjackTimer_(new QTimer(this)), seed_(start.seed) {
    ui->setupUi(this);
    blackjackTimer_->setSingleShot(true);
    blackjackTimer_->setInterval(kBlackjackPause);
    fillRuleSets();
    enableCount();
    showPlayMode(start.playOut, start.keepCount && count_.has());
    bindHandlers();
    useTable(session_.table());
    reportHistoryNotice();
}

DrillWindow::~DrillWindow() = default;

// Keeping the count and the index chart (one at a time), with a count in force.
void DrillWindow::enableCount() {
    const bool chart = count_.has() && !count_.makingIndexChart();
    ui->KeepCountBox->setEnabled(count_.has());
    ui->ActionKeepCount->setEnabled(count_.has());
    ui->IndexChartButton->setEnabled(chart);
    ui->ActionIndexChart->setEnabled(chart);
}

void DrillWindow::bindHandlers() {
    connect(ui->HitButton, &QPushButton::clicked, this, &DrillWindow::HitClick);
    connect(ui->StandButton, &QPushButton::clicked, this, &DrillWindow::StandClick);
    connect(ui->DoubleButton, &QPushButton::clicked, this, &DrillWindow::DoubleClick);
    connect(ui->SplitButton, &QPushButton::clicked, this, &DrillWindow::SplitClick);
    connect(ui->SurrenderButton, &QPushButton::clicked, this, &DrillWindow::SurrenderClick);
    connect(ui->NextButton, &QPushButton::clicked, this, &DrillWindow::NextClick);
    connect(ui->ChartButton, &QPushButton::clicked, this, &DrillWindow::ChartClick);
    connect(ui->ActionHit, &QAction::triggered, this, &DrillWindow::HitClick);
    connect(ui->ActionStand, &QAction::triggered, this, &DrillWindow::StandClick);
    connect(ui->ActionDouble, &QAction::triggered, this, &DrillWindow::DoubleClick);
    connect(ui->ActionSplit, &QAction::triggered, this, &DrillWindow::SplitClick);
    connect(ui->ActionSurrender, &QAction::triggered, this, &DrillWindow::SurrenderClick);
    connect(ui->ActionNext, &QAction::triggered, this, &DrillWindow::NextClick);
    connect(ui->ActionQuit, &QAction::triggered, this, &QWidget::close);
    connect(ui->ActionYourTable, &QAction::triggered, this, &DrillWindow::YourTableClick);
    connect(ui->ActionChart, &QAction::triggered, this, &DrillWindow::ChartClick);
    connect(ui->IndexChartButton, &QPushButton::clicked, this, &DrillWindow::IndexChartClick);
    connect(ui->ActionIndexChart, &QAction::triggered, this, &DrillWindow::IndexChartClick);
    connect(ui->ActionCount, &QAction::triggered, this, &DrillWindow::CountClick);
    connect(&count_, &CountInForce::indexChartReady, this, &DrillWindow::IndexChartReady);
    connect(ui->ActionPlayOut, &QAction::toggled, ui->PlayOutBox, &QCheckBox::setChecked);
    connect(ui->ActionKeepCount, &QAction::toggled, ui->KeepCountBox, &QCheckBox::setChecked);
    connect(ui->KeepCountBox, &QCheckBox::toggled, this, &DrillWindow::KeepCountChange);
    connect(&count_, &CountInForce::planStarted, this, &DrillWindow::PlanStarted);
    connect(&count_, &CountInForce::planReady, this, &DrillWindow::PlanReady);
    connect(ui->BetActions, &QActionGroup::triggered, this, &DrillWindow::BetChosen);
    connect(ui->ActionInsure, &QAction::triggered, this, &DrillWindow::InsureClick);
    connect(ui->ActionDecline, &QAction::triggered, this, &DrillWindow::DeclineClick);
    connect(ui->ActionHelp, &QAction::triggered, this, &DrillWindow::HelpClick);
    connect(ui->ActionShowCount, &QAction::triggered, this, &DrillWindow::ShowCountToggle);
    connect(ui->PlayOutBox, &QCheckBox::toggled, this, &DrillWindow::PlayOutChange);
    connect(blackjackTimer_, &QTimer::timeout, this, &DrillWindow::NextClick);
    connect(ui->RuleSetBox, &QComboBox::activated, this, &DrillWindow::RuleSetChange);
    connect(ui->DealKindBox, &QComboBox::currentIndexChanged, this, &DrillWindow::DealKindChange);
    connect(ui->Tabs, &QTabWidget::currentChanged, this, &DrillWindow::TabChange);
    connect(&analyses_, &AnalysisCache::started, this, &DrillWindow::AnalysisStarted);
    connect(&analyses_, &AnalysisCache::ready, this, &DrillWindow::AnalysisReady);
}

void DrillWindow::reportHistoryNotice() {
    History& history = session_.history();
    const QString notice = history.takeNotice();
    if (notice.isEmpty()) return;
    // Answers of another version are safe in the file: a word in the status bar, once.
    if (history.remembers() && history.uncounted() > 0) {
        if (drillsettings::tellUncounted(history.uncounted())) statusBar()->showMessage(notice);
        return;
    }
    statusBar()->showMessage(notice);
    // After the event that found it has finished, so that no handler waits on the box.
    QTimer::singleShot(0, this, [this, notice] {
        QMessageBox::warning(this, QStringLiteral("Hitwise Drill"), notice);
    });
}

// The known charts, the last tables of the player's own, and "Your table…".
void DrillWindow::fillRuleSets() {
    ruleSets_.clear();
    for (int chart = 0; chart < charts::kKnownChartCount; ++chart)
        ruleSets_.push_back(Table::ofChart(chart));
    for (const Table& table : drillsettings::recentTables())
        ruleSets_.push_back(table);
    const QSignalBlocker quiet(ui->RuleSetBox);
    ui->RuleSetBox->clear();
    for (const Table& table : ruleSets_)
        ui->RuleSetBox->addItem(table.name());
    ui->RuleSetBox->addItem(QStringLiteral("Your table…"));
}

void DrillWindow::useTable(Table table) { // a copy: the list it may come from is rebuilt
    if (drillsettings::useTable(table)) fillRuleSets();
    const auto found = std::find(ruleSets_.begin(), ruleSets_.end(), table);
    const QSignalBlocker quiet(ui->RuleSetBox);
    ui->RuleSetBox->setCurrentIndex(int(found - ruleSets_.begin()));
    blackjackTimer_->stop(); // a blackjack's pause deals no hand at the new table
    session_.useTable(table);
    count_.setRules(table.rules); // the count is played at the table's rules
    if (count_.has()) drillsettings::setCountGame(count_.game(), false);
    planCount();
    showRulesLine();
    showView();
    updateWeakSpots();
    updateEdge();
    updateCountPanel();
}

void DrillWindow::HitClick() {
    answer(Play::Hit);
}
void DrillWindow::StandClick() {
    answer(Play::Stand);
}
void DrillWindow::DoubleClick() {
    answer(Play::Double);
}
void DrillWindow::SplitClick() {
    answer(Play::Split);
}
void DrillWindow::SurrenderClick() {
    answer(Play::Surrender);
}

void DrillWindow::answer(Play play) {
    if (!session_.answer(play)) {
        ui->FeedbackLabel->setText(session_.view().feedback);
        return;
    }
    reportHistoryNotice();
    showView();
    if (const auto cell = session_.takeChangedCell(); cell && weakSpots_) {
        weakSpots_->model().cellChanged(*cell);
    }
}

void DrillWindow::NextClick() {
    const PracticeView& view = session_.view();
    if (view.answering || view.betting || view.insuring || view.checkingCount || view.planning)
        return;
    blackjackTimer_->stop();
    session_.dealNext();
    showView();
}

// A table chosen from the list; its last entry asks for the player's own.
void DrillWindow::RuleSetChange() {
    const int index = ui->RuleSetBox->currentIndex();
    if (index >= 0 && index < int(ruleSets_.size())) {
        useTable(ruleSets_[index]);
    } else {
        YourTableClick();
    }
}

void DrillWindow::YourTableClick() {
    TableDialog dialog(session_.table().rules, this);
    if (dialog.exec() == QDialog::Accepted) {
        useTable(Table::own(dialog.rules()));
    } else {
        useTable(session_.table()); // the list shows the table in force again
    }
}

void DrillWindow::DealKindChange() {
    blackjackTimer_->stop();
    session_.setDealKind(DealKind(ui->DealKindBox->currentIndex()));
    showView();
}

void DrillWindow::PlayOutChange() {
    const bool playOut = ui->PlayOutBox->isChecked();
    showPlayMode(playOut, playOut && ui->KeepCountBox->isChecked());
    blackjackTimer_->stop();
    session_.setPlayOut(playOut);
    showView();
}

// The boxes and their menu items of how rounds are played, without their handlers: keeping the
// count plays hands out, and single hands keep no count.
void DrillWindow::showPlayMode(bool playOut, bool keepCount) {
    const QSignalBlocker quiet[] = {
        QSignalBlocker(ui->PlayOutBox), QSignalBlocker(ui->KeepCountBox),
        QSignalBlocker(ui->ActionPlayOut), QSignalBlocker(ui->ActionKeepCount)};
    ui->PlayOutBox->setChecked(playOut);
    ui->ActionPlayOut->setChecked(playOut);
    ui->KeepCountBox->setChecked(keepCount);
    ui->ActionKeepCount->setChecked(keepCount);
    ui->DealKindBox->setEnabled(!playOut);
}

// Keeping the count plays hands out; its plan is worked out first, off the thread.
void DrillWindow::KeepCountChange() {
    const bool keep = ui->KeepCountBox->isChecked();
    const bool playOut = ui->PlayOutBox->isChecked();
    showPlayMode(playOut || keep, keep);
    if (keep && !playOut) session_.setPlayOut(true);
    blackjackTimer_->stop();
    if (!keep) session_.keepCount(nullptr);
    planCount();
    showView();
}

// Keeping the count, or Your edge shown: the count's plan, worked out off the thread unless it
// is at hand. Until it is, the shoe waits: a counter bets before seeing a round.
void DrillWindow::planCount() {
    const bool keeping = ui->KeepCountBox->isChecked();
    if (!count_.has() || (!keeping && ui->Tabs->currentWidget() != ui->EdgeTab)) return;
    const auto plan = count_.plan();
    if (!keeping) return;
    if (plan && (!session_.keepsCount() || session_.view().planning)) {
        session_.keepCount(plan);
    } else if (!plan && !session_.view().planning) {
        session_.awaitPlan();
    }
}

void DrillWindow::PlanStarted(const QString& countWords) {
    statusBar()->showMessage(
        QStringLiteral("Working out the index plays and what each count is worth for %1…")
            .arg(countWords));
}

void DrillWindow::PlanReady() {
    statusBar()->clearMessage();
    planCount();
    showView();
    updateEdge();
}

void DrillWindow::afterCountStep(bool taken) {
    if (taken) reportHistoryNotice();
    showView();
}

void DrillWindow::BetPlace(int units) {
    afterCountStep(session_.placeBet(units));
}

void DrillWindow::BetChosen(QAction* action) {
    BetPlace(int(ui->BetActions->actions().indexOf(action)) + 1);
}

void DrillWindow::Insure(bool insure) {
    afterCountStep(session_.insure(insure));
}

void DrillWindow::InsureClick() {
    Insure(true);
}

void DrillWindow::DeclineClick() {
    Insure(false);
}

void DrillWindow::CheckAnswer(double count) {
    afterCountStep(session_.answerRunningCount(count));
}

void DrillWindow::ShowCountToggle() {
    session_.toggleCount();
    showView();
}

// The focus goes where the keyboard user continues; the tabs are brought up to date.
void DrillWindow::TabChange() {
    // Space deals in the Practice tab and the Count tab alike: only the tab shown has it.
    if (ui->Tabs->currentWidget() == ui->PracticeTab) {
        setAnswering(session_.view().answering, session_.view().allowed);
        showCountRow(session_.view());
    } else {
        // The keys of the Practice tab's round wait for it.
        for (QAction* action : {ui->ActionNext, ui->ActionInsure, ui->ActionDecline})
            action->setEnabled(false);
        ui->BetActions->setEnabled(false);
    }
    updateWeakSpots();
    updateEdge();
    updateCountPanel();
}

void DrillWindow::updateCountPanel() {
    if (!countPanel_ && ui->Tabs->currentWidget() != ui->CountTab) return;
    if (!countPanel_) {
        countPanel_ = new CountPanel(session_.history(), seed_, ui->CountTab);
        ui->countLayout->addWidget(countPanel_);
    }
    // A drill under way goes on unless the table or the count changed.
    const QString key =
        session_.table().key() + ' ' + (count_.has() ? options::gameText(count_.game()) : "");
    if (key == countPanelKey_) return;
    countPanelKey_ = key;
    countPanel_->setGame(count_.has() ? std::optional(count_.game()) : std::nullopt,
                         session_.table().key());
}

void DrillWindow::BetChange(double bet) {
    drillsettings::setBet(bet);
    updateEdge();
}

void DrillWindow::StudyChoose(const GridCell& cell) {
    const auto& rows = charts::everyRow();
    statusBar()->showMessage(
        QStringLiteral("Practising %1 against %2; choose a kind of deal to go back.")
            .arg(QString::fromStdString(rows[cell.row].label),
                 QString::fromStdString(charts::cardName(cell.up))));
    ui->Tabs->setCurrentWidget(ui->PracticeTab);
    showPlayMode(false, false);
    blackjackTimer_->stop();
    session_.study(cell);
    showView();
}

void DrillWindow::showView() {
    const PracticeView& view = session_.view();
    ui->Felt->setCards(view.dealer, view.hidden, view.dealerCaption, view.hands);
    ui->HandLabel->setText(view.hand);
    // A screen reader reads a button's description with its name when the focus lands on it:
    // the hand with the first answer, the grade with the next-hand button.
    ui->Felt->setAccessibleDescription(view.hand);
    ui->HitButton->setAccessibleDescription(view.hand);
    ui->FeedbackLabel->setText(view.feedback);
    if (!view.answering) ui->NextButton->setAccessibleDescription(view.feedback);
    if (!view.status.isEmpty()) statusBar()->showMessage(view.status, kStatusShown);
    setAnswering(view.answering, view.allowed);
    ui->ScoreLabel->setText(session_.scoreText());
    showCountRow(view);
    if (view.blackjackPause) blackjackTimer_->start();
}

// The bet, the insurance and the count check, each shown while the session waits for it; the
// bar that holds them is made the first time the count is kept.
void DrillWindow::showCountRow(const PracticeView& view) {
    const bool keeping = session_.keepsCount();
    if (keeping && !countBar_) {
        countBar_ = new KeepCountBar(ui->PracticeTab);
        ui->countBarLayout->addWidget(countBar_);
        connect(countBar_, &KeepCountBar::betPlaced, this, &DrillWindow::BetPlace);
        connect(countBar_, &KeepCountBar::insured, this, &DrillWindow::Insure);
        connect(countBar_, &KeepCountBar::countAnswered, this, &DrillWindow::CheckAnswer);
    }
    if (countBar_) countBar_->showView(view, keeping);
    ui->ActionShowCount->setEnabled(keeping);
    const bool here = ui->Tabs->currentWidget() == ui->PracticeTab;
    ui->BetActions->setEnabled(here && view.betting);
    ui->ActionInsure->setEnabled(here && view.insuring);
    ui->ActionDecline->setEnabled(here && view.insuring);
    // While the plan is worked out, nothing is dealt: the felt is busy, the feedback says why.
    ui->Felt->setCursor(view.planning ? Qt::BusyCursor : Qt::ArrowCursor);
    if (view.betting || view.insuring || view.checkingCount || view.planning) {
        ui->NextButton->setEnabled(false);
        ui->ActionNext->setEnabled(false);
        if (here && countBar_) countBar_->focusWaiting(view);
    }
}

void DrillWindow::setAnswering(bool answering, const analysis::PlayValues& allowed) {
    const bool playOut = session_.playOut();
    const std::pair<QPushButton*, Play> buttons[] = {{ui->HitButton, Play::Hit},
                                                     {ui->StandButton, Play::Stand},
                                                     {ui->DoubleButton, Play::Double},
                                                     {ui->SplitButton, Play::Split},
                                                     {ui->SurrenderButton, Play::Surrender}};
    for (const auto& [button, play] : buttons) {
        // Single hands keep every answer open: the grade says when one is not allowed.
        button->setEnabled(answering && (!playOut || allowed.allows(play)));
    }
    for (QAction* action :
         {ui->ActionHit, ui->ActionStand, ui->ActionDouble, ui->ActionSplit, ui->ActionSurrender}) {
        action->setEnabled(answering);
    }
    ui->NextButton->setEnabled(!answering);
    ui->ActionNext->setEnabled(!answering && ui->Tabs->currentWidget() == ui->PracticeTab);
    ui->NextButton->setText(playOut ? QStringLiteral("&Next round (Space)")
                                    : QStringLiteral("&Next hand (Space)"));
    if (ui->Tabs->currentWidget() == ui->PracticeTab) {
        QPushButton* first = ui->HitButton->isEnabled() ? ui->HitButton : ui->StandButton;
        (answering ? first : ui->NextButton)->setFocus();
    }
}

void DrillWindow::updateWeakSpots() {
    if (!weakSpots_ && ui->Tabs->currentWidget() != ui->WeakSpotsTab) return;
    if (!weakSpots_) {
        weakSpots_ = new WeakSpotsPanel(session_.history().stats(), ui->WeakSpotsTab);
        ui->weakLayout->addWidget(weakSpots_);
    }
    weakSpots_->model().setTable(session_.table().key());
}

void DrillWindow::updateEdge() {
    if (ui->Tabs->currentWidget() != ui->EdgeTab) return;
    if (!edge_) {
        edge_ = new EdgePanel(ui->EdgeTab);
        ui->edgeLayout->addWidget(edge_);
        edge_->setBet(drillsettings::bet());
        connect(edge_, &EdgePanel::betChanged, this, &DrillWindow::BetChange);
        connect(edge_, &EdgePanel::studyChosen, this, &DrillWindow::StudyChoose);
    }
    const Table& table = session_.table();
    if (const auto analysis = analyses_.find(table)) {
        edge_->showEdge(*analysis, table, session_.history().stats());
    } else {
        edge_->showWorking(table);
    }
    if (!count_.has()) {
        edge_->showCounter(nullptr, {}, false);
        return;
    }
    const QString words = options::countWords(count_.game());
    if (const auto plan = count_.plan()) {
        const CounterEdge counter = counterEdge(*plan, session_.history());
        edge_->showCounter(&counter, words, false);
    } else {
        edge_->showCounter(nullptr, words, true);
    }
}

void DrillWindow::AnalysisStarted(const Table& table) {
    statusBar()->showMessage(QStringLiteral("Working out every hand for %1…").arg(table.name()));
}

void DrillWindow::AnalysisReady() {
    statusBar()->clearMessage();
    if (chartWanted_) {
        chartWanted_ = false;
        ChartClick();
    }
    updateEdge();
}

// The rules in force, and the count in force where there is one, as a screen reader reads them.
void DrillWindow::showRulesLine() {
    ui->RulesLabel->setText(
        QStringLiteral("Rules in force: %1.").arg(session_.table().words()) +
        (count_.has() ? QStringLiteral(" Count in force: %1.").arg(options::countWords(count_.game()))
                      : QString()));
}

// The count in force, chosen in its dialog and kept for the next start.
void DrillWindow::CountClick() {
    counting::Game start;
    start.rules = session_.table().rules;
    CountDialog dialog(count_.has() ? count_.game() : start, drillsettings::recentGames(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    count_.setGame(*dialog.game());
    drillsettings::setCountGame(count_.game(), true);
    enableCount();
    showRulesLine();
    updateCountPanel();
    if (ui->KeepCountBox->isChecked()) {
        session_.awaitPlan();
        planCount();
        showView();
    }
    updateEdge();
}

// The index chart of the count in force at the rules in force: a second or two of the
// engine's work, off the window's thread; the page opens when it is done.
void DrillWindow::IndexChartClick() {
    if (!count_.makeIndexChart()) return;
    indexTable_ = session_.table();
    enableCount();
}

void DrillWindow::IndexChartReady(const std::string& page) {
    enableCount();
    QString error;
    if (const auto path = writeIndexChartFile(indexTable_, page, &error)) {
        open(*path, {});
    } else {
        QMessageBox::warning(this, QStringLiteral("Hitwise Drill"), error);
    }
}

void DrillWindow::open(const QString& document, const QString& folder) {
    documentOpener().open(this, "open", document, {}, folder, DocumentOpener::kShowNormal);
}

// The help page, beside the program as the charts are.
void DrillWindow::HelpClick() {
    open(QStringLiteral("hitwise-drill.htm"), programFolder_);
}

void DrillWindow::ChartClick() {
    const Table& table = session_.table();
    if (table.isChart()) {
        const std::string_view file = charts::kKnownCharts[table.chart].file;
        open(QString::fromLatin1(file.data(), qsizetype(file.size())), programFolder_);
        return;
    }
    const auto analysis = analyses_.find(table);
    if (!analysis) {
        chartWanted_ = true;
        return;
    }
    QString error;
    if (const auto path = writeChartFile(table, *analysis, &error)) {
        open(*path, {});
    } else {
        QMessageBox::warning(this, QStringLiteral("Hitwise Drill"), error);
    }
}

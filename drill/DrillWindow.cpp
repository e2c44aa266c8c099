#include "DrillWindow.h"

#include "CountDialog.h"
#include "CountOptions.h"
#include "DrillSettings.h"
#include "TableDialog.h"
#include "ui_DrillWindow.h"

#include <QMessageBox>
#include <QTimer>

#include <algorithm>

using namespace practice;

using analysis::Play;

namespace {

constexpr int kBlackjackPause = 1500; // ms before the hand after a blackjack is dealt
constexpr int kStatusShown = 4000;    // ms a passing word stays in the status bar
constexpr int kCheckAfter = 1000;     // ms after the start that the history's file is checked

} // namespace

DrillWindow::DrillWindow(const QString& dataFolder, const QString& programFolder,
                         const Start& start, QWidget* parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::DrillWindow>()),
      session_(dataFolder, start.seed,
               start.table ? *start.table : DrillSettings::lastTable().value_or(Table::ofChart(0)),
               start.playOut),
      count_(start.count), blackjackTimer_(new QTimer(this)),
      documents_(programFolder, analyses_, this) {
    ui->setupUi(this);
    tab_ = std::make_unique<PracticeTab>(*ui);
    tabs_ = std::make_unique<DrillTabs>(*ui, session_, count_, analyses_, start.seed);
    blackjackTimer_->setSingleShot(true);
    blackjackTimer_->setInterval(kBlackjackPause);
    enableCount();
    tab_->showPlayMode(start.playOut, start.keepCount && count_.has());
    bindHandlers();
    useTable(session_.table());
    reportHistoryNotice();
    // The whole file is checked a moment after the window shows: what it finds is told, and
    // shown.
    session_.history().onChecked([this] {
        reportHistoryNotice();
        showView();
        tabs_->update();
    });
    QTimer::singleShot(kCheckAfter, this, [this] { session_.history().startCheck(); });
}

DrillWindow::~DrillWindow() = default;

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
    connect(ui->ActionPlayOut, &QAction::toggled, ui->PlayOutBox, &QCheckBox::setChecked);
    connect(ui->ActionKeepCount, &QAction::toggled, ui->KeepCountBox, &QCheckBox::setChecked);
    connect(ui->KeepCountBox, &QCheckBox::toggled, this, &DrillWindow::KeepCountChange);
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
    connect(tabs_.get(), &DrillTabs::studyChosen, this, &DrillWindow::StudyChoose);
    connect(tab_.get(), &PracticeTab::betPlaced, this, &DrillWindow::BetPlace);
    connect(tab_.get(), &PracticeTab::insured, this, &DrillWindow::Insure);
    connect(tab_.get(), &PracticeTab::countAnswered, this, &DrillWindow::CheckAnswer);
    connect(&count_, &CountInForce::planStarted, this, &DrillWindow::PlanStarted);
    connect(&count_, &CountInForce::planReady, this, &DrillWindow::PlanReady);
    connect(&count_, &CountInForce::indexChartReady, this, &DrillWindow::IndexChartReady);
    connect(&analyses_, &AnalysisCache::started, this, &DrillWindow::AnalysisStarted);
    connect(&analyses_, &AnalysisCache::ready, this, &DrillWindow::AnalysisReady);
}

void DrillWindow::reportHistoryNotice() {
    History& history = session_.history();
    const QString notice = history.takeNotice();
    if (notice.isEmpty()) return;
    // Answers of another version are safe in the file: a word in the status bar, once.
    if (history.remembers() && history.uncounted() > 0) {
        if (DrillSettings::tellUncounted(history.uncounted())) statusBar()->showMessage(notice);
        return;
    }
    statusBar()->showMessage(notice);
    // After the event that found it has finished, so that no handler waits on the box.
    QTimer::singleShot(0, this, [this, notice] {
        QMessageBox::warning(this, QStringLiteral("Hitwise Drill"), notice);
    });
}

void DrillWindow::enableCount() {
    tab_->enableCount(count_.has(), count_.makingIndexChart());
}

void DrillWindow::useTable(Table table) { // a copy: the list it may come from is rebuilt
    if (DrillSettings::useTable(table) || ruleSets_.empty()) ruleSets_ = DrillSettings::ruleSets();
    tab_->showTables(ruleSets_,
                     int(std::find(ruleSets_.begin(), ruleSets_.end(), table) - ruleSets_.begin()));
    blackjackTimer_->stop(); // a blackjack's pause deals no hand at the new table
    session_.useTable(table);
    count_.setRules(table.rules); // the count is played at the table's rules
    if (count_.has()) DrillSettings::setCountGame(count_.game(), false);
    planCount();
    showRulesLine();
    showView();
    tabs_->update();
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
    if (const auto cell = session_.takeChangedCell()) tabs_->cellChanged(*cell);
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
    useTable(dialog.exec() == QDialog::Accepted ? Table::own(dialog.rules())
                                                : session_.table()); // the list shows it again
}

void DrillWindow::DealKindChange() {
    blackjackTimer_->stop();
    session_.setDealKind(DealKind(ui->DealKindBox->currentIndex()));
    showView();
}

void DrillWindow::PlayOutChange() {
    const bool playOut = ui->PlayOutBox->isChecked();
    tab_->showPlayMode(playOut, playOut && ui->KeepCountBox->isChecked());
    blackjackTimer_->stop();
    session_.setPlayOut(playOut);
    showView();
}

// Keeping the count plays hands out; its plan is worked out first, off the thread.
void DrillWindow::KeepCountChange() {
    const bool keep = ui->KeepCountBox->isChecked();
    const bool playOut = ui->PlayOutBox->isChecked();
    tab_->showPlayMode(playOut || keep, keep);
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
    tabs_->update();
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

// The focus goes where the keyboard user continues; the tabs are brought up to date. Space
// deals in the Practice tab and the Count tab alike: only the tab shown has it.
void DrillWindow::TabChange() {
    if (tab_->shown()) {
        showView();
    } else {
        tab_->holdKeys();
    }
    tabs_->update();
}

void DrillWindow::StudyChoose(const GridCell& cell) {
    const auto& rows = charts::everyRow();
    statusBar()->showMessage(
        QStringLiteral("Practising %1 against %2; choose a kind of deal to go back.")
            .arg(QString::fromStdString(rows[cell.row].label),
                 QString::fromStdString(charts::cardName(cell.up))));
    ui->Tabs->setCurrentWidget(ui->PracticeTab);
    tab_->showPlayMode(false, false);
    blackjackTimer_->stop();
    session_.study(cell);
    showView();
}

void DrillWindow::showView() {
    const PracticeView& view = session_.view();
    if (!view.status.isEmpty()) statusBar()->showMessage(view.status, kStatusShown);
    tab_->show(view, session_.scoreText(), session_.playOut(), session_.keepsCount());
    if (view.blackjackPause) blackjackTimer_->start();
}

void DrillWindow::AnalysisStarted(const Table& table) {
    statusBar()->showMessage(QStringLiteral("Working out every hand for %1…").arg(table.name()));
}

void DrillWindow::AnalysisReady() {
    statusBar()->clearMessage();
    documents_.analysisReady();
    tabs_->update();
}

void DrillWindow::showRulesLine() {
    tab_->showRules(session_.table(), count_.has() ? options::countWords(count_.game()) : "");
}

// The count in force, chosen in its dialog and kept for the next start.
void DrillWindow::CountClick() {
    counting::Game start;
    start.rules = session_.table().rules;
    CountDialog dialog(count_.has() ? count_.game() : start, DrillSettings::recentGames(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    count_.setGame(*dialog.game());
    DrillSettings::setCountGame(count_.game(), true);
    enableCount();
    showRulesLine();
    if (ui->KeepCountBox->isChecked()) session_.awaitPlan();
    planCount();
    showView();
    tabs_->update();
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
    documents_.openIndexChart(indexTable_, page);
}

void DrillWindow::HelpClick() {
    documents_.openHelp();
}
void DrillWindow::ChartClick() {
    documents_.openChart(session_.table());
}

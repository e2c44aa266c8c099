#include "LabWindow.h"

#include "ui_LabWindow.h"

#include "LabPlots.h"
#include "TableDialog.h"

#include "BankrollPaths.h"
#include "ChartPdf.h"
#include "CountKept.h"
#include "CountOptions.h"
#include "DocumentOpener.h"
#include "GameProblems.h"
#include "StudyCache.h"
#include "Table.h"
#include "YourMistakes.h"

#include "KnownCharts.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QLocale>
#include <QMessageBox>
#include <QSaveFile>
#include <QScrollBar>
#include <QSettings>
#include <QSortFilterProxyModel>
#include <QStandardPaths>
#include <QtConcurrent>

#include <cmath>
#include <optional>

namespace {

const std::int64_t kRoundsChoices[] = {1'000'000, 10'000'000, 100'000'000, 1'000'000'000};

QString drillEntryName() {
    return QStringLiteral("The drill's count in force");
}

std::optional<counting::Game> drillCount() {
    const QSettings settings(practice::kDrillOrganisation, practice::kDrillApplication);
    return practice::keptCount(settings);
}

// A count box's value, "never" (its lowest) for none.
std::optional<int> countOf(const QSpinBox* box) {
    return box->value() == box->minimum() ? std::nullopt : std::optional<int>(box->value());
}

void setCount(QSpinBox* box, const std::optional<int>& count) {
    box->setValue(count ? *count : box->minimum());
}

void showTable(QTableView* view, planning::LabTableModel& model, planning::LabTable table) {
    model.setTable(std::move(table));
    view->resizeColumnsToContents();
}

// A watcher's result; nothing where its work failed, and `status` then says why.
template <typename T>
std::optional<T> resultOf(QFutureWatcher<T>& watcher, QLabel* status, const QString& failed) {
    try {
        return watcher.result();
    } catch (const std::exception& e) {
        status->setText(failed.arg(QString::fromUtf8(e.what())));
        return std::nullopt;
    }
}

} // namespace

LabWindow::LabWindow(const QString& data, const QString& history, const QString& documents,
                     const counting::Game& start, QWidget* parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::LabWindow>()), history_(history),
      documents_(documents), shelf_(data), current_(start) {
    ui->setupUi(this);
    for (int chart = 0; chart < charts::kKnownChartCount; ++chart)
        ui->RulesBox->addItem(practice::Table::ofChart(chart).name());
    for (const counting::CountSystem& system : counting::builtInSystems())
        ui->SystemBox->addItem(QString::fromStdString(system.name),
                               QString::fromStdString(system.id));
    ui->Splitter->setStretchFactor(1, 1); // room given to the figures, the form as it needs
    // The form as wide as it needs, never scrolled sideways.
    ui->GameScroll->setMinimumWidth(ui->GamePane->minimumSizeHint().width() +
                                    ui->GameScroll->verticalScrollBar()->sizeHint().width() + 4);
    ui->Splitter->setCollapsible(0, false);
    ui->ShelfList->setModel(&shelfModel_);
    ui->RampView->setModel(&rampModel_);
    ui->RampView->verticalHeader()->hide();
    ui->RampView->horizontalHeader()->setStretchLastSection(true);
    const std::pair<QTableView*, planning::LabTableModel*> views[] = {
        {ui->FiguresView, &figuresModel_},  {ui->ByCountView, &byCountModel_},
        {ui->IndexGrid, &indexGridModel_},  {ui->IndexList, &indexListModel_},
        {ui->SpreadView, &spreadModel_},    {ui->RuinView, &ruinModel_},
        {ui->TripView, &tripModel_},        {ui->MistakesView, &mistakesModel_},
        {ui->BothWaysView, &bothWaysModel_}};
    for (const auto& [view, model] : views)
        view->setModel(model);
    auto* sorted = new QSortFilterProxyModel(this);
    sorted->setSourceModel(&compareModel_);
    sorted->setSortRole(Qt::UserRole);
    ui->CompareView->setModel(sorted);
    ui->SpreadView->setSelectionBehavior(QAbstractItemView::SelectRows);
    ui->SpreadView->setSelectionMode(QAbstractItemView::SingleSelection);
    ui->StopButton->setEnabled(false);
    ui->SimProgress->setFormat(QStringLiteral("%p %"));

    connect(ui->RulesBox, &QComboBox::activated, this, &LabWindow::FormChange);
    connect(ui->TableButton, &QPushButton::clicked, this, &LabWindow::TableClick);
    connect(ui->SystemBox, &QComboBox::activated, this, &LabWindow::FormChange);
    connect(ui->EstimateBox, &QComboBox::activated, this, &LabWindow::FormChange);
    connect(ui->RoundingBox, &QComboBox::activated, this, &LabWindow::FormChange);
    for (QSpinBox* box :
         {ui->PenetrationBox, ui->PlayersBox, ui->SeatBox, ui->SpotsBox, ui->WongInBox,
          ui->WongOutBox, ui->LeaveBox, ui->TableMaxBox, ui->BankrollBox, ui->RoundsBox})
        connect(box, &QSpinBox::valueChanged, this, &LabWindow::FormChange);
    connect(&rampModel_, &QAbstractItemModel::dataChanged, this, &LabWindow::FormChange);
    connect(&rampModel_, &QAbstractItemModel::rowsRemoved, this, &LabWindow::FormChange);
    connect(&rampModel_, &QAbstractItemModel::rowsInserted, this, &LabWindow::FormChange);
    connect(&rampModel_, &planning::RampModel::refused, this, &LabWindow::RampRefused);
    connect(ui->AddStepButton, &QPushButton::clicked, this, &LabWindow::AddStepClick);
    connect(ui->RemoveStepButton, &QPushButton::clicked, this, &LabWindow::RemoveStepClick);
    connect(&study_, &planning::LabStudy::working, this, &LabWindow::StudyWorking);
    connect(&study_, &planning::LabStudy::ready, this, &LabWindow::StudyReady);
    connect(&study_, &planning::LabStudy::failed, this, &LabWindow::StudyFailed);
    connect(ui->ShelfList, &QListView::activated, this, &LabWindow::ShelfChoose);
    connect(ui->ShelfList, &QListView::clicked, this, &LabWindow::ShelfChoose);
    connect(ui->AddButton, &QPushButton::clicked, this, &LabWindow::SaveAsClick);
    connect(ui->SaveButton, &QPushButton::clicked, this, &LabWindow::SaveClick);
    connect(ui->RenameButton, &QPushButton::clicked, this, &LabWindow::RenameClick);
    connect(ui->DuplicateButton, &QPushButton::clicked, this, &LabWindow::DuplicateClick);
    connect(ui->DeleteButton, &QPushButton::clicked, this, &LabWindow::DeleteClick);
    connect(ui->DrillButton, &QPushButton::clicked, this, &LabWindow::DrillClick);
    connect(ui->SimulateButton, &QPushButton::clicked, this, &LabWindow::SimulateClick);
    connect(ui->StopButton, &QPushButton::clicked, this, &LabWindow::StopClick);
    connect(&run_, &planning::LabRun::progress, this, &LabWindow::RunProgress);
    connect(&run_, &planning::LabRun::finished, this, &LabWindow::RunFinished);
    connect(ui->CompareButton, &QPushButton::clicked, this, &LabWindow::CompareClick);
    connect(&compareWatcher_, &QFutureWatcher<std::vector<planning::ComparedGame>>::finished, this,
            &LabWindow::CompareReady);
    connect(ui->CompareSimButton, &QPushButton::clicked, this, &LabWindow::CompareSimClick);
    connect(ui->CompareCsvButton, &QPushButton::clicked, this, &LabWindow::CompareCsvClick);
    connect(ui->CompareHtmlButton, &QPushButton::clicked, this, &LabWindow::CompareHtmlClick);
    connect(ui->ExportCompareAction, &QAction::triggered, this, &LabWindow::CompareHtmlClick);
    connect(ui->IndexHtmlButton, &QPushButton::clicked, this, &LabWindow::IndexHtmlClick);
    connect(ui->IndexPdfButton, &QPushButton::clicked, this, &LabWindow::IndexPdfClick);
    connect(ui->IndexCardButton, &QPushButton::clicked, this, &LabWindow::IndexCardClick);
    connect(ui->SpreadView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &LabWindow::SpreadChoose);
    connect(ui->RiskBox, &QDoubleSpinBox::valueChanged, this, &LabWindow::SpreadChoose);
    connect(ui->UseRampButton, &QPushButton::clicked, this, &LabWindow::UseRampClick);
    connect(&historyWatcher_, &QFutureWatcher<practice::CountRecords>::finished, this,
            &LabWindow::HistoryReady);
    connect(ui->BothWaysButton, &QPushButton::clicked, this, &LabWindow::BothWaysClick);
    connect(ui->MistakesFileButton, &QPushButton::clicked, this, &LabWindow::MistakesFileClick);
    connect(ui->HelpAction, &QAction::triggered, this, &LabWindow::HelpClick);
    connect(ui->AboutAction, &QAction::triggered, this, &LabWindow::AboutClick);
    connect(ui->QuitAction, &QAction::triggered, this, &QWidget::close);

    QString message;
    if (!shelf_.load(&message)) ui->ShelfStatus->setText(message);
    reloadShelf(-1);
    showGame(current_);
    FormChange();
    loadHistory();
}

LabWindow::~LabWindow() = default;

// ---- The form -------------------------------------------------------------------------------

void LabWindow::showGame(const counting::Game& game) {
    std::vector<std::unique_ptr<QSignalBlocker>> quiet;
    for (QObject* o : std::initializer_list<QObject*>{
             ui->RulesBox, ui->SystemBox, ui->EstimateBox, ui->RoundingBox, ui->PenetrationBox,
             ui->PlayersBox, ui->SeatBox, ui->SpotsBox, ui->WongInBox, ui->WongOutBox, ui->LeaveBox,
             ui->TableMaxBox, ui->BankrollBox, ui->RoundsBox})
        quiet.push_back(std::make_unique<QSignalBlocker>(o));
    const QString rules = practice::Table::own(game.rules).name();
    int at = -1;
    for (int chart = 0; chart < charts::kKnownChartCount; ++chart) {
        if (practice::Table::ofChart(chart).rules == game.rules) at = chart;
    }
    while (ui->RulesBox->count() > charts::kKnownChartCount)
        ui->RulesBox->removeItem(ui->RulesBox->count() - 1);
    if (at < 0) {
        ui->RulesBox->addItem(rules);
        at = charts::kKnownChartCount;
    }
    ui->RulesBox->setCurrentIndex(at);
    int system = ui->SystemBox->findData(QString::fromStdString(game.system.id));
    if (system < 0) {
        ui->SystemBox->addItem(QStringLiteral("Your tags"), QString());
        system = ui->SystemBox->count() - 1;
    }
    ui->SystemBox->setCurrentIndex(system);
    ui->EstimateBox->setCurrentIndex(int(game.conventions.estimate));
    ui->RoundingBox->setCurrentIndex(int(game.conventions.rounding));
    ui->PenetrationBox->setValue(int(std::lround(100 * game.penetration)));
    ui->PlayersBox->setValue(game.players);
    ui->SeatBox->setValue(game.seat.value_or(0));
    ui->SpotsBox->setValue(game.spots);
    rampModel_.setRamp(game.ramp); // a reset, which does not count as a change of the form
    setCount(ui->WongInBox, game.wongIn);
    setCount(ui->WongOutBox, game.wongOut);
    setCount(ui->LeaveBox, game.leaveBelow);
    ui->TableMaxBox->setValue(game.tableMax ? int(std::lround(*game.tableMax)) : 0);
    ui->BankrollBox->setValue(int(std::lround(game.bankroll)));
    ui->RoundsBox->setValue(int(std::lround(game.roundsPerHour)));
}

// The form's game, or nothing where a field is refused: its reason is then beside it.
std::optional<counting::Game> LabWindow::formGame() {
    counting::Game game = current_;
    const int rules = ui->RulesBox->currentIndex();
    if (rules >= 0 && rules < charts::kKnownChartCount)
        game.rules = practice::Table::ofChart(rules).rules;
    const auto system = counting::systemOfId(ui->SystemBox->currentData().toString().toStdString());
    if (system) game.system = *system;
    game.conventions.estimate = counting::DeckEstimate(ui->EstimateBox->currentIndex());
    game.conventions.rounding = counting::Rounding(ui->RoundingBox->currentIndex());
    game.penetration = ui->PenetrationBox->value() / 100.0;
    game.players = ui->PlayersBox->value();
    game.seat = ui->SeatBox->value() == 0 ? std::nullopt : std::optional<int>(ui->SeatBox->value());
    game.spots = ui->SpotsBox->value();
    game.wongIn = countOf(ui->WongInBox);
    game.wongOut = countOf(ui->WongOutBox);
    game.leaveBelow = countOf(ui->LeaveBox);
    game.tableMax = ui->TableMaxBox->value() == 0 ? std::nullopt
                                                  : std::optional<double>(ui->TableMaxBox->value());
    game.bankroll = ui->BankrollBox->value();
    game.roundsPerHour = ui->RoundsBox->value();
    QString rampWhy;
    const auto ramp = rampModel_.ramp(&rampWhy);
    if (ramp) game.ramp = *ramp;
    auto problems = planning::gameProblems(game);
    if (!ramp) problems[planning::Field::Ramp] = rampWhy;
    const std::pair<planning::Field, QLabel*> labels[] = {
        {planning::Field::Seat, ui->SeatProblem},
        {planning::Field::Spots, ui->SpotsProblem},
        {planning::Field::WongOut, ui->WongOutProblem},
        {planning::Field::TableMax, ui->TableMaxProblem},
        {planning::Field::Ramp, ui->RampProblem}};
    for (const auto& [field, label] : labels) {
        const auto problem = problems.find(field);
        label->setText(problem == problems.end() ? QString() : problem->second);
        label->setVisible(problem != problems.end());
    }
    if (!problems.empty()) return std::nullopt;
    return game;
}

void LabWindow::FormChange() {
    const auto game = formGame();
    if (!game) {
        ui->LabStatus->setText(QStringLiteral("The game as it stands is refused: see the reason "
                                              "beside the field."));
        return;
    }
    current_ = *game;
    labplots::plotRamp(ui->RampPlot, current_);
    study_.ask(current_);
}

void LabWindow::TableClick() {
    TableDialog dialog(current_.rules, this);
    if (dialog.exec() != QDialog::Accepted) return;
    current_.rules = dialog.rules();
    showGame(current_);
    FormChange();
}

void LabWindow::AddStepClick() {
    rampModel_.addStep();
}

void LabWindow::RemoveStepClick() {
    rampModel_.removeStep(ui->RampView->currentIndex().row());
}

void LabWindow::RampRefused(const QString& why) {
    ui->RampProblem->setText(why);
    ui->RampProblem->setVisible(true);
}

// ---- The figures ----------------------------------------------------------------------------

void LabWindow::StudyWorking() {
    ui->LabStatus->setText(QStringLiteral("Working out the lab's figures…"));
    setCursor(Qt::BusyCursor);
}

void LabWindow::StudyFailed(const QString& why) {
    unsetCursor();
    ui->LabStatus->setText(
        QStringLiteral("The lab's figures could not be worked out: %1").arg(why));
}

void LabWindow::StudyReady() {
    unsetCursor();
    showFigures();
    ui->LabStatus->setText(
        QStringLiteral("Lab figures ready: exact, from the average shoe at "
                       "each count.") +
        (study_.result() ? planning::wongingNote(study_.result()->game) : QString()));
}

void LabWindow::showFigures() {
    const auto& result = study_.result();
    if (!result) return;
    const counting::Game& game = result->game;
    const auto found = simulated_.find(options::gameText(game));
    const std::optional<simulation::SimFigures> sim =
        found == simulated_.end() ? std::nullopt
                                  : std::optional<simulation::SimFigures>(found->second);
    showTable(ui->FiguresView, figuresModel_, planning::gameTable(game, result->figures, sim));
    showTable(ui->ByCountView, byCountModel_, planning::byCountTable(result->study.worth, sim));
    labplots::plotByCount(ui->ByCountPlot, result->study.worth, sim);
    ui->ByCountNote->setText(QString::fromStdString(counting::kHowClose));
    showTable(ui->IndexGrid, indexGridModel_, planning::indexGrid(game, result->study.indices));
    showTable(ui->IndexList, indexListModel_, planning::indexList(result->study.indices));
    ui->IndexNote->setText(indexGridModel_.table().note);
    showTable(ui->SpreadView, spreadModel_, planning::spreadTable(result->spreads));
    labplots::plotSpreads(ui->SpreadPlot, result->spreads);

    // The bankroll's risk and a trip, from the lab's win and deviation.
    const double most = std::max(1000.0, 3 * game.bankroll);
    const auto curve = planning::ruinCurve(result->figures, most, 11);
    labplots::plotRuin(ui->RuinPlot, planning::ruinCurve(result->figures, most));
    planning::LabTable ruin;
    ruin.columns = {QStringLiteral("Bankroll (units)"), QStringLiteral("Risk of ruin (%)")};
    for (const auto& [bankroll, risk] : curve)
        ruin.rows.push_back({planning::labNumber(bankroll, 0), planning::labNumber(100 * risk, 2)});
    showTable(ui->RuinView, ruinModel_, ruin);
    const planning::TripPlot trip = planning::tripPlot(game, result->figures, 100, 5);
    labplots::plotTrip(ui->TripPlot, trip);
    planning::LabTable band;
    band.columns = {QStringLiteral("Hours"), QStringLiteral("5 % of trips below (units)"),
                    QStringLiteral("Expected (units)"), QStringLiteral("5 % above (units)")};
    for (std::size_t i = 0; i < trip.hours.size(); i += 10) {
        band.rows.push_back(
            {planning::labNumber(trip.hours[i], 0), planning::labNumber(trip.low[i], 0),
             planning::labNumber(trip.mean[i], 0), planning::labNumber(trip.high[i], 0)});
    }
    showTable(ui->TripView, tripModel_, band);
    showSpreadBankroll();
}

// ---- The shelf ------------------------------------------------------------------------------

void LabWindow::reloadShelf(int select) {
    entries_.clear();
    if (const auto drill = drillCount()) entries_.push_back({drillEntryName(), *drill, -1});
    for (std::size_t i = 0; i < shelf_.games().size(); ++i)
        entries_.push_back({shelf_.games()[i].name, shelf_.games()[i].game, int(i)});
    QStringList names;
    for (const ShelfEntry& entry : entries_)
        names << entry.name;
    shelfModel_.setStringList(names);
    if (select >= 0 && select < int(entries_.size()))
        ui->ShelfList->setCurrentIndex(shelfModel_.index(select));
}

int LabWindow::chosenEntry() const {
    const int row = ui->ShelfList->currentIndex().row();
    return row >= 0 && row < int(entries_.size()) ? row : -1;
}

void LabWindow::ShelfChoose() {
    const int at = chosenEntry();
    if (at < 0) return;
    current_ = entries_[std::size_t(at)].game;
    showGame(current_);
    FormChange();
    ui->ShelfStatus->setText(QStringLiteral("In hand: %1.").arg(entries_[std::size_t(at)].name));
}

void LabWindow::SaveAsClick() {
    bool ok = false;
    const QString name =
        QInputDialog::getText(this, QStringLiteral("Save the game as"), QStringLiteral("Name:"),
                              QLineEdit::Normal, QString(), &ok);
    if (!ok) return;
    QString why;
    if (!shelf_.add(name.trimmed(), current_, &why)) {
        ui->ShelfStatus->setText(why);
        return;
    }
    reloadShelf(int(entries_.size()));
    ui->ShelfStatus->setText(QStringLiteral("Saved as %1.").arg(name.trimmed()));
}

void LabWindow::SaveClick() {
    const int at = chosenEntry();
    if (at < 0) return SaveAsClick();
    const ShelfEntry& entry = entries_[std::size_t(at)];
    QString why;
    if (entry.shelfIndex < 0) {
        QSettings settings(practice::kDrillOrganisation, practice::kDrillApplication);
        practice::keepCount(settings, current_);
    } else if (!shelf_.replace(entry.shelfIndex, current_, &why)) {
        ui->ShelfStatus->setText(why);
        return;
    }
    const QString name = entry.name;
    reloadShelf(at);
    ui->ShelfStatus->setText(QStringLiteral("%1 saved.").arg(name));
}

void LabWindow::RenameClick() {
    const int at = chosenEntry();
    if (at < 0 || entries_[std::size_t(at)].shelfIndex < 0) {
        ui->ShelfStatus->setText(QStringLiteral("Choose a game of the shelf to rename."));
        return;
    }
    bool ok = false;
    const QString name =
        QInputDialog::getText(this, QStringLiteral("Rename the game"), QStringLiteral("Name:"),
                              QLineEdit::Normal, entries_[std::size_t(at)].name, &ok);
    if (!ok) return;
    QString why;
    if (!shelf_.rename(entries_[std::size_t(at)].shelfIndex, name.trimmed(), &why)) {
        ui->ShelfStatus->setText(why);
        return;
    }
    reloadShelf(at);
    ui->ShelfStatus->setText(QStringLiteral("Renamed %1.").arg(name.trimmed()));
}

void LabWindow::DuplicateClick() {
    const int at = chosenEntry();
    if (at < 0) return;
    QString why;
    const ShelfEntry entry = entries_[std::size_t(at)];
    const bool done = entry.shelfIndex < 0 ? shelf_.add(entry.name, entry.game, &why)
                                           : shelf_.duplicate(entry.shelfIndex, &why);
    if (!done) {
        ui->ShelfStatus->setText(why);
        return;
    }
    reloadShelf(int(entries_.size()));
    ui->ShelfStatus->setText(QStringLiteral("Duplicated %1.").arg(entry.name));
}

void LabWindow::DeleteClick() {
    const int at = chosenEntry();
    if (at < 0 || entries_[std::size_t(at)].shelfIndex < 0) {
        ui->ShelfStatus->setText(QStringLiteral("Choose a game of the shelf to delete; the "
                                                "drill's count stays while the drill keeps it."));
        return;
    }
    const ShelfEntry entry = entries_[std::size_t(at)];
    if (QMessageBox::question(this, windowTitle(),
                              QStringLiteral("Delete %1 from the shelf?").arg(entry.name)) !=
        QMessageBox::Yes)
        return;
    QString why;
    if (!shelf_.remove(entry.shelfIndex, &why)) {
        ui->ShelfStatus->setText(why);
        return;
    }
    reloadShelf(-1);
    ui->ShelfStatus->setText(QStringLiteral("Deleted %1.").arg(entry.name));
}

void LabWindow::DrillClick() {
    QSettings settings(practice::kDrillOrganisation, practice::kDrillApplication);
    practice::keepCount(settings, current_);
    reloadShelf(0);
    ui->ShelfStatus->setText(QStringLiteral("The drill now plays this game: Hitwise Drill's "
                                            "Keep the count deals it."));
}

// ---- Runs -----------------------------------------------------------------------------------

std::int64_t LabWindow::roundsChosen() const {
    return kRoundsChoices[std::clamp(ui->SimRoundsBox->currentIndex(), 0, 3)];
}

simulation::Setup LabWindow::setupOf(const counting::Game& game) const {
    simulation::Setup setup;
    setup.game = game;
    setup.counting = true;
    setup.rounds = roundsChosen();
    setup.threads = 0;
    setup.seed = 1;
    return setup;
}

void LabWindow::queueRun(Job job) {
    jobs_.push_back(std::move(job));
    if (!running_) nextRun();
}

void LabWindow::nextRun() {
    running_.reset();
    if (jobs_.empty()) {
        ui->SimulateButton->setEnabled(true);
        ui->StopButton->setEnabled(false);
        return;
    }
    running_ = jobs_.front();
    jobs_.erase(jobs_.begin());
    ui->SimulateButton->setEnabled(false);
    ui->StopButton->setEnabled(true);
    ui->SimProgress->setValue(0);
    ui->SimStatus->setText(QStringLiteral("%1: dealing…").arg(running_->what));
    run_.start(running_->setup);
}

void LabWindow::SimulateClick() {
    const counting::Game game = current_;
    queueRun({setupOf(game), QStringLiteral("Simulating this game"),
              [this, game](const planning::RunState& state) {
                  simulated_[options::gameText(game)] = state.figures;
                  showFigures();
              }});
}

void LabWindow::StopClick() {
    jobs_.clear();
    run_.stop();
}

void LabWindow::RunProgress(const planning::RunState& state) {
    if (!running_) return;
    const double total = double(running_->setup.rounds);
    const double rate = state.seconds > 0 ? state.rounds / state.seconds : 0;
    const double left = rate > 0 ? std::max(0.0, (total - state.rounds) / rate) : 0;
    ui->SimProgress->setValue(int(std::lround(100 * std::min(1.0, state.rounds / total))));
    ui->SimStatus->setText(QStringLiteral("%1: %2 M rounds, %3 M a second, %4 s left.")
                               .arg(running_->what)
                               .arg(state.rounds / 1e6, 0, 'f', 1)
                               .arg(rate / 1e6, 0, 'f', 1)
                               .arg(left, 0, 'f', 0));
    if (running_->what == QStringLiteral("Simulating this game")) {
        simulated_[options::gameText(running_->setup.game)] = state.figures;
        showFigures();
    }
}

void LabWindow::RunFinished(const planning::RunState& state) {
    if (!running_) return;
    if (!state.error.isEmpty()) {
        ui->SimStatus->setText(
            QStringLiteral("%1: the game could not be dealt: %2").arg(running_->what, state.error));
        jobs_.clear();
        nextRun();
        return;
    }
    ui->SimProgress->setValue(state.stopped ? ui->SimProgress->value() : 100);
    ui->SimStatus->setText(
        QStringLiteral("%1: %2 rounds dealt in %3 s%4. Simulated figures carry their 95 % "
                       "intervals.")
            .arg(running_->what, QLocale().toString(qlonglong(state.rounds)))
            .arg(state.seconds, 0, 'f', state.seconds < 10 ? 2 : 1)
            .arg(state.stopped ? QStringLiteral(", stopped: the figures are those dealt")
                               : QString()));
    const Job done = *running_;
    done.done(state);
    nextRun();
}

// ---- Compare --------------------------------------------------------------------------------

void LabWindow::CompareClick() {
    std::vector<planning::ComparedGame> games;
    for (const QModelIndex& index : ui->ShelfList->selectionModel()->selectedRows()) {
        const ShelfEntry& entry = entries_[std::size_t(index.row())];
        games.push_back({entry.name, entry.game, {}, std::nullopt});
    }
    std::sort(games.begin(), games.end(),
              [](const auto& a, const auto& b) { return a.name < b.name; });
    if (games.empty()) {
        ui->CompareStatus->setText(QStringLiteral("Choose games on the shelf first."));
        return;
    }
    ui->CompareStatus->setText(QStringLiteral("Working out %1 games…").arg(games.size()));
    ui->CompareButton->setEnabled(false);
    compareWatcher_.setFuture(QtConcurrent::run([games]() mutable {
        for (planning::ComparedGame& g : games)
            g.lab = counting::gameFigures(g.game, countcache::cachedStudy(g.game).rounds);
        return games;
    }));
}

void LabWindow::CompareReady() {
    ui->CompareButton->setEnabled(true);
    auto games = resultOf(compareWatcher_, ui->CompareStatus,
                          QStringLiteral("The games could not be worked out: %1"));
    if (!games) return;
    compared_ = std::move(*games);
    showCompared();
}

void LabWindow::showCompared() {
    for (planning::ComparedGame& g : compared_) {
        const auto found = simulated_.find(options::gameText(g.game));
        if (found != simulated_.end()) g.simulated = found->second;
    }
    showTable(ui->CompareView, compareModel_, planning::compareTable(compared_));
    QString wonging;
    for (const planning::ComparedGame& g : compared_)
        wonging = wonging.isEmpty() ? planning::wongingNote(g.game) : wonging;
    ui->CompareStatus->setText(QStringLiteral("%1 games compared; the best of each column is "
                                              "in bold.")
                                   .arg(compared_.size()) +
                               wonging);
}

void LabWindow::CompareSimClick() {
    if (compared_.empty()) {
        ui->CompareStatus->setText(QStringLiteral("Compare some games first."));
        return;
    }
    for (const planning::ComparedGame& g : compared_) {
        const counting::Game game = g.game;
        queueRun({setupOf(game), QStringLiteral("Simulating %1").arg(g.name),
                  [this, game](const planning::RunState& state) {
                      simulated_[options::gameText(game)] = state.figures;
                      showCompared();
                      showFigures();
                  }});
    }
}

void LabWindow::writeFile(const QString& title, const QString& filter, const QByteArray& bytes) {
    const QString name = QFileDialog::getSaveFileName(
        this, title, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), filter);
    if (name.isEmpty()) return;
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("%1 could not be written: %2")
                                 .arg(QDir::toNativeSeparators(name), file.errorString()));
        return;
    }
    statusBar()->showMessage(QStringLiteral("Written %1").arg(QDir::toNativeSeparators(name)));
}

// An export before any comparison would write an empty file: said instead.
bool LabWindow::hasComparison() {
    if (compareModel_.rowCount() > 0) return true;
    ui->CompareStatus->setText(
        QStringLiteral("Compare some games first: there is nothing to export yet."));
    return false;
}

void LabWindow::CompareCsvClick() {
    if (!hasComparison()) return;
    writeFile(QStringLiteral("Export the comparison as CSV"), QStringLiteral("CSV (*.csv)"),
              planning::tableCsv(compareModel_.table()).toUtf8());
}

void LabWindow::CompareHtmlClick() {
    if (!hasComparison()) return;
    writeFile(QStringLiteral("Export the comparison as HTML"),
              QStringLiteral("Web page (*.htm *.html)"),
              planning::tableHtml(compareModel_.table()).toUtf8());
}

// ---- Indices --------------------------------------------------------------------------------

void LabWindow::IndexHtmlClick() {
    if (!study_.result()) return;
    const auto& r = *study_.result();
    writeFile(QStringLiteral("Export the index chart as HTML"),
              QStringLiteral("Web page (*.htm *.html)"),
              QByteArray::fromStdString(counting::indexHtml(r.game, r.study.indices)));
}

void LabWindow::IndexPdfClick() {
    if (!study_.result()) return;
    const auto& r = *study_.result();
    writeFile(QStringLiteral("Export the index chart as PDF"), QStringLiteral("PDF (*.pdf)"),
              charts::pdf(counting::indexChart(r.game, r.study.indices), charts::Paper::A4));
}

void LabWindow::IndexCardClick() {
    if (!study_.result()) return;
    const auto& r = *study_.result();
    writeFile(QStringLiteral("Export the index chart as a wallet card"),
              QStringLiteral("PDF (*.pdf)"),
              charts::pdf(counting::indexChart(r.game, r.study.indices), charts::Paper::Card));
}

// ---- Best spread ----------------------------------------------------------------------------

void LabWindow::SpreadChoose() {
    showSpreadBankroll();
}

void LabWindow::showSpreadBankroll() {
    const auto& result = study_.result();
    const int row = ui->SpreadView->currentIndex().row();
    ui->UseRampButton->setEnabled(result && row >= 0 && row < int(result->spreads.size()));
    if (!result || row < 0 || row >= int(result->spreads.size())) {
        ui->BankrollFor->setText(QStringLiteral("Choose a spread for the bankroll it needs."));
        return;
    }
    const planning::SpreadWorth& spread = result->spreads[std::size_t(row)];
    const double risk = ui->RiskBox->value();
    const auto bankroll = planning::bankrollFor(risk / 100, spread.figures);
    ui->BankrollFor->setText(
        bankroll ? QStringLiteral("The bankroll for a risk of ruin of %1 % with the 1-%2 ramp: "
                                  "%3 units (exact, from the average shoe).")
                       .arg(risk)
                       .arg(spread.spread)
                       .arg(QLocale().toString(qlonglong(std::llround(*bankroll))))
                 : QStringLiteral("The 1-%1 ramp does not win: no bankroll outlasts it.")
                       .arg(spread.spread));
}

void LabWindow::UseRampClick() {
    const auto& result = study_.result();
    const int row = ui->SpreadView->currentIndex().row();
    if (!result || row < 0 || row >= int(result->spreads.size())) return;
    std::string why;
    const auto ramp = counting::rampOf(result->spreads[std::size_t(row)].ramp, &why);
    if (!ramp) return;
    current_.ramp = *ramp;
    showGame(current_);
    FormChange();
}

// ---- Your game as you play it ---------------------------------------------------------------

void LabWindow::loadHistory() {
    const QString path = history_;
    const QString system = QString::fromStdString(current_.system.id);
    historyWatcher_.setFuture(
        QtConcurrent::run([path, system] { return practice::readCountRecords(path, system); }));
}

void LabWindow::HistoryReady() {
    const auto read = resultOf(historyWatcher_, ui->YourStatus,
                               QStringLiteral("The drill's history could not be read: %1"));
    if (!read) return;
    const practice::CountRecords& records = *read;
    if (records.answers.empty() && records.decisions.empty()) {
        mistakes_.reset();
        ui->YourStatus->setText(QStringLiteral("The drill's history has no counting with %1 yet: "
                                               "play shoes with the count in Hitwise Drill, then "
                                               "come back.")
                                    .arg(QString::fromStdString(current_.system.name)));
        return;
    }
    mistakes_ = planning::yourMistakes(current_, records);
    showTable(ui->MistakesView, mistakesModel_, planning::mistakesTable(*mistakes_));
    ui->YourStatus->setText(
        QStringLiteral("From %1 counts and %2 decisions in the drill's history.")
            .arg(records.answers.size())
            .arg(records.decisions.size()));
}

void LabWindow::BothWaysClick() {
    if (!mistakes_) {
        ui->YourStatus->setText(QStringLiteral("Reading the drill's history…"));
        loadHistory();
        return;
    }
    auto results = std::make_shared<std::vector<std::pair<QString, simulation::SimFigures>>>();
    const auto kinds = planning::mistakeKinds(*mistakes_);
    const std::size_t total = kinds.size() + 2;
    auto add = [this, results, total](const QString& what, const simulation::Setup& setup) {
        queueRun({setup, what, [this, results, what, total](const planning::RunState& s) {
                      results->emplace_back(what, s.figures);
                      if (results->size() == total) {
                          showTable(ui->BothWaysView, bothWaysModel_,
                                    planning::bothWaysTable(*results, current_));
                          ui->BothWaysStatus->setText(
                              QStringLiteral("%1 rounds each, from the same seed: the costs are "
                                             "differences of simulated wins, as close as the "
                                             "intervals say; more rounds on the Game tab bring "
                                             "them closer.")
                                  .arg(QLocale().toString(qlonglong(s.rounds))));
                      }
                  }});
    };
    ui->BothWaysStatus->setText(QStringLiteral("Simulating the game both ways…"));
    add(QStringLiteral("Played perfectly"), setupOf(current_));
    simulation::Setup asPlayed = setupOf(current_);
    asPlayed.mistakes = *mistakes_;
    add(QStringLiteral("As you play it"), asPlayed);
    for (const auto& [what, mistakes] : kinds) {
        simulation::Setup one = setupOf(current_);
        one.mistakes = mistakes;
        add(what, one);
    }
}

void LabWindow::MistakesFileClick() {
    if (!mistakes_) {
        ui->YourStatus->setText(QStringLiteral("Reading the drill's history…"));
        loadHistory();
        return;
    }
    writeFile(QStringLiteral("Save the mistakes file"), QStringLiteral("CSV (*.csv)"),
              QByteArray::fromStdString(simulation::mistakesCsv(*mistakes_)));
}

// ---- Help -----------------------------------------------------------------------------------

void LabWindow::HelpClick() {
    documentOpener().open(this, "open", QStringLiteral("hitwise-lab.htm"), {}, documents_,
                          DocumentOpener::kShowNormal);
}

void LabWindow::AboutClick() {
    QMessageBox::about(this, QStringLiteral("About Hitwise Lab"),
                       QStringLiteral("<p><b>Hitwise Lab</b> %1</p><p>Plan a card counter's "
                                      "game: exact figures from the count lab, the game dealt "
                                      "by the simulator, games compared side by side.</p>"
                                      "<p>Free software under the GNU General Public License, "
                                      "version 3 or later.</p>")
                           .arg(QApplication::applicationVersion()));
}

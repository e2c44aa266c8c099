#include "DrillTabs.h"

#include "CountOptions.h"
#include "CountPanel.h"
#include "DrillSettings.h"
#include "EdgePanel.h"
#include "WeakSpotsPanel.h"
#include "ui_DrillWindow.h"

#include <QtConcurrent/QtConcurrentRun>

using namespace practice;

DrillTabs::DrillTabs(Ui::DrillWindow& ui, PracticeSession& session, CountInForce& count,
                     AnalysisCache& analyses, std::uint32_t seed, QObject* parent)
    : QObject(parent), ui(ui), session_(session), count_(count), analyses_(analyses), seed_(seed) {
    connect(&counter_, &QFutureWatcher<CounterEdge>::finished, this, &DrillTabs::CounterReady);
}

DrillTabs::~DrillTabs() {
    counter_.waitForFinished(); // its work reads the file, not this object
}

void DrillTabs::update() {
    const QWidget* shown = ui.Tabs->currentWidget();
    const Table& table = session_.table();
    if (weakSpots_ || shown == ui.WeakSpotsTab) {
        if (!weakSpots_) {
            weakSpots_ = new WeakSpotsPanel(session_.history().stats(), ui.WeakSpotsTab);
            ui.weakLayout->addWidget(weakSpots_);
        }
        weakSpots_->model().setTable(table.key());
    }
    if (countPanel_ || shown == ui.CountTab) {
        if (!countPanel_) {
            countPanel_ = new CountPanel(session_.history(), seed_, ui.CountTab);
            ui.countLayout->addWidget(countPanel_);
        }
        // A drill under way goes on unless the table or the count changed.
        const QString key =
            table.key() + ' ' + (count_.has() ? options::gameText(count_.game()) : QString());
        if (key != countPanelKey_) {
            countPanelKey_ = key;
            countPanel_->setGame(count_.has() ? std::optional(count_.game()) : std::nullopt,
                                 table.key());
        }
    }
    if (shown == ui.EdgeTab) updateEdge();
}

void DrillTabs::cellChanged(const GridCell& cell) {
    if (weakSpots_) weakSpots_->model().cellChanged(cell);
}

void DrillTabs::BetChange(double bet) {
    DrillSettings::setBet(bet);
    update();
}

void DrillTabs::updateEdge() {
    if (!edge_) {
        edge_ = new EdgePanel(ui.EdgeTab);
        ui.edgeLayout->addWidget(edge_);
        edge_->setBet(DrillSettings::bet());
        connect(edge_, &EdgePanel::betChanged, this, &DrillTabs::BetChange);
        connect(edge_, &EdgePanel::studyChosen, this, &DrillTabs::studyChosen);
    }
    const Table& table = session_.table();
    if (const auto analysis = analyses_.find(table)) {
        edge_->showEdge(*analysis, table, session_.history().stats(),
                        session_.history().dayAnswers(table.key()));
    } else {
        edge_->showWorking(table);
    }
    updateCounter();
}

// The count's plan first; then the answers of counting read and priced off the thread.
void DrillTabs::updateCounter() {
    if (!count_.has()) {
        edge_->showCounter(nullptr, {}, false);
        return;
    }
    const QString words = options::countWords(count_.game());
    const auto plan = count_.plan();
    if (!plan) {
        edge_->showCounter(nullptr, words, true);
        return;
    }
    if (counter_.isRunning()) {
        counterAgain_ = true;
        return;
    }
    counterKey_ = options::gameText(plan->game);
    edge_->showCounter(nullptr, words, true);
    counter_.setFuture(QtConcurrent::run(
        [plan, read = session_.history().countRecords(systemKey(plan->game.system))] {
            return counterEdge(*plan, read());
        }));
}

void DrillTabs::CounterReady() {
    const bool stale = !count_.has() || counterKey_ != options::gameText(count_.game());
    if (counterAgain_ || stale) {
        counterAgain_ = false;
        if (edge_ && ui.Tabs->currentWidget() == ui.EdgeTab) updateCounter();
        return;
    }
    const CounterEdge counter = counter_.result();
    edge_->showCounter(&counter, options::countWords(count_.game()), false);
}

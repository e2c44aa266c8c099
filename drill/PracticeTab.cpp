#include "PracticeTab.h"

#include "KeepCountBar.h"
#include "ui_DrillWindow.h"

using namespace practice;

using analysis::Play;

PracticeTab::PracticeTab(Ui::DrillWindow& ui, QObject* parent) : QObject(parent), ui(ui) {}

bool PracticeTab::shown() const {
    return ui.Tabs->currentWidget() == ui.PracticeTab;
}

void PracticeTab::show(const PracticeView& view, const QString& score, bool playOut, bool keeping) {
    ui.Felt->setCards(view.dealer, view.hidden, view.dealerCaption, view.hands);
    ui.HandLabel->setText(view.hand);
    // A screen reader reads a button's description with its name when the focus lands on it:
    // the hand with the first answer, the grade with the next-hand button.
    ui.Felt->setAccessibleDescription(view.hand);
    ui.HitButton->setAccessibleDescription(view.hand);
    ui.FeedbackLabel->setText(view.feedback);
    if (!view.answering) ui.NextButton->setAccessibleDescription(view.feedback);
    setAnswering(view.answering, view.allowed, playOut);
    ui.ScoreLabel->setText(score);
    showCountBar(view, keeping);
}

// The bet, the insurance and the count check, each shown while the session waits for it.
void PracticeTab::showCountBar(const PracticeView& view, bool keeping) {
    if (keeping && !countBar_) {
        countBar_ = new KeepCountBar(ui.PracticeTab);
        ui.countBarLayout->addWidget(countBar_);
        connect(countBar_, &KeepCountBar::betPlaced, this, &PracticeTab::betPlaced);
        connect(countBar_, &KeepCountBar::insured, this, &PracticeTab::insured);
        connect(countBar_, &KeepCountBar::countAnswered, this, &PracticeTab::countAnswered);
    }
    if (countBar_) countBar_->showView(view, keeping);
    ui.ActionShowCount->setEnabled(keeping);
    const bool here = shown();
    ui.BetActions->setEnabled(here && view.betting);
    ui.ActionInsure->setEnabled(here && view.insuring);
    ui.ActionDecline->setEnabled(here && view.insuring);
    // While the plan is worked out, nothing is dealt: the felt is busy, the feedback says why.
    ui.Felt->setCursor(view.planning ? Qt::BusyCursor : Qt::ArrowCursor);
    if (view.betting || view.insuring || view.checkingCount || view.planning) {
        ui.NextButton->setEnabled(false);
        ui.ActionNext->setEnabled(false);
        if (here && countBar_) countBar_->focusWaiting(view);
    }
}

void PracticeTab::setAnswering(bool answering, const analysis::PlayValues& allowed, bool playOut) {
    const std::pair<QPushButton*, Play> buttons[] = {{ui.HitButton, Play::Hit},
                                                     {ui.StandButton, Play::Stand},
                                                     {ui.DoubleButton, Play::Double},
                                                     {ui.SplitButton, Play::Split},
                                                     {ui.SurrenderButton, Play::Surrender}};
    for (const auto& [button, play] : buttons) {
        // Single hands keep every answer open: the grade says when one is not allowed.
        button->setEnabled(answering && (!playOut || allowed.allows(play)));
    }
    for (QAction* action :
         {ui.ActionHit, ui.ActionStand, ui.ActionDouble, ui.ActionSplit, ui.ActionSurrender}) {
        action->setEnabled(answering);
    }
    ui.NextButton->setEnabled(!answering);
    ui.ActionNext->setEnabled(!answering && shown());
    ui.NextButton->setText(playOut ? QStringLiteral("&Next round (Space)")
                                   : QStringLiteral("&Next hand (Space)"));
    if (shown()) {
        QPushButton* first = ui.HitButton->isEnabled() ? ui.HitButton : ui.StandButton;
        (answering ? first : ui.NextButton)->setFocus();
    }
}

void PracticeTab::enableCount(bool counting, bool makingIndexChart) {
    ui.KeepCountBox->setEnabled(counting);
    ui.ActionKeepCount->setEnabled(counting);
    ui.IndexChartButton->setEnabled(counting && !makingIndexChart);
    ui.ActionIndexChart->setEnabled(counting && !makingIndexChart);
}

// The keys of the Practice tab's round wait for it.
void PracticeTab::holdKeys() {
    for (QAction* action : {ui.ActionNext, ui.ActionInsure, ui.ActionDecline})
        action->setEnabled(false);
    ui.BetActions->setEnabled(false);
}

void PracticeTab::showPlayMode(bool playOut, bool keepCount) {
    const QSignalBlocker quiet[] = {QSignalBlocker(ui.PlayOutBox), QSignalBlocker(ui.KeepCountBox),
                                    QSignalBlocker(ui.ActionPlayOut),
                                    QSignalBlocker(ui.ActionKeepCount)};
    ui.PlayOutBox->setChecked(playOut);
    ui.ActionPlayOut->setChecked(playOut);
    ui.KeepCountBox->setChecked(keepCount);
    ui.ActionKeepCount->setChecked(keepCount);
    ui.DealKindBox->setEnabled(!playOut);
}

void PracticeTab::showRules(const Table& table, const QString& countWords) {
    ui.RulesLabel->setText(QStringLiteral("Rules in force: %1.").arg(table.words()) +
                           (countWords.isEmpty()
                                ? QString()
                                : QStringLiteral(" Count in force: %1.").arg(countWords)));
}

void PracticeTab::showTables(const std::vector<Table>& tables, int current) {
    QStringList names;
    for (const Table& table : tables)
        names << table.name();
    names << QStringLiteral("Your table…");
    const QSignalBlocker quiet(ui.RuleSetBox);
    bool same = ui.RuleSetBox->count() == names.size();
    for (int i = 0; same && i < names.size(); ++i)
        same = ui.RuleSetBox->itemText(i) == names[i];
    if (!same) {
        ui.RuleSetBox->clear();
        ui.RuleSetBox->addItems(names);
    }
    ui.RuleSetBox->setCurrentIndex(current);
}

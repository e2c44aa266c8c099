#include "DrillWindow.h"

#include "Cards.h"
#include "ChartModel.h"
#include "DocumentOpener.h"
#include "Edge.h"
#include "TableDialog.h"
#include "ui_DrillWindow.h"
#include "ui_EdgePanel.h"
#include "ui_WeakSpotsPanel.h"

#include <QColor>
#include <QDir>
#include <QMessageBox>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>

using analysis::Play;

namespace {

constexpr int kBlackjackPause = 1500; // ms before the hand after a blackjack is dealt
constexpr int kRecentTables = 5;
constexpr int kPlotDays = 30;
const char* const kChartFiles[] = {"single.htm", "multi.htm", "european.htm"};
const char* const kSuits[] = {"spades", "hearts", "diamonds", "clubs"};

QString percentOf(int part, int whole) {
    return whole == 0 ? QStringLiteral("-") : QString::number(qRound(100.0 * part / whole)) + " %";
}

QString nameOf(Play play) {
    return QString::fromLatin1(analysis::playName(play).data());
}

QString cardName(const DealtCard& card) {
    return QStringLiteral("%1 of %2").arg(kCards[card.face].name, kSuits[card.suit]);
}

QString totalText(const std::vector<int>& cards) {
    const analysis::Held held = analysis::holding(cards);
    return (held.soft() ? QStringLiteral("soft ") : QString()) + QString::number(held.total());
}

QString signedPercent(double value) {
    return QString::number(100 * value, 'f', 2) + " %";
}

QString settledText(const RoundHand& hand) {
    switch (hand.settled) {
    case Settled::Won: return QStringLiteral("won");
    case Settled::Lost:
        return hand.end == HandEnd::Surrendered ? QStringLiteral("surrendered")
                                                : QStringLiteral("lost");
    case Settled::Pushed: return QStringLiteral("pushed");
    case Settled::Blackjack: return QStringLiteral("blackjack");
    }
    return {};
}

QString units(double result) {
    return (result > 0 ? "+" : "") + QString::number(result, 'g', 3);
}

} // namespace

DrillWindow::DrillWindow(const QString& dataFolder, const QString& programFolder,
                         const Start& start, QWidget* parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::DrillWindow>()), programFolder_(programFolder),
      history_(dataFolder), dealer_(start.seed), seed_(start.seed),
      blackjackTimer_(new QTimer(this)) {
    ui->setupUi(this);
    blackjackTimer_->setSingleShot(true);
    blackjackTimer_->setInterval(kBlackjackPause);
    const QSettings settings;
    table_ = start.table
                 ? *start.table
                 : Table::fromKey(settings.value("table").toString()).value_or(Table::ofChart(0));
    playOut_ = start.playOut;
    ui->PlayOutBox->setChecked(playOut_);
    ui->ActionPlayOut->setChecked(playOut_);
    fillRuleSets();
    bindHandlers();
    useTable(table_);
    reportHistoryNotice();
}

DrillWindow::~DrillWindow() {
    watcher_.waitForFinished();
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
    connect(ui->ActionPlayOut, &QAction::toggled, ui->PlayOutBox, &QCheckBox::setChecked);
    connect(ui->PlayOutBox, &QCheckBox::toggled, this, &DrillWindow::PlayOutChange);
    connect(blackjackTimer_, &QTimer::timeout, this, &DrillWindow::NextClick);
    connect(ui->RuleSetBox, &QComboBox::activated, this, &DrillWindow::RuleSetChange);
    connect(ui->DealKindBox, &QComboBox::currentIndexChanged, this, &DrillWindow::DealKindChange);
    connect(ui->Tabs, &QTabWidget::currentChanged, this, &DrillWindow::TabChange);
    connect(&watcher_, &QFutureWatcher<Analyses>::finished, this, &DrillWindow::AnalysisReady);
}

void DrillWindow::reportHistoryNotice() {
    const QString notice = history_.takeNotice();
    if (notice.isEmpty()) return;
    statusBar()->showMessage(notice);
    // After the event that found it has finished, so that no handler waits on the box.
    QTimer::singleShot(0, this, [this, notice] {
        QMessageBox::warning(this, QStringLiteral("Hitwise Drill"), notice);
    });
}

// The three charts, the last tables of the player's own, and "Your table…".
void DrillWindow::fillRuleSets() {
    ruleSets_ = {Table::ofChart(0), Table::ofChart(1), Table::ofChart(2)};
    for (const QString& key : QSettings().value("recentTables").toStringList()) {
        const auto table = Table::fromKey(key);
        if (table && !table->isChart() && ruleSets_.size() < 3 + kRecentTables) {
            ruleSets_.push_back(*table);
        }
    }
    const QSignalBlocker quiet(ui->RuleSetBox);
    ui->RuleSetBox->clear();
    for (const Table& table : ruleSets_)
        ui->RuleSetBox->addItem(table.name());
    ui->RuleSetBox->addItem(QStringLiteral("Your table…"));
}

void DrillWindow::useTable(Table table) { // a copy: the list it may come from is rebuilt
    table_ = table;
    // Written only when changed: a start that changes nothing writes nothing.
    QSettings settings;
    if (settings.value("table").toString() != table.key()) settings.setValue("table", table.key());
    if (!table.isChart()) {
        QStringList recent = settings.value("recentTables").toStringList();
        if (recent.value(0) != table.key()) {
            recent.removeAll(table.key());
            recent.prepend(table.key());
            settings.setValue("recentTables", recent.mid(0, kRecentTables));
            fillRuleSets();
        }
    }
    const auto found = std::find(ruleSets_.begin(), ruleSets_.end(), table);
    const QSignalBlocker quiet(ui->RuleSetBox);
    ui->RuleSetBox->setCurrentIndex(int(found - ruleSets_.begin()));
    ui->RulesLabel->setText(QStringLiteral("Rules in force: %1.").arg(table.words()));
    ui->RulesLabel->setAccessibleDescription(ui->RulesLabel->text());
    shoe_ = std::make_unique<CardShoe>(table.rules.decks, seed_);
    round_.reset();
    studyCell_.reset();
    dealNext();
    updateWeakSpots();
    updateEdge();
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

void DrillWindow::NextClick() {
    if (!answering_) dealNext();
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
    TableDialog dialog(table_.rules, this);
    if (dialog.exec() == QDialog::Accepted) {
        useTable(Table::own(dialog.rules()));
    } else {
        useTable(table_); // the list shows the table in force again
    }
}

// A new kind of hand or mode: the hand on the table is taken back unanswered.
void DrillWindow::DealKindChange() {
    studyCell_.reset();
    dealNext();
}

void DrillWindow::PlayOutChange() {
    playOut_ = ui->PlayOutBox->isChecked();
    ui->ActionPlayOut->setChecked(playOut_);
    ui->DealKindBox->setEnabled(!playOut_);
    round_.reset();
    dealNext();
}

// The focus goes where the keyboard user continues; the grids are brought up to date.
void DrillWindow::TabChange() {
    if (ui->Tabs->currentWidget() == ui->PracticeTab) {
        setAnswering(answering_, round_ ? round_->allowed() : analysis::PlayValues{});
    }
    updateWeakSpots();
    updateEdge();
}

void DrillWindow::makeWeakSpotsPanel() {
    if (weakUi) return;
    auto* panel = new QWidget(ui->WeakSpotsTab);
    weakUi = std::make_unique<Ui::WeakSpotsPanel>();
    weakUi->setupUi(panel);
    ui->weakLayout->addWidget(panel);
    const auto rows = charts::chartRows();
    weakUi->WeakSpotsGrid->setRowCount(int(rows.size()));
    weakUi->WeakSpotsGrid->setColumnCount(10);
    for (int r = 0; r < int(rows.size()); ++r) {
        weakUi->WeakSpotsGrid->setVerticalHeaderItem(
            r, new QTableWidgetItem(QString::fromStdString(rows[r].label)));
    }
    for (int c = 0; c < 10; ++c) {
        weakUi->WeakSpotsGrid->setHorizontalHeaderItem(
            c, new QTableWidgetItem(QString::fromStdString(charts::cardName(charts::kUpCards[c]))));
    }
}

void DrillWindow::makeEdgePanel() {
    if (edgeUi) return;
    auto* panel = new QWidget(ui->EdgeTab);
    edgeUi = std::make_unique<Ui::EdgePanel>();
    edgeUi->setupUi(panel);
    ui->edgeLayout->addWidget(panel);
    edgeUi->BetBox->setValue(QSettings().value("bet", 10.0).toDouble());
    connect(edgeUi->BetBox, &QDoubleSpinBox::valueChanged, this, &DrillWindow::BetChange);
    connect(edgeUi->StudyList, &QListWidget::itemActivated, this, &DrillWindow::StudyChoose);
}

void DrillWindow::BetChange() {
    QSettings().setValue("bet", edgeUi->BetBox->value());
    updateEdge();
}

void DrillWindow::StudyChoose() {
    const QVariant cell = edgeUi->StudyList->currentItem()
                              ? edgeUi->StudyList->currentItem()->data(Qt::UserRole)
                              : QVariant();
    if (!cell.isValid()) return;
    studyCell_ = GridCell{cell.toPoint().x(), cell.toPoint().y()};
    const auto rows = charts::chartRows();
    statusBar()->showMessage(
        QStringLiteral("Practising %1 against %2; choose a kind of deal to go back.")
            .arg(QString::fromStdString(rows[studyCell_->row].label),
                 QString::fromStdString(charts::cardName(studyCell_->up))));
    ui->Tabs->setCurrentWidget(ui->PracticeTab);
    if (ui->PlayOutBox->isChecked()) {
        ui->PlayOutBox->setChecked(false); // which deals the hand
    } else {
        dealNext();
    }
}

void DrillWindow::dealNext() {
    blackjackTimer_->stop();
    if (playOut_) {
        startRound();
        return;
    }
    deal_ = studyCell_ ? dealer_.dealCell(*studyCell_)
                       : dealer_.deal(DealKind(ui->DealKindBox->currentIndex()),
                                      history_.weakCells(table_.key()));
    showDeal();
    updateScore();
}

void DrillWindow::showDeal() {
    const DealtCard first{deal_.faces[0], deal_.suits[0]};
    const DealtCard second{deal_.faces[1], deal_.suits[1]};
    const DealtCard up{deal_.faces[2], deal_.suits[2]};
    const std::vector<int> cards{deal_.first(), deal_.second()};
    ui->Felt->setCards({up}, 1, QStringLiteral("Dealer"),
                       {{{first, second}, totalText(cards), true}});
    const QString hand =
        QStringLiteral("Your hand: %1 and %2 (%3). The dealer shows %4.")
            .arg(cardName(first), cardName(second), totalText(cards), cardName(up));
    ui->HandLabel->setText(hand);
    ui->Felt->setAccessibleDescription(hand);
    // A screen reader reads a button's description with its name when the focus lands on it:
    // the hand with the first answer, the grade with the next-hand button.
    ui->HitButton->setAccessibleDescription(hand);
    if (analysis::isBlackjack(deal_.first(), deal_.second())) {
        ui->FeedbackLabel->setText("Black Jack: nothing to decide. The next hand comes now.");
        ui->NextButton->setAccessibleDescription(ui->FeedbackLabel->text());
        setAnswering(false);
        blackjackTimer_->start();
    } else {
        ui->FeedbackLabel->setText("Your play? Hit (H), Stand (S), Double (D), Split (P) or "
                                   "Surrender (R).");
        setAnswering(true, analysis::allowedPlays(table_.rules, cards));
    }
}

void DrillWindow::startRound() {
    if (shoe_->reshuffleIfDue()) statusBar()->showMessage("The shoe was shuffled.", 4000);
    round_ = std::make_unique<Round>(table_.rules, *shoe_);
    roundLog_.clear();
    position_ = 0;
    ui->FeedbackLabel->setText("Your play? Hit (H), Stand (S), Double (D), Split (P) or "
                               "Surrender (R), where the hand may.");
    showRound();
    updateScore();
}

void DrillWindow::showRound() {
    const Round& round = *round_;
    std::vector<FeltTable::Hand> hands;
    QStringList words;
    for (std::size_t i = 0; i < round.hands().size(); ++i) {
        const RoundHand& hand = round.hands()[i];
        QStringList cards;
        for (const DealtCard& card : hand.cards)
            cards << cardName(card);
        QString caption = totalText(hand.values());
        if (hand.doubled) caption += ", doubled";
        if (round.over()) caption = settledText(hand) + " " + units(hand.result);
        const bool current = !round.over() && int(i) == round.current();
        hands.push_back({hand.cards, caption, current});
        words << QStringLiteral("%1%2: %3 (%4)")
                     .arg(round.hands().size() > 1 ? QStringLiteral("hand %1").arg(i + 1)
                                                   : QStringLiteral("your hand"),
                          current && round.hands().size() > 1 ? " (playing)" : "", cards.join(", "),
                          caption);
    }
    QStringList dealerCards;
    for (const DealtCard& card : round.dealer())
        dealerCards << cardName(card);
    const std::vector<int> dealerValues = valuesOf(round.dealer());
    const QString dealerCaption =
        round.over()
            ? (round.dealerBlackjack() ? QStringLiteral("Dealer: blackjack")
                                       : QStringLiteral("Dealer: %1")
                                             .arg(analysis::holding(dealerValues).total() > 21
                                                      ? QStringLiteral("bust")
                                                      : totalText(dealerValues)))
            : QStringLiteral("Dealer");
    ui->Felt->setCards(round.dealer(), round.over() ? 0 : 1, dealerCaption, hands);
    const QString text =
        QStringLiteral("%1. The dealer %2 %3.")
            .arg(words.join("; "), round.over() ? "has" : "shows", dealerCards.join(", "));
    ui->HandLabel->setText(text[0].toUpper() + text.mid(1));
    ui->Felt->setAccessibleDescription(ui->HandLabel->text());
    ui->HitButton->setAccessibleDescription(ui->HandLabel->text());
    if (round.over()) {
        QString summary =
            QStringLiteral("Round over: %1 %2.")
                .arg(units(round.result()), std::abs(round.result()) == 1 ? "bet" : "bets");
        if (!roundLog_.isEmpty()) summary += " " + roundLog_.join(" ");
        if (roundLog_.isEmpty() && round.hands().size() == 1 &&
            round.hands()[0].settled == Settled::Blackjack) {
            summary = QStringLiteral("Black Jack! Paid %1. ").arg(units(round.result())) +
                      "Space or Enter deals the next round.";
        }
        ui->FeedbackLabel->setText(summary);
        ui->NextButton->setAccessibleDescription(summary);
        setAnswering(false);
    } else {
        setAnswering(true, round.allowed());
    }
}

void DrillWindow::answer(Play play) {
    if (!answering_) return;
    if (playOut_ && round_) {
        answerRound(play);
    } else {
        answerDeal(play);
    }
}

QString DrillWindow::gradeText(const Grade& grade, Play play) const {
    auto value = [](double v) { return QString::number(v, 'f', 4); };
    QString text;
    if (grade.right && grade.closeCall && grade.closeTo) {
        text = QStringLiteral("Right, a close call: %1 (%2) and %3 (%4) are within 0.1 % of "
                              "the bet.")
                   .arg(nameOf(play), value(*grade.answerValue), nameOf(grade.closeTo->first),
                        value(grade.closeTo->second));
    } else if (grade.right) {
        text = QStringLiteral("Right: %1.").arg(nameOf(play));
    } else {
        text = QStringLiteral("Wrong: you chose %1; the play is %2.")
                   .arg(nameOf(play), nameOf(grade.rightPlay));
    }
    if (table_.isChart()) text += QStringLiteral(" The chart says \"%1\".").arg(grade.adviceText);
    if (!grade.answerAllowed) {
        text +=
            QStringLiteral(" %1 is not allowed for this hand under these rules.").arg(nameOf(play));
    } else if (const auto cost = grade.cost(); cost && *cost >= 0) {
        text += QStringLiteral(" Your play costs %1 % of the bet.")
                    .arg(QString::number(100 * *cost, 'f', 1));
    } else if (cost) {
        // A hand-made chart is not always the best play: say so rather than price it as a loss.
        text += QStringLiteral(" Your play is worth %1 % of the bet more than the chart's.")
                    .arg(QString::number(-100 * *cost, 'f', 1));
    }
    return text;
}

void DrillWindow::answerDeal(Play play) {
    const std::vector<int> cards{deal_.first(), deal_.second()};
    const Grade grade =
        ::grade(table_, cards, deal_.up(), analysis::allowedPlays(table_.rules, cards), play);
    // Committed before anything else happens: the next hand waits for it.
    history_.record(table_.key(), {cards, deal_.up(), 0, play, grade.rightPlay, grade.right});
    reportHistoryNotice();
    ++sessionTries_;
    sessionRights_ += grade.right;
    const QString text = gradeText(grade, play);
    ui->FeedbackLabel->setText(text);
    ui->NextButton->setAccessibleDescription(text);
    setAnswering(false);
    updateScore();
    updateWeakSpots();
}

void DrillWindow::answerRound(Play play) {
    Round& round = *round_;
    const analysis::PlayValues allowed = round.allowed();
    if (!allowed.allows(play)) {
        ui->FeedbackLabel->setText(
            QStringLiteral("%1 is not allowed for this hand now; choose another play.")
                .arg(nameOf(play)));
        return;
    }
    const RoundHand& hand = round.hands()[round.current()];
    const std::vector<int> cards = hand.values();
    const Grade grade = ::grade(table_, cards, round.up(), allowed, play);
    history_.record(table_.key(),
                    {cards, round.up(), position_, play, grade.rightPlay, grade.right});
    reportHistoryNotice();
    ++sessionTries_;
    sessionRights_ += grade.right;
    ++position_;
    QString line = QStringLiteral("%1 on %2: %3")
                       .arg(nameOf(play), totalText(cards), grade.right ? "right" : "wrong");
    if (!grade.right) line += QStringLiteral(" (%1)").arg(nameOf(grade.rightPlay));
    roundLog_ << line + ".";
    round.play(play);
    showRound();
    if (!round.over()) {
        const QString text = gradeText(grade, play);
        ui->FeedbackLabel->setText(text + " Next decision.");
    }
    updateScore();
    updateWeakSpots();
}

void DrillWindow::setAnswering(bool answering, const analysis::PlayValues& allowed) {
    answering_ = answering;
    const std::pair<QPushButton*, Play> buttons[] = {{ui->HitButton, Play::Hit},
                                                     {ui->StandButton, Play::Stand},
                                                     {ui->DoubleButton, Play::Double},
                                                     {ui->SplitButton, Play::Split},
                                                     {ui->SurrenderButton, Play::Surrender}};
    for (const auto& [button, play] : buttons) {
        // Single hands keep every answer open: the grade says when one is not allowed.
        button->setEnabled(answering && (!playOut_ || allowed.allows(play)));
    }
    for (QAction* action :
         {ui->ActionHit, ui->ActionStand, ui->ActionDouble, ui->ActionSplit, ui->ActionSurrender}) {
        action->setEnabled(answering);
    }
    ui->NextButton->setEnabled(!answering);
    ui->ActionNext->setEnabled(!answering);
    ui->NextButton->setText(playOut_ ? QStringLiteral("&Next round (Space)")
                                     : QStringLiteral("&Next hand (Space)"));
    if (ui->Tabs->currentWidget() == ui->PracticeTab) {
        QPushButton* first = ui->HitButton->isEnabled() ? ui->HitButton : ui->StandButton;
        (answering ? first : ui->NextButton)->setFocus();
    }
}

void DrillWindow::updateScore() {
    const auto [tries, rights] = history_.totals(table_.key());
    QString text = QStringLiteral("This session: %1 of %2 right (%3).")
                       .arg(sessionRights_)
                       .arg(sessionTries_)
                       .arg(percentOf(sessionRights_, sessionTries_));
    text += history_.remembers() ? QStringLiteral(" All time with these rules: %1 of %2 (%3).")
                                       .arg(rights)
                                       .arg(tries)
                                       .arg(percentOf(rights, tries))
                                 : QStringLiteral(" Answers are not kept this time.");
    ui->ScoreLabel->setText(text);
}

void DrillWindow::updateWeakSpots() {
    if (ui->Tabs->currentWidget() != ui->WeakSpotsTab) return;
    makeWeakSpotsPanel();
    const auto rows = charts::chartRows();
    for (int r = 0; r < int(rows.size()); ++r) {
        for (int c = 0; c < 10; ++c) {
            const int up = charts::kUpCards[c];
            const CellRecord& cell = history_.cell(table_.key(), {r, up});
            auto* item = new QTableWidgetItem;
            const QString where =
                QString::fromStdString(rows[r].label + " against " + charts::cardName(up));
            if (cell.tries == 0) {
                item->setData(Qt::AccessibleTextRole, where + ": not asked yet");
            } else {
                const double share = double(cell.rights) / cell.tries;
                item->setText(QStringLiteral("%1/%2%3")
                                  .arg(cell.rights)
                                  .arg(cell.tries)
                                  .arg(cell.weak ? "!" : ""));
                item->setBackground(QColor::fromHsvF(share / 3.0, 0.45, 1.0));
                item->setForeground(Qt::black);
                item->setData(Qt::AccessibleTextRole, QStringLiteral("%1: %2 of %3 right%4")
                                                          .arg(where)
                                                          .arg(cell.rights)
                                                          .arg(cell.tries)
                                                          .arg(cell.weak ? ", a weak spot" : ""));
            }
            item->setTextAlignment(Qt::AlignCenter);
            weakUi->WeakSpotsGrid->setItem(r, c, item);
        }
    }
}

DrillWindow::Analyses DrillWindow::analysisFor(const Table& table) {
    const auto found = analyses_.find(table.key());
    if (found != analyses_.end()) return found->second;
    if (working_ != table.key()) {
        if (watcher_.isRunning()) return nullptr; // the next one starts when this one is done
        working_ = table.key();
        const analysis::Rules rules = table.rules;
        watcher_.setFuture(QtConcurrent::run(
            [rules] { return Analyses(std::make_shared<const analysis::Analysis>(rules)); }));
        statusBar()->showMessage(
            QStringLiteral("Working out every hand for %1…").arg(table.name()));
    }
    return nullptr;
}

void DrillWindow::AnalysisReady() {
    analyses_[working_] = watcher_.result();
    working_.clear();
    statusBar()->clearMessage();
    if (chartWanted_) {
        chartWanted_ = false;
        ChartClick();
    }
    updateEdge();
}

void DrillWindow::ChartClick() {
    if (table_.isChart()) {
        documentOpener().open(this, "open", QString::fromLatin1(kChartFiles[table_.chart]), {},
                              programFolder_, DocumentOpener::kShowNormal);
        return;
    }
    const Analyses analysis = analysisFor(table_);
    if (!analysis) {
        chartWanted_ = true;
        return;
    }
    writeAndOpenChart(analysis);
}

// The chart for the player's own table, written with hitwise-chart's code into the cache.
void DrillWindow::writeAndOpenChart(const Analyses& analysis) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    const QString name = "chart-" + table_.key().replace(':', '-').replace(',', '-') + ".htm";
    QSaveFile file(QDir(folder).filePath(name));
    const std::string html = charts::html(charts::bestPlayChart(*analysis));
    if (!QDir().mkpath(folder) || !file.open(QIODevice::WriteOnly) ||
        file.write(html.data(), qint64(html.size())) < 0 || !file.commit()) {
        QMessageBox::warning(this, QStringLiteral("Hitwise Drill"),
                             QStringLiteral("The chart could not be written to %1: %2")
                                 .arg(file.fileName(), file.errorString()));
        return;
    }
    documentOpener().open(this, "open", file.fileName(), {}, {}, DocumentOpener::kShowNormal);
}

void DrillWindow::updateEdge() {
    if (ui->Tabs->currentWidget() != ui->EdgeTab) return;
    makeEdgePanel();
    const Analyses analysis = analysisFor(table_);
    if (!analysis) {
        edgeUi->EdgeLabel->setText(
            QStringLiteral("Working out every hand for %1…").arg(table_.name()));
        return;
    }
    const QString key = table_.key();
    const Edge edge = edgeOf(*analysis, table_, [&](const GridCell& cell) {
        const auto& last = history_.cell(key, cell).last;
        return std::vector<Play>(last.begin(), last.end());
    });
    const double bet = edgeUi->BetBox->value();
    const QString against =
        table_.isChart() ? QStringLiteral("by the chart") : QStringLiteral("by the best play");
    QString text =
        QStringLiteral("Played your way, a round returns %1 of the bet; %2, %3. "
                       "Your mistakes cost %4 of the bet a round, %5 per 100 hands at "
                       "a bet of %6.")
            .arg(signedPercent(edge.yours), against, signedPercent(edge.reference),
                 signedPercent(edge.cost()), QString::number(100 * bet * edge.cost(), 'f', 2),
                 QString::number(bet, 'f', 2));
    text += QStringLiteral(" From the last %1 answers of each cell; %2 of the %3 cells you have "
                           "not answered count as played right.")
                .arg(CellRecord::kLastAnswers)
                .arg(edge.unanswered)
                .arg(edge.unanswered + int(edge.answered.size()));
    edgeUi->EdgeLabel->setText(text);

    const auto rows = charts::chartRows();
    edgeUi->StudyList->clear();
    int listed = 0;
    for (const CellCost& cost : edge.answered) {
        if (cost.cost <= 0 || listed == 10) break;
        ++listed;
        const QString label =
            QStringLiteral("%1 against %2: %3. You miss %4 of the time; it "
                           "costs %5 per 100 hands.")
                .arg(QString::fromStdString(rows[cost.cell.row].label),
                     QString::fromStdString(charts::cardName(cost.cell.up)), nameOf(cost.rightPlay),
                     percentOf(qRound(100 * cost.missShare), 100),
                     QString::number(100 * bet * cost.cost, 'f', 2));
        auto* item = new QListWidgetItem(label, edgeUi->StudyList);
        item->setData(Qt::UserRole, QPoint(cost.cell.row, cost.cell.up));
    }
    if (listed == 0)
        edgeUi->StudyList->addItem(QStringLiteral("Nothing to study: no costly mistakes."));

    // Day by day: each day's answers as the mix of its cells.
    std::map<QDate, std::map<std::pair<int, int>, std::vector<Play>>> byDay;
    for (const FirstAnswer& first : history_.firstAnswers(key))
        byDay[first.day][{first.cell.row, first.cell.up}].push_back(first.answer);
    std::vector<CostPlot::Day> days;
    QStringList said;
    for (auto it = byDay.begin(); it != byDay.end(); ++it) {
        if (std::distance(it, byDay.end()) > kPlotDays) continue;
        const auto& cells = it->second;
        const Edge day = edgeOf(*analysis, table_, [&](const GridCell& cell) {
            const auto found = cells.find({cell.row, cell.up});
            return found == cells.end() ? std::vector<Play>{} : found->second;
        });
        days.push_back({it->first, 100 * bet * day.cost()});
        said << QStringLiteral("%1: %2").arg(it->first.toString("d MMMM"),
                                             QString::number(100 * bet * day.cost(), 'f', 2));
    }
    edgeUi->Plot->setDays(
        days,
        QStringLiteral("Cost per 100 hands at a bet of %1").arg(QString::number(bet, 'f', 2)));
    edgeUi->PlotLabel->setText(
        days.empty() ? QStringLiteral("No days with answers yet.")
                     : QStringLiteral("What your mistakes cost per 100 hands, day by day: %1.")
                           .arg(said.join("; ")));
}

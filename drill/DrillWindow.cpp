#include "DrillWindow.h"

#include "Cards.h"
#include "ChartModel.h"
#include "PictureBox.h"
#include "ui_DrillWindow.h"

#include <QColor>
#include <QDir>
#include <QMessageBox>
#include <QTimer>

using analysis::Play;

namespace {

constexpr int kBlackjackPause = 1500; // ms before the hand after a blackjack is dealt

QString percentOf(int part, int whole) {
    return whole == 0 ? QStringLiteral("-") : QString::number(qRound(100.0 * part / whole)) + " %";
}

QString nameOf(Play play) {
    return QString::fromLatin1(analysis::playName(play).data());
}

QString handText(int first, int second) {
    const analysis::Held held = analysis::holding({first, second});
    return (held.soft() ? QStringLiteral("soft ") : QString()) + QString::number(held.total());
}

} // namespace

DrillWindow::DrillWindow(const QString& dataFolder, const QString& pictureFolder,
                         std::uint32_t seed, QWidget* parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::DrillWindow>()), pictureFolder_(pictureFolder),
      history_(dataFolder), dealer_(seed), blackjackTimer_(new QTimer(this)) {
    ui->setupUi(this);
    blackjackTimer_->setSingleShot(true);
    blackjackTimer_->setInterval(kBlackjackPause);
    const auto rows = charts::chartRows();
    ui->WeakSpotsGrid->setRowCount(int(rows.size()));
    ui->WeakSpotsGrid->setColumnCount(10);
    for (int r = 0; r < int(rows.size()); ++r) {
        ui->WeakSpotsGrid->setVerticalHeaderItem(
            r, new QTableWidgetItem(QString::fromStdString(rows[r].label)));
    }
    for (int c = 0; c < 10; ++c) {
        ui->WeakSpotsGrid->setHorizontalHeaderItem(
            c, new QTableWidgetItem(QString::fromStdString(charts::cardName(charts::kUpCards[c]))));
    }
    bindHandlers();
    dealNext();
    reportHistoryNotice();
}

DrillWindow::~DrillWindow() = default;

void DrillWindow::bindHandlers() {
    connect(ui->HitButton, &QPushButton::clicked, this, &DrillWindow::HitClick);
    connect(ui->StandButton, &QPushButton::clicked, this, &DrillWindow::StandClick);
    connect(ui->DoubleButton, &QPushButton::clicked, this, &DrillWindow::DoubleClick);
    connect(ui->SplitButton, &QPushButton::clicked, this, &DrillWindow::SplitClick);
    connect(ui->SurrenderButton, &QPushButton::clicked, this, &DrillWindow::SurrenderClick);
    connect(ui->NextButton, &QPushButton::clicked, this, &DrillWindow::NextClick);
    connect(ui->ActionHit, &QAction::triggered, this, &DrillWindow::HitClick);
    connect(ui->ActionStand, &QAction::triggered, this, &DrillWindow::StandClick);
    connect(ui->ActionDouble, &QAction::triggered, this, &DrillWindow::DoubleClick);
    connect(ui->ActionSplit, &QAction::triggered, this, &DrillWindow::SplitClick);
    connect(ui->ActionSurrender, &QAction::triggered, this, &DrillWindow::SurrenderClick);
    connect(ui->ActionNext, &QAction::triggered, this, &DrillWindow::NextClick);
    connect(ui->ActionQuit, &QAction::triggered, this, &QWidget::close);
    connect(blackjackTimer_, &QTimer::timeout, this, &DrillWindow::NextClick);
    connect(ui->RuleSetBox, &QComboBox::currentIndexChanged, this, &DrillWindow::RuleSetChange);
    connect(ui->DealKindBox, &QComboBox::currentIndexChanged, this, &DrillWindow::DealKindChange);
    connect(ui->Tabs, &QTabWidget::currentChanged, this, &DrillWindow::TabChange);
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

int DrillWindow::ruleSet() const {
    return qBound(0, ui->RuleSetBox->currentIndex(), 2);
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

// A new rule set or kind of hand: the hand on the table is taken back unanswered.
void DrillWindow::RuleSetChange() {
    dealNext();
    updateWeakSpots();
}
void DrillWindow::DealKindChange() {
    dealNext();
}

// The focus goes where the keyboard user continues; the grid is brought up to date.
void DrillWindow::TabChange() {
    if (ui->Tabs->currentWidget() == ui->PracticeTab) setAnswering(answering_);
    updateWeakSpots();
}

void DrillWindow::showCard(PictureBox* box, int face) {
    const Card& card = kCards[face];
    box->setAccessibleName(box->accessibleDescription() + ": " + cardPictureName(card));
    try {
        box->loadFromFile(QDir(pictureFolder_).filePath(card.pictureFile));
    } catch (const std::exception& error) {
        // The hand is written out under the pictures as well: say so once and go on.
        box->clear();
        if (pictureError_.isEmpty()) {
            pictureError_ = QString::fromLocal8Bit(error.what());
            statusBar()->showMessage("Card pictures cannot be shown: " + pictureError_);
        }
    }
}

void DrillWindow::dealNext() {
    blackjackTimer_->stop();
    deal_ = dealer_.deal(DealKind(ui->DealKindBox->currentIndex()), history_.weakCells(ruleSet()));
    showCard(ui->PlayerCard1, deal_.faces[0]);
    showCard(ui->PlayerCard2, deal_.faces[1]);
    showCard(ui->DealerCard, deal_.faces[2]);
    const QString hand =
        QStringLiteral("Your hand: %1 and %2 (%3). The dealer shows %4.")
            .arg(kCards[deal_.faces[0]].caption, kCards[deal_.faces[1]].caption,
                 handText(deal_.first(), deal_.second()), kCards[deal_.faces[2]].caption);
    ui->HandLabel->setText(hand);
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
        setAnswering(true);
    }
    updateScore();
}

void DrillWindow::answer(Play play) {
    if (!answering_) return;
    const Grade grade = grader_.grade(ruleSet(), deal_.first(), deal_.second(), deal_.up(), play);
    // Committed before anything else happens: the next hand waits for it.
    history_.record(ruleSet(), deal_, nameOf(play), grade.right);
    reportHistoryNotice();
    ++sessionTries_;
    sessionRights_ += grade.right;

    QString text = grade.right ? QStringLiteral("Right: %1.").arg(nameOf(play))
                               : QStringLiteral("Wrong: you chose %1; the play is %2.")
                                     .arg(nameOf(play), nameOf(grade.chartPlay));
    text += QStringLiteral(" The chart says \"%1\".").arg(grade.adviceText);
    if (!grade.answerAllowed) {
        text +=
            QStringLiteral(" %1 is not allowed for this hand under these rules.").arg(nameOf(play));
    } else if (grade.cost && *grade.cost >= 0) {
        text += QStringLiteral(" Your play costs %1 % of the bet.")
                    .arg(QString::number(100 * *grade.cost, 'f', 1));
    } else if (grade.cost) {
        // A hand-made chart is not always the best play: say so rather than price it as a loss.
        text += QStringLiteral(" Your play is worth %1 % of the bet more than the chart's.")
                    .arg(QString::number(-100 * *grade.cost, 'f', 1));
    }
    ui->FeedbackLabel->setText(text);
    ui->NextButton->setAccessibleDescription(text);
    setAnswering(false);
    updateScore();
    updateWeakSpots();
}

void DrillWindow::setAnswering(bool answering) {
    answering_ = answering;
    for (QPushButton* button :
         {ui->HitButton, ui->StandButton, ui->DoubleButton, ui->SplitButton, ui->SurrenderButton}) {
        button->setEnabled(answering);
    }
    for (QAction* action :
         {ui->ActionHit, ui->ActionStand, ui->ActionDouble, ui->ActionSplit, ui->ActionSurrender}) {
        action->setEnabled(answering);
    }
    ui->NextButton->setEnabled(!answering);
    ui->ActionNext->setEnabled(!answering);
    if (ui->Tabs->currentWidget() == ui->PracticeTab) {
        (answering ? ui->HitButton : ui->NextButton)->setFocus();
    }
}

void DrillWindow::updateScore() {
    const auto [tries, rights] = history_.totals(ruleSet());
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
    const auto rows = charts::chartRows();
    for (int r = 0; r < int(rows.size()); ++r) {
        for (int c = 0; c < 10; ++c) {
            const int up = charts::kUpCards[c];
            const CellRecord& cell = history_.cell(ruleSet(), {r, up});
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
            ui->WeakSpotsGrid->setItem(r, c, item);
        }
    }
}

#pragma once

// The drill window: it deals a hand, the player answers by button, menu or key, the answer is
// graded at once against the rule set's table and stored in the history, and Space or Enter
// deals the next hand. How the parts meet: HandDealer chooses the hand (leaning on the weak
// spots the History keeps), Grader grades it by the strategy tables and prices a wrong answer
// with the expected-value engine, and the window only shows and reacts.

#include "Grading.h"
#include "HandDealer.h"
#include "History.h"

#include <QMainWindow>

#include <memory>

namespace Ui {
class DrillWindow;
}
class QTimer;

class DrillWindow : public QMainWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DrillWindow)

public:
    // The history lives in dataFolder; the card pictures are read from pictureFolder.
    DrillWindow(const QString& dataFolder, const QString& pictureFolder, std::uint32_t seed,
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
    void TabChange();

private:
    void bindHandlers();
    void dealNext();
    void answer(analysis::Play play);
    void showCard(class PictureBox* box, int face);
    void setAnswering(bool answering);
    void updateScore();
    void updateWeakSpots();
    // Tells the player, once, when the history could not be used or stopped being kept.
    void reportHistoryNotice();
    int ruleSet() const;

    std::unique_ptr<Ui::DrillWindow> ui;
    QString pictureFolder_;
    History history_;
    HandDealer dealer_;
    Grader grader_;
    Deal deal_;
    bool answering_ = false;
    int sessionTries_ = 0;
    int sessionRights_ = 0;
    QString pictureError_;
    QTimer* blackjackTimer_;
};

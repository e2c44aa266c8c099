#pragma once

#include "AnswerStats.h"
#include "CounterEdge.h"
#include "Table.h"

#include "Analysis.h"

#include <QWidget>

#include <memory>

namespace Ui {
class EdgePanel;
}

// The Your edge tab: what the player's own answers make of a round at the table in force, the
// study list of the costliest cells, and the cost by day as a plot and in words. Every figure is
// a label's text, read by a screen reader as it shows.
class EdgePanel : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EdgePanel)

public:
    explicit EdgePanel(QWidget* parent = nullptr);
    ~EdgePanel() override;

    double bet() const;
    void setBet(double bet);
    // While the engine works the table out.
    void showWorking(const practice::Table& table);
    // `days`: the first decisions by day, for the plot (History::dayAnswers()).
    void showEdge(const analysis::Analysis& analysis, const practice::Table& table,
                  const practice::AnswerStats& stats,
                  const std::vector<practice::DayAnswers>& days);
    // With a count in force: what the player's counting makes of the game, by kind of mistake,
    // at their unit (the bet); nothing without a count, or a word while it is worked out.
    void showCounter(const practice::CounterEdge* edge, const QString& countWords, bool working);

signals:
    void betChanged(double bet);
    // A cell of the study list chosen to practise.
    void studyChosen(const practice::GridCell& cell);

private slots:
    void StudyChoose();

private:
    std::unique_ptr<Ui::EdgePanel> ui;
};

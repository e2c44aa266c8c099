#pragma once

#include "CountDrill.h"
#include "History.h"

#include <QElapsedTimer>
#include <QWidget>

#include <memory>
#include <optional>

namespace Ui {
class CountPanel;
}

// The Count tab: the running-count drill (cards at a steady pace, or one a press of Space),
// the decks-left drill (a discard tray) and the true-count drill, by the count in force. Each
// answer is typed, submitted with Enter, graded at once and kept in the history. Every card
// dealt and every grade is a label's text, for a screen reader.
class CountPanel : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CountPanel)

public:
    CountPanel(practice::History& history, std::uint32_t seed, QWidget* parent = nullptr);
    ~CountPanel() override;

    // The count in force (none: the drills wait for one) and the table's key it is kept under.
    void setGame(const std::optional<counting::Game>& game, const QString& table);
    // The pace of the deal in cards a second; 0 for a card a press of Space.
    double pace() const;

protected:
    // A deal under way stops when the tab is left: cards dealt unseen would spoil the count.
    void hideEvent(QHideEvent* event) override;

private slots:
    void DrillChange();
    void StartClick();
    void NextCard();
    void SubmitClick();
    void AnswerEnter();

private:
    enum class State { Idle, Dealing, Answering };
    void clear();
    void showChoices();
    void showRecord();
    void ask(const QString& question);

    std::unique_ptr<Ui::CountPanel> ui;
    practice::History& history_;
    practice::CountDrill drill_;
    practice::PaceClock clock_;
    std::optional<counting::Game> game_;
    QString table_;
    State state_ = State::Idle;
    std::size_t shown_ = 0;
    QElapsedTimer timing_;
    int tray_ = 0;
    practice::CountDrill::TrueCountQuestion question_;
};

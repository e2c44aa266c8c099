#pragma once

#include "PracticeSession.h"

#include <QWidget>

#include <memory>

namespace Ui {
class KeepCountBar;
}

// The row of the Practice tab that keeping the count adds: the bet, the insurance and the count
// check, each shown while the session waits for it, and the count when the player shows it.
// Made the first time the count is kept.
class KeepCountBar : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(KeepCountBar)

public:
    explicit KeepCountBar(QWidget* parent = nullptr);
    ~KeepCountBar() override;

    void showView(const practice::PracticeView& view, bool keeping);
    // The focus where the player goes on: the bet (its button, so that the keys 1 to 9 bet at
    // once), the insurance, the count box.
    void focusWaiting(const practice::PracticeView& view);

signals:
    void betPlaced(int units);
    void insured(bool insure);
    void countAnswered(double count);

private slots:
    void BetClick();
    void BetEnter();
    void InsureClick();
    void DeclineClick();
    void CheckClick();
    void CheckEnter();

private:
    std::unique_ptr<Ui::KeepCountBar> ui;
};

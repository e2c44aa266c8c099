#pragma once

#include "PracticeSession.h"

#include <QWidget>

#include <vector>

// The drill's table: the dealer's cards above, the player's hand or hands below, drawn large on
// the felt in all four suits. The hand being played is outlined. It only shows; the window's
// labels say the same in words for screen readers.
class FeltTable : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FeltTable)

public:
    explicit FeltTable(QWidget* parent = nullptr);
    // The dealer's cards (followed by `hidden` cards face down) and the player's hands.
    void setCards(const std::vector<cards::Card>& dealer, int hidden, const QString& dealerCaption,
                  const std::vector<practice::ShownHand>& hands);
    QSize sizeHint() const override { return {560, 330}; }
    QSize minimumSizeHint() const override { return {360, 260}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<cards::Card> dealer_;
    int hidden_ = 0;
    QString dealerCaption_;
    std::vector<practice::ShownHand> hands_;
};

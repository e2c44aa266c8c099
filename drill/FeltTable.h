#pragma once

#include "Round.h"

#include <QWidget>

#include <vector>

// The drill's table: the dealer's cards above, the player's hand or hands below, drawn large on
// the felt in all four suits. The hand being played is outlined. It only shows; the window's
// labels say the same in words for screen readers.
class FeltTable : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FeltTable)

public:
    struct Hand {
        std::vector<DealtCard> cards;
        QString caption; // under the cards: "16", "Soft 18, doubled", "Won"
        bool current = false;
    };

    explicit FeltTable(QWidget* parent = nullptr);
    // The dealer's cards (followed by `hidden` cards face down) and the player's hands.
    void setCards(const std::vector<DealtCard>& dealer, int hidden, const QString& dealerCaption,
                  const std::vector<Hand>& hands);
    QSize sizeHint() const override { return {560, 330}; }
    QSize minimumSizeHint() const override { return {360, 260}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<DealtCard> dealer_;
    int hidden_ = 0;
    QString dealerCaption_;
    std::vector<Hand> hands_;
};

#pragma once

#include <QWidget>

// A discard tray seen from the side, drawn to scale: a stack of card edges as high as the cards
// in it, in a tray that holds eight decks. It only shows; its accessible description says how
// full it is, as a sighted player sees it.
class DiscardTray : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DiscardTray)

public:
    explicit DiscardTray(QWidget* parent = nullptr);
    void setCards(int cards);
    QSize sizeHint() const override { return {220, 330}; }
    QSize minimumSizeHint() const override { return {120, 200}; }

    static constexpr int kTrayCards = 8 * 52;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int cards_ = 0;
};

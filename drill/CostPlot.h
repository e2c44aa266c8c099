#pragma once

#include <QDate>
#include <QWidget>

#include <vector>

// What mistakes cost per 100 hands, day by day, as bars drawn with QPainter. The window gives
// the same figures in words for screen readers.
class CostPlot : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CostPlot)

public:
    struct Day {
        QDate day;
        double cost = 0; // money per 100 hands
    };
    explicit CostPlot(QWidget* parent = nullptr);
    void setDays(const std::vector<Day>& days, const QString& unit);
    QSize sizeHint() const override { return {520, 160}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<Day> days_;
    QString unit_;
};

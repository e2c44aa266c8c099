#include "CostPlot.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

CostPlot::CostPlot(QWidget* parent) : QWidget(parent) {
    setMinimumHeight(120);
}

void CostPlot::setDays(const std::vector<Day>& days, const QString& unit) {
    days_ = days;
    unit_ = unit;
    update();
}

void CostPlot::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPalette& colours = palette();
    p.fillRect(rect(), colours.base());
    const QFontMetrics metrics(font());
    const int margin = metrics.height();
    const QRectF plot(margin * 3.5, margin * 0.8, width() - margin * 4.5, height() - margin * 2.6);
    p.setPen(colours.color(QPalette::Text));
    if (days_.empty()) {
        p.drawText(rect(), Qt::AlignCenter, tr("No answers yet."));
        return;
    }
    double top = 0;
    for (const Day& day : days_)
        top = std::max(top, day.cost);
    // A round top of the scale: 1, 2 or 5 times a power of ten.
    const double power = std::pow(10.0, std::floor(std::log10(std::max(top, 0.01))));
    double scaleTop = power;
    for (double f : {1.0, 2.0, 5.0, 10.0}) {
        scaleTop = f * power;
        if (scaleTop >= top) break;
    }
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    p.drawLine(plot.bottomLeft(), plot.topLeft());
    p.drawText(QRectF(0, plot.top() - margin / 2, plot.left() - 4, margin),
               Qt::AlignRight | Qt::AlignVCenter, QString::number(scaleTop, 'g', 3));
    p.drawText(QRectF(0, plot.bottom() - margin / 2, plot.left() - 4, margin),
               Qt::AlignRight | Qt::AlignVCenter, "0");
    p.drawText(QRectF(plot.left(), 0, plot.width(), margin), Qt::AlignLeft | Qt::AlignVCenter,
               unit_);
    const double slot = plot.width() / double(days_.size());
    const QColor bar = colours.color(QPalette::Highlight);
    for (std::size_t i = 0; i < days_.size(); ++i) {
        const double h = plot.height() * days_[i].cost / scaleTop;
        const double w = std::min(slot * 0.7, margin * 2.5); // a narrow bar for few days
        const QRectF column(plot.left() + slot * (double(i) + 0.5) - w / 2, plot.bottom() - h, w,
                            h);
        p.fillRect(column, bar);
        if (i == 0 || i + 1 == days_.size() || days_.size() <= 8) {
            p.drawText(
                QRectF(plot.left() + slot * double(i) - slot, plot.bottom() + 2, slot * 3, margin),
                Qt::AlignHCenter | Qt::AlignTop, days_[i].day.toString("d MMM"));
        }
    }
}

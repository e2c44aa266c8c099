#include "LabPlots.h"

#include <QAreaSeries>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace labplots {

namespace {

constexpr double kZ95 = 1.959964;

// A fresh chart in the view, its old one deleted by the view.
QChart* freshChart(QChartView* view, const QString& title) {
    auto chart = std::make_unique<QChart>();
    chart->setTitle(title);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->setAlignment(Qt::AlignBottom);
    QChart* raw = chart.get();
    view->setChart(chart.release()); // the view owns it, and deletes the one before
    view->setRenderHint(QPainter::Antialiasing);
    return raw;
}

QValueAxis* axis(QChart* chart, Qt::Alignment where, const QString& title, double low,
                 double high) {
    auto* a = new QValueAxis(chart); // owned by the chart
    a->setTitleText(title);
    if (low == high) high = low + 1;
    a->setRange(low, high);
    a->setLabelFormat(QStringLiteral("%.0f"));
    a->applyNiceNumbers();
    chart->addAxis(a, where);
    return a;
}

void attach(QChart* chart, QAbstractSeries* series, QValueAxis* x, QValueAxis* y) {
    chart->addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
}

void hideFromLegend(QChart* chart, QAbstractSeries* series) {
    for (QLegendMarker* marker : chart->legend()->markers(series))
        marker->setVisible(false);
}

} // namespace

void plotRamp(QChartView* view, const counting::Game& game) {
    QChart* chart = freshChart(view, QString());
    chart->legend()->hide();
    auto* steps = new QLineSeries(chart);
    steps->setName(QStringLiteral("Units bet"));
    const int low = game.ramp.empty() ? -2 : std::min(-2, game.ramp.front().first - 1);
    const int high = game.ramp.empty() ? 6 : std::max(6, game.ramp.back().first + 1);
    double top = 1;
    for (int count = low; count <= high; ++count) {
        const double bet = game.betAt(count);
        steps->append(count, bet);
        steps->append(count + 1, bet);
        top = std::max(top, bet);
    }
    chart->setMargins(QMargins(2, 2, 2, 2));
    QValueAxis* x = axis(chart, Qt::AlignBottom, QString(), low, high + 1);
    QValueAxis* y = axis(chart, Qt::AlignLeft, QString(), 0, top * 1.1);
    QFont small = x->labelsFont();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    for (QValueAxis* a : {x, y}) {
        a->setLabelsFont(small);
        a->setTickCount(5);
    }
    attach(chart, steps, x, y);
}

void plotByCount(QChartView* view, const std::vector<counting::CountWorth>& worth,
                 const std::optional<simulation::SimFigures>& simulated) {
    QChart* chart = freshChart(
        view, QStringLiteral("Return at each count, % of the bet (lines: exact, average shoe)"));
    auto* basic = new QLineSeries(chart);
    basic->setName(QStringLiteral("Basic strategy"));
    auto* indices = new QLineSeries(chart);
    indices->setName(QStringLiteral("With the indices"));
    auto* often = new QLineSeries(chart);
    often->setName(QStringLiteral("How often (right)"));
    QPen dashed = often->pen();
    dashed.setStyle(Qt::DashLine);
    often->setPen(dashed);
    double low = 0, high = 0, mostOften = 0;
    for (const counting::CountWorth& row : worth) {
        basic->append(row.count, 100 * row.basic);
        indices->append(row.count, 100 * row.withIndices);
        often->append(row.count, 100 * row.frequency);
        low = std::min({low, 100 * row.basic, 100 * row.withIndices});
        high = std::max({high, 100 * row.basic, 100 * row.withIndices});
        mostOften = std::max(mostOften, 100 * row.frequency);
    }
    std::vector<QLineSeries*> bars;
    QScatterSeries* dealt = nullptr;
    if (simulated) {
        dealt = new QScatterSeries(chart);
        dealt->setName(QStringLiteral("Simulated ± 95 %"));
        dealt->setMarkerSize(8);
        for (const counting::CountWorth& row : worth) {
            const auto& at = simulated->byCount[std::size_t(simulation::countBin(row.count))];
            if (!at.returns) continue;
            const double value = 100 * at.returns->value;
            const double half = 100 * kZ95 * at.returns->error.value_or(0);
            dealt->append(row.count, value);
            auto* bar = new QLineSeries(chart);
            bar->append(row.count, value - half);
            bar->append(row.count, value + half);
            bars.push_back(bar);
            low = std::min(low, value - half);
            high = std::max(high, value + half);
        }
    }
    const double first = worth.empty() ? -6 : worth.front().count;
    const double last = worth.empty() ? 6 : worth.back().count;
    QValueAxis* x = axis(chart, Qt::AlignBottom, QStringLiteral("count (the ends: and beyond)"),
                         first - 0.5, last + 0.5);
    x->setRange(first - 0.5, last + 0.5);
    x->setTickType(QValueAxis::TicksDynamic);
    x->setTickAnchor(0);
    x->setTickInterval(1);
    x->setLabelFormat(QStringLiteral("%+.0f"));
    const double margin = std::max(0.2, 0.05 * (high - low));
    QValueAxis* y =
        axis(chart, Qt::AlignLeft, QStringLiteral("% of the bet"), low - margin, high + margin);
    y->setLabelFormat(QStringLiteral("%.1f"));
    QValueAxis* right =
        axis(chart, Qt::AlignRight, QStringLiteral("how often, %"), 0, mostOften * 1.1);
    attach(chart, basic, x, y);
    attach(chart, indices, x, y);
    attach(chart, often, x, right);
    if (dealt) {
        attach(chart, dealt, x, y);
        for (QLineSeries* bar : bars) {
            bar->setColor(dealt->color());
            attach(chart, bar, x, y);
            hideFromLegend(chart, bar);
        }
    }
}

void plotRuin(QChartView* view, const std::vector<std::pair<double, double>>& curve) {
    QChart* chart = freshChart(view, QStringLiteral("Risk of ruin against the bankroll"));
    chart->legend()->hide();
    auto* line = new QLineSeries(chart);
    for (const auto& [bankroll, risk] : curve)
        line->append(bankroll, 100 * risk);
    attach(chart, line,
           axis(chart, Qt::AlignBottom, QStringLiteral("bankroll, units"), 0,
                curve.empty() ? 1 : curve.back().first),
           axis(chart, Qt::AlignLeft, QStringLiteral("risk of ruin, %"), 0, 100));
}

void plotTrip(QChartView* view, const planning::TripPlot& trip) {
    QChart* chart = freshChart(view, QStringLiteral("A trip: paths and the 90 % band"));
    auto* low = new QLineSeries(chart);
    auto* high = new QLineSeries(chart);
    auto* mean = new QLineSeries(chart);
    mean->setName(QStringLiteral("Expected"));
    double bottom = 0, top = 0;
    for (std::size_t i = 0; i < trip.hours.size(); ++i) {
        low->append(trip.hours[i], trip.low[i]);
        high->append(trip.hours[i], trip.high[i]);
        mean->append(trip.hours[i], trip.mean[i]);
        bottom = std::min(bottom, trip.low[i]);
        top = std::max(top, trip.high[i]);
    }
    auto* band = new QAreaSeries(high, low); // the band owns neither: the chart takes them
    high->setParent(band);
    low->setParent(band);
    band->setName(QStringLiteral("90 % of trips"));
    band->setColor(QColor(120, 160, 220, 90));
    band->setBorderColor(QColor(120, 160, 220));
    for (const auto& path : trip.paths) {
        for (double v : path) {
            bottom = std::min(bottom, v);
            top = std::max(top, v);
        }
    }
    QValueAxis* x = axis(chart, Qt::AlignBottom, QStringLiteral("hours"), 0,
                         trip.hours.empty() ? 1 : trip.hours.back());
    QValueAxis* y = axis(chart, Qt::AlignLeft, QStringLiteral("units won"), bottom, top);
    attach(chart, band, x, y);
    attach(chart, mean, x, y);
    for (std::size_t p = 0; p < trip.paths.size(); ++p) {
        auto* path = new QLineSeries(chart);
        for (std::size_t i = 0; i < trip.paths[p].size(); ++i)
            path->append(trip.hours[i], trip.paths[p][i]);
        attach(chart, path, x, y);
        if (p == 0) {
            path->setName(QStringLiteral("A few trips"));
        } else {
            hideFromLegend(chart, path);
        }
    }
}

void plotSpreads(QChartView* view, const std::vector<planning::SpreadWorth>& spreads) {
    QChart* chart = freshChart(view, QStringLiteral("What each spread is worth"));
    auto* win = new QBarSet(QStringLiteral("Win per 100 rounds, units"));
    auto* score = new QBarSet(QStringLiteral("SCORE"));
    QStringList names;
    double top = 0;
    for (const planning::SpreadWorth& s : spreads) {
        names << QStringLiteral("1-%1").arg(s.spread);
        *win << s.figures.winPer100;
        *score << s.figures.score;
        top = std::max({top, s.figures.winPer100, s.figures.score});
    }
    auto* bars = new QBarSeries(chart);
    bars->append(win);
    bars->append(score);
    chart->addSeries(bars);
    auto* x = new QBarCategoryAxis(chart);
    x->append(names);
    chart->addAxis(x, Qt::AlignBottom);
    bars->attachAxis(x);
    QValueAxis* y = axis(chart, Qt::AlignLeft, QString(), 0, top * 1.1);
    bars->attachAxis(y);
}

} // namespace labplots

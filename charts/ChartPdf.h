#pragma once

#include "ChartModel.h"

#include <QByteArray>
#include <QPageSize>

namespace charts {

// A4 or Letter: one page with the grid in colour and codes, its legend, the rules in words and
// the round's return. Card: a wallet card of 85.6 x 54 mm, hard totals on one page, soft hands
// and pairs on the other.
QPageSize pageSizeOf(Paper paper);

// The chart as a PDF document, written with Qt's own writer (a QGuiApplication must exist).
QByteArray pdf(const Chart& chart, Paper paper);
// A plot page as a PDF document on A4 or Letter, the plot drawn with QPainter.
QByteArray plotPdf(const PlotPage& page, Paper paper);

} // namespace charts

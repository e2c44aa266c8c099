#pragma once

#include "ChartModel.h"

#include <QByteArray>
#include <QStringList>
#include <QTextStream>

// hitwise-chart: parses the arguments (the program name first), writes the chart or the hand's
// plays to the output file or `out`, and returns the exit status: 0 done, 1 the output could
// not be written, 2 a bad option or value (one line on `err` naming it).
//
// A PDF needs Qt Gui, which costs every start of the program a few milliseconds: hitwise-chart
// links only Qt Core and hands a PDF to hitwise-chart-pdf, the same command with the PDF
// writers (`pdf`) given.
struct PdfWriters {
    QByteArray (*chart)(const charts::Chart& chart, charts::Paper paper);
    QByteArray (*plot)(const charts::PlotPage& page, charts::Paper paper);
};
int runChartCommand(const QStringList& arguments, QTextStream& out, QTextStream& err,
                    const PdfWriters* pdf = nullptr);

// Whether these arguments ask for a PDF chart (and are good otherwise).
bool asksForPdf(const QStringList& arguments);

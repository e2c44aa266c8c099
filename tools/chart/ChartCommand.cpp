#include "ChartCommand.h"

#include "Analysis.h"
#include "ChartModel.h"
#include "ChartOptions.h"
#include "TableFit.h"
#include "Version.h"

#include <QSaveFile>

#include <stdexcept>

namespace {

QString cardList(const std::vector<int>& cards) {
    QStringList names;
    for (int card : cards)
        names << QString::fromStdString(charts::cardName(card));
    return names.join(',');
}

// The plays of one hand, the best first.
QString handReport(const ChartRequest& request, QString* error) {
    const std::vector<int>& cards = *request.hand;
    const analysis::Held held = analysis::holding(cards);
    const int total = held.total();
    const QString hand = cardList(cards);
    const QString up = QString::fromStdString(charts::cardName(request.up));
    if (total > 21) {
        *error = QStringLiteral("--hand: %1 is bust (%2).").arg(hand).arg(total);
        return {};
    }
    QString report;
    QTextStream out(&report);
    out << "Hand " << hand << " (" << (held.soft() ? "soft " : "") << total << ") against " << up
        << "\n"
        << "Rules: " << QString::fromStdString(describe(request.game.rules)) << ".\n"
        << "Shoe: " << QString::fromStdString(charts::shoeText(request.shoe))
        << ", the hand and the up card to come out of it.\n";
    if (cards.size() == 2 && analysis::isBlackjack(cards[0], cards[1])) {
        out << "A blackjack: nothing to decide. It pays "
            << (request.game.rules.sixToFive ? "6:5" : "3:2")
            << " unless the dealer has one too.\n";
        return report;
    }
    analysis::PlayValues values;
    try {
        values = analysis::analyseHand(request.game.rules, request.shoe, cards, request.up);
    } catch (const std::invalid_argument&) {
        *error = QStringLiteral("--hand: %1 against %2 takes more cards of a value than the "
                                "shoe holds.")
                     .arg(hand, up);
        return {};
    }
    int count = 0;
    const auto ranked = values.ranked(&count);
    for (int i = 0; i < count; ++i) {
        out << "  " << QString::fromLatin1(analysis::playName(ranked[i]).data()).leftJustified(10)
            << QString::fromStdString(charts::signedValue(values[ranked[i]], 6)) << "\n";
    }
    out << "Values are fractions of the bet"
        << (request.game.rules.holeCard ? ", after the dealer has checked for a blackjack.\n"
                                        : ", the loss to a dealer's blackjack included.\n");
    return report;
}

QByteArray chartOf(const ChartRequest& request, const PdfWriters* pdf) {
    const analysis::Analysis analysis(request.game.rules, request.shoe);
    charts::Chart chart;
    if (request.compare) {
        // The chart the player knows, played at these rules: its marked cells are where it
        // does not give this table's best play.
        const charts::KnownChart& known = charts::kKnownCharts[*request.compare];
        if (request.format == ChartRequest::Format::Csv) {
            return QByteArray::fromStdString(charts::compareCsv(analysis, known.advise));
        }
        const std::string name = charts::chartTitle(*request.compare);
        chart = charts::tableChart(analysis, known.advise, name + " chart at this table",
                                   charts::agreement(analysis, known.advise));
        chart.about = "The " + name +
                      " chart as you know it, played at the rules below. A cell "
                      "marked ! is one where it does not give this table's best play.";
    } else {
        if (request.format == ChartRequest::Format::Csv) {
            return QByteArray::fromStdString(charts::csv(analysis));
        }
        chart = charts::bestPlayChart(analysis);
    }
    chart.shoe = charts::shoeText(analysis.shoe());
    switch (request.format) {
    case ChartRequest::Format::Html: return QByteArray::fromStdString(charts::html(chart));
    case ChartRequest::Format::Text: return QByteArray::fromStdString(charts::text(chart));
    case ChartRequest::Format::Pdf: return pdf->chart(chart, request.paper);
    case ChartRequest::Format::Csv: break;
    }
    return {};
}

// The count lab's reports, as text or CSV.
QByteArray labReport(const ChartRequest& request, const PdfWriters* pdf) {
    const counting::Game& game = request.game;
    const auto format = request.format;
    std::string out;
    if (request.lab == ChartRequest::Lab::Indices) {
        const counting::IndexTable table = counting::indexPlays(game);
        if (format == ChartRequest::Format::Pdf) {
            return pdf->chart(counting::indexChart(game, table), request.paper);
        }
        out = format == ChartRequest::Format::Csv    ? counting::indexCsv(game, table)
              : format == ChartRequest::Format::Html ? counting::indexHtml(game, table)
                                                     : counting::indexText(game, table);
    } else if (request.lab == ChartRequest::Lab::Game) {
        out = counting::gameText(counting::gameFigures(game));
    } else {
        const auto rows = counting::byCount(game);
        if (format == ChartRequest::Format::Pdf) {
            return pdf->plot(counting::byCountPage(game, rows), request.paper);
        }
        out = format == ChartRequest::Format::Csv    ? counting::byCountCsv(game, rows)
              : format == ChartRequest::Format::Html ? counting::byCountHtml(game, rows)
                                                     : counting::byCountText(game, rows);
    }
    return QByteArray::fromStdString(out);
}

} // namespace

bool asksForPdf(const QStringList& arguments) {
    ChartOptions options;
    QString error;
    const std::optional<ChartRequest> request = options.parse(arguments, &error);
    return request && !options.helpAsked() && !options.versionAsked() && !request->hand &&
           request->format == ChartRequest::Format::Pdf;
}

int runChartCommand(const QStringList& arguments, QTextStream& out, QTextStream& err,
                    const PdfWriters* pdf) {
    ChartOptions options;
    QString error;
    const std::optional<ChartRequest> request = options.parse(arguments, &error);
    if (!request) {
        err << "hitwise-chart: " << error << "\n";
        return 2;
    }
    if (options.helpAsked()) {
        out << options.helpText();
        return 0;
    }
    if (options.versionAsked()) {
        out << "hitwise-chart " HITWISE_VERSION "\n";
        return 0;
    }
    if (!request->hand && request->format == ChartRequest::Format::Pdf && !pdf) {
        err << "hitwise-chart: this program writes no PDF; hitwise-chart-pdf does.\n";
        return 1;
    }
    const QByteArray result = request->hand ? handReport(*request, &error).toUtf8()
                              : request->lab != ChartRequest::Lab::None ? labReport(*request, pdf)
                                                                        : chartOf(*request, pdf);
    if (!error.isEmpty()) {
        err << "hitwise-chart: " << error << "\n";
        return 2;
    }
    if (request->output.isEmpty()) {
        out << QString::fromUtf8(result);
        return 0;
    }
    // Written whole or not at all: a file that was there stays as it was on failure.
    QSaveFile file(request->output);
    if (!file.open(QIODevice::WriteOnly) || file.write(result) < 0 || !file.commit()) {
        err << "hitwise-chart: cannot write " << request->output << ": " << file.errorString()
            << "\n";
        return 1;
    }
    return 0;
}

#include "SimCommand.h"

#include "CountPlay.h"
#include "SimForms.h"
#include "SimOptions.h"
#include "StudyCache.h"
#include "Version.h"

#include <QSaveFile>

#include <cmath>
#include <cstdio>
#include <future>
#include <optional>

using namespace simulation;

namespace {

// The count lab's figures for the same game, from its study; without a count, the engine's for
// the full shoe.
LabFigures labOf(const Setup& setup, const counting::CountStudy* study) {
    LabFigures lab;
    const counting::Game& game = setup.game;
    if (study) {
        lab.withIndices = setup.indexSource != IndexSource::None;
        lab.byCount = study->worth;
        lab.hasGame = lab.withIndices;
        if (lab.hasGame) lab.game = counting::gameFigures(game, study->rounds);
        return lab;
    }
    const analysis::Analysis full(game.rules);
    const analysis::Shoe shoe = analysis::Shoe::ofDecks(game.rules.decks);
    const analysis::RoundMoments best =
        analysis::roundMoments(game.rules, shoe, [&](int first, int second, int up) {
            return full.startingHand(first, second, up).best();
        });
    analysis::RoundMoments moments = best;
    double win = full.roundReturn();
    if (setup.strategy == Strategy::Total) {
        // The chart by totals gives up what the composition would have gained: the exact
        // return moved by the difference the first plays make.
        counting::IndexTable chart;
        chart.basic = charts::bestPlayChart(full);
        moments = analysis::roundMoments(game.rules, shoe, [&](int first, int second, int up) {
            return counting::basicPlay(chart, {first, second}, up,
                                       full.startingHand(first, second, up));
        });
        win += moments.mean - best.mean;
    }
    const double sd = std::sqrt(std::max(0.0, moments.second - win * win));
    lab.game = counting::figuresOfRound(game, win, sd, 1.0);
    lab.byCount = {{0, 1.0, win, win}};
    return lab;
}

// "  12.3 M rounds, 24.1 M a second, 4 s left, win +1.23 ± 0.05 per 100": over itself.
void tell(QTextStream& err, const Setup& setup, const Totals& t, double seconds) {
    const double rate = seconds > 0 ? double(t.rounds) / seconds : 0;
    const double left = setup.seconds ? *setup.seconds - seconds
                        : rate > 0    ? double(setup.rounds - t.rounds) / rate
                                      : 0;
    const double n = t.win.y;
    const double mean = n > 0 ? t.win.x / n : 0;
    const double sd = n > 1 ? std::sqrt(std::max(0.0, t.win2 / n - mean * mean)) : 0;
    char line[160];
    std::snprintf(line, sizeof line,
                  "\r%8.1f M rounds, %5.1f M a second, %4.0f s left, win %+.3f \u00b1 %.3f per 100 "
                  "rounds   ",
                  double(t.rounds) / 1e6, rate / 1e6, std::max(0.0, left), 100 * mean,
                  n > 0 ? 100 * sd / std::sqrt(n) : 0.0);
    err << line;
    err.flush();
}

} // namespace

int runSimCommand(const QStringList& arguments, QTextStream& out, QTextStream& err,
                  const Ranks& ranks, const std::atomic<bool>& stop, bool progress) {
    SimOptions options;
    QString error;
    const std::optional<SimRequest> request = options.parse(arguments, &error);
    const bool writes = ranks.rank == 0;
    if (!request) {
        if (writes) err << "hitwise-sim: " << error << "\n";
        return 2;
    }
    if (options.helpAsked() || options.versionAsked()) {
        if (writes) {
            out << (options.helpAsked() ? options.helpText()
                                        : QStringLiteral("hitwise-sim " HITWISE_VERSION "\n"));
        }
        return 0;
    }
    const Setup& setup = request->setup;
    // With a count, the lab's study of the game gives the index plays and, on rank 0, the
    // figures set beside the dealt ones; without, the engine's are worked out beside the dealing.
    std::optional<counting::CountStudy> study;
    if (setup.counting && (writes || setup.indexSource == IndexSource::Lab))
        study = countcache::cachedStudy(setup.game);
    std::future<LabFigures> lab;
    if (writes) {
        lab = std::async(std::launch::async,
                         [&setup, &study] { return labOf(setup, study ? &*study : nullptr); });
    }
    counting::IndexTable indices;
    if (setup.counting && setup.indexSource == IndexSource::Lab) {
        indices = study->indices;
    } else if (setup.counting && setup.indexSource == IndexSource::File) {
        indices = setup.fileIndices;
    }
    const Plan plan = makePlan(setup, indices);
    bool told = false;
    const RunResult result = dealRun(plan, ranks, stop, [&](const Totals& t, double seconds) {
        if (!progress || seconds < 2) return;
        told = true;
        tell(err, setup, t, seconds);
    });
    if (told) err << "\n";
    if (!writes) return 0;
    Report report;
    report.setup = setup;
    report.totals = result.totals;
    report.figures = figuresOf(result.totals, setup.game);
    report.lab = lab.get();
    report.stopped = result.stopped;
    report.indexFile = request->indexFile.toStdString();
    report.mistakesFile = request->mistakesFile.toStdString();
    const std::string text = request->format == SimRequest::Format::Csv    ? simCsv(report)
                             : request->format == SimRequest::Format::Html ? simHtml(report)
                                                                           : simText(report);
    const QByteArray bytes = QByteArray::fromStdString(text);
    if (request->output.isEmpty()) {
        out << QString::fromUtf8(bytes);
        return 0;
    }
    QSaveFile file(request->output);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) < 0 || !file.commit()) {
        err << "hitwise-sim: cannot write " << request->output << ": " << file.errorString()
            << "\n";
        return 1;
    }
    return 0;
}

#include "SimOptions.h"

#include "CountOptions.h"
#include "IndexFile.h"
#include "RuleOptions.h"

#include <QFile>

#include <cmath>

using options::badValue;

namespace {

const QStringList kFormats{"text", "csv", "html"};
const QStringList kStrategies{"total", "composition"};

// A whole number from `low` to `high`, written plainly or as 1e8.
std::optional<double> countOf(const QCommandLineParser& parser, const char* option, double low,
                              double high, QString* error) {
    bool ok = false;
    const double value = parser.value(option).toDouble(&ok);
    if (!ok || value != std::floor(value) || value < low || value > high) {
        *error = badValue(option, parser.value(option),
                          QStringLiteral("a whole number from %1 to %2").arg(low).arg(high));
        return std::nullopt;
    }
    return value;
}

// A file's text, or nothing with *error naming the option.
std::optional<std::string> fileOf(const QString& option, const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("--%1: cannot read %2: %3").arg(option, path, file.errorString());
        return std::nullopt;
    }
    const QByteArray bytes = file.read(16 * 1024 * 1024);
    if (bytes.isEmpty()) {
        *error = QStringLiteral("--%1: %2 is empty.").arg(option, path);
        return std::nullopt;
    }
    return bytes.toStdString();
}

// A file option read by `parse` (text, why); one line naming the option, the file and why,
// where the file cannot be read or does not read.
template <typename Parse>
auto fileRead(const QString& option, const QString& path, Parse parse, QString* error)
    -> decltype(parse(std::string(), nullptr)) {
    const auto text = fileOf(option, path, error);
    if (!text) return std::nullopt;
    std::string why;
    auto read = parse(*text, &why);
    if (!read)
        *error = QStringLiteral("--%1: %2: %3.").arg(option, path, QString::fromStdString(why));
    return read;
}

} // namespace

SimOptions::SimOptions() {
    define(parser_);
}

void SimOptions::define(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        "Deals a counter's game round by round, as a casino deals it, and gives every figure "
        "with its standard error beside the count lab's.");
    parser.addHelpOption();
    parser.addVersionOption();
    options::addRuleOptions(parser);
    options::addCountOptions(parser, options::CountOptionSet::Sim);
    parser.addOptions({
        {"csm", "A continuous shuffler: every round from the whole shoe (no --penetration)."},
        {"burn", "Cards burnt after each shuffle (default 1).", "n"},
        {"strategy",
         "Basic strategy by total, as a player learns it (default), or by the hand's "
         "composition (split hands played as the same cards unsplit: --post-split cdz).",
         "kind"},
        {"indices",
         "With a count: the index plays of FILE, as hitwise-chart --indices --format csv "
         "writes them, or none (default: the count lab's for this game).",
         "file"},
        {"mistakes",
         "Play the game as a player does, with the mistakes of FILE (the manual gives its "
         "rows).",
         "file"},
        {"rounds", "Rounds to deal, 1 to 1e15 (default 100000000); whole shoes.", "n"},
        {"seconds", "Deal for this long instead.", "t"},
        {"threads", "Threads (default: every core).", "n"},
        {"seed", "The seed of the cards: the same seed deals the same rounds (default 1).", "s"},
        {"trip",
         "Count trips of this many rounds played, 1 to 1000000: the chance of losing "
         "the bankroll within one.",
         "rounds"},
        {"format", "text (default), csv or html.", "form"},
        {{"o", "output"}, "Write to this file instead of the standard output.", "file"},
    });
}

std::optional<SimRequest> SimOptions::parse(const QStringList& arguments, QString* error) {
    if (!parser_.parse(arguments)) {
        *error = parser_.errorText();
        return std::nullopt;
    }
    if (helpAsked() || versionAsked()) return SimRequest{};
    if (!parser_.positionalArguments().isEmpty()) {
        *error =
            QStringLiteral("Unexpected argument \"%1\".").arg(parser_.positionalArguments()[0]);
        return std::nullopt;
    }
    SimRequest request;
    simulation::Setup& setup = request.setup;
    const auto rules = options::readRules(parser_, options::defaultRules(), error);
    if (!rules) return std::nullopt;
    if (parser_.isSet("count") || parser_.isSet("tags")) {
        const auto game = options::readGame(parser_, *rules, error);
        if (!game) return std::nullopt;
        setup.game = *game;
        setup.counting = true;
    } else {
        // Without a count: basic strategy and flat bets, at a table of the same options.
        for (const char* option : {"deck-estimate", "tc", "ramp", "leave-below", "max-spread",
                                   "wong-in", "wong-out", "table-max"}) {
            if (parser_.isSet(option)) {
                *error = QStringLiteral("--%1 goes with --count or --tags.").arg(option);
                return std::nullopt;
            }
        }
        QCommandLineParser table;
        define(table);
        table.parse(arguments + QStringList{"--count=hilo"});
        const auto game = options::readGame(table, *rules, error);
        if (!game) return std::nullopt;
        setup.game = *game;
    }
    if (parser_.isSet("csm")) {
        if (parser_.isSet("penetration")) {
            *error = QStringLiteral("--csm and --penetration contradict each other: a continuous "
                                    "shuffler has no cut card.");
            return std::nullopt;
        }
        setup.csm = true;
    }
    if (parser_.isSet("burn")) {
        const auto burn = countOf(parser_, "burn", 0, 52, error);
        if (!burn) return std::nullopt;
        setup.burn = int(*burn);
    }
    if (parser_.isSet("strategy")) {
        const auto kind = options::choice(parser_.value("strategy"), kStrategies);
        if (!kind) {
            *error = badValue("strategy", parser_.value("strategy"), "total or composition");
            return std::nullopt;
        }
        setup.strategy = simulation::Strategy(*kind);
        if (setup.strategy == simulation::Strategy::Composition &&
            setup.game.rules.postSplit != rules::PostSplit::CDZ) {
            *error = QStringLiteral("--strategy composition plays split hands as the same cards "
                                    "unsplit: it goes with --post-split cdz.");
            return std::nullopt;
        }
    }
    if (parser_.isSet("indices")) {
        if (!setup.counting) {
            *error = QStringLiteral("--indices goes with --count or --tags.");
            return std::nullopt;
        }
        const QString value = parser_.value("indices");
        if (value.compare("none", Qt::CaseInsensitive) == 0) {
            setup.indexSource = simulation::IndexSource::None;
        } else {
            const auto table = fileRead("indices", value, simulation::indicesOf, error);
            if (!table) return std::nullopt;
            setup.indexSource = simulation::IndexSource::File;
            setup.fileIndices = *table;
            request.indexFile = value;
        }
    }
    if (parser_.isSet("mistakes")) {
        const QString value = parser_.value("mistakes");
        const auto mistakes = fileRead("mistakes", value, simulation::mistakesOf, error);
        if (!mistakes) return std::nullopt;
        setup.mistakes = *mistakes;
        request.mistakesFile = value;
    }
    if (parser_.isSet("rounds") && parser_.isSet("seconds")) {
        *error = QStringLiteral("--rounds and --seconds contradict each other: give one.");
        return std::nullopt;
    }
    if (parser_.isSet("rounds")) {
        const auto rounds = countOf(parser_, "rounds", 1, 1e15, error);
        if (!rounds) return std::nullopt;
        setup.rounds = std::int64_t(*rounds);
    }
    if (parser_.isSet("seconds")) {
        bool ok = false;
        const double seconds = parser_.value("seconds").toDouble(&ok);
        if (!ok || !(seconds > 0) || seconds > 1e7) {
            *error = badValue("seconds", parser_.value("seconds"), "a time above 0 seconds");
            return std::nullopt;
        }
        setup.seconds = seconds;
    }
    if (parser_.isSet("threads")) {
        const auto threads = countOf(parser_, "threads", 1, 1024, error);
        if (!threads) return std::nullopt;
        setup.threads = int(*threads);
    }
    if (parser_.isSet("seed")) {
        bool ok = false;
        setup.seed = parser_.value("seed").toULongLong(&ok);
        if (!ok) {
            *error = badValue("seed", parser_.value("seed"),
                              "a whole number from 0 to 18446744073709551615");
            return std::nullopt;
        }
    }
    if (parser_.isSet("trip")) {
        const auto trip = countOf(parser_, "trip", 1, 1e6, error);
        if (!trip) return std::nullopt;
        setup.trip = int(*trip);
    }
    if (parser_.isSet("format")) {
        const auto format = options::choice(parser_.value("format"), kFormats);
        if (!format) {
            *error = badValue("format", parser_.value("format"), "text, csv or html");
            return std::nullopt;
        }
        request.format = SimRequest::Format(*format);
    }
    request.output = parser_.value("output");
    return request;
}

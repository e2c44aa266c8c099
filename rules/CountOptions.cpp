#include "CountOptions.h"

#include "RuleOptions.h"

#include <cmath>
#include <functional>
#include <tuple>

namespace options {

namespace {

// The number an option gives where the check allows it; nothing, with *error naming the option,
// where not.
template <typename Allows>
std::optional<double> numberOf(const QCommandLineParser& parser, const char* option, Allows allows,
                               const QString& allowed, QString* error) {
    bool ok = false;
    const double value = parser.value(option).toDouble(&ok);
    if (!ok || !allows(value)) {
        *error = badValue(option, parser.value(option), allowed);
        return std::nullopt;
    }
    return value;
}

// The options of a counter's game (--depth aside: not every parser's) and of its plan.
constexpr const char* kGameOptions[] = {"count",       "tags",    "deck-estimate", "tc",
                                        "penetration", "players", "ramp"};
constexpr const char* kPlanOptions[] = {"leave-below", "bankroll", "rounds-per-hour", "max-spread"};

bool hasDepth(const QCommandLineParser& parser) {
    return parser.optionNames().contains("depth");
}

// A parser of the drill's counting options that has read kept arguments; false where they no
// longer read.
bool readKept(QCommandLineParser& parser, const QStringList& arguments) {
    addCountOptions(parser, CountOptionSet::Drill);
    return parser.parse(QStringList{"hitwise-drill"} + arguments);
}

QStringList systemIds() {
    QStringList ids;
    for (const counting::CountSystem& system : counting::builtInSystems())
        ids << QString::fromStdString(system.id);
    return ids;
}

} // namespace

void addCountOptions(QCommandLineParser& parser, CountOptionSet set) {
    parser.addOptions({
        {"count",
         QStringLiteral("Count cards with a system of published tags: %1 (Hi-Lo, KO, Hi-Opt I "
                        "and II, Omega II, Zen, Wong Halves). No side counts.")
             .arg(alternatives(systemIds())),
         "system"},
        {"tags",
         "Count with tags of your own, every value once: "
         "A:-1,2:1,3:1,4:1,5:1,6:1,7:0,8:0,9:0,10:-1 (fractions allowed). Tags whose deck "
         "sums to other than 0 are counted as KO is, by the running count.",
         "tags"},
        {"deck-estimate",
         "How you estimate the decks left for the true count: to the full, half (default) or "
         "quarter deck, never below one step, or exact.",
         "step"},
        {"tc",
         "How you round the true count: floor (default; every step one unit wide), truncate "
         "(towards 0), round, or exact.",
         "rounding"},

        {"penetration",
         "The part of the shoe dealt before the shuffle, above 0 and below 1 "
         "(default 0.75).",
         "part"},
        {"players", "Players at the table, 1 to 7 (default 1): how far apart rounds fall.", "n"},
        {"ramp",
         "Units bet by count, e.g. \"1:1,2:2,3:4,4:8\": the first below the lowest count "
         "named, the last at or above the highest. The indices' gains are then weighted by the "
         "bet (default: flat bets).",
         "ramp"},
        {"leave-below", "Leave the table below this count.", "count"},
        {"bankroll", "The bankroll in units (default 1000), for the risk of ruin.", "units"},
        {"rounds-per-hour", "Rounds dealt an hour (default 100).", "n"},
        {"max-spread",
         "The largest bet over the smallest for the best ramp (default: the ramp's own).", "n"},
    });
    if (set == CountOptionSet::Chart) {
        parser.addOption({"depth",
                          "Decks dealt when the count is taken (default: every round up to the "
                          "cut card).",
                          "decks"});
    }
}

const QStringList& deckEstimateNames() {
    static const QStringList names{"full", "half", "quarter", "exact"};
    return names;
}

const QStringList& roundingNames() {
    static const QStringList names{"floor", "truncate", "round", "exact"};
    return names;
}

std::optional<counting::Game> gameOf(const QStringList& arguments, const analysis::Rules& rules) {
    QCommandLineParser parser;
    QString error;
    if (!readKept(parser, arguments)) return std::nullopt;
    return readGame(parser, rules, &error);
}

counting::GamePlan planOf(const QStringList& arguments) {
    QCommandLineParser parser;
    counting::GamePlan plan;
    QString error;
    if (!readKept(parser, arguments) || !readPlan(parser, &plan, &error)) return {};
    return plan;
}

QStringList countArguments(const QCommandLineParser& parser) {
    QStringList names;
    for (const char* name : kGameOptions)
        names << QString::fromLatin1(name);
    for (const char* name : kPlanOptions)
        names << QString::fromLatin1(name);
    if (hasDepth(parser)) names << QStringLiteral("depth");
    QStringList arguments;
    for (const QString& name : names) {
        if (parser.isSet(name)) arguments << "--" + name + "=" + parser.value(name);
    }
    return arguments;
}

bool anyPlanOption(const QCommandLineParser& parser) {
    for (const char* name : kPlanOptions) {
        if (parser.isSet(name)) return true;
    }
    return false;
}

bool readPlan(const QCommandLineParser& parser, counting::GamePlan* plan, QString* error) {
    auto number = [&](const char* option, double low, double high, double* into) {
        if (!parser.isSet(option)) return true;
        const auto value = numberOf(
            parser, option, [&](double v) { return v >= low && v <= high; },
            QStringLiteral("a number from %1 to %2").arg(low).arg(high), error);
        if (value) *into = *value;
        return value.has_value();
    };
    double leave = 0, spread = 1;
    if (!number("bankroll", 1, 1e9, &plan->bankroll) ||
        !number("rounds-per-hour", 1, 1000, &plan->roundsPerHour) ||
        !number("leave-below", -100, 100, &leave) || !number("max-spread", 1, 1000, &spread)) {
        return false;
    }
    if (parser.isSet("leave-below")) plan->leaveBelow = int(std::lround(leave));
    if (parser.isSet("max-spread")) plan->maxSpread = int(std::lround(spread));
    return true;
}

QString countWords(const counting::Game& game) {
    const QString name = game.system.name.empty() ? QStringLiteral("tags of your own")
                                                  : QString::fromStdString(game.system.name);
    if (!game.system.balanced()) {
        return QStringLiteral("%1, running count from %2")
            .arg(name)
            .arg(game.system.initialRunningCount(game.rules.decks));
    }
    static const char* const estimates[] = {"full-deck estimate", "half-deck estimate",
                                            "quarter-deck estimate", "exact decks"};
    static const char* const roundings[] = {"floored", "truncated", "rounded", "unrounded"};
    return QStringLiteral("%1, %2, %3")
        .arg(name, estimates[int(game.conventions.estimate)],
             roundings[int(game.conventions.rounding)]);
}

bool anyCountOption(const QCommandLineParser& parser) {
    for (const char* name : kGameOptions) {
        if (parser.isSet(name)) return true;
    }
    return hasDepth(parser) && parser.isSet("depth");
}

std::optional<counting::Game> readGame(const QCommandLineParser& parser,
                                       const analysis::Rules& rules, QString* error) {
    if (!parser.isSet("count") && !parser.isSet("tags")) {
        if (anyCountOption(parser)) {
            *error = QStringLiteral("--count or --tags names the count the other counting "
                                    "options go with.");
        }
        return std::nullopt;
    }
    if (parser.isSet("count") && parser.isSet("tags")) {
        *error = QStringLiteral("--count and --tags contradict each other: give one.");
        return std::nullopt;
    }
    counting::Game game;
    game.rules = rules;
    if (parser.isSet("count")) {
        const auto system = counting::systemOfId(parser.value("count").toLower().toStdString());
        if (!system) {
            *error = badValue("count", parser.value("count"), alternatives(systemIds()));
            return std::nullopt;
        }
        game.system = *system;
    } else {
        std::string why;
        const auto system = counting::systemOfTags(parser.value("tags").toStdString(), &why);
        if (!system) {
            *error = QStringLiteral("--tags: %1").arg(QString::fromStdString(why));
            return std::nullopt;
        }
        game.system = *system;
    }
    for (const auto& [option, names, apply] :
         {std::tuple<const char*, const QStringList*, std::function<void(int)>>{
              "deck-estimate", &deckEstimateNames(),
              [&](int i) { game.conventions.estimate = counting::DeckEstimate(i); }},
          {"tc", &roundingNames(),
           [&](int i) { game.conventions.rounding = counting::Rounding(i); }}}) {
        if (!parser.isSet(option)) continue;
        if (!game.system.balanced()) {
            *error =
                QStringLiteral("--%1 is for a balanced count; %2 is counted by the running "
                               "count.")
                    .arg(option, QString::fromStdString(
                                     game.system.name.empty() ? "these tags" : game.system.name));
            return std::nullopt;
        }
        const auto index = choice(parser.value(option), *names);
        if (!index) {
            *error = badValue(option, parser.value(option), alternatives(*names));
            return std::nullopt;
        }
        apply(*index);
    }
    auto real = [&](const char* option, auto allows, const QString& allowed) {
        return numberOf(parser, option, allows, allowed, error);
    };
    if (hasDepth(parser) && parser.isSet("depth")) {
        const auto depth = real(
            "depth", [&](double d) { return d >= 0 && d < rules.decks; },
            QStringLiteral("decks from 0 to below %1").arg(rules.decks));
        if (!depth) return std::nullopt;
        game.depth = *depth;
    }
    if (parser.isSet("penetration")) {
        const auto part = real(
            "penetration", [](double p) { return p > 0 && p < 1; }, "a part above 0 and below 1");
        if (!part) return std::nullopt;
        game.penetration = *part;
    }
    if (parser.isSet("players")) {
        bool ok = false;
        const int players = parser.value("players").toInt(&ok);
        if (!ok || players < 1 || players > 7) {
            *error = badValue("players", parser.value("players"), "a number from 1 to 7");
            return std::nullopt;
        }
        game.players = players;
    }
    if (parser.isSet("ramp")) {
        std::string why;
        const auto ramp = counting::rampOf(parser.value("ramp").toStdString(), &why);
        if (!ramp) {
            *error = QStringLiteral("--ramp: %1.").arg(QString::fromStdString(why));
            return std::nullopt;
        }
        game.ramp = *ramp;
    }
    return game;
}

} // namespace options

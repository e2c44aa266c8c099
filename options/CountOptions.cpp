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

// Whether an option was given; false, without a word, for one this parser does not define.
bool given(const QCommandLineParser& parser, const char* name) {
    return parser.optionNames().contains(QLatin1String(name));
}

bool hasDepth(const QCommandLineParser& parser) {
    return given(parser, "depth");
}

// The table's options, not every parser's.
constexpr const char* kTableOptions[] = {"table-max", "wong-in", "wong-out", "seat", "spots"};

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
    if (set == CountOptionSet::Chart || set == CountOptionSet::All) {
        parser.addOption({"depth",
                          "Decks dealt when the count is taken (default: every round up to the "
                          "cut card).",
                          "decks"});
    }
    // The table the counter plays at, beyond the count lab's average shoe: the lab weighs the
    // counts played and the largest bet; the simulator deals the seats and the Wonging too.
    if (set != CountOptionSet::Drill) {
        parser.addOptions({
            {"table-max", "The table's largest bet in units: no bet of the ramp above it.",
             "units"},
            {"wong-in",
             "Watch from behind, and sit down at this count or above (the count lab plays every "
             "count from it on).",
             "count"},
        });
    }
    if (set == CountOptionSet::Sim || set == CountOptionSet::All) {
        parser.addOptions({
            {"wong-out", "Leave below this count, then watch again until --wong-in.", "count"},
            {"seat", "The counter's seat, 1 (first base) to the players (default: the last seats).",
             "k"},
            {"spots", "Hands the counter plays a round, 1 to 3, each with the ramp's bet.", "n"},
        });
    }
}

namespace {

// A whole count, as --wong-in and the like give it.
std::optional<int> wholeOf(const QCommandLineParser& parser, const char* option, int low, int high,
                           const QString& allowed, QString* error) {
    bool ok = false;
    const int value = parser.value(option).toInt(&ok);
    if (!ok || value < low || value > high) {
        *error = badValue(option, parser.value(option), allowed);
        return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<counting::Game> readTable(const QCommandLineParser& parser, counting::Game game,
                                        QString* error) {
    if (given(parser, "table-max")) {
        const auto most = numberOf(
            parser, "table-max", [](double v) { return v >= 1 && v <= 1e6; },
            "a number of units from 1 to 1000000", error);
        if (!most) return std::nullopt;
        game.tableMax = *most;
    }
    for (const auto& [option, into] :
         {std::pair{"wong-in", &game.wongIn}, std::pair{"wong-out", &game.wongOut}}) {
        if (!given(parser, option)) continue;
        const auto count =
            wholeOf(parser, option, -100, 100, "a whole count from -100 to 100", error);
        if (!count) return std::nullopt;
        *into = *count;
    }
    if (game.wongIn && game.wongOut && *game.wongOut > *game.wongIn) {
        *error = QStringLiteral("--wong-out %1 is above --wong-in %2: leave below the count you "
                                "sit down at, or at it.")
                     .arg(*game.wongOut)
                     .arg(*game.wongIn);
        return std::nullopt;
    }
    if (given(parser, "spots")) {
        const auto spots = wholeOf(parser, "spots", 1, 3, "a number from 1 to 3", error);
        if (!spots) return std::nullopt;
        game.spots = *spots;
    }
    if (given(parser, "seat")) {
        const auto seat = wholeOf(parser, "seat", 1, 7, "a seat from 1 to 7", error);
        if (!seat) return std::nullopt;
        game.seat = *seat;
    }
    const int first = game.seat.value_or(game.players - game.spots + 1);
    if (game.spots > game.players) {
        *error = QStringLiteral("--spots %1 take more seats than --players %2.")
                     .arg(game.spots)
                     .arg(game.players);
        return std::nullopt;
    }
    if (first + game.spots - 1 > game.players) {
        *error = QStringLiteral("--seat %1 is past the players: %2 at the table.")
                     .arg(first)
                     .arg(game.players);
        return std::nullopt;
    }
    return game;
}

const QStringList& deckEstimateNames() {
    static const QStringList names{"full", "half", "quarter", "exact"};
    return names;
}

const QStringList& roundingNames() {
    static const QStringList names{"floor", "truncate", "round", "exact"};
    return names;
}

bool anyPlanOption(const QCommandLineParser& parser) {
    for (const char* name : kPlanOptions) {
        if (parser.isSet(name)) return true;
    }
    return false;
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
    for (const char* name : kTableOptions) {
        if (given(parser, name)) return true;
    }
    return hasDepth(parser) && parser.isSet("depth");
}

std::optional<counting::Game> readCountedGame(const QCommandLineParser& parser,
                                              const rules::Rules& rules, QString* error) {
    std::optional<counting::Game> game = readGame(parser, rules, error);
    if (!game && error->isEmpty() && anyPlanOption(parser)) {
        *error = QStringLiteral("--leave-below, --bankroll, --rounds-per-hour and --max-spread go "
                                "with --count or --tags.");
    }
    return game;
}

std::optional<counting::Game> readGame(const QCommandLineParser& parser, const rules::Rules& rules,
                                       QString* error) {
    // The plan first, as hitwise-chart has always named its errors.
    counting::Game game;
    game.rules = rules;
    auto planned = [&](const char* option, double low, double high, auto apply) {
        if (!parser.isSet(option)) return true;
        const auto value = numberOf(
            parser, option, [&](double v) { return v >= low && v <= high; },
            QStringLiteral("a number from %1 to %2").arg(low).arg(high), error);
        if (value) apply(*value);
        return value.has_value();
    };
    if (!planned("bankroll", 1, 1e9, [&](double v) { game.bankroll = v; }) ||
        !planned("rounds-per-hour", 1, 1000, [&](double v) { game.roundsPerHour = v; }) ||
        !planned("leave-below", -100, 100,
                 [&](double v) { game.leaveBelow = int(std::lround(v)); }) ||
        !planned("max-spread", 1, 1000, [&](double v) { game.maxSpread = int(std::lround(v)); })) {
        return std::nullopt;
    }
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
    return readTable(parser, std::move(game), error);
}

namespace {

QString number(double value) {
    return QString::fromStdString(counting::numberText(value));
}

// The counting options that give this game: "--count=hilo", ..., "--rounds-per-hour=100".
QStringList countArguments(const counting::Game& game) {
    QStringList arguments;
    const counting::CountSystem& system = game.system;
    if (!system.id.empty()) {
        arguments << "--count=" + QString::fromStdString(system.id);
    } else {
        QStringList tags;
        for (int value = 1; value <= 10; ++value) {
            tags << (value == 1 ? QStringLiteral("A") : QString::number(value)) + ":" +
                        number(system.tags[std::size_t(value)]);
        }
        arguments << "--tags=" + tags.join(',');
    }
    if (system.balanced()) {
        arguments << "--deck-estimate=" + deckEstimateNames()[int(game.conventions.estimate)]
                  << "--tc=" + roundingNames()[int(game.conventions.rounding)];
    }
    if (game.depth) arguments << "--depth=" + number(*game.depth);
    arguments << "--penetration=" + number(game.penetration)
              << QStringLiteral("--players=%1").arg(game.players);
    if (!game.ramp.empty())
        arguments << "--ramp=" + QString::fromStdString(counting::rampText(game.ramp));
    if (game.leaveBelow) arguments << QStringLiteral("--leave-below=%1").arg(*game.leaveBelow);
    arguments << "--bankroll=" + number(game.bankroll)
              << "--rounds-per-hour=" + number(game.roundsPerHour);
    if (game.maxSpread) arguments << QStringLiteral("--max-spread=%1").arg(*game.maxSpread);
    if (game.tableMax) arguments << "--table-max=" + number(*game.tableMax);
    if (game.wongIn) arguments << QStringLiteral("--wong-in=%1").arg(*game.wongIn);
    if (game.wongOut) arguments << QStringLiteral("--wong-out=%1").arg(*game.wongOut);
    if (game.seat) arguments << QStringLiteral("--seat=%1").arg(*game.seat);
    if (game.spots != 1) arguments << QStringLiteral("--spots=%1").arg(game.spots);
    return arguments;
}

} // namespace

QString gameText(const counting::Game& game) {
    return (ruleArguments(game.rules) + countArguments(game)).join(' ');
}

std::optional<counting::Game> gameOfText(const QString& text, QString* error) {
    QString why;
    QCommandLineParser parser;
    addRuleOptions(parser);
    addCountOptions(parser, CountOptionSet::All);
    std::optional<counting::Game> game;
    if (!parser.parse(QStringList{"game"} + text.split(' ', Qt::SkipEmptyParts))) {
        why = parser.errorText();
    } else if (!parser.positionalArguments().isEmpty()) {
        why = QStringLiteral("\"%1\" is no option.").arg(parser.positionalArguments()[0]);
    } else if (const auto rules = readRules(parser, defaultRules(), &why)) {
        game = readGame(parser, *rules, &why);
        if (!game && why.isEmpty()) why = QStringLiteral("--count or --tags names no count.");
    }
    if (!game && error) *error = why;
    return game;
}

} // namespace options

#pragma once

// The counting options that hitwise-chart and hitwise-drill share, declared once: --count,
// --tags, --deck-estimate, --tc, --depth, --penetration, --players and --ramp, and the plan of
// a game: --leave-below, --bankroll, --rounds-per-hour and --max-spread.

#include "Count.h"
#include "CountLab.h"

#include <QCommandLineParser>
#include <QString>

#include <optional>

namespace options {

// Adds the counting options to a parser: for hitwise-chart every one, for hitwise-drill all
// but --depth (the drill deals the whole shoe).
enum class CountOptionSet { Chart, Drill };
void addCountOptions(QCommandLineParser& parser, CountOptionSet set);

// Whether any counting option was given.
bool anyCountOption(const QCommandLineParser& parser);

// The counter's game at these rules the parsed options give; nothing without --count or
// --tags. On a bad value returns nothing and sets *error to one line naming the option.
std::optional<counting::Game> readGame(const QCommandLineParser& parser,
                                       const analysis::Rules& rules, QString* error);

// Whether any of the game's plan options (--leave-below, --bankroll, --rounds-per-hour,
// --max-spread) was given, and the plan they give: false, with *error, for a bad value.
bool anyPlanOption(const QCommandLineParser& parser);
bool readPlan(const QCommandLineParser& parser, counting::GamePlan* plan, QString* error);

// The counting options given, as "--name=value" arguments: what gameOf reads again.
QStringList countArguments(const QCommandLineParser& parser);
// The counter's game of such arguments at these rules, or nothing where they no longer read.
std::optional<counting::Game> gameOf(const QStringList& arguments, const analysis::Rules& rules);
// The plan of such arguments (the defaults where they name none, or no longer read).
counting::GamePlan planOf(const QStringList& arguments);

// The values of --deck-estimate and --tc, in the order of counting::DeckEstimate and
// counting::Rounding.
const QStringList& deckEstimateNames();
const QStringList& roundingNames();

// "Hi-Lo, half-deck estimate, floored", "KO, running count from -20": the count in words.
QString countWords(const counting::Game& game);

} // namespace options

#pragma once

// The counting options that every program shares, declared once: --count, --tags,
// --deck-estimate, --tc, --depth, --penetration, --players and --ramp, and the plan of a game:
// --leave-below, --bankroll, --rounds-per-hour and --max-spread. They read into one value,
// counting::Game, and its one text form is these options (with the rule options) as the
// programs take them: gameText() writes it and gameOfText() reads it back as the same game.

#include "Game.h"

#include <QCommandLineParser>
#include <QString>

#include <optional>

namespace options {

// Adds the counting options to a parser: for hitwise-chart those of the count lab (--depth,
// --table-max and --wong-in among them), for hitwise-drill all but those, for hitwise-sim and
// hitwise-lab the table's too (--seat, --spots, --wong-out) but --depth (they deal the whole
// shoe); All for the game's text form.
enum class CountOptionSet { Chart, Drill, Sim, All };
void addCountOptions(QCommandLineParser& parser, CountOptionSet set);

// Whether any counting option was given, and whether any of the game's plan (--leave-below,
// --bankroll, --rounds-per-hour, --max-spread).
bool anyCountOption(const QCommandLineParser& parser);
bool anyPlanOption(const QCommandLineParser& parser);

// The counter's game at these rules the parsed options give, its plan included; nothing without
// --count or --tags. On a bad value returns nothing and sets *error to one line naming the
// option.
std::optional<counting::Game> readGame(const QCommandLineParser& parser, const rules::Rules& rules,
                                       QString* error);
// The same, where the plan's options without --count or --tags are a bad option too (the
// programs that play a count in force).
std::optional<counting::Game> readCountedGame(const QCommandLineParser& parser,
                                              const rules::Rules& rules, QString* error);

// The table's options of the game the parser gave (those it defines): the table maximum, Wonging,
// the seat and the spots, each checked against the others and the players.
std::optional<counting::Game> readTable(const QCommandLineParser& parser, counting::Game game,
                                        QString* error);

// The game's one text form: its rule and counting options on one line, every rule named,
// "--decks=6 --s17 ... --count=hilo --deck-estimate=half --tc=floor --penetration=0.75 ...".
QString gameText(const counting::Game& game);
// A game of such a text; nothing (and *error, one line) where it does not read. Missing rule
// options take the default rules; the drill's kept counts of before, without rules, read so.
std::optional<counting::Game> gameOfText(const QString& text, QString* error = nullptr);

// The values of --deck-estimate and --tc, in the order of counting::DeckEstimate and
// counting::Rounding.
const QStringList& deckEstimateNames();
const QStringList& roundingNames();

// "Hi-Lo, half-deck estimate, floored", "KO, running count from -20": the count in words.
QString countWords(const counting::Game& game);

} // namespace options

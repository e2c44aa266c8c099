#pragma once

// The counting options that hitwise-chart and hitwise-drill share, declared once: --count,
// --tags, --deck-estimate, --tc, --depth, --penetration, --players and --ramp.

#include "Count.h"
#include "CountLab.h"

#include <QCommandLineParser>
#include <QString>

#include <optional>

namespace options {

// Adds the counting options to a parser.
void addCountOptions(QCommandLineParser& parser);

// Whether any counting option was given.
bool anyCountOption(const QCommandLineParser& parser);

// The counter's game at these rules the parsed options give; nothing without --count or
// --tags. On a bad value returns nothing and sets *error to one line naming the option.
std::optional<counting::Game> readGame(const QCommandLineParser& parser,
                                       const analysis::Rules& rules, QString* error);

} // namespace options

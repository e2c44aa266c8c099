#pragma once

// The table-rule options that every program shares, declared once: --rules, --decks,
// --h17/--s17, --das/--no-das, --surrender/--no-surrender, --hole-card/--no-hole-card, --double,
// --split-hands, --blackjack and --post-split; read into rules::Rules, and written back.

#include "Rules.h"

#include <QCommandLineParser>
#include <QString>

#include <optional>

namespace options {

// The rules the options start from: six decks, no double after a split, otherwise Rules' own.
rules::Rules defaultRules();

// The ids of the known charts, as --rules and --compare take them: "single", "multi", "european".
QStringList knownChartIds();

// The known chart --rules names (its index in charts::kKnownCharts) when it is the only rule
// option.
std::optional<int> chartOnly(const QCommandLineParser& parser);

// Adds the rule options to a parser.
void addRuleOptions(QCommandLineParser& parser);

// The rules the parsed options give, starting from `defaults` (or from the chart named by
// --rules). On a bad value returns nothing and sets *error to one line naming the option.
std::optional<rules::Rules> readRules(const QCommandLineParser& parser,
                                      const rules::Rules& defaults, QString* error);

// Whether any rule option was given.
bool anyRuleOption(const QCommandLineParser& parser);

// The rule options that give these rules from any defaults, every rule named: "--decks=6",
// "--s17", ..., "--post-split=cdp". readRules() reads them back as the same rules.
QStringList ruleArguments(const rules::Rules& rules);

// "--name: "value" is not allowed", the one wording of a bad value.
QString badValue(const QString& option, const QString& value, const QString& allowed);

// "a, b or c".
QString alternatives(QStringList names);

// A name from a fixed list, any case: its index, or nothing.
std::optional<int> choice(const QString& text, const QStringList& names);

} // namespace options

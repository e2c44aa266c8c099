#pragma once

#include "Rules.h"

#include <QCommandLineParser>
#include <QString>

#include <optional>
#include <vector>

// The options of hitwise-chart, declared once for the parser and read into what the command
// does. A bad value is reported with the option's name.
struct ChartRequest {
    analysis::Rules rules;
    enum class Format { Html, Text, Csv } format = Format::Text;
    QString output;                       // empty: standard output
    std::optional<std::vector<int>> hand; // --hand: one hand's plays instead of a chart
    int up = 0;
};

class ChartOptions {
public:
    ChartOptions();
    // Parses the arguments (the program name first). On failure returns nothing and sets
    // *error to one line naming the option.
    std::optional<ChartRequest> parse(const QStringList& arguments, QString* error);
    bool helpAsked() const;
    bool versionAsked() const;
    QString helpText() const { return parser_.helpText(); }

private:
    QCommandLineParser parser_;
};

// A card by its name: A (or 1), 2 to 10, and J, Q, K or T for ten; any case. 0 if none.
int cardValue(const QString& name);

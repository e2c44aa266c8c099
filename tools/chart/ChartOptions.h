#pragma once

#include "ChartModel.h"
#include "CountLab.h"
#include "Rules.h"
#include "Shoe.h"

#include <QCommandLineParser>
#include <QString>

#include <optional>
#include <vector>

// The options of hitwise-chart, declared once for the parser and read into what the command
// does. A bad value is reported with the option's name.
struct ChartRequest {
    // The table's rules, and with --indices, --by-count or --game the counter's whole game.
    counting::Game game;
    analysis::Shoe shoe; // the rules' decks, or --shoe, less --removed
    enum class Format { Html, Text, Csv, Pdf } format = Format::Text;
    charts::Paper paper = charts::Paper::A4;
    std::optional<int> compare; // --compare: the chart (0 single, 1 multi, 2 european) held
                                // against these rules
    QString output;             // empty: standard output
    std::optional<std::vector<int>> hand; // --hand: one hand's plays instead of a chart
    int up = 0;
    // --indices, --by-count or --game, for the counter's game of --count or --tags.
    enum class Lab { None, Indices, ByCount, Game } lab = Lab::None;
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

#pragma once

#include "Setup.h"

#include <QCommandLineParser>
#include <QString>

#include <optional>

// The options of hitwise-sim, declared once for the parser and read into a Setup: the rule and
// counting options from their one definition, and what the simulator adds. A bad value, or
// options that make no sense together, give one line naming them.
struct SimRequest {
    simulation::Setup setup;
    enum class Format { Text, Csv, Html } format = Format::Text;
    QString output; // empty: standard output
    QString indexFile, mistakesFile;
};

class SimOptions {
public:
    SimOptions();
    // Parses the arguments (the program name first); files named by the options are read here.
    std::optional<SimRequest> parse(const QStringList& arguments, QString* error);
    bool helpAsked() const { return parser_.isSet("help"); }
    bool versionAsked() const { return parser_.isSet("version"); }
    QString helpText() const { return parser_.helpText(); }

private:
    static void define(QCommandLineParser& parser);
    QCommandLineParser parser_;
};

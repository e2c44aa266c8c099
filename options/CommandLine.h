#pragma once

#include <QCommandLineParser>
#include <QStringList>

#include <optional>

namespace options {

// The start of a window program's command line, read before any window opens: parses, answers
// --help and --version, and refuses a positional argument. The status to end with where the
// program ends here (0; or 2, the error one line on the standard error), nothing to go on.
std::optional<int> parseStart(QCommandLineParser& parser, const QStringList& arguments,
                              const char* program, const char* version);

// One line on the standard error, "program: error", and the status of a bad option: 2.
int badOption(const char* program, const QString& error);

} // namespace options

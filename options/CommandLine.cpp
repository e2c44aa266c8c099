#include "CommandLine.h"

#include <cstdio>

namespace options {

int badOption(const char* program, const QString& error) {
    std::fprintf(stderr, "%s: %s\n", program, qPrintable(error));
    return 2;
}

std::optional<int> parseStart(QCommandLineParser& parser, const QStringList& arguments,
                              const char* program, const char* version) {
    if (!parser.parse(arguments)) return badOption(program, parser.errorText());
    if (parser.isSet("help")) {
        // Without an application object the parser cannot name the program itself.
        std::fputs(qPrintable(parser.helpText().replace("<executable_name>", program)), stdout);
        return 0;
    }
    if (parser.isSet("version")) {
        std::printf("%s %s\n", program, version);
        return 0;
    }
    if (!parser.positionalArguments().isEmpty()) {
        return badOption(
            program,
            QStringLiteral("Unexpected argument \"%1\".").arg(parser.positionalArguments()[0]));
    }
    return std::nullopt;
}

} // namespace options

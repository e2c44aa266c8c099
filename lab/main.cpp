#include "Application.h"
#include "CommandLine.h"
#include "CountOptions.h"
#include "LabWindow.h"
#include "ProgramFolder.h"
#include "RuleOptions.h"
#include "Version.h"

#include <QCommandLineParser>
#include <QIcon>
#include <QStandardPaths>


namespace {

// The command line, read before any window opens: a bad option or value is one line on the
// standard error and status 2.
struct Parsed {
    std::optional<counting::Game> game;
    int status = -1; // set when the program ends here
};

Parsed parseArguments(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    parser.setApplicationDescription("Plan a card counter's game: its figures, exact and "
                                     "simulated, games side by side, and your own mistakes.");
    parser.addHelpOption();
    parser.addVersionOption();
    options::addRuleOptions(parser);
    options::addCountOptions(parser, options::CountOptionSet::All);
    Parsed parsed;
    auto fail = [&](const QString& error) {
        parsed.status = options::badOption("hitwise-lab", error);
        return parsed;
    };
    if (const auto status =
            options::parseStart(parser, arguments, "hitwise-lab", HITWISE_VERSION)) {
        parsed.status = *status;
        return parsed;
    }
    QString error;
    rules::Rules rules = options::defaultRules();
    if (options::anyRuleOption(parser)) {
        const auto read = options::readRules(parser, rules, &error);
        if (!read) return fail(error);
        rules = *read;
    }
    auto game = options::readCountedGame(parser, rules, &error);
    if (!error.isEmpty()) return fail(error);
    if (game) {
        game = options::readTable(parser, *game, &error);
        if (!game) return fail(error);
    }
    parsed.game = game;
    return parsed;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication::setApplicationName("hitwise-lab");
    QCoreApplication::setApplicationVersion(HITWISE_VERSION);
    Parsed parsed = parseArguments(argc, argv);
    if (parsed.status >= 0) return parsed.status;

    Application app(argc, argv);
    QApplication::setApplicationName("hitwise-lab");
    QApplication::setApplicationDisplayName("Hitwise Lab");
    QApplication::setOrganizationName("hitwise");
    QApplication::setDesktopFileName("com.example.hitwise.lab");
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/icon.png")));

    // Without a game on the command line: the drill's count in force, or Hi-Lo with a 1-8 ramp.
    counting::Game start;
    if (parsed.game) {
        start = *parsed.game;
    } else {
        QString error;
        start = *options::gameOfText(QStringLiteral("--decks=6 --das --surrender --count=hilo "
                                                    "--ramp=1:1,2:2,3:4,4:6,5:8"),
                                     &error);
    }
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    LabWindow window(data + "/hitwise-lab", data + "/hitwise-drill/history.sqlite", programFolder(),
                     start);
    window.show();
    return QApplication::exec();
}

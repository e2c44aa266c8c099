#include "Application.h"
#include "CommandLine.h"
#include "CountOptions.h"
#include "DrillSettings.h"
#include "DrillWindow.h"
#include "ProgramFolder.h"
#include "RuleOptions.h"
#include "Version.h"

#include <QCommandLineParser>
#include <QIcon>
#include <QRandomGenerator>
#include <QStandardPaths>


using namespace practice;

namespace {

// The command line, read before any window opens: a bad option or value is one line on the
// standard error and status 2.
struct Parsed {
    DrillWindow::Start start;
    bool seeded = false;
    int status = -1; // set when the program ends here
};

Parsed parseArguments(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    parser.setApplicationDescription("Practise blackjack basic strategy: at Hitwise's charts or "
                                     "at your own table's rules, one hand or whole rounds.");
    parser.addHelpOption();
    parser.addVersionOption();
    options::addRuleOptions(parser);
    options::addCountOptions(parser, options::CountOptionSet::Drill);
    parser.addOptions({
        {"play", "Start by playing hands out: rounds from a shoe, to the end; with a count, the "
                 "shoe played with it."},
        {"seed", "Deal a repeatable sequence of hands from this number.", "n"},
    });
    Parsed parsed;
    auto fail = [&](const QString& error) {
        parsed.status = options::badOption("hitwise-drill", error);
        return parsed;
    };
    if (const auto status =
            options::parseStart(parser, arguments, "hitwise-drill", HITWISE_VERSION)) {
        parsed.status = *status;
        return parsed;
    }
    QString error;
    if (const auto chart = options::chartOnly(parser)) {
        parsed.start.table = Table::ofChart(*chart);
    } else if (options::anyRuleOption(parser)) {
        const auto rules = options::readRules(parser, options::defaultRules(), &error);
        if (!rules) return fail(error);
        parsed.start.table = Table::own(*rules);
    }
    // The count in force from the command line; the window plays it at the table's rules.
    parsed.start.count = options::readCountedGame(parser, options::defaultRules(), &error);
    if (!error.isEmpty()) return fail(error);
    parsed.start.playOut = parser.isSet("play");
    // --play with a count on the command line plays the shoe with it.
    parsed.start.keepCount = parsed.start.playOut && parsed.start.count.has_value();
    if (parser.isSet("seed")) {
        bool ok = false;
        parsed.start.seed = parser.value("seed").toUInt(&ok);
        if (!ok) {
            return fail(options::badValue("seed", parser.value("seed"),
                                          "a whole number from 0 to 4294967295"));
        }
        parsed.seeded = true;
    }
    return parsed;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication::setApplicationName("hitwise-drill");
    QCoreApplication::setApplicationVersion(HITWISE_VERSION);
    Parsed parsed = parseArguments(argc, argv);
    if (parsed.status >= 0) return parsed.status;

    Application app(argc, argv);
    QApplication::setApplicationName("hitwise-drill");
    QApplication::setApplicationDisplayName("Hitwise Drill");
    QApplication::setOrganizationName("hitwise");
    QApplication::setDesktopFileName("com.example.hitwise.drill");
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/icon.png")));

    // The count in force: the command line's is kept for the next start; without one, the kept
    // one (one that no longer reads is left as it is, and none is in force).
    if (parsed.start.count) {
        DrillSettings::setCountGame(*parsed.start.count, true);
    } else {
        parsed.start.count = DrillSettings::countGame();
    }

    // HITWISE_DRILL_SEED repeats a sequence of hands too (for tests); otherwise every run differs.
    bool seeded = parsed.seeded;
    if (!seeded) {
        parsed.start.seed = qEnvironmentVariableIntValue("HITWISE_DRILL_SEED", &seeded);
        if (!seeded) parsed.start.seed = QRandomGenerator::global()->generate();
    }
    // The history's folder as before there was an organisation name: ~/.local/share/hitwise-drill.
    const QString data =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/hitwise-drill";
    DrillWindow window(data, programFolder(), parsed.start);
    window.show();
    return QApplication::exec();
}

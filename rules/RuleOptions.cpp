#include "RuleOptions.h"

#include "FittedRules.h"
#include "KnownCharts.h"

namespace options {

namespace {

// A flag that is on or off, each spelling its own option: --das and --no-das.
struct Switch {
    const char* on;
    const char* off;
    bool analysis::Rules::*field;
    const char* onHelp;
    const char* offHelp;
};

const Switch kSwitches[] = {
    {"h17", "s17", &analysis::Rules::hitSoft17, "The dealer hits a soft 17.",
     "The dealer stands on soft 17 (the default)."},
    {"das", "no-das", &analysis::Rules::doubleAfterSplit, "Double after a split is allowed.",
     "No double after a split (the default)."},
    {"surrender", "no-surrender", &analysis::Rules::surrender, "Late surrender is offered.",
     "No surrender (the default)."},
    {"hole-card", "no-hole-card", &analysis::Rules::holeCard,
     "The dealer takes a hole card and checks for blackjack (the default).",
     "No hole card: the dealer's blackjack takes every bet out, doubles and splits included."},
};

const QStringList kDoubling{"any", "9-11", "10-11"}; // in the order of analysis::Doubling
const QStringList kPayouts{"3:2", "6:5"};
const QStringList kPostSplits{"cdz", "cdp1", "cdp"}; // in the order of analysis::PostSplit

} // namespace

QString badValue(const QString& option, const QString& value, const QString& allowed) {
    return QStringLiteral("--%1: \"%2\" is not %3").arg(option, value, allowed);
}

QString alternatives(QStringList names) {
    const QString last = names.takeLast();
    return names.isEmpty() ? last : names.join(", ") + " or " + last;
}

QStringList knownChartIds() {
    QStringList ids;
    for (const charts::KnownChart& chart : charts::kKnownCharts)
        ids << QString::fromLatin1(chart.id.data(), qsizetype(chart.id.size()));
    return ids;
}

std::optional<int> choice(const QString& text, const QStringList& names) {
    for (int i = 0; i < names.size(); ++i) {
        if (text.compare(names[i], Qt::CaseInsensitive) == 0) return i;
    }
    return std::nullopt;
}

analysis::Rules defaultRules() {
    analysis::Rules rules;
    rules.decks = 6;
    rules.doubleAfterSplit = false;
    return rules;
}

namespace {

// Whether a rule option other than --rules was given.
bool anyBeyondRules(const QCommandLineParser& parser) {
    for (const char* name : {"decks", "double", "split-hands", "blackjack", "post-split"}) {
        if (parser.isSet(name)) return true;
    }
    for (const Switch& s : kSwitches) {
        if (parser.isSet(s.on) || parser.isSet(s.off)) return true;
    }
    return false;
}

} // namespace

std::optional<int> chartOnly(const QCommandLineParser& parser) {
    if (!parser.isSet("rules") || anyBeyondRules(parser)) return std::nullopt;
    return choice(parser.value("rules"), knownChartIds());
}

void addRuleOptions(QCommandLineParser& parser) {
    parser.addOptions({
        {"rules",
         QStringLiteral("Start from the rules of one of Hitwise's charts: %1.")
             .arg(alternatives(knownChartIds())),
         "name"},
        {"decks",
         QStringLiteral("Decks in the shoe, %1 to %2 (default 6).")
             .arg(analysis::kMinDecks)
             .arg(analysis::kMaxDecks),
         "n"},
        {"double", "Which two-card hands may double: any (default), 9-11 or 10-11.", "hands"},
        {"split-hands",
         QStringLiteral("Split to at most this many hands, %1 to %2 (default 4); aces once.")
             .arg(analysis::kMinSplitHands)
             .arg(analysis::kMaxSplitHands),
         "n"},
        {"blackjack", "What a blackjack pays: 3:2 (default) or 6:5.", "payout"},
        {"post-split",
         "How split hands are played: cdz (as the same cards unsplit), cdp1 (best after the "
         "first split) or cdp (best for the shoe less all pair cards the round splits; the "
         "default).",
         "strategy"},
    });
    for (const Switch& s : kSwitches) {
        parser.addOption({QString::fromLatin1(s.on), QString::fromLatin1(s.onHelp)});
        parser.addOption({QString::fromLatin1(s.off), QString::fromLatin1(s.offHelp)});
    }
}

bool anyRuleOption(const QCommandLineParser& parser) {
    return parser.isSet("rules") || anyBeyondRules(parser);
}

std::optional<analysis::Rules> readRules(const QCommandLineParser& parser,
                                         const analysis::Rules& defaults, QString* error) {
    analysis::Rules rules = defaults;
    // A named value from a list, applied by its index.
    auto named = [&](const char* option, const QStringList& names, auto apply) {
        if (!parser.isSet(option)) return true;
        const auto index = choice(parser.value(option), names);
        if (!index) {
            *error = badValue(option, parser.value(option), alternatives(names));
            return false;
        }
        apply(*index);
        return true;
    };
    if (!named("rules", knownChartIds(), [&](int i) { rules = charts::fittedRules(i).rules; })) {
        return std::nullopt;
    }
    for (const Switch& s : kSwitches) {
        const bool on = parser.isSet(s.on);
        const bool off = parser.isSet(s.off);
        if (on && off) {
            *error = QStringLiteral("--%1 and --%2 contradict each other.").arg(s.on, s.off);
            return std::nullopt;
        }
        if (on || off) rules.*s.field = on;
    }
    auto number = [&](const char* option, int low, int high, int* into) {
        if (!parser.isSet(option)) return true;
        bool ok = false;
        const int value = parser.value(option).toInt(&ok);
        if (!ok || value < low || value > high) {
            *error = badValue(option, parser.value(option),
                              QStringLiteral("a number from %1 to %2").arg(low).arg(high));
            return false;
        }
        *into = value;
        return true;
    };
    if (!number("decks", analysis::kMinDecks, analysis::kMaxDecks, &rules.decks) ||
        !number("split-hands", analysis::kMinSplitHands, analysis::kMaxSplitHands,
                &rules.splitHands) ||
        !named("double", kDoubling, [&](int i) { rules.doubling = analysis::Doubling(i); }) ||
        !named("blackjack", kPayouts, [&](int i) { rules.sixToFive = i == 1; }) ||
        !named("post-split", kPostSplits,
               [&](int i) { rules.postSplit = analysis::PostSplit(i); })) {
        return std::nullopt;
    }
    if (const std::string problem = rules.problem(); !problem.empty()) {
        *error = QString::fromStdString(problem);
        return std::nullopt;
    }
    return rules;
}

} // namespace options

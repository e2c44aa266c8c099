#include "RuleOptions.h"

#include "FittedRules.h"
#include "KnownCharts.h"

namespace options {

namespace {

// A flag that is on or off, each spelling its own option: --das and --no-das.
struct Switch {
    const char* on;
    const char* off;
    bool rules::Rules::*field;
    const char* onHelp;
    const char* offHelp;
};

// The help of each side; the side the default rules take says so.
const Switch kSwitches[] = {
    {"h17", "s17", &rules::Rules::hitSoft17, "The dealer hits a soft 17.",
     "The dealer stands on soft 17."},
    {"das", "no-das", &rules::Rules::doubleAfterSplit, "Double after a split is allowed.",
     "No double after a split."},
    {"surrender", "no-surrender", &rules::Rules::surrender, "Late surrender is offered.",
     "No surrender."},
    {"hole-card", "no-hole-card", &rules::Rules::holeCard,
     "The dealer takes a hole card and checks for blackjack.",
     "No hole card: the dealer's blackjack takes every bet out, doubles and splits included."},
};

template <std::size_t n> QStringList wordsOf(const std::array<std::string_view, n>& words) {
    QStringList list;
    for (const std::string_view word : words)
        list << QString::fromLatin1(word.data(), qsizetype(word.size()));
    return list;
}

const QStringList kDoubling = wordsOf(rules::kDoublingWords);
const QStringList kPayouts = wordsOf(rules::kPayoutWords);
const QStringList kPostSplits = wordsOf(rules::kPostSplitWords);

QString listed(const QStringList& words, int chosen, const QStringList& notes = {});

QString markedDefault(const char* help, bool isDefault) {
    const QString text = QString::fromLatin1(help);
    return isDefault ? text.chopped(1) + " (the default)." : text;
}

} // namespace

QString badValue(const QString& option, const QString& value, const QString& allowed) {
    return QStringLiteral("--%1: \"%2\" is not %3").arg(option, value, allowed);
}

QString alternatives(QStringList names) {
    const QString last = names.takeLast();
    return names.isEmpty() ? last : names.join(", ") + " or " + last;
}

namespace {

// "any (default), 9-11 or 10-11"; with notes, "cdz (as ...) or cdp (best ...; the default)".
QString listed(const QStringList& words, int chosen, const QStringList& notes) {
    QStringList items;
    for (int i = 0; i < words.size(); ++i) {
        const QString note = notes.value(i);
        const bool isDefault = i == chosen;
        items << words[i] + (note.isEmpty() ? (isDefault ? " (default)" : "")
                                            : " (" + note + (isDefault ? "; the default)" : ")"));
    }
    return alternatives(items);
}

} // namespace

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

rules::Rules defaultRules() {
    rules::Rules rules;
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
    const rules::Rules defaults = defaultRules();
    parser.addOptions({
        {"rules",
         QStringLiteral("Start from the rules of one of Hitwise's charts: %1.")
             .arg(alternatives(knownChartIds())),
         "name"},
        {"decks",
         QStringLiteral("Decks in the shoe, %1 to %2 (default %3).")
             .arg(rules::kMinDecks)
             .arg(rules::kMaxDecks)
             .arg(defaults.decks),
         "n"},
        {"double",
         "Which two-card hands may double: " + listed(kDoubling, int(defaults.doubling)) + ".",
         "hands"},
        {"split-hands",
         QStringLiteral("Split to at most this many hands, %1 to %2 (default %3); aces once.")
             .arg(rules::kMinSplitHands)
             .arg(rules::kMaxSplitHands)
             .arg(defaults.splitHands),
         "n"},
        {"blackjack", "What a blackjack pays: " + listed(kPayouts, defaults.sixToFive) + ".",
         "payout"},
        {"post-split",
         "How split hands are played: " +
             listed(kPostSplits, int(defaults.postSplit),
                    {"as the same cards unsplit", "best after the first split",
                     "best for the shoe less all pair cards the round splits"}) +
             ".",
         "strategy"},
    });
    for (const Switch& s : kSwitches) {
        const bool on = defaults.*s.field;
        parser.addOption({QString::fromLatin1(s.on), markedDefault(s.onHelp, on)});
        parser.addOption({QString::fromLatin1(s.off), markedDefault(s.offHelp, !on)});
    }
}

QStringList ruleArguments(const rules::Rules& rules) {
    QStringList arguments{QStringLiteral("--decks=%1").arg(rules.decks)};
    for (const Switch& s : kSwitches)
        arguments << QStringLiteral("--") + (rules.*s.field ? s.on : s.off);
    arguments << "--double=" + kDoubling[int(rules.doubling)]
              << QStringLiteral("--split-hands=%1").arg(rules.splitHands)
              << "--blackjack=" + kPayouts[rules.sixToFive]
              << "--post-split=" + kPostSplits[int(rules.postSplit)];
    return arguments;
}

bool anyRuleOption(const QCommandLineParser& parser) {
    return parser.isSet("rules") || anyBeyondRules(parser);
}

std::optional<rules::Rules> readRules(const QCommandLineParser& parser,
                                      const rules::Rules& defaults, QString* error) {
    rules::Rules rules = defaults;
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
    if (!number("decks", rules::kMinDecks, rules::kMaxDecks, &rules.decks) ||
        !number("split-hands", rules::kMinSplitHands, rules::kMaxSplitHands, &rules.splitHands) ||
        !named("double", kDoubling, [&](int i) { rules.doubling = rules::Doubling(i); }) ||
        !named("blackjack", kPayouts, [&](int i) { rules.sixToFive = i == 1; }) ||
        !named("post-split", kPostSplits, [&](int i) { rules.postSplit = rules::PostSplit(i); })) {
        return std::nullopt;
    }
    if (const std::string problem = rules.problem(); !problem.empty()) {
        *error = QString::fromStdString(problem);
        return std::nullopt;
    }
    return rules;
}

} // namespace options

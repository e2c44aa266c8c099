#include "ChartOptions.h"

#include "FittedRules.h"

#include <QCoreApplication>

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

struct Named {
    const char* name;
    int value;
};

template <std::size_t N> std::optional<int> lookUp(const Named (&table)[N], const QString& text) {
    for (const Named& entry : table) {
        if (text.compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0) return entry.value;
    }
    return std::nullopt;
}

const Named kRuleSets[] = {{"single", 0}, {"multi", 1}, {"european", 2}};
const Named kDoubling[] = {{"any", int(analysis::Doubling::AnyTwo)},
                           {"9-11", int(analysis::Doubling::NineToEleven)},
                           {"10-11", int(analysis::Doubling::TenOrEleven)}};
const Named kFormats[] = {{"html", int(ChartRequest::Format::Html)},
                          {"text", int(ChartRequest::Format::Text)},
                          {"csv", int(ChartRequest::Format::Csv)}};
const Named kPayouts[] = {{"3:2", 0}, {"6:5", 1}};

QString badValue(const QString& option, const QString& value, const QString& allowed) {
    return QStringLiteral("--%1: \"%2\" is not %3").arg(option, value, allowed);
}

} // namespace

int cardValue(const QString& name) {
    const QString card = name.trimmed().toUpper();
    if (card == "A" || card == "1") return 1;
    if (card == "J" || card == "Q" || card == "K" || card == "T") return 10;
    bool number = false;
    const int value = card.toInt(&number);
    return number && value >= 2 && value <= 10 ? value : 0;
}

ChartOptions::ChartOptions() {
    parser_.setApplicationDescription(
        "Writes a blackjack strategy chart with the expected value of every play, for any "
        "table's rules, or the values of one hand's plays.");
    parser_.addHelpOption();
    parser_.addVersionOption();
    parser_.addOptions({
        {"rules", "Start from the rules of one of Hitwise's charts: single, multi or european.",
         "name"},
        {"decks", "Decks in the shoe, 1 to 8 (default 6).", "n"},
        {"double", "Which two-card hands may double: any (default), 9-11 or 10-11.", "hands"},
        {"split-hands", "Split to at most this many hands, 2 to 4 (default 4); aces once.", "n"},
        {"blackjack", "What a blackjack pays: 3:2 (default) or 6:5.", "payout"},
        {"format", "The chart as html, text (default) or csv.", "form"},
        {{"o", "output"}, "Write to this file instead of the standard output.", "file"},
        {"hand", "Instead of a chart: the value of every play of this hand, e.g. 10,3,3.", "cards"},
        {"up", "The dealer's up card for --hand: A, 2 to 10, J, Q or K.", "card"},
    });
    for (const Switch& s : kSwitches) {
        parser_.addOption({QString::fromLatin1(s.on), QString::fromLatin1(s.onHelp)});
        parser_.addOption({QString::fromLatin1(s.off), QString::fromLatin1(s.offHelp)});
    }
}

bool ChartOptions::helpAsked() const {
    return parser_.isSet("help");
}

bool ChartOptions::versionAsked() const {
    return parser_.isSet("version");
}

std::optional<ChartRequest> ChartOptions::parse(const QStringList& arguments, QString* error) {
    if (!parser_.parse(arguments)) {
        *error = parser_.errorText();
        return std::nullopt;
    }
    if (helpAsked() || versionAsked()) return ChartRequest{};
    if (!parser_.positionalArguments().isEmpty()) {
        *error =
            QStringLiteral("Unexpected argument \"%1\".").arg(parser_.positionalArguments()[0]);
        return std::nullopt;
    }

    ChartRequest request;
    request.rules.decks = 6;
    request.rules.doubleAfterSplit = false;
    if (parser_.isSet("rules")) {
        const auto set = lookUp(kRuleSets, parser_.value("rules"));
        if (!set) {
            *error = badValue("rules", parser_.value("rules"), "single, multi or european");
            return std::nullopt;
        }
        request.rules = charts::kFittedRules[*set].rules;
    }
    for (const Switch& s : kSwitches) {
        const bool on = parser_.isSet(s.on);
        const bool off = parser_.isSet(s.off);
        if (on && off) {
            *error = QStringLiteral("--%1 and --%2 contradict each other.").arg(s.on, s.off);
            return std::nullopt;
        }
        if (on || off) request.rules.*s.field = on;
    }
    auto number = [&](const char* option, int low, int high, int* into) {
        if (!parser_.isSet(option)) return true;
        bool ok = false;
        const int value = parser_.value(option).toInt(&ok);
        if (!ok || value < low || value > high) {
            *error = badValue(option, parser_.value(option),
                              QStringLiteral("a number from %1 to %2").arg(low).arg(high));
            return false;
        }
        *into = value;
        return true;
    };
    if (!number("decks", 1, 8, &request.rules.decks) ||
        !number("split-hands", 2, 4, &request.rules.splitHands)) {
        return std::nullopt;
    }
    auto named = [&](const char* option, auto& table, const char* allowed, auto apply) {
        if (!parser_.isSet(option)) return true;
        const auto value = lookUp(table, parser_.value(option));
        if (!value) {
            *error = badValue(option, parser_.value(option), allowed);
            return false;
        }
        apply(*value);
        return true;
    };
    if (!named("double", kDoubling, "any, 9-11 or 10-11",
               [&](int v) { request.rules.doubling = analysis::Doubling(v); }) ||
        !named("blackjack", kPayouts, "3:2 or 6:5",
               [&](int v) { request.rules.sixToFive = v == 1; }) ||
        !named("format", kFormats, "html, text or csv",
               [&](int v) { request.format = ChartRequest::Format(v); })) {
        return std::nullopt;
    }
    request.output = parser_.value("output");

    if (parser_.isSet("hand") != parser_.isSet("up")) {
        *error = parser_.isSet("hand") ? QStringLiteral("--hand needs --up, the dealer's card.")
                                       : QStringLiteral("--up goes with --hand.");
        return std::nullopt;
    }
    if (parser_.isSet("hand")) {
        if (parser_.isSet("format")) {
            *error = QStringLiteral("--format is for charts; --hand always writes text.");
            return std::nullopt;
        }
        std::vector<int> cards;
        for (const QString& name : parser_.value("hand").split(',')) {
            const int value = cardValue(name);
            if (value == 0) {
                *error = badValue("hand", parser_.value("hand"),
                                  "a list of cards such as 10,3,3 (A, 2 to 10, J, Q, K)");
                return std::nullopt;
            }
            cards.push_back(value);
        }
        if (cards.size() < 2) {
            *error = badValue("hand", parser_.value("hand"), "a hand of two or more cards");
            return std::nullopt;
        }
        request.up = cardValue(parser_.value("up"));
        if (request.up == 0) {
            *error = badValue("up", parser_.value("up"), "a card (A, 2 to 10, J, Q or K)");
            return std::nullopt;
        }
        request.hand = cards;
    }
    return request;
}

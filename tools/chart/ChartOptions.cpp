#include "ChartOptions.h"

#include "RuleOptions.h"

using options::badValue;

namespace {

const QStringList kFormats{"html", "text", "csv"}; // in the order of ChartRequest::Format

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
    options::addRuleOptions(parser_);
    parser_.addOptions({
        {"format", "The chart as html, text (default) or csv.", "form"},
        {{"o", "output"}, "Write to this file instead of the standard output.", "file"},
        {"hand", "Instead of a chart: the value of every play of this hand, e.g. 10,3,3.", "cards"},
        {"up", "The dealer's up card for --hand: A, 2 to 10, J, Q or K.", "card"},
    });
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
    const auto rules = options::readRules(parser_, options::defaultRules(), error);
    if (!rules) return std::nullopt;
    request.rules = *rules;
    if (parser_.isSet("format")) {
        const auto format = options::choice(parser_.value("format"), kFormats);
        if (!format) {
            *error = badValue("format", parser_.value("format"), "html, text or csv");
            return std::nullopt;
        }
        request.format = ChartRequest::Format(*format);
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

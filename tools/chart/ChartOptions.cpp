#include "ChartOptions.h"

#include "RuleOptions.h"

using options::badValue;

namespace {

const QStringList kFormats{"html", "text", "csv", "pdf"}; // in the order of ChartRequest::Format
const QStringList kPapers{"a4", "letter", "card"};        // in the order of charts::Paper

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
        {"format", "The chart as html, text (default), csv or pdf (pdf needs -o).", "form"},
        {"paper",
         "The paper of a pdf chart: a4 (default), letter, or card (a wallet card of "
         "85.6 x 54 mm, in two pages).",
         "size"},
        {"compare",
         QStringLiteral("The cells where a chart you know (%1) does not give this table's best "
                        "play, and what that costs.")
             .arg(options::alternatives(options::knownChartIds())),
         "chart"},
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
            *error = badValue("format", parser_.value("format"), "html, text, csv or pdf");
            return std::nullopt;
        }
        request.format = ChartRequest::Format(*format);
    }
    if (parser_.isSet("paper")) {
        const auto paper = options::choice(parser_.value("paper"), kPapers);
        if (!paper) {
            *error = badValue("paper", parser_.value("paper"), "a4, letter or card");
            return std::nullopt;
        }
        if (request.format != ChartRequest::Format::Pdf) {
            *error = QStringLiteral("--paper goes with --format pdf.");
            return std::nullopt;
        }
        request.paper = charts::Paper(*paper);
    }
    if (parser_.isSet("compare")) {
        request.compare = options::choice(parser_.value("compare"), options::knownChartIds());
        if (!request.compare) {
            *error = badValue("compare", parser_.value("compare"),
                              options::alternatives(options::knownChartIds()));
            return std::nullopt;
        }
    }
    if (request.format == ChartRequest::Format::Pdf && !parser_.isSet("output")) {
        *error = QStringLiteral("--format pdf needs -o, the file to write.");
        return std::nullopt;
    }
    request.output = parser_.value("output");

    if (parser_.isSet("hand") != parser_.isSet("up")) {
        *error = parser_.isSet("hand") ? QStringLiteral("--hand needs --up, the dealer's card.")
                                       : QStringLiteral("--up goes with --hand.");
        return std::nullopt;
    }
    if (parser_.isSet("hand")) {
        if (parser_.isSet("format") || parser_.isSet("compare")) {
            *error = QStringLiteral("--%1 is for charts; --hand always writes text.")
                         .arg(parser_.isSet("format") ? "format" : "compare");
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

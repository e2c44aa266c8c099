#include "ChartOptions.h"

#include "CountOptions.h"

#include <cmath>

#include "ChartModel.h"
#include "RuleOptions.h"

#include <algorithm>
#include <array>

using options::badValue;

namespace {

const QStringList kFormats{"html", "text", "csv", "pdf"}; // in the order of ChartRequest::Format
const QStringList kPapers{"a4", "letter", "card"};        // in the order of charts::Paper

// "A:24,2:24,...": every value once, any order, whole counts 0 or more.
std::optional<analysis::Shoe> shoeOf(const QString& text, QString* why) {
    analysis::Shoe shoe;
    std::array<bool, 11> named{};
    for (const QString& item : text.split(',')) {
        const QStringList parts = item.split(':');
        const QString name = parts.value(0).trimmed().toUpper();
        const int value = name == "A" ? 1 : name.toInt();
        bool ok = false;
        const int count = parts.value(1).trimmed().toInt(&ok);
        if (parts.size() != 2 || value < 1 || value > 10) {
            *why = QStringLiteral("\"%1\" is not a value and its count (A:24, 2:24 ... 10:96)")
                       .arg(item);
            return std::nullopt;
        }
        if (!ok || count < 0) {
            *why = QStringLiteral("the count of %1 is not a whole number 0 or more").arg(name);
            return std::nullopt;
        }
        if (named[value]) {
            *why = QStringLiteral("%1 is named twice").arg(name);
            return std::nullopt;
        }
        named[value] = true;
        shoe.count[value] = count;
        shoe.total += count;
    }
    for (int value = 1; value <= 10; ++value) {
        if (!named[value]) {
            *why = QStringLiteral("it does not name %1; every value A, 2 to 9 and 10 is named "
                                  "once")
                       .arg(value == 1 ? QStringLiteral("A") : QString::number(value));
            return std::nullopt;
        }
    }
    return shoe;
}

// The shoe: the rules' decks or --shoe (whose size becomes the rules' decks, rounded), less
// --removed; one the engine cannot value is refused here, naming the option.
bool readShoe(const QCommandLineParser& parser, ChartRequest* request, QString* error) {
    request->shoe = analysis::Shoe::ofDecks(request->game.rules.decks);
    if (parser.isSet("shoe")) {
        if (parser.isSet("decks")) {
            *error = QStringLiteral("--shoe and --decks contradict each other: the shoe says how "
                                    "many cards there are.");
            return false;
        }
        QString why;
        const auto shoe = shoeOf(parser.value("shoe"), &why);
        if (!shoe) {
            *error = QStringLiteral("--shoe: %1.").arg(why);
            return false;
        }
        request->shoe = *shoe;
        request->game.rules.decks =
            std::clamp((int(shoe->total) + 26) / 52, rules::kMinDecks, rules::kMaxDecks);
    }
    if (parser.isSet("removed")) {
        for (const QString& name : parser.value("removed").split(',')) {
            const int value = cardValue(name);
            if (value == 0) {
                *error = badValue("removed", parser.value("removed"),
                                  "a list of cards such as 5,5,6,2,10,A (A, 2 to 10, J, Q, K)");
                return false;
            }
            if (request->shoe[value] == 0) {
                *error = QStringLiteral("--removed: takes out more %1s than the shoe holds.")
                             .arg(QString::fromStdString(charts::cardName(value)));
                return false;
            }
            request->shoe.take(value);
        }
    }
    if (const std::string problem = analysis::shoeProblem(request->game.rules, request->shoe);
        !problem.empty()) {
        *error =
            QStringLiteral("--%1: %2.")
                .arg(parser.isSet("removed") ? "removed" : "shoe", QString::fromStdString(problem));
        return false;
    }
    return true;
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

namespace {

// --indices or --by-count with the counting options; the counting options alone are refused.
bool readLab(const QCommandLineParser& parser, ChartRequest* request, QString* error) {
    const bool indices = parser.isSet("indices");
    const bool byCount = parser.isSet("by-count");
    const bool game = parser.isSet("game");
    if (!game && options::anyPlanOption(parser)) {
        *error = QStringLiteral("--leave-below, --bankroll, --rounds-per-hour and --max-spread go "
                                "with --game.");
        return false;
    }
    if (!indices && !byCount && !game) {
        if (options::anyCountOption(parser)) {
            *error =
                QStringLiteral("The counting options go with --indices, --by-count or --game.");
            return false;
        }
        return true;
    }
    const char* lab = indices ? "indices" : byCount ? "by-count" : "game";
    if (int(indices) + int(byCount) + int(game) > 1) {
        *error = QStringLiteral("--indices, --by-count and --game are three reports: give one.");
        return false;
    }
    for (const char* other : {"hand", "compare", "shoe", "removed"}) {
        if (parser.isSet(other)) {
            *error = QStringLiteral("--%1 does not go with --%2.").arg(other, lab);
            return false;
        }
    }
    if (byCount && request->paper == charts::Paper::Card) {
        *error = QStringLiteral("--paper card is for charts: --by-count prints on a4 or letter.");
        return false;
    }
    if (game && parser.isSet("format") && request->format != ChartRequest::Format::Text) {
        *error = QStringLiteral("--game is written as text.");
        return false;
    }
    const auto counted = options::readGame(parser, request->game.rules, error);
    if (!counted) {
        if (error->isEmpty()) {
            *error = QStringLiteral("--%1 needs a count: --count or --tags.").arg(lab);
        }
        return false;
    }
    request->game = *counted;
    request->lab = indices   ? ChartRequest::Lab::Indices
                   : byCount ? ChartRequest::Lab::ByCount
                             : ChartRequest::Lab::Game;
    return true;
}

} // namespace

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
        {"shoe",
         "The whole shoe instead of the decks: how many of each value, A:n,2:n,...,9:n,10:n in "
         "any order (10 counts every ten-valued card).",
         "counts"},
        {"removed",
         "Cards taken out of the shoe (after --shoe), e.g. 5,5,6,2,10,A; --hand and --up "
         "then come out of what is left.",
         "cards"},
        {"indices",
         "Instead of a chart: the index plays of the count (--count or --tags) at this table, "
         "where each cell's best play changes between counts -10 and +10, with what each gains; "
         "your top 18 and surrender 4. Each count's shoe is the average composition of the shoes "
         "at that count (the manual says how close it comes). As text, csv, html or pdf "
         "(--paper card: a wallet card)."},
        {"by-count",
         "Instead of a chart: what a round is worth at each count -6 to +6 of --count or "
         "--tags, by basic strategy and with the indices, and how often each count comes up. "
         "As text, csv, html or pdf, with a plot."},
    });
    parser_.addOptions({
        {"game",
         "Instead of a chart: what a counter's game is worth, the --ramp bet at each count "
         "(flat without one): the win rate, its standard deviation, N0 = (sigma/w)^2, the "
         "risk of ruin exp(-2wB/sigma^2) (the diffusion approximation), SCORE = "
         "10^6 (w/sigma)^2 (Schlesinger's win of a Kelly bettor with 10,000 units, per 100 "
         "rounds), DI = 1000 w/sigma (Schlesinger's desirability index), and the ramp of "
         "whole units that maximises SCORE; w and sigma a round's win and deviation in units."},
    });
    options::addCountOptions(parser_, options::CountOptionSet::Chart);
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
    request.game.rules = *rules;
    if (!readShoe(parser_, &request, error)) return std::nullopt;
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
    if (!readLab(parser_, &request, error)) return std::nullopt;
    return request;
}

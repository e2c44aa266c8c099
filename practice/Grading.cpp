#include "Grading.h"

#include "KnownCharts.h"
#include "TableFit.h"

#include <cmath>
#include <map>
#include <string>
#include <tuple>

using analysis::Play;

namespace practice {

namespace {

// The two-card hand a chart row stands for: two cards as they are; more cards by their total,
// soft as the ace and the rest, hard as two different cards (no pair).
strategy::Hand chartHand(const std::vector<int>& cards, int up) {
    if (cards.size() == 2) return {cards[0], cards[1], up};
    const analysis::Held held = analysis::holding(cards);
    const int total = held.total();
    if (held.soft()) return {1, total - 11, up};
    if (total <= 11) return {2, total - 2, up};
    return {total - 10, 10, up};
}

// The engine's values of a hand's plays; the last hands asked are kept, a grade being asked
// for a hand again and again (every answer of a drilled cell).
const analysis::PlayValues& engineValues(const rules::Rules& rules, const std::vector<int>& cards,
                                         int up) {
    static std::map<std::tuple<std::string, std::vector<int>, int>, analysis::PlayValues> kept;
    if (kept.size() > 4096) kept.clear();
    const auto key = std::make_tuple(rules::canonical(rules), cards, up);
    auto found = kept.find(key);
    if (found == kept.end()) {
        found = kept.emplace(key, analysis::analyseHand(rules, cards, up)).first;
    }
    return found->second;
}

} // namespace

Play chartPlay(int chart, const std::vector<int>& cards, int up,
               const analysis::PlayValues& allowed, QString* adviceText) {
    if (analysis::holding(cards).total() >= 21) {
        if (adviceText) *adviceText = QStringLiteral("Stand");
        return Play::Stand;
    }
    const strategy::Advice& advice = charts::kKnownCharts[chart].advise(chartHand(cards, up));
    if (adviceText) {
        *adviceText =
            QString::fromLatin1(advice.text.data(), qsizetype(advice.text.size())).trimmed();
    }
    return charts::advisedPlay(advice, allowed);
}

std::optional<double> Grade::cost() const {
    if (right || !answerValue || !rightValue) return std::nullopt;
    return *rightValue - *answerValue;
}

Grade grade(const Table& table, const std::vector<int>& cards, int up,
            const analysis::PlayValues& allowed, Play answer) {
    Grade grade;
    grade.answerAllowed = allowed.allows(answer);
    const analysis::Held held = analysis::holding(cards);
    analysis::PlayValues values;
    auto readValues = [&] {
        if (held.total() > 21 || (held.total() == 21 && cards.size() == 2)) return;
        const analysis::PlayValues& engine = engineValues(table.rules, cards, up);
        for (Play play : analysis::kAllPlays) {
            if (allowed.allows(play) && engine.allows(play)) values.set(play, engine[play]);
        }
    };
    if (table.isChart()) {
        grade.rightPlay = chartPlay(table.chart, cards, up, allowed, &grade.adviceText);
        grade.right = answer == grade.rightPlay;
        if (!grade.right && grade.answerAllowed) readValues(); // to price the mistake
    } else {
        readValues();
        grade.rightPlay = values.allows(Play::Stand) ? values.best() : Play::Stand;
        if (values.allows(answer)) {
            grade.right = values[grade.rightPlay] - values[answer] <= kCloseCall;
            // The play closest to the answer, if within kCloseCall of it.
            for (Play other : analysis::kAllPlays) {
                if (!grade.right || other == answer || !values.allows(other)) continue;
                if (std::abs(values[answer] - values[other]) > kCloseCall) continue;
                if (!grade.closeTo || values[other] > grade.closeTo->second) {
                    grade.closeTo = std::pair{other, values[other]};
                }
            }
            grade.closeCall = grade.closeTo.has_value();
        } else {
            grade.right = answer == grade.rightPlay;
        }
    }
    if (values.allows(answer)) grade.answerValue = values[answer];
    if (values.allows(grade.rightPlay)) grade.rightValue = values[grade.rightPlay];
    return grade;
}

} // namespace practice

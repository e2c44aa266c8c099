#include "TableFit.h"

#include <future>
#include <vector>

namespace charts {

using analysis::Analysis;
using analysis::Play;
using analysis::PlayValues;
using rules::Doubling;
using rules::Rules;

namespace {

using strategy::Action;

struct AdvisedPlays {
    Play first;
    Play otherwise;
    bool conditional;
};

AdvisedPlays playsOf(const strategy::Advice& advice) {
    switch (advice.action) {
    case Action::Hit: return {Play::Hit, Play::Hit, false};
    case Action::Stand: return {Play::Stand, Play::Stand, false};
    case Action::Double: return {Play::Double, Play::Hit, false};
    case Action::Split: return {Play::Split, Play::Hit, false};
    case Action::DoubleOrHit: return {Play::Double, Play::Hit, true};
    case Action::DoubleOrStand: return {Play::Double, Play::Stand, true};
    case Action::Surrender:
        return {Play::Surrender, advice.id == "RS" ? Play::Stand : Play::Hit, true};
    case Action::BlackJack: break;
    }
    return {Play::Stand, Play::Stand, false};
}

int differences(const Rules& a, const Rules& b) {
    return (a.decks != b.decks) + (a.doubling != b.doubling) +
           (a.doubleAfterSplit != b.doubleAfterSplit) + (a.surrender != b.surrender) +
           (a.holeCard != b.holeCard);
}

// The plays a variant allows, from an analysis made with more: surrender adds a play of fixed
// value and changes no other, and without doubling after a split the doubling rule changes
// only which starting hands may double.
PlayValues restricted(PlayValues values, const Rules& variant, int first, int second) {
    const PlayValues allowed = analysis::allowedPlays(variant, {first, second});
    for (int play = 0; play < analysis::kPlays; ++play) {
        values.allowed[play] = values.allowed[play] && allowed.allowed[play];
    }
    return values;
}

int agreement(const Analysis& analysis, AdviceTable table, const Rules& variant) {
    int agreeing = 0;
    for (int first = 1; first <= 10; ++first) {
        for (int second = first; second <= 10; ++second) {
            if (first == 1 && second == 10) continue;
            for (int up = 1; up <= 10; ++up) {
                const PlayValues values =
                    restricted(analysis.startingHand(first, second, up), variant, first, second);
                agreeing += agreesWithBest(table(strategy::Hand{first, second, up}), values);
            }
        }
    }
    return agreeing;
}

} // namespace

Play advisedPlay(const strategy::Advice& advice, const PlayValues& values) {
    const AdvisedPlays plays = playsOf(advice);
    return values.allows(plays.first) ? plays.first : plays.otherwise;
}

std::optional<Play> advisedFallback(const strategy::Advice& advice) {
    const AdvisedPlays plays = playsOf(advice);
    if (!plays.conditional) return std::nullopt;
    return plays.otherwise;
}

bool agreesWithBest(const strategy::Advice& advice, const PlayValues& values) {
    const AdvisedPlays plays = playsOf(advice);
    const Play best = values.best();
    if (values.allows(plays.first)) return plays.first == best;
    return plays.conditional && plays.otherwise == best;
}

int agreement(const Analysis& analysis, AdviceTable table) {
    return agreement(analysis, table, analysis.rules());
}

double roundReturnByTable(const Analysis& analysis, AdviceTable table) {
    return analysis.roundReturn([&](int first, int second, int up) {
        return advisedPlay(table(strategy::Hand{first, second, up}),
                           analysis.startingHand(first, second, up));
    });
}

std::vector<Fit> fitRules(const std::vector<FitQuestion>& questions) {
    const Rules base = questions.empty() ? Rules{} : questions.front().expected;
    // The analyses the variants are read from: per decks and hole card, one without doubling
    // after a split (any doubling, read for each), and one for each doubling rule with it.
    std::vector<Rules> made;
    for (int decks : {1, 2, 4, 6, 8}) {
        for (bool holeCard : {true, false}) {
            for (int kind = 0; kind < 4; ++kind) {
                Rules rules = base;
                rules.decks = decks;
                rules.holeCard = holeCard;
                rules.surrender = true;
                rules.doubleAfterSplit = kind > 0;
                rules.doubling = kind == 0 ? Doubling::AnyTwo : static_cast<Doubling>(kind - 1);
                made.push_back(rules);
            }
        }
    }
    std::vector<std::vector<Fit>> found(made.size());
    auto work = [&](std::size_t from) { // two workers, each taking every other analysis
        for (std::size_t i = from; i < made.size(); i += 2) {
            const Analysis analysis(made[i], analysis::Shoe::ofDecks(made[i].decks), 1);
            for (Doubling doubling :
                 {Doubling::AnyTwo, Doubling::NineToEleven, Doubling::TenOrEleven}) {
                if (made[i].doubleAfterSplit && doubling != made[i].doubling) continue;
                for (bool surrender : {false, true}) {
                    Rules variant = made[i];
                    variant.doubling = doubling;
                    variant.surrender = surrender;
                    for (const FitQuestion& question : questions) {
                        found[i].push_back({variant, agreement(analysis, question.table, variant)});
                    }
                }
            }
        }
    };
    auto other = std::async(std::launch::async, work, 1);
    work(0);
    other.get();

    std::vector<Fit> fits(questions.size());
    std::vector<int> fitDifferences(questions.size(), 0);
    for (const std::vector<Fit>& candidates : found) {
        for (std::size_t c = 0; c < candidates.size(); ++c) {
            const std::size_t q = c % questions.size();
            const Fit& candidate = candidates[c];
            const int differing = differences(candidate.rules, questions[q].expected);
            if (candidate.agreeing > fits[q].agreeing ||
                (candidate.agreeing == fits[q].agreeing && differing < fitDifferences[q])) {
                fits[q] = candidate;
                fitDifferences[q] = differing;
            }
        }
    }
    return fits;
}

} // namespace charts

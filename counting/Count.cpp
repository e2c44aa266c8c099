#include "Count.h"

#include <cmath>
#include <cstdlib>

namespace counting {

namespace {

CountSystem system(const char* id, const char* name, std::array<double, 10> tags) {
    CountSystem s{id, name, {}};
    for (int value = 1; value <= 10; ++value)
        s.tags[value] = tags[value - 1];
    return s;
}

} // namespace

double CountSystem::deckSum() const {
    double sum = 16 * tags[10];
    for (int value = 1; value <= 9; ++value)
        sum += 4 * tags[value];
    return sum;
}

bool CountSystem::balanced() const {
    return std::abs(deckSum()) < 1e-9;
}

double CountSystem::initialRunningCount(int decks) const {
    return balanced() ? 0.0 : -deckSum() * (decks - 1);
}

const std::array<CountSystem, 7>& builtInSystems() {
    //                                        A     2    3    4    5    6    7    8    9    10
    static const std::array<CountSystem, 7> systems{{
        system("hilo", "Hi-Lo", {-1, 1, 1, 1, 1, 1, 0, 0, 0, -1}),
        system("ko", "KO", {-1, 1, 1, 1, 1, 1, 1, 0, 0, -1}),
        system("hiopt1", "Hi-Opt I", {0, 0, 1, 1, 1, 1, 0, 0, 0, -1}),
        system("hiopt2", "Hi-Opt II", {0, 1, 1, 2, 2, 1, 1, 0, 0, -2}),
        system("omega2", "Omega II", {0, 1, 1, 2, 2, 2, 1, 0, -1, -2}),
        system("zen", "Zen", {-1, 1, 1, 2, 2, 2, 1, 0, 0, -2}),
        system("halves", "Wong Halves", {-1, 0.5, 1, 1, 1.5, 1, 0.5, 0, -0.5, -1}),
    }};
    return systems;
}

std::optional<CountSystem> systemOfId(std::string_view id) {
    for (const CountSystem& s : builtInSystems()) {
        if (s.id == id) return s;
    }
    return std::nullopt;
}

std::optional<CountSystem> systemOfTags(std::string_view text, std::string* why) {
    CountSystem s{"", "your tags", {}};
    std::array<bool, 11> named{};
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(',', start), text.size());
        const std::string item(text.substr(start, end - start));
        start = end + 1;
        const std::size_t colon = item.find(':');
        const std::string name = item.substr(0, colon);
        const int value = name == "A" || name == "a" ? 1 : std::atoi(name.c_str());
        if (colon == std::string::npos || value < 1 || value > 10 ||
            (value > 1 && std::to_string(value) != name)) {
            *why = "\"" + item + "\" is not a value and its tag (A:-1, 2:1 ... 10:-1)";
            return std::nullopt;
        }
        const std::string tag = item.substr(colon + 1);
        char* rest = nullptr;
        const double number = std::strtod(tag.c_str(), &rest);
        if (tag.empty() || *rest != '\0' || !std::isfinite(number)) {
            *why = "the tag of " + name + " is not a number";
            return std::nullopt;
        }
        if (named[value]) {
            *why = name + " is named twice";
            return std::nullopt;
        }
        named[value] = true;
        s.tags[value] = number;
    }
    for (int value = 1; value <= 10; ++value) {
        if (!named[value]) {
            *why = "no tag for " + (value == 1 ? std::string("A") : std::to_string(value)) +
                   "; every value A, 2 to 9 and 10 is named once";
            return std::nullopt;
        }
    }
    return s;
}

double estimatedDecks(int cardsLeft, DeckEstimate estimate) {
    const double decks = cardsLeft / 52.0;
    double step = 0;
    switch (estimate) {
    case DeckEstimate::Full: step = 1; break;
    case DeckEstimate::Half: step = 0.5; break;
    case DeckEstimate::Quarter: step = 0.25; break;
    case DeckEstimate::Exact: return std::max(decks, 1.0 / 52); // one card, at the least
    }
    return std::max(step, std::round(decks / step) * step);
}

double trueCount(double runningCount, int cardsLeft, const Conventions& conventions) {
    const double count = runningCount / estimatedDecks(cardsLeft, conventions.estimate);
    switch (conventions.rounding) {
    case Rounding::Floor: return std::floor(count);
    case Rounding::Truncate: return std::trunc(count);
    case Rounding::Round: return std::round(count);
    case Rounding::Exact: break;
    }
    return count;
}

} // namespace counting

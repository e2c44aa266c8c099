#include "Game.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <tuple>

namespace counting {

namespace {

auto dealt(const Game& g) {
    return std::tie(g.rules, g.system.tags, g.system.id, g.conventions.estimate,
                    g.conventions.rounding, g.depth, g.penetration, g.players);
}

auto fields(const Game& g) {
    return std::tuple_cat(dealt(g),
                          std::tie(g.ramp, g.leaveBelow, g.bankroll, g.roundsPerHour, g.maxSpread,
                                   g.seat, g.spots, g.wongIn, g.wongOut, g.tableMax));
}

} // namespace

double Game::betAt(int count) const {
    double bet = ramp.empty() ? 1.0 : ramp.front().second;
    for (const auto& [from, units] : ramp) {
        if (count >= from) bet = units;
    }
    return tableMax ? std::min(bet, *tableMax) : bet;
}

bool Game::playsAt(int count) const {
    return !(leaveBelow && count < *leaveBelow) && !(wongIn && count < *wongIn);
}

bool Game::operator==(const Game& other) const {
    return fields(*this) == fields(other);
}

bool sameDeal(const Game& a, const Game& b) {
    return dealt(a) == dealt(b);
}

std::optional<Ramp> rampOf(const std::string& text, std::string* why) {
    Ramp ramp;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(',', start), text.size());
        const std::string step = text.substr(start, end - start);
        const std::size_t colon = step.find(':');
        char* rest = nullptr;
        const long count = colon == std::string::npos ? 0 : std::strtol(step.c_str(), &rest, 10);
        const bool countOk = colon != std::string::npos && rest == step.c_str() + colon &&
                             colon > 0 && std::abs(count) <= 100;
        const std::string unitsText = countOk ? step.substr(colon + 1) : "";
        char* unitsEnd = nullptr;
        const double units = std::strtod(unitsText.c_str(), &unitsEnd);
        if (!countOk || unitsText.empty() || *unitsEnd != '\0' || !(units > 0) || units > 1e6) {
            *why = "\"" + step + "\" is not a count and the units bet there, such as 2:4";
            return std::nullopt;
        }
        for (const auto& [from, bet] : ramp) {
            if (from == count) {
                *why = "the count " + std::to_string(count) + " is named twice";
                return std::nullopt;
            }
        }
        ramp.emplace_back(int(count), units);
        start = end + 1;
    }
    std::sort(ramp.begin(), ramp.end());
    return ramp;
}

std::string numberText(double value) {
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    return std::string(digits, end);
}

std::string rampText(const Ramp& ramp) {
    std::string text;
    for (const auto& [count, units] : ramp)
        text += (text.empty() ? "" : ",") + std::to_string(count) + ":" + numberText(units);
    return text;
}

} // namespace counting

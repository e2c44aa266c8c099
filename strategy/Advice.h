#pragma once

#include <array>
#include <string_view>

namespace strategy {

// What an advice tells the player to do; the charts colour their cells by it.
enum class Action { Hit, Stand, Double, Split, BlackJack, DoubleOrHit, DoubleOrStand, Surrender };

// One entry of the advice catalogue. The text is shown exactly as it stands: the leading and
// trailing blanks place the word under the "Action :" heading and are part of the advice.
struct Advice {
    std::string_view id;
    std::string_view text;
    Action action;
};

// The catalogue shared by all rule sets: an id means the same text wherever it is used.
namespace advice {
inline constexpr Advice BJ6{"BJ6", "      Black Jack", Action::BlackJack};
inline constexpr Advice BJ11{"BJ11", "           Black Jack", Action::BlackJack};
inline constexpr Advice D10{"D10", "          Double", Action::Double};
inline constexpr Advice D11{"D11", "           Double", Action::Double};
inline constexpr Advice D11_1{"D11+1", "           Double ", Action::Double};
inline constexpr Advice D11_2{"D11+2", "           Double  ", Action::Double};
inline constexpr Advice H10{"H10", "          Hit", Action::Hit};
inline constexpr Advice H12{"H12", "            Hit", Action::Hit};
inline constexpr Advice H13{"H13", "             Hit", Action::Hit};
inline constexpr Advice H13_1{"H13+1", "             Hit ", Action::Hit};
inline constexpr Advice H14{"H14", "              Hit", Action::Hit};
inline constexpr Advice H15{"H15", "               Hit", Action::Hit};
inline constexpr Advice H16{"H16", "                Hit", Action::Hit};
inline constexpr Advice H17{"H17", "                 Hit", Action::Hit};
inline constexpr Advice P10{"P10", "          Split", Action::Split};
inline constexpr Advice P10_1{"P10+1", "          Split ", Action::Split};
inline constexpr Advice P11{"P11", "           Split", Action::Split};
inline constexpr Advice P13{"P13", "             Split", Action::Split};
inline constexpr Advice S10{"S10", "          Stand", Action::Stand};
inline constexpr Advice S11{"S11", "           Stand", Action::Stand};
inline constexpr Advice Dh{"Dh", "Double if allowed, or hit", Action::DoubleOrHit};
inline constexpr Advice Ds{"Ds", "Double if allowed; or stand", Action::DoubleOrStand};
inline constexpr Advice Rh{"Rh", "Surrender if able, or hit", Action::Surrender};
inline constexpr Advice RH{"RH", "Surrender if able, or Hit", Action::Surrender};
inline constexpr Advice RS{"RS", "Surrender if able to, or Stand", Action::Surrender};
} // namespace advice

// Every entry of the catalogue, in the order above.
inline constexpr std::array<const Advice*, 25> kAdviceCatalogue{
    &advice::BJ6,   &advice::BJ11, &advice::D10, &advice::D11, &advice::D11_1,
    &advice::D11_2, &advice::H10,  &advice::H12, &advice::H13, &advice::H13_1,
    &advice::H14,   &advice::H15,  &advice::H16, &advice::H17, &advice::P10,
    &advice::P10_1, &advice::P11,  &advice::P13, &advice::S10, &advice::S11,
    &advice::Dh,    &advice::Ds,   &advice::Rh,  &advice::RH,  &advice::RS};

// The catalogue entry with this id, or nullptr.
const Advice* findAdvice(std::string_view id);

} // namespace strategy

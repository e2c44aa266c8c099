#pragma once

#include <array>
#include <string_view>

namespace analysis {

enum class Play { Stand, Hit, Double, Split, Surrender };
inline constexpr int kPlays = 5;
inline constexpr std::array<Play, kPlays> kAllPlays{Play::Stand, Play::Hit, Play::Double,
                                                    Play::Split, Play::Surrender};

// "Stand", "Hit", "Double", "Split", "Surrender".
std::string_view playName(Play play);

// The expected value of every play of one hand, in fractions of the initial bet; a play the
// rules don't allow for that hand has no value.
struct PlayValues {
    std::array<double, kPlays> ev{};
    std::array<bool, kPlays> allowed{};

    double operator[](Play play) const { return ev[static_cast<int>(play)]; }
    bool allows(Play play) const { return allowed[static_cast<int>(play)]; }
    void set(Play play, double value) {
        ev[static_cast<int>(play)] = value;
        allowed[static_cast<int>(play)] = true;
    }
    // The allowed play of the highest value (the first of equals in the order of Play).
    Play best() const;
    // The best of the allowed plays but one (a count's playing index leaves surrender aside).
    Play bestBut(Play left) const;
    // The allowed plays, the best first.
    std::array<Play, kPlays> ranked(int* count) const;
};

} // namespace analysis

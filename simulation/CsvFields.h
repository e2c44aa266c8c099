#pragma once

// The two small files the simulator reads (the index plays, the player's mistakes) are CSV:
// their fields and numbers read one way.

#include <optional>
#include <string>
#include <vector>

namespace simulation {

// The fields of a CSV line, a quoted field as one (its quotes left out).
std::vector<std::string> csvFields(const std::string& line);
// A whole field as a number; nothing for an empty field or one with anything after it.
std::optional<double> csvNumber(const std::string& text);

} // namespace simulation

#pragma once

// Index plays from a file, as hitwise-chart --indices --format csv writes them and a player may
// edit them: hand,up,below,index,at_or_above,crossing,gain_per_100 (crossing and gain_per_100 may
// be empty). A cell of two rows changes twice; "insurance,A,no,3,insure" is the insurance index.

#include "CountLab.h"

#include <optional>
#include <string>

namespace simulation {

// The plays of such a text (the table's basic chart left empty); nothing, and *why (naming the
// line), for a text that is not one or holds no play.
std::optional<counting::IndexTable> indicesOf(const std::string& text, std::string* why);

} // namespace simulation

#pragma once

#include "Rules.h"

#include <QString>

#include <optional>

namespace practice {

// The rules a drill practises: one of Hitwise's three charts (graded by its own advice table,
// valued under the rules it was found to fit) or the player's own table (graded by the engine's
// best play for the cards dealt).
struct Table {
    int chart = -1; // an index of charts::kKnownCharts; -1 the player's own table
    rules::Rules rules;

    static Table ofChart(int chart);
    static Table own(const rules::Rules& rules);
    bool isChart() const { return chart >= 0; }

    // One canonical text, as the history records it: "chart:single", or the rules' own text
    // ("6d,h17,hole,any,das,4h,ls,3:2,cdp").
    QString key() const;
    static std::optional<Table> fromKey(const QString& key);
    // As the Rules list names it: "Blackjack Multi Deck", or "6 decks, H17, DAS, LS".
    QString name() const;
    // The rules in words, for the window and screen readers.
    QString words() const;
    bool operator==(const Table& other) const { return key() == other.key(); }
};

} // namespace practice

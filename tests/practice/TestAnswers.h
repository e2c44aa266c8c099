#pragma once

// What the practice tests share: an answer as the drill records it, and a table's key.

#include "AnswerStats.h"
#include "Table.h"

inline practice::Answer answerOf(std::vector<int> cards, int up, analysis::Play answer,
                                 analysis::Play right) {
    return {std::move(cards), up, 0, answer, right, answer == right, std::nullopt};
}

inline const QString kMulti = practice::Table::ofChart(1).key();

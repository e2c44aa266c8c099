#pragma once

// The three advice tables as the rules publish them: one row a hand kind, one cell a dealer card
// (2, 3, ..., 10, then the ace), each cell the id of a catalogue text.

struct TableRow {
    const char* hand; // "A,A", "9,9", "A,7", "hard 16"
    const char* cells;
};

// A catalogue entry as tabled for one rule set, with the number of cells that use it.
struct CatalogueRow {
    const char* id;
    const char* text;
    int leadingBlanks;
    int trailingBlanks;
    int length;
    int cells;
};

// Rows: hand, then the advice ids against 2, 3, ..., 10 and the ace.
inline const TableRow kSingleDeck[] = {
    {"A,A", "P10 P10 P10 P10 P10 P10 P10 P10 P10 P10"},
    {"2,2", "H13 P10 P10 P10 P10 P10 H13 H13 H13 H13"},
    {"3,3", "H13 H13 P10 P10 P10 P10 H13 H13 H13 H13"},
    {"4,4", "H13 H13 H13 D10 D10 H13 H13 H13 H13 H13"},
    {"5,5", "D10 D10 D10 D10 D10 D10 D10 D10 H13 H14"},
    {"6,6", "P10 P10 P10 P10 P10 H13 H13 H13 H13 H14"},
    {"7,7", "P10 P10 P10 P10 P10 P10 H14 H14 RS H14"},
    {"8,8", "P11 P11 P11 P11 P11 P11 P11 P11 P11 Rh"},
    {"9,9", "P11 P11 P11 P11 P11 S11 P11 P11 S11 S11"},
    {"10,10", "S10 S10 S10 S10 S10 S10 S10 S10 S10 S10"},
    {"A,2", "H13 H13 D11 D11 D11 H13 H13 H13 H13 H13"},
    {"A,3", "H13 H13 D11+2 D11+2 D11+2 H13 H13 H13 H13 H13"},
    {"A,4", "H13 H13 D11+1 D11+1 D11+1 H13 H13 H13 H13 H13"},
    {"A,5", "H13 H13 D11 D11 D11 H13 H13 H13 H13 H13"},
    {"A,6", "D11 D11 D11 D11 D11 H13 H13 H13 H13 H13"},
    {"A,7", "S10 Ds Ds Ds Ds S10 S10 H14 H14 S10"},
    {"A,8", "S10 S10 S10 S10 Ds S10 S10 S10 S10 S11"},
    {"A,9", "S10 S10 S10 S10 S10 S10 S10 S10 S10 S10"},
    {"A,10", "BJ6 BJ6 BJ6 BJ6 BJ6 BJ6 BJ6 BJ6 BJ6 BJ6"},
    {"hard 5", "H13 H13 H13 H13 H13 H13 H13 H13 H13 H13"},
    {"hard 6", "H13 H13 H13 H13 H13 H13 H13 H13 H13 H13"},
    {"hard 7", "H13 H13 H13 H13 H13 H13 H13 H13 H13 H13"},
    {"hard 8", "H13 H13 H13 Dh Dh H13 H13 H13 H13 H13"},
    {"hard 9", "Dh Dh Dh Dh Dh H13 H13 H13 H13 H14"},
    {"hard 10", "Dh Dh Dh Dh Dh Dh Dh Dh H14 Dh"},
    {"hard 11", "Dh Dh Dh Dh Dh Dh Dh Dh Dh Dh"},
    {"hard 12", "H13 H13 S10 S10 S10 H13 H13 H13 H13 H13"},
    {"hard 13", "S11 S11 S11 S11 S11 H14 H14 H14 H14 H13"},
    {"hard 14", "S11 S11 S11 S11 S11 H13 H13 H13 H13 H13"},
    {"hard 15", "S11 S11 S11 S11 S11 H13 H13 H13 H13 H12"},
    {"hard 16", "S11 S11 S11 S11 S11 H13 H13 H13 RH Rh"},
    {"hard 17", "S11 S11 S11 S11 S11 S11 S11 S11 S11 S11"},
    {"hard 18", "S11 S11 S11 S11 S11 S11 S11 S11 S11 S11"},
    {"hard 19", "S11 S11 S11 S11 S11 S11 S11 S11 S11 S11"},
};

// Rows: hand, then the advice ids against 2, 3, ..., 10 and the ace.
inline const TableRow kMultiDeck[] = {
    {"A,A", "P10 P10 P10 P10 P10 P10 P10 P10 P10 P10"},
    {"2,2", "H13 H13 P10 P10 P10 P10 H13 H13 H13 H13"},
    {"3,3", "H13 H13 P10 P10 P10 P10 H13 H13 H13 H13"},
    {"4,4", "H13 H13 H13 H13 H13 H13 H13 H13 H13 H13"},
    {"5,5", "D10 D10 D10 D10 D10 D10 D10 D10 H13 H14"},
    {"6,6", "H13 P10 P10 P10 P10 H13 H13 H13 H13 H14"},
    {"7,7", "P10 P10 P10 P10 P10 P10 H14 H14 H14 H14"},
    {"8,8", "P11 P11 P11 P11 P11 P11 P11 P11 P11 Rh"},
    {"9,9", "P11 P11 P11 P11 P11 S11 P11 P11 S11 S11"},
    {"10,10", "S10 S10 S10 S10 S10 S10 S10 S10 S10 S10"},
    {"A,2", "H13 H13 H13 D11 D11 H13 H13 H13 H13 H13"},
    {"A,3", "H13 H13 H13 D11+2 D11+2 H13 H13 H13 H13 H13"},
    {"A,4", "H13 H13 D11+1 D11+1 D11+1 H13 H13 H13 H13 H13"},
    {"A,5", "H13 H13 D11 D11 D11 H13 H13 H13 H13 H13"},
    {"A,6", "H13 D11 D11 D11 D11 H13 H13 H13 H13 H13"},
    {"A,7", "S10 Ds Ds Ds Ds S10 S10 H14 H14 H10"},
    {"A,8", "S10 S10 S10 S10 S11 S10 S10 S10 S10 S11"},
    {"A,9", "S10 S10 S10 S10 S10 S10 S10 S10 S10 S10"},
    {"A,10", "BJ11 BJ11 BJ11 BJ11 BJ11 BJ11 BJ11 BJ11 BJ11 BJ11"},
    {"hard 5", "H13 H13 H13 H13 H13 H13 H13 H13 H13 H13"},
    {"hard 6", "H13 H13 H13 H13 H13 H13 H13 H13 H13 H13"},
    {"hard 7", "H13 H13 H13 H13 H13 H13 H13 H13 H13 H13"},
    {"hard 8", "H13 H13 H13 Dh Dh H13 H13 H13 H13 H13"},
    {"hard 9", "Dh Dh Dh Dh Dh H13 H13 H13 H13 H14"},
    {"hard 10", "Dh Dh Dh Dh Dh Dh Dh Dh H14 Dh"},
    {"hard 11", "Dh Dh Dh Dh Dh Dh Dh Dh Dh H14"},
    {"hard 12", "H13 H13 S10 S10 S10 H13 H13 H13 H13 H13"},
    {"hard 13", "S11 S11 S11 S11 S11 H14 H14 H14 H14 H13"},
    {"hard 14", "S11 S11 S11 S11 S11 H13 H13 H13 H13 H13"},
    {"hard 15", "S11 S11 S11 S11 S11 H13 H13 H13 RH H12"},
    {"hard 16", "S11 S11 S11 S11 S11 H13 H13 RH RH Rh"},
    {"hard 17", "S11 S11 S11 S11 S11 S11 S11 S11 S11 S11"},
    {"hard 18", "S11 S11 S11 S11 S11 S11 S11 S11 S11 S11"},
    {"hard 19", "S11 S11 S11 S11 S11 S11 S11 S11 S11 S11"},
};

// Rows: hand, then the advice ids against 2, 3, ..., 10 and the ace.
inline const TableRow kEuropean[] = {
    {"A,A", "P10 P10 P10 P10 P10 P10 P10 P10 P10 H10"},
    {"2,2", "P10 P10 P10 P10 P10 P10 H13 H13 H13 H14"},
    {"3,3", "P10 P10 P10 P10 P10 P10 H13 H13 H13 H14"},
    {"4,4", "H13 H13 H13 P13 P13 H13 H13 H13 H13 H13"},
    {"5,5", "D10 D10 D10 D10 D10 D10 D10 D10 H13 H14"},
    {"6,6", "P10 P10 P10 P10 P10 H13 H13 H13 H13 H14"},
    {"7,7", "P10 P10 P10 P10 P10 P10 H14 H14 H14 H14"},
    {"8,8", "P11 P11 P11 P11 P11 P11 P11 P11 H13 H13"},
    {"9,9", "P11 P11 P11 P11 P11 S11 P11 P11 S11 S11"},
    {"10,10", "S10 S10 S10 S10 S10 S10 S10 S10 S10 S10"},
    {"A,2", "H13 H13 H13 H14 H14 H13 H13 H13 H13 H13"},
    {"A,3", "H13 H13 H13 H13 H13 H13 H13 H13 H13 H13"},
    {"A,4", "H13 H13 H13+1 H13+1 H13+1 H13 H13 H13 H13 H13"},
    {"A,5", "H13 H13 H13 H13 H13 H13 H13 H13 H13 H13"},
    {"A,6", "H13 H13 H13 H13 H13 H13 H13 H13 H13 H13"},
    {"A,7", "S10 S10 S10 S10 S10 S10 S10 H14 H14 H10"},
    {"A,8", "S10 S10 S10 S10 S11 S10 S10 S10 S10 S11"},
    {"A,9", "S10 S10 S10 S10 S10 S10 S10 S10 S10 S10"},
    {"A,10", "BJ11 BJ11 BJ11 BJ11 BJ11 BJ11 BJ11 BJ11 BJ11 BJ11"},
    {"hard 5", "H13 H13 H13 H13 H13 H13 H13 H13 H13 H13"},
    {"hard 6", "H13 H13 H13 H13 H13 H13 H13 H13 H13 H13"},
    {"hard 7", "H13 H13 H13 H13 H13 H13 H13 H13 H13 H13"},
    {"hard 8", "H13 H13 H13 Dh Dh H13 H13 H13 H13 H13"},
    {"hard 9", "H16 Dh Dh Dh Dh H13 H13 H13 H13 H14"},
    {"hard 10", "Dh Dh Dh Dh Dh Dh Dh Dh H17 H14"},
    {"hard 11", "Dh Dh Dh Dh Dh Dh Dh Dh H15 H14"},
    {"hard 12", "H13 H13 S10 S10 S10 H13 H13 H13 H13 H13"},
    {"hard 13", "S11 S11 S11 S11 S11 H14 H14 H14 H14 H13"},
    {"hard 14", "S11 S11 S11 S11 S11 H13 H13 H13 H13 H13"},
    {"hard 15", "S11 S11 S11 S11 S11 H13 H13 H13 H13 H12"},
    {"hard 16", "S11 S11 S11 S11 S11 H13 H13 H13 H13 H13"},
    {"hard 17", "S11 S11 S11 S11 S11 S11 S11 S11 S11 S11"},
    {"hard 18", "S11 S11 S11 S11 S11 S11 S11 S11 S11 S11"},
    {"hard 19", "S11 S11 S11 S11 S11 S11 S11 S11 S11 S11"},
};
inline const CatalogueRow kSingleDeckTexts[] = {
    {"BJ6", "      Black Jack", 6, 0, 16, 10},
    {"D10", "          Double", 10, 0, 16, 10},
    {"D11", "           Double", 11, 0, 17, 11},
    {"D11+1", "           Double ", 11, 1, 18, 3},
    {"D11+2", "           Double  ", 11, 2, 19, 3},
    {"H12", "            Hit", 12, 0, 15, 1},
    {"H13", "             Hit", 13, 0, 16, 119},
    {"H14", "              Hit", 14, 0, 17, 13},
    {"P10", "          Split", 10, 0, 15, 30},
    {"P10+1", "          Split ", 10, 1, 16, 0},
    {"P11", "           Split", 11, 0, 16, 16},
    {"S10", "          Stand", 10, 0, 15, 35},
    {"S11", "           Stand", 11, 0, 16, 54},
    {"Dh", "Double if allowed, or hit", 0, 0, 25, 26},
    {"Ds", "Double if allowed; or stand", 0, 0, 27, 5},
    {"Rh", "Surrender if able, or hit", 0, 0, 25, 2},
    {"RH", "Surrender if able, or Hit", 0, 0, 25, 1},
    {"RS", "Surrender if able to, or Stand", 0, 0, 30, 1},
};

inline const CatalogueRow kMultiDeckTexts[] = {
    {"BJ11", "           Black Jack", 11, 0, 21, 10},
    {"D10", "          Double", 10, 0, 16, 8},
    {"D11", "           Double", 11, 0, 17, 9},
    {"D11+1", "           Double ", 11, 1, 18, 3},
    {"D11+2", "           Double  ", 11, 2, 19, 2},
    {"H10", "          Hit", 10, 0, 13, 1},
    {"H12", "            Hit", 12, 0, 15, 1},
    {"H13", "             Hit", 13, 0, 16, 124},
    {"H14", "              Hit", 14, 0, 17, 15},
    {"P10", "          Split", 10, 0, 15, 28},
    {"P10+1", "          Split ", 10, 1, 16, 0},
    {"P11", "           Split", 11, 0, 16, 16},
    {"S10", "          Stand", 10, 0, 15, 34},
    {"S11", "           Stand", 11, 0, 16, 55},
    {"Dh", "Double if allowed, or hit", 0, 0, 25, 25},
    {"Ds", "Double if allowed; or stand", 0, 0, 27, 4},
    {"Rh", "Surrender if able, or hit", 0, 0, 25, 2},
    {"RH", "Surrender if able, or Hit", 0, 0, 25, 3},
};

inline const CatalogueRow kEuropeanTexts[] = {
    {"BJ11", "           Black Jack", 11, 0, 21, 10},
    {"D10", "          Double", 10, 0, 16, 8},
    {"H10", "          Hit", 10, 0, 13, 2},
    {"H12", "            Hit", 12, 0, 15, 1},
    {"H13", "             Hit", 13, 0, 16, 130},
    {"H13+1", "             Hit ", 13, 1, 17, 3},
    {"H14", "              Hit", 14, 0, 17, 19},
    {"H15", "               Hit", 15, 0, 18, 1},
    {"H16", "                Hit", 16, 0, 19, 1},
    {"H17", "                 Hit", 17, 0, 20, 1},
    {"P10", "          Split", 10, 0, 15, 32},
    {"P10+1", "          Split ", 10, 1, 16, 0},
    {"P11", "           Split", 11, 0, 16, 15},
    {"P13", "             Split", 13, 0, 18, 2},
    {"S10", "          Stand", 10, 0, 15, 38},
    {"S11", "           Stand", 11, 0, 16, 55},
    {"Dh", "Double if allowed, or hit", 0, 0, 25, 22},
};

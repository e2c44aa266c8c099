#include "Shoe.h"

namespace analysis {

Shoe Shoe::ofDecks(int decks) {
    Shoe shoe;
    for (int value = 1; value <= 9; ++value) {
        shoe.count[value] = 4 * decks;
    }
    shoe.count[10] = 16 * decks;
    shoe.total = 52 * decks;
    return shoe;
}

} // namespace analysis

#include "Advice.h"

namespace strategy {

const Advice* findAdvice(std::string_view id) {
    for (const Advice* entry : kAdviceCatalogue) {
        if (entry->id == id) {
            return entry;
        }
    }
    return nullptr;
}

} // namespace strategy

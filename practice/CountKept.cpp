#include "CountKept.h"

#include "CountOptions.h"

namespace practice {

std::optional<counting::Game> keptCount(const QSettings& settings) {
    // Before the game had one text form, the count was kept as a list of its options.
    const QString text = settings.contains("game")
                             ? settings.value("game").toString()
                             : settings.value("count").toStringList().join(' ');
    return text.isEmpty() ? std::nullopt : options::gameOfText(text);
}

bool keepCount(QSettings& settings, const counting::Game& game) {
    const QString text = options::gameText(game);
    if (settings.value("game").toString() == text) return false;
    settings.setValue("game", text);
    return true;
}

} // namespace practice

#pragma once

// The count lab's study of a game (counting::countStudy: the index plays, what each count is
// worth and the counts' rounds), kept between runs so that the same game again comes at once.
//
// How the parts meet: StudyText.h writes a study as text with a digest and reads it back,
// refusing anything else; cachedStudy() looks for the game's file in the cache folder, works the
// study out where there is none it can trust, and keeps it with QSaveFile so that a run killed
// while writing leaves the old file or none. The cache only ever saves time: a folder that
// cannot be written is passed over, and a damaged or foreign file is written again.

#include "CountLab.h"

#include <QString>

#include <atomic>
#include <optional>

namespace countcache {

// $XDG_CACHE_HOME/hitwise/count-studies, shared by every program of the suite.
QString studyFolder();

counting::CountStudy cachedStudy(const counting::Game& game);
counting::CountStudy cachedStudy(const counting::Game& game, const QString& folder);
// Given up once `stop` is set (a newer game is wanted): then nothing, and nothing kept.
std::optional<counting::CountStudy> cachedStudy(const counting::Game& game, const QString& folder,
                                                const std::atomic<bool>& stop);

} // namespace countcache

#pragma once

// A count lab study as text, for the cache: a first line naming the format, the game's text
// form, the index plays, what each count is worth and the counts' rounds, every number to its
// last bit, then a digest of all the lines before it. Reading checks every part and gives
// nothing for a file that is damaged, foreign, of another format or of another game.

#include "CountLab.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace countcache {

// Bumped whenever the lab works its figures out differently, so that no older study is read.
inline constexpr int kStudyFormat = 2;

QByteArray studyText(const QString& gameText, const counting::CountStudy& study);
// The study of this game's text; nothing where the text is not one. The index table's basic
// chart is not kept: the caller gives it again.
std::optional<counting::CountStudy> studyOfText(const QByteArray& text, const QString& gameText);

} // namespace countcache

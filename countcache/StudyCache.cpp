#include "StudyCache.h"

#include "Analysis.h"
#include "ChartModel.h"
#include "CountOptions.h"
#include "StudyText.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

namespace countcache {

QString studyFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           "/hitwise/count-studies";
}

counting::CountStudy cachedStudy(const counting::Game& game) {
    return cachedStudy(game, studyFolder());
}

counting::CountStudy cachedStudy(const counting::Game& game, const QString& folder) {
    return *cachedStudy(game, folder, std::atomic<bool>{false});
}

std::optional<counting::CountStudy> cachedStudy(const counting::Game& game, const QString& folder,
                                                const std::atomic<bool>& stop) {
    const QString text = options::gameText(game);
    const QString name =
        folder + '/' +
        QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha256).toHex().left(32) +
        ".study";
    QFile kept(name);
    if (kept.open(QIODevice::ReadOnly)) {
        // A study is a few tens of kilobytes: anything much larger is not one.
        if (std::optional<counting::CountStudy> study = studyOfText(kept.read(1 << 22), text)) {
            study->indices.basic = charts::bestPlayChart(analysis::Analysis(game.rules));
            return study;
        }
    }
    std::optional<counting::CountStudy> study = counting::countStudy(game, stop);
    if (!study) return study;
    QSaveFile file(name);
    if (QDir().mkpath(folder) && file.open(QIODevice::WriteOnly)) {
        file.write(studyText(text, *study));
        file.commit();
    }
    return study;
}

} // namespace countcache

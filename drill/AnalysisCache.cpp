#include "AnalysisCache.h"

#include <QtConcurrent/QtConcurrentRun>

using namespace practice;

AnalysisCache::AnalysisCache(QObject* parent) : QObject(parent) {
    connect(&watcher_, &QFutureWatcher<Analyses>::finished, this, &AnalysisCache::AnalysisReady);
}

AnalysisCache::~AnalysisCache() {
    watcher_.waitForFinished();
}

AnalysisCache::Analyses AnalysisCache::find(const Table& table) {
    const auto found = analyses_.find(table.key());
    if (found != analyses_.end()) return found->second;
    if (working_ != table.key() && !watcher_.isRunning()) {
        working_ = table.key();
        const rules::Rules rules = table.rules;
        watcher_.setFuture(QtConcurrent::run(
            [rules] { return Analyses(std::make_shared<const analysis::Analysis>(rules)); }));
        emit started(table);
    }
    return nullptr;
}

void AnalysisCache::AnalysisReady() {
    analyses_[working_] = watcher_.result();
    working_.clear();
    emit ready();
}

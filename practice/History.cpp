#include "History.h"

History::History(const QString& folder) : store_(folder), countAnswers_(store_.takeCountAnswers()) {
    for (StoredAnswer& stored : store_.takeAnswers()) {
        if (stored.answer.counted) {
            counted_.push_back(std::move(stored));
        } else {
            stats_.count(stored.table, stored.day, stored.answer);
        }
    }
}

bool History::record(const QString& table, const Answer& answer) {
    const QDateTime now = QDateTime::currentDateTimeUtc();
    store_.append(table, answer, now);
    const QDate day = now.toLocalTime().date();
    if (answer.counted) {
        counted_.push_back({table, day, answer});
        return false;
    }
    return stats_.count(table, day, answer);
}

void History::record(const QString& table, const CountAnswer& answer) {
    const QDateTime now = QDateTime::currentDateTimeUtc();
    store_.append(table, answer, now);
    countAnswers_.push_back({table, now.toLocalTime().date(), answer});
}

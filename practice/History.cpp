#include "History.h"

History::History(const QString& folder) : store_(folder) {
    for (const StoredAnswer& stored : store_.takeAnswers())
        stats_.count(stored.table, stored.day, stored.answer);
}

bool History::record(const QString& table, const Answer& answer) {
    const QDateTime now = QDateTime::currentDateTimeUtc();
    store_.append(table, answer, now);
    return stats_.count(table, now.toLocalTime().date(), answer);
}

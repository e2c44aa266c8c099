#include "History.h"

#include <map>
#include <tuple>

namespace practice {

History::History(const QString& folder) : store_(folder), stats_(store_.takeStats()) {}

void History::startCheck() {
    if (check_ || !store_.remembers()) return;
    check_.reset(QThread::create([this, path = store_.path()] { found_ = checkHistory(path); }));
    QObject::connect(check_.get(), &QThread::finished, check_.get(), [this] { applyCheck(); });
    check_->start(QThread::IdlePriority);
}

History::~History() {
    if (check_) check_->wait(); // it writes only found_
}

QString History::takeNotice() {
    QString notice = store_.takeNotice();
    if (notice.isEmpty()) notice.swap(notice_);
    return notice;
}

bool History::checked() const {
    return !store_.remembers() || applied_;
}

void History::waitForCheck() {
    startCheck();
    if (!check_) return;
    check_->wait();
    applyCheck();
}

// A file found damaged is set aside, and this session's answers are stored in the new one; rows
// this version cannot read are told of once.
void History::applyCheck() {
    if (applied_ || !check_) return;
    applied_ = true;
    const HistoryCheck found = found_;
    if (found.damaged) {
        store_.startAgain(found.why);
        stats_ = store_.takeStats();
        uncounted_ = 0;
        for (const Given& given : session_) {
            if (given.answer) {
                store(given.table, *given.answer, given.at);
            } else {
                store_.append(given.table, *given.count, given.at);
            }
        }
    } else if (found.uncounted > 0) {
        uncounted_ = found.uncounted;
        notice_ = uncounted_ == 1
                      ? QStringLiteral("1 answer from another version of Hitwise is kept but not "
                                       "counted.")
                      : QStringLiteral("%1 answers from another version of Hitwise are kept but "
                                       "not counted.")
                            .arg(uncounted_);
    }
    if (checkedHandler_) checkedHandler_();
}

void History::store(const QString& table, const Answer& answer, const QDateTime& at) {
    store_.append(table, answer, at);
    if (!answer.counted) stats_.add(table, answer);
}

bool History::record(const QString& table, const Answer& answer) {
    const QDateTime now = QDateTime::currentDateTimeUtc();
    session_.push_back({table, now, answer, std::nullopt});
    store(table, answer, now);
    return cellOf(answer).has_value();
}

void History::record(const QString& table, const CountAnswer& answer) {
    const QDateTime now = QDateTime::currentDateTimeUtc();
    session_.push_back({table, now, std::nullopt, answer});
    store_.append(table, answer, now);
}

std::vector<DayAnswers> History::dayAnswers(const QString& table) const {
    if (remembers()) return practice::dayAnswers(store_.database(), table, kDaysShown);
    // Without a file: this session's, by day, cell and answer.
    std::map<std::tuple<QDate, int, int, int>, int> counted;
    for (const Given& given : session_) {
        if (!given.answer || given.table != table) continue;
        if (const auto cell = cellOf(*given.answer)) {
            ++counted[{given.at.toLocalTime().date(), cell->row, cell->up,
                       int(given.answer->answer)}];
        }
    }
    std::vector<DayAnswers> answers;
    for (const auto& [key, count] : counted) {
        const auto& [day, row, up, play] = key;
        answers.push_back({day, {row, up}, analysis::Play(play), count});
    }
    return answers;
}

RunningCountRecord History::runningCountRecord(const QString& system, int last) const {
    if (!remembers()) {
        std::vector<CountAnswer> answers;
        for (const StoredCountAnswer& stored : countRecords(system)().answers)
            answers.push_back(stored.answer);
        return practice::runningCountRecord(answers, last);
    }
    RunningCountRecord record;
    record.bestDeckSeconds = bestCleanDeck(store_.database(), system);
    for (bool right : lastRunningCounts(store_.database(), system, last)) {
        ++record.lastTried;
        record.lastRight += right;
    }
    return record;
}

std::function<CountRecords()> History::countRecords(const QString& system) const {
    if (remembers())
        return [path = store_.path(), system] { return readCountRecords(path, system); };
    CountRecords records;
    for (const Given& given : session_) {
        if (given.count && given.count->system == system) {
            records.answers.push_back({given.table, given.at.toLocalTime().date(), *given.count});
        } else if (given.answer && given.answer->counted &&
                   given.answer->counted->system == system) {
            records.decisions.push_back(
                {given.table, given.at.toLocalTime().date(), *given.answer});
        }
    }
    return [records] { return records; };
}

} // namespace practice

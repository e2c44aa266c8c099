#include "HistoryRows.h"

#include "PracticeText.h"
#include "Table.h"

#include <QDateTime>
#include <QStringList>
#include <QTimeZone>
#include <QVariant>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <limits>
#include <map>

namespace practice {

namespace {

// The kinds as the file names them, in the order of CountKind.
const char* const kCountKinds[] = {"running", "decks", "true", "check", "bet", "insurance"};
static_assert(std::size(kCountKinds) == int(CountKind::Insurance) + 1);

// Whether a rules text is one this version reads; most rows share a few, so each is looked at
// once.
bool knownTable(const QString& key) {
    thread_local std::map<QString, bool> known;
    const auto found = known.find(key);
    if (found != known.end()) return found->second;
    return known[key] = Table::fromKey(key).has_value();
}

} // namespace

QString cardsText(const std::vector<int>& cards) {
    QStringList values;
    for (int card : cards)
        values << QString::number(card);
    return values.join(',');
}

std::optional<std::vector<int>> cardsOf(const QString& text) {
    std::vector<int> cards;
    for (const QString& value : text.split(',')) {
        bool ok = false;
        const int card = value.toInt(&ok);
        if (!ok || card < 1 || card > 10) return std::nullopt;
        cards.push_back(card);
    }
    if (cards.size() < 2 || cards.size() > 21) return std::nullopt;
    return cards;
}

std::optional<analysis::Play> playOf(const QString& text) {
    for (analysis::Play play : analysis::kAllPlays) {
        if (text == practice::playText(play)) return play;
    }
    return std::nullopt;
}

QString countKindText(CountKind kind) {
    return QString::fromLatin1(kCountKinds[int(kind)]);
}

std::optional<CountKind> countKindOf(const QString& text) {
    for (std::size_t i = 0; i < std::size(kCountKinds); ++i) {
        if (text == QLatin1String(kCountKinds[i])) return CountKind(i);
    }
    return std::nullopt;
}

// The local day by the system's time zone, its offset from UTC kept between its transitions:
// a history is read a million rows at a time, and the C library's local time looks at the zone's
// file for each.
QDate dayOf(const QString& answeredAt) {
    const QDateTime at = QDateTime::fromString(answeredAt, Qt::ISODateWithMs);
    if (!at.isValid()) return {};
    thread_local const QTimeZone zone = QTimeZone::systemTimeZone();
    thread_local qint64 from = 1, to = 0; // the seconds since the epoch the offset holds for
    thread_local int offset = 0;
    const qint64 seconds = at.toSecsSinceEpoch();
    if (seconds < from || seconds >= to) {
        offset = zone.offsetFromUtc(at);
        const QTimeZone::OffsetData before = zone.previousTransition(at.addSecs(1));
        const QTimeZone::OffsetData after = zone.nextTransition(at);
        from = before.atUtc.isValid() ? before.atUtc.toSecsSinceEpoch()
                                      : std::numeric_limits<qint64>::min();
        to = after.atUtc.isValid() ? after.atUtc.toSecsSinceEpoch()
                                   : std::numeric_limits<qint64>::max();
    }
    return QDateTime::fromSecsSinceEpoch(seconds + offset, Qt::UTC).date();
}

namespace {

// A play by its key in the drill, in the order of analysis::Play.
constexpr char kPlayKeys[] = "SHDPR";
static_assert(sizeof kPlayKeys - 1 == analysis::kPlays);

} // namespace

QString cellsText(const CellRecords& cells) {
    QString text;
    for (const auto& [cell, record] : cells) {
        text += QStringLiteral("%1 %2 %3 %4 %5 %6 ")
                    .arg(cell.row)
                    .arg(cell.up)
                    .arg(record.tries)
                    .arg(record.rights)
                    .arg(record.streak)
                    .arg(record.weak ? 1 : 0);
        for (analysis::Play play : record.last)
            text += QLatin1Char(kPlayKeys[int(play)]);
        text += '\n';
    }
    return text;
}

// Read at every start for every table: by hand, a character at a time.
CellRecords cellsOf(const QString& text) {
    CellRecords cells;
    const QChar* at = text.constData();
    const QChar* const end = at + text.size();
    while (at < end) {
        const QChar* const lineEnd = std::find(at, end, QChar('\n'));
        std::array<int, 6> numbers{};
        bool ok = true;
        for (int& number : numbers) {
            const QChar* const start = at;
            while (at < lineEnd && at->isDigit())
                number = number * 10 + at++->digitValue();
            ok = ok && at != start && at < lineEnd && *at == ' ';
            ++at;
        }
        const GridCell cell{numbers[0], numbers[1]};
        CellRecord record;
        record.tries = numbers[2];
        record.rights = numbers[3];
        record.streak = numbers[4];
        record.weak = numbers[5] == 1;
        for (; ok && at < lineEnd; ++at) {
            const char* found = std::strchr(kPlayKeys, at->toLatin1());
            ok = found && *found;
            if (ok) record.last.push_back(analysis::Play(found - kPlayKeys));
        }
        if (ok && cell.row < kChartRows && cell.up >= 1 && cell.up <= 10)
            cells.emplace_back(cell, record);
        at = lineEnd + 1;
    }
    return cells;
}

std::optional<StoredAnswer> answerOfRow(const QSqlQuery& query, int first) {
    const auto value = [&](int column) { return query.value(first + column); };
    StoredAnswer stored;
    const auto cards = cardsOf(value(2).toString());
    const auto given = playOf(value(5).toString());
    const auto right = playOf(value(6).toString());
    stored.table = value(1).toString();
    Answer& answer = stored.answer;
    answer.up = value(3).toInt();
    answer.position = value(4).toInt();
    if (!cards || !given || !right || answer.up < 1 || answer.up > 10 ||
        !knownTable(stored.table)) {
        return std::nullopt;
    }
    answer.cards = *cards;
    answer.answer = *given;
    answer.rightPlay = *right;
    answer.right = value(7).toInt() == 1;
    if (!value(8).isNull()) {
        const auto basic = playOf(value(10).toString());
        if (!basic) return std::nullopt;
        answer.counted =
            CountedDecision{value(8).toString(), value(9).toInt(), *basic, value(11).toDouble()};
    }
    stored.day = dayOf(value(0).toString());
    return stored;
}

std::optional<StoredCountAnswer> countAnswerOfRow(const QSqlQuery& query) {
    const auto kind = countKindOf(query.value(3).toString());
    if (!kind) return std::nullopt;
    StoredCountAnswer stored;
    stored.table = query.value(1).toString();
    stored.day = dayOf(query.value(0).toString());
    CountAnswer& answer = stored.answer;
    answer.kind = *kind;
    answer.system = query.value(2).toString();
    answer.cardsSeen = query.value(4).toInt();
    answer.cardsLeft = query.value(5).toInt();
    answer.seconds = query.value(6).toDouble();
    answer.given = query.value(7).toDouble();
    answer.right = query.value(8).toDouble();
    answer.correct = query.value(9).toInt() == 1;
    answer.cost = query.value(10).toDouble();
    answer.count = query.value(11).toDouble();
    return stored;
}

} // namespace practice

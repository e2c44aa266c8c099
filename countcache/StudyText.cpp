#include "StudyText.h"

#include <QCryptographicHash>
#include <QList>

#include <cstdio>

namespace countcache {

namespace {

const QByteArray kFirstLine = "hitwise count study " + QByteArray::number(kStudyFormat);

QByteArray number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

QByteArray digestOf(const QByteArray& lines) {
    return QCryptographicHash::hash(lines, QCryptographicHash::Sha256).toHex();
}

// The fields of one line after its word, read strictly.
struct Fields {
    QList<QByteArray> parts;
    bool ok = true;
    int whole(qsizetype i) {
        bool good = false;
        const int value = i < parts.size() ? parts[i].toInt(&good) : 0;
        ok = ok && good;
        return value;
    }
    double real(qsizetype i) {
        bool good = false;
        const double value = i < parts.size() ? parts[i].toDouble(&good) : 0;
        ok = ok && good;
        return value;
    }
    analysis::Play play(qsizetype i) {
        const int value = whole(i);
        ok = ok && value >= 0 && value < analysis::kPlays;
        return analysis::Play(ok ? value : 0);
    }
};

} // namespace

QByteArray studyText(const QString& gameText, const counting::CountStudy& study) {
    QByteArray out = kFirstLine + "\ngame " + gameText.toUtf8() + "\n";
    for (const counting::IndexPlay& p : study.indices.plays) {
        out += "play " + QByteArray::number(p.row) + ' ' + QByteArray::number(p.up) + ' ' +
               QByteArray::number(int(p.below)) + ' ' + QByteArray::number(int(p.atOrAbove)) + ' ' +
               QByteArray::number(int(p.insurance)) + ' ' + QByteArray::number(int(p.surrender)) +
               ' ' + QByteArray::number(p.index) + ' ' + number(p.crossing) + ' ' +
               number(p.gainPer100) + '\n';
    }
    for (const auto& [word, list] :
         {std::pair{"top", &study.indices.top}, std::pair{"surrender", &study.indices.surrender}}) {
        out += word;
        for (int i : *list)
            out += ' ' + QByteArray::number(i);
        out += '\n';
    }
    for (const counting::CountWorth& w : study.worth) {
        out += "worth " + QByteArray::number(w.count) + ' ' + number(w.frequency) + ' ' +
               number(w.basic) + ' ' + number(w.withIndices) + '\n';
    }
    for (const counting::CountRound& r : study.rounds) {
        out += "round " + QByteArray::number(r.count) + ' ' + number(r.frequency) + ' ' +
               number(r.mean) + ' ' + number(r.second) + '\n';
    }
    return out + "sha256 " + digestOf(out) + '\n';
}

std::optional<counting::CountStudy> studyOfText(const QByteArray& text, const QString& gameText) {
    const qsizetype last = text.lastIndexOf("sha256 ");
    if (last < 0 || !text.endsWith('\n')) return std::nullopt;
    const QByteArray body = text.left(last);
    if (text.mid(last + 7).trimmed() != digestOf(body)) return std::nullopt;
    QList<QByteArray> lines = body.split('\n');
    if (lines.size() < 3 || lines[0] != kFirstLine || lines[1] != "game " + gameText.toUtf8())
        return std::nullopt;
    counting::CountStudy study;
    for (qsizetype i = 2; i < lines.size(); ++i) {
        if (lines[i].isEmpty()) continue;
        Fields f{lines[i].split(' ')};
        const QByteArray word = f.parts[0];
        if (word == "play" && f.parts.size() == 10) {
            counting::IndexPlay p;
            p.row = f.whole(1);
            p.up = f.whole(2);
            p.below = f.play(3);
            p.atOrAbove = f.play(4);
            p.insurance = f.whole(5) != 0;
            p.surrender = f.whole(6) != 0;
            p.index = f.whole(7);
            p.crossing = f.real(8);
            p.gainPer100 = f.real(9);
            f.ok = f.ok && p.up >= 1 && p.up <= 10 && p.row >= -1 && p.row < charts::kChartRowCount;
            study.indices.plays.push_back(p);
        } else if (word == "top" || word == "surrender") {
            std::vector<int>& list = word == "top" ? study.indices.top : study.indices.surrender;
            for (qsizetype j = 1; j < f.parts.size(); ++j) {
                list.push_back(f.whole(j));
                f.ok = f.ok && list.back() >= 0;
            }
        } else if (word == "worth" && f.parts.size() == 5) {
            study.worth.push_back({f.whole(1), f.real(2), f.real(3), f.real(4)});
        } else if (word == "round" && f.parts.size() == 5) {
            study.rounds.push_back({f.whole(1), f.real(2), f.real(3), f.real(4)});
        } else {
            return std::nullopt;
        }
        if (!f.ok) return std::nullopt;
    }
    const int size = int(study.indices.plays.size());
    for (const std::vector<int>* list : {&study.indices.top, &study.indices.surrender}) {
        for (int i : *list)
            if (i >= size) return std::nullopt;
    }
    return study;
}

} // namespace countcache

#include "GameShelf.h"

#include "CountOptions.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace planning {

namespace {

const QByteArray kFirstLine = "hitwise lab shelf 1";
constexpr int kLongestName = 80;

// The games of a shelf file; nothing where any line does not read.
std::optional<std::vector<ShelvedGame>> gamesOf(const QByteArray& bytes) {
    const QList<QByteArray> lines = bytes.split('\n');
    if (lines.isEmpty() || lines.first() != kFirstLine) return std::nullopt;
    std::vector<ShelvedGame> games;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (lines[i].isEmpty()) continue;
        const qsizetype tab = lines[i].indexOf('\t');
        if (tab <= 0) return std::nullopt;
        const QString name = QString::fromUtf8(lines[i].left(tab));
        const std::optional<counting::Game> game =
            options::gameOfText(QString::fromUtf8(lines[i].mid(tab + 1)));
        if (!game || name.toUtf8() != lines[i].left(tab)) return std::nullopt;
        games.push_back({name, *game});
    }
    return games;
}

} // namespace

GameShelf::GameShelf(QString folder) : folder_(std::move(folder)) {}

QString GameShelf::file() const {
    return folder_ + "/shelf.txt";
}

bool GameShelf::load(QString* message) {
    games_.clear();
    writable_ = true;
    // A folder the player may not look into may hold a shelf: it is neither shown nor written.
    // The nearest folder on the way that can be seen says.
    QFileInfo folder(folder_);
    while (!folder.exists() && folder.absolutePath() != folder.absoluteFilePath())
        folder.setFile(folder.absolutePath());
    if (!(folder.isReadable() && folder.isExecutable())) {
        writable_ = false;
        *message = QStringLiteral("The shelf's folder %1 cannot be read: its games are not "
                                  "shown, and nothing is saved there.")
                       .arg(QDir::toNativeSeparators(folder_));
        return false;
    }
    QFile in(file());
    if (!in.exists()) return true;
    std::optional<std::vector<ShelvedGame>> games;
    if (in.open(QIODevice::ReadOnly)) games = gamesOf(in.readAll());
    in.close();
    if (games) {
        games_ = std::move(*games);
        return true;
    }
    // Set aside, never written over: a name of its own, with the time.
    const QString aside =
        file() + ".unreadable-" + QDateTime::currentDateTime().toString("yyyyMMdd-hhmmss");
    QString name = aside;
    for (int n = 2; QFile::exists(name); ++n)
        name = aside + '-' + QString::number(n);
    if (QFile::rename(file(), name)) {
        *message = QStringLiteral("The shelf %1 could not be read; it is kept as %2, and the "
                                  "shelf starts empty.")
                       .arg(QDir::toNativeSeparators(file()), QDir::toNativeSeparators(name));
    } else {
        writable_ = false;
        *message = QStringLiteral("The shelf %1 could not be read, nor set aside; nothing will "
                                  "be saved over it.")
                       .arg(QDir::toNativeSeparators(file()));
    }
    return false;
}

QString GameShelf::nameProblem(const QString& name, int except) const {
    if (name.trimmed().isEmpty()) return QStringLiteral("A game needs a name.");
    if (name != name.trimmed()) return QStringLiteral("A name cannot start or end with a blank.");
    if (name.size() > kLongestName)
        return QStringLiteral("A name has at most %1 characters.").arg(kLongestName);
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            return QStringLiteral("A name is one line of text.");
    }
    for (int i = 0; i < int(games_.size()); ++i) {
        if (i != except && games_[std::size_t(i)].name.compare(name, Qt::CaseInsensitive) == 0)
            return QStringLiteral("The shelf holds a game named %1 already.").arg(name);
    }
    return {};
}

bool GameShelf::holds(int at, QString* why) const {
    if (at >= 0 && at < int(games_.size())) return true;
    *why = QStringLiteral("The shelf holds no such game.");
    return false;
}

bool GameShelf::commit(std::vector<ShelvedGame> games, QString* why) {
    if (!writable_) {
        *why = QStringLiteral("The shelf is not saved over a file it could not read.");
        return false;
    }
    QByteArray bytes = kFirstLine + '\n';
    for (const ShelvedGame& g : games)
        bytes += g.name.toUtf8() + '\t' + options::gameText(g.game).toUtf8() + '\n';
    if (!QDir().mkpath(folder_)) {
        *why = QStringLiteral("The shelf could not be saved: the folder %1 cannot be made.")
                   .arg(QDir::toNativeSeparators(folder_));
        return false;
    }
    QSaveFile out(file());
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) < 0 || !out.commit()) {
        *why = QStringLiteral("The shelf could not be saved in %1: %2")
                   .arg(QDir::toNativeSeparators(folder_), out.errorString());
        return false;
    }
    games_ = std::move(games);
    return true;
}

bool GameShelf::add(const QString& name, const counting::Game& game, QString* why) {
    *why = nameProblem(name, -1);
    if (!why->isEmpty()) return false;
    std::vector<ShelvedGame> games = games_;
    games.push_back({name, game});
    return commit(std::move(games), why);
}

bool GameShelf::rename(int at, const QString& name, QString* why) {
    if (!holds(at, why)) return false;
    *why = nameProblem(name, at);
    if (!why->isEmpty()) return false;
    std::vector<ShelvedGame> games = games_;
    games.at(std::size_t(at)).name = name;
    return commit(std::move(games), why);
}

bool GameShelf::duplicate(int at, QString* why) {
    if (!holds(at, why)) return false;
    const ShelvedGame& original = games_.at(std::size_t(at));
    QString name;
    for (int n = 2; name.isEmpty() || !nameProblem(name, -1).isEmpty(); ++n) {
        name = QStringLiteral("%1 (%2)").arg(original.name.left(kLongestName - 8)).arg(n);
    }
    std::vector<ShelvedGame> games = games_;
    games.insert(games.begin() + at + 1, {name, original.game});
    return commit(std::move(games), why);
}

bool GameShelf::remove(int at, QString* why) {
    if (!holds(at, why)) return false;
    std::vector<ShelvedGame> games = games_;
    games.erase(games.begin() + at);
    return commit(std::move(games), why);
}

bool GameShelf::replace(int at, const counting::Game& game, QString* why) {
    if (!holds(at, why)) return false;
    std::vector<ShelvedGame> games = games_;
    games.at(std::size_t(at)).game = game;
    return commit(std::move(games), why);
}

} // namespace planning

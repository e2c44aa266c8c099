#include "ProgramFolder.h"

#include "AppError.h"

#include <QFile>

#include <cerrno>
#include <climits>
#include <unistd.h>

namespace {

QString& overriddenPath() {
    static QString path;
    return path;
}

// The target of one of the process's links in /proc; the kernel marks a removed target
// with " (deleted)", which is not part of its path.
QString procLink(const char* link) {
    char buffer[PATH_MAX];
    const ssize_t length = readlink(link, buffer, sizeof buffer);
    if (length <= 0) {
        return {};
    }
    QString target = QFile::decodeName(QByteArray(buffer, int(length)));
    const QLatin1String deleted(" (deleted)");
    if (target.endsWith(deleted)) {
        target.chop(deleted.size());
    }
    return target;
}

} // namespace

void overrideProgramFilePath(const QString& path) {
    overriddenPath() = path;
}

QString programFilePath() {
    if (!overriddenPath().isEmpty()) {
        return overriddenPath();
    }
    return procLink("/proc/self/exe");
}

QString currentDirectory() {
    char buffer[PATH_MAX];
    if (getcwd(buffer, sizeof buffer)) {
        return QFile::decodeName(buffer);
    }
    return procLink("/proc/self/cwd");
}

QString absolutePath(const QString& path) {
    if (path.startsWith('/')) {
        return path;
    }
    QString folder = currentDirectory();
    if (!folder.endsWith('/')) {
        folder += '/';
    }
    return folder + path;
}

QString folderOf(const QString& path) {
    return path.left(path.lastIndexOf('/') + 1);
}

QString programFolder() {
    return folderOf(programFilePath());
}

void setCurrentFolder(const QString& folder) {
    if (chdir(QFile::encodeName(folder).constData()) != 0) {
        throw IoError::fromErrno(errno);
    }
}

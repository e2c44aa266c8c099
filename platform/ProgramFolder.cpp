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
} // namespace

void overrideProgramFilePath(const QString& path) {
    overriddenPath() = path;
}

QString programFilePath() {
    if (!overriddenPath().isEmpty()) {
        return overriddenPath();
    }
    char buffer[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer);
    if (length <= 0) {
        return {};
    }
    return QFile::decodeName(QByteArray(buffer, int(length)));
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

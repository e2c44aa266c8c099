#include "ProgramFolder.h"

#include "AppError.h"

#include <QFile>

#include <cerrno>
#include <climits>
#include <unistd.h>

QString programFilePath() {
    char buffer[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer);
    if (length <= 0) {
        return {};
    }
    return QFile::decodeName(QByteArray(buffer, int(length)));
}

QString folderOf(const QString& path) { return path.left(path.lastIndexOf('/') + 1); }

QString programFolder() { return folderOf(programFilePath()); }

void setCurrentFolder(const QString& folder) {
    if (chdir(QFile::encodeName(folder).constData()) != 0) {
        throw IoError::fromErrno(errno);
    }
}

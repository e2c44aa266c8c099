#include "AppError.h"

#include <cerrno>

AppError::AppError(const QString& message) : std::runtime_error(message.toStdString()) {}

QString AppError::message() const {
    return QString::fromStdString(what());
}

JpegError::JpegError(int code)
    : AppError(QStringLiteral("JPEG error #%1").arg(code)), code_(code) {}

IoError::IoError(int code, const QString& message) : AppError(message), code_(code) {}

IoError IoError::fromErrno(int error) {
    const int code = ioErrorCode(error);
    if (code < 0) {
        return IoError(error, QStringLiteral("I/O error %1").arg(error));
    }
    return IoError(code, ioErrorMessage(code));
}

QString ioErrorMessage(int code) {
    switch (code) {
    case 2: return QStringLiteral("File not found");
    case 3: return QStringLiteral("Invalid filename");
    case 4: return QStringLiteral("Too many open files");
    case 5: return QStringLiteral("File access denied");
    case 100: return QStringLiteral("Read beyond end of file");
    case 101: return QStringLiteral("Disk full");
    case 106: return QStringLiteral("Invalid numeric input");
    default: return QStringLiteral("I/O error %1").arg(code);
    }
}

int ioErrorCode(int error) {
    switch (error) {
    case ENOENT: return 2;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP: return 3;
    case EMFILE:
    case ENFILE: return 4;
    case EACCES:
    case EPERM: return 5;
    case ENOSPC:
    case EDQUOT: return 101;
    default: return -1;
    }
}

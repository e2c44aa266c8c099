#pragma once

#include <QString>

#include <stdexcept>

// An error the program raises for the user to see: the message is what the error box shows.
class AppError : public std::runtime_error {
public:
    explicit AppError(const QString& message);
    QString message() const;
};

// A picture whose JPEG data libjpeg rejected; code is libjpeg's message number.
class JpegError : public AppError {
public:
    explicit JpegError(int code);
    int code() const { return code_; }

private:
    int code_;
};

// A file-system operation the system refused, with its error number mapped as by ioErrorCode().
class IoError : public AppError {
public:
    IoError(int code, const QString& message);
    int code() const { return code_; }

    // The error for a system errno value.
    static IoError fromErrno(int error);

private:
    int code_;
};

// The message for an I/O error code: 2 "File not found", 3 "Invalid filename", 4 "Too many
// open files", 5 "File access denied", 100, 101, 106; any other code "I/O error <code>".
QString ioErrorMessage(int code);

// Maps a Linux errno onto the I/O error codes above:
//   ENOENT                               -> 2  (file not found)
//   ENOTDIR, ENAMETOOLONG, ELOOP         -> 3  (path not found)
//   EMFILE, ENFILE                       -> 4  (too many open files)
//   EACCES, EPERM                        -> 5  (access denied)
//   ENOSPC, EDQUOT                       -> 101 (disk full)
// Any other errno gives -1: it is reported as "I/O error <errno>".
int ioErrorCode(int error);

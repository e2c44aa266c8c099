#include "PictureFile.h"

#include "AppError.h"
#include "AsciiText.h"
#include "JpegPicture.h"
#include "ProgramFolder.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::unique_ptr<JpegPicture> loadJpeg(QByteArray data) {
    return std::make_unique<JpegPicture>(std::move(data));
}

std::vector<PictureFormat>& formats() {
    static std::vector<PictureFormat> table{
        {QStringLiteral("jpeg"), QStringLiteral("JPEG Image File"), &loadJpeg},
        {QStringLiteral("jpg"), QStringLiteral("JPEG Image File"), &loadJpeg},
    };
    return table;
}

QString extensionOf(const QString& path) {
    const QString fileName = path.mid(path.lastIndexOf('/') + 1);
    const qsizetype dot = fileName.lastIndexOf('.');
    return dot < 0 ? QString() : asciiLower(fileName.mid(dot + 1));
}

[[noreturn]] void cannotOpen(const QString& name, const QString& cause) {
    throw AppError(cannotOpenMessage(absolutePath(name), cause));
}

QString systemText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Closes the descriptor when the read ends, however it ends.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

} // namespace

QByteArray readPictureFile(const QString& name) {
    // Non-blocking, so that a FIFO in place of a picture cannot stall the program.
    FileDescriptor file(
        ::open(QFile::encodeName(name).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.get() < 0) {
        cannotOpen(name, systemText(errno));
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) {
        cannotOpen(name, systemText(errno));
    }
    if (S_ISDIR(info.st_mode)) {
        cannotOpen(name, systemText(EISDIR));
    }
    if (!S_ISREG(info.st_mode)) {
        cannotOpen(name, QStringLiteral("Not a regular file"));
    }
    if (info.st_size > kMaxPictureFileSize) {
        cannotOpen(name, systemText(EFBIG));
    }
    QByteArray data;
    data.resize(static_cast<qsizetype>(info.st_size));
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n = ::read(file.get(), data.data() + done, size_t(data.size() - done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            cannotOpen(name, systemText(errno));
        }
        if (n == 0) {
            break; // the file shrank while being read: take what is there
        }
        done += n;
    }
    data.truncate(done);
    return data;
}

QString cannotOpenMessage(const QString& path, const QString& cause) {
    return QStringLiteral("Cannot open file \"%1\". %2").arg(path, cause);
}

void registerPictureFormat(const PictureFormat& format) {
    formats().push_back(format);
}

const PictureFormat* findPictureFormat(const QString& fileName) {
    const QString extension = extensionOf(fileName);
    const auto& table = formats();
    for (auto it = table.rbegin(); it != table.rend(); ++it) {
        if (it->extension == extension) {
            return &*it;
        }
    }
    return nullptr;
}

std::unique_ptr<JpegPicture> loadPictureFile(const QString& name) {
    const PictureFormat* format = findPictureFormat(name);
    if (!format) {
        throw AppError(
            QStringLiteral("Unknown picture file extension (.%1)").arg(extensionOf(name)));
    }
    return format->load(readPictureFile(name));
}

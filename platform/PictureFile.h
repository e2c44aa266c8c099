#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

class JpegPicture;

// Files larger than this are not read as pictures.
inline constexpr qint64 kMaxPictureFileSize = 64LL * 1024 * 1024;

// "Cannot open file "<path>". <cause>", the message of a picture file that cannot be read.
QString cannotOpenMessage(const QString& path, const QString& cause);

// Reads a whole file for a picture. The name is used as given, so a relative name resolves
// against the current directory. Throws AppError "Cannot open file "<full path>". <cause>".
QByteArray readPictureFile(const QString& name);

// A picture format: the extension (lower case, without dot), its description and its loader.
struct PictureFormat {
    QString extension;
    QString description;
    std::unique_ptr<JpegPicture> (*load)(QByteArray data);
};

// Enters a format in the table of picture formats; later entries are found first.
void registerPictureFormat(const PictureFormat& format);

// The format for a file name's extension (the text after its last dot, lower-cased), or
// nullptr. The table holds "jpeg" and "jpg" as "JPEG Image File" from the start.
const PictureFormat* findPictureFormat(const QString& fileName);

// Loads a picture file: its format by extension, its data, its header. Throws AppError
// "Unknown picture file extension (.<ext>)", the file's open error, or JpegError.
std::unique_ptr<JpegPicture> loadPictureFile(const QString& name);

// Fuzz target: any bytes as a card file, through the program's own loader and decoder.
#include "AppError.h"
#include "JpegPicture.h"

#include <QByteArray>
#include <QSize>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const JpegPicture picture(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
        // Decodes far more than any box shows, bounded so that the output fits the memory limit.
        picture.visiblePart(QSize(2048, 2048));
    } catch (const JpegError&) {
        // A refused header is the loader's answer, not a finding.
    }
    return 0;
}

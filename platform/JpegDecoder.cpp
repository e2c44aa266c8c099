#include "JpegDecoder.h"

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE
#include <cstring>

#include <jerror.h>
#include <jpeglib.h>

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    int warnings;
};

struct Decoder {
    jpeg_decompress_struct info;
    ErrorManager errors;
    jpeg_progress_mgr progress;
};

[[noreturn]] void errorExit(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void emitMessage(j_common_ptr info, int level) {
    if (level < 0) {
        ++reinterpret_cast<ErrorManager*>(info->err)->warnings;
    }
}

void outputMessage(j_common_ptr) {}

void failWith(j_common_ptr info, int code) {
    info->err->msg_code = code;
    info->err->error_exit(info);
}

// Called between scans: bounds the work a progressive picture can ask for.
void limitScans(j_common_ptr info) {
    if (info->is_decompressor &&
        reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxJpegScans) {
        failWith(info, JERR_NOTIMPL);
    }
}

// Everything that cannot fail; the source is set after setjmp, since an empty one is an error.
void setUp(Decoder* d) {
    std::memset(d, 0, sizeof *d);
    d->info.err = jpeg_std_error(&d->errors.base);
    d->errors.base.error_exit = errorExit;
    d->errors.base.emit_message = emitMessage;
    d->errors.base.output_message = outputMessage;
    jpeg_create_decompress(&d->info);
    d->info.mem->max_memory_to_use = kMaxJpegWorkingMemory;
    d->progress.progress_monitor = limitScans;
    d->info.progress = &d->progress;
}

// Start-of-scan markers in the data. Entropy-coded data never holds 0xFF followed by anything
// but 0x00 or a restart marker, so every scan is counted; bytes inside a later marker segment
// could add to the count, which errs only on the side of refusing.
int countScans(const unsigned char* data, std::size_t size) {
    int scans = 0;
    for (std::size_t i = 0; i + 1 < size; ++i) {
        if (data[i] == 0xFF && data[i + 1] == 0xDA) {
            ++scans;
        }
    }
    return scans;
}

// Reads the header and refuses what the decoder will not take: too many pixels, colour
// spaces that cannot be shown.
void readAndCheckHeader(Decoder* d) {
    jpeg_read_header(&d->info, TRUE);
    const long long pixels = static_cast<long long>(d->info.image_width) * d->info.image_height;
    const bool multiScan = jpeg_has_multiple_scans(&d->info);
    if (pixels > (multiScan ? kMaxMultiScanPixels : kMaxJpegPixels)) {
        failWith(reinterpret_cast<j_common_ptr>(&d->info), JERR_IMAGE_TOO_BIG);
    }
    if (multiScan &&
        countScans(d->info.src->next_input_byte, d->info.src->bytes_in_buffer) >= kMaxJpegScans) {
        failWith(reinterpret_cast<j_common_ptr>(&d->info), JERR_NOTIMPL);
    }
    const int n = d->info.num_components;
    switch (d->info.jpeg_color_space) {
    case JCS_GRAYSCALE:
        if (n == 1) return;
        break;
    case JCS_RGB:
    case JCS_YCbCr:
        if (n == 3) return;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        if (n == 4) return;
        break;
    default: break;
    }
    failWith(reinterpret_cast<j_common_ptr>(&d->info), JERR_CONVERSION_NOTIMPL);
}

inline unsigned char scale(unsigned a, unsigned b) {
    return static_cast<unsigned char>(a * b / 255);
}

// CMYK rows into premultiplied ARGB. Adobe writes CMYK inverted (0 is full ink).
void cmykToArgb(const JSAMPLE* cmyk, unsigned char* out, int columns, bool inverted) {
    for (int x = 0; x < columns; ++x, cmyk += 4, out += 4) {
        unsigned c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted) {
            c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
        }
        out[0] = scale(y, k); // blue
        out[1] = scale(m, k); // green
        out[2] = scale(c, k); // red
        out[3] = 255;
    }
}

} // namespace

int readJpegHeader(const unsigned char* data, std::size_t size, JpegHeader* header) {
    Decoder d;
    setUp(&d);
    if (setjmp(d.errors.jump)) {
        const int code = d.errors.base.msg_code;
        jpeg_destroy_decompress(&d.info);
        return code;
    }
    jpeg_mem_src(&d.info, data, static_cast<unsigned long>(size));
    readAndCheckHeader(&d);
    header->width = static_cast<int>(d.info.image_width);
    header->height = static_cast<int>(d.info.image_height);
    jpeg_destroy_decompress(&d.info);
    return 0;
}

int decodeJpeg(const unsigned char* data, std::size_t size, unsigned char* pixels, long stride,
               int columns, int rows, int* rowsDone, int* warnings) {
    Decoder d;
    setUp(&d);
    *rowsDone = 0;
    if (setjmp(d.errors.jump)) {
        const int code = d.errors.base.msg_code;
        *warnings = d.errors.warnings;
        jpeg_destroy_decompress(&d.info);
        return code;
    }
    jpeg_mem_src(&d.info, data, static_cast<unsigned long>(size));
    // The limits were checked when the picture was loaded; the scan monitor and the memory cap
    // still bound the decoding itself.
    jpeg_read_header(&d.info, TRUE);
    const bool cmyk = d.info.jpeg_color_space == JCS_CMYK || d.info.jpeg_color_space == JCS_YCCK;
    d.info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
    jpeg_start_decompress(&d.info);

    const int width = static_cast<int>(d.info.output_width);
    const int height = static_cast<int>(d.info.output_height);
    const int copyColumns = columns < width ? columns : width;
    const int copyRows = rows < height ? rows : height;
    // One full decoded row; the picture keeps only its first columns.
    JSAMPARRAY row = d.info.mem->alloc_sarray(reinterpret_cast<j_common_ptr>(&d.info), JPOOL_IMAGE,
                                              d.info.output_width * d.info.output_components, 1);
    while (*rowsDone < copyRows) {
        jpeg_read_scanlines(&d.info, row, 1);
        unsigned char* out = pixels + stride * *rowsDone;
        if (cmyk) {
            cmykToArgb(row[0], out, copyColumns, d.info.saw_Adobe_marker);
        } else {
            std::memcpy(out, row[0], static_cast<std::size_t>(copyColumns) * 4);
        }
        ++*rowsDone;
    }
    *warnings = d.errors.warnings;
    // The rows below the visible part are not needed.
    jpeg_abort_decompress(&d.info);
    jpeg_destroy_decompress(&d.info);
    return 0;
}

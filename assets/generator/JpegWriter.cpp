#include "JpegWriter.h"

#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <vector>

namespace {

// Pixels as the encoder takes them, one row after another.
std::vector<JSAMPLE> samplesOf(const QImage& image, const JpegOptions& options) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    using C = JpegOptions::Colours;
    const int components = options.colours == C::Rgb ? 3 : options.colours == C::Grey ? 1 : 4;
    const bool inverted = options.colours == C::CmykAdobe || options.colours == C::Ycck;
    std::vector<JSAMPLE> samples;
    samples.reserve(size_t(rgb.width()) * rgb.height() * components);
    for (int y = 0; y < rgb.height(); ++y) {
        const uchar* row = rgb.constScanLine(y);
        for (int x = 0; x < rgb.width(); ++x, row += 3) {
            if (components == 3) {
                samples.insert(samples.end(), row, row + 3);
            } else if (components == 1) {
                samples.push_back(JSAMPLE(qGray(row[0], row[1], row[2])));
            } else {
                for (int i = 0; i < 3; ++i) {
                    const int ink = 255 - row[i];
                    samples.push_back(JSAMPLE(inverted ? 255 - ink : ink));
                }
                samples.push_back(JSAMPLE(inverted ? 255 : 0));
            }
        }
    }
    return samples;
}

} // namespace

QByteArray encodeJpeg(const QImage& image, const JpegOptions& options) {
    using C = JpegOptions::Colours;
    std::vector<JSAMPLE> samples = samplesOf(image, options);
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors); // the callers' input is their own: errors are fatal
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(image.width());
    info.image_height = JDIMENSION(image.height());
    switch (options.colours) {
    case C::Rgb: info.input_components = 3, info.in_color_space = JCS_RGB; break;
    case C::Grey: info.input_components = 1, info.in_color_space = JCS_GRAYSCALE; break;
    default: info.input_components = 4, info.in_color_space = JCS_CMYK; break;
    }
    jpeg_set_defaults(&info);
    if (options.colours == C::Ycck) {
        jpeg_set_colorspace(&info, JCS_YCCK);
    }
    if (options.colours == C::Cmyk) {
        info.write_Adobe_marker = FALSE;
    }
    jpeg_set_quality(&info, options.quality, TRUE);
    info.write_JFIF_header = options.colours == C::Rgb || options.colours == C::Grey;
    info.density_unit = 1; // dots per inch
    info.X_density = 72;
    info.Y_density = 72;
    info.arith_code = options.arithmetic;
    for (int c = 0; c < info.num_components; ++c) {
        info.comp_info[c].h_samp_factor = info.comp_info[c].v_samp_factor = 1;
    }
    if (options.subsample && info.num_components >= 3) {
        info.comp_info[0].h_samp_factor = info.comp_info[0].v_samp_factor = 2;
    }
    if (options.progressive) {
        jpeg_simple_progression(&info);
    }
    jpeg_start_compress(&info, TRUE);
    const size_t stride = size_t(image.width()) * info.input_components;
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = samples.data() + stride * info.next_scanline;
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray data(reinterpret_cast<const char*>(buffer), qsizetype(size));
    std::free(buffer);
    return data;
}

bool writeJpeg(const QImage& image, const QString& path, const JpegOptions& options) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(encodeJpeg(image, options)) >= 0 &&
           file.flush();
}

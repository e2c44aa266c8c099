#pragma once

// The libjpeg side of picture decoding, kept free of C++ objects with destructors so that
// libjpeg's error exit can longjmp out of it safely. Each function returns 0 on success or
// libjpeg's message number of the error that stopped it.

#include <cstddef>

// Largest picture accepted, in pixels; larger headers are refused before anything is decoded.
inline constexpr long long kMaxJpegPixels = 64LL * 1024 * 1024;
// Multi-scan (progressive) pictures cost a pass over all their coefficients per scan: they
// are refused with more scans than this (a progressive picture needs about ten) or pixels.
inline constexpr int kMaxJpegScans = 100;
inline constexpr long long kMaxMultiScanPixels = 16LL * 1024 * 1024;
// Upper bound for libjpeg's own working memory (progressive pictures keep all coefficients).
inline constexpr long kMaxJpegWorkingMemory = 128L * 1024 * 1024;

struct JpegHeader {
    int width = 0;
    int height = 0;
};

int readJpegHeader(const unsigned char* data, std::size_t size, JpegHeader* header);

// Decodes data whose header readJpegHeader() accepted: the top-left rows x columns of the picture
// into 32-bit premultiplied ARGB pixels (QImage::Format_ARGB32_Premultiplied), one row every stride
// bytes. Rows that could not be decoded stay as they were. rowsDone and warnings report how far it
// got and how many corrupt-data warnings libjpeg gave (a truncated file gives one and is shown as
// far as it goes).
int decodeJpeg(const unsigned char* data, std::size_t size, unsigned char* pixels, long stride,
               int columns, int rows, int* rowsDone, int* warnings);

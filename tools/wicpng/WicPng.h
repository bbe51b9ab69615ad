// PNG files on Windows through the system's imaging component (WIC), so the
// test host and the Windows tests read and write PNG without a library of
// their own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct PngImage {
    int width = 0;
    int height = 0;
    bool hasAlpha = false;       // the file carries transparency
    std::vector<uint8_t> rgba;   // width * height * 4 bytes, rows top-down, R G B A
};

// Decodes any PNG WIC reads into 8-bit RGBA. Returns false with a one-line
// reason in `error`.
bool ReadPng(const std::string& path, PngImage& image, std::string& error);

// Encodes `image` as 8-bit RGBA when it has alpha, else as 8-bit RGB.
bool WritePng(const std::string& path, const PngImage& image, std::string& error);

// Encodes top-down 32-bit B G R x pixels (a DIB section's layout) as 8-bit
// RGB, for screenshots.
bool WritePngFromBgrx(const std::string& path, int width, int height, const uint8_t* bgrx, int stride,
                      std::string& error);

// A PNG's samples at its own depth: `channels` of 1 (grey), 3 (RGB) or 4
// (RGBA), each 0..65535 when depth is 16, else 0..255.
struct PngSamples {
    int width = 0;
    int height = 0;
    int channels = 0;
    int depth = 8;
    std::vector<uint16_t> samples;  // width * height * channels, rows top-down
};

// 16-bit grey, RGB and RGBA files keep their values; every other PNG comes
// as ReadPng decodes it (8-bit RGB or RGBA).
bool ReadPngSamples(const std::string& path, PngSamples& image, std::string& error);

// Writes the samples at their depth: grey, RGB or RGBA (grey with alpha is
// written as RGBA with equal colours: WIC has no such format).
bool WritePngSamples(const std::string& path, const PngSamples& image, std::string& error);

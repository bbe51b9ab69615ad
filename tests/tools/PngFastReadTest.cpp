// The fast PNG reader against libpng, the reader it stands in for: on the
// corpus tests/tools/make_png_corpus.py writes (every colour type, depth,
// filter and interlace), each file must decode to libpng's very pixels in
// each form, and the files the corpus marks must not be left to libpng; a
// damaged file must read (or fail, with the same message) exactly as it
// does through libpng alone.
#include <gtest/gtest.h>

#include <zlib.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "PngDeep.h"
#include "PngFastDecode.h"
#include "PngImage.h"
#include "PngUnfilter.h"
#include "WorkerThreadCounts.h"

namespace {

std::string CorpusPath(const std::string& name) { return std::string(VEYDRA_PNG_CORPUS) + "/" + name; }

std::vector<uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

struct CorpusFile {
    std::string name;
    std::string fastForms;  // "own,colour", ... or "-"
};

std::vector<CorpusFile> Manifest()
{
    std::vector<CorpusFile> files;
    std::ifstream in(CorpusPath("manifest.txt"));
    CorpusFile f;
    while (in >> f.name >> f.fastForms)
        files.push_back(f);
    return files;
}

bool Lists(const std::string& forms, const char* form)
{
    std::stringstream list(forms);
    std::string item;
    while (std::getline(list, item, ','))
        if (item == form)
            return true;
    return false;
}

::testing::AssertionResult SameImage(const RasterImage& a, const RasterImage& b)
{
    if (a.width != b.width || a.height != b.height || a.planes != b.planes || a.depth != b.depth)
        return ::testing::AssertionFailure() << a.width << "x" << a.height << "x" << a.planes << "@" << a.depth
                                             << " against " << b.width << "x" << b.height << "x" << b.planes << "@"
                                             << b.depth;
    if (a.pixels.size() != b.pixels.size())
        return ::testing::AssertionFailure() << "buffers of " << a.pixels.size() << " and " << b.pixels.size();
    for (size_t i = 0; i < a.pixels.size(); ++i)
        if (a.pixels[i] != b.pixels[i])
            return ::testing::AssertionFailure()
                   << "byte " << i << ": " << int(a.pixels[i]) << " against " << int(b.pixels[i]);
    return ::testing::AssertionSuccess();
}

struct Form {
    const char* name;
    PngFastForm fast;
    // libpng's reading in this form; false when the file is not one of it.
    std::function<bool(const std::string&, RasterImage&)> libpng;
    // The renderer's own entry point for the form.
    std::function<bool(const std::string&, RasterImage&)> reader;
};

const Form kForms[] = {
    {"own", PngFastForm::OwnDepth, ReadPngAtOwnDepthWithLibpng, ReadPngAtOwnDepth},
    {"colour", PngFastForm::Colour,
     [](const std::string& p, RasterImage& i) { return i = ReadPngWithLibpng(p, PngLoad::Colour), true; },
     [](const std::string& p, RasterImage& i) { return i = ReadPng(p, PngLoad::Colour), true; }},
    {"grey", PngFastForm::Grey,
     [](const std::string& p, RasterImage& i) { return i = ReadPngWithLibpng(p, PngLoad::Grey), true; },
     [](const std::string& p, RasterImage& i) { return i = ReadPng(p, PngLoad::Grey), true; }},
};

TEST(PngFastRead, DecodesTheCorpusToLibpngsPixels)
{
    const std::vector<CorpusFile> files = Manifest();
    ASSERT_GT(files.size(), 200u) << "the corpus at " << VEYDRA_PNG_CORPUS << " is missing";
    int fastDecodes = 0;
    for (const CorpusFile& file : files) {
        const std::string path = CorpusPath(file.name);
        const std::vector<uint8_t> bytes = ReadBytes(path);
        for (const Form& form : kForms) {
            SCOPED_TRACE(file.name + " as " + form.name);
            RasterImage expected, fast, read;
            const bool ofTheForm = form.libpng(path, expected);
            const char* why = "";
            const bool decoded = DecodePngFast(bytes.data(), bytes.size(), form.fast, kMaxImageBytes, fast, &why);
            if (Lists(file.fastForms, form.name)) {
                EXPECT_TRUE(decoded) << "left to libpng: " << why;
            }
            if (decoded) {
                ++fastDecodes;
                ASSERT_TRUE(ofTheForm) << "decoded a file libpng does not take in this form";
                EXPECT_TRUE(SameImage(fast, expected));
            }
            // Through the renderer's reader, fast or not, the same again.
            ASSERT_EQ(form.reader(path, read), ofTheForm);
            if (ofTheForm) {
                EXPECT_TRUE(SameImage(read, expected));
            }
        }
    }
    EXPECT_GT(fastDecodes, 250);
}

// A file from memory (the fuzz targets' and the Python module's way in)
// reads as the same file from disk.
TEST(PngFastRead, MemoryReadsAsTheFile)
{
    for (const char* name : {"rgba-wide.png", "c3d4-t-adam7-17x13.png", "c0d2-plain-37x11.png", "gamma-linear.png"}) {
        SCOPED_TRACE(name);
        const std::vector<uint8_t> bytes = ReadBytes(CorpusPath(name));
        for (PngLoad load : {PngLoad::Colour, PngLoad::Grey})
            EXPECT_TRUE(SameImage(DecodePng(bytes.data(), bytes.size(), load, name),
                                  ReadPngWithLibpng(CorpusPath(name), load)));
    }
}

TEST(PngFastRead, AnyThreadCountReadsTheSamePixels)
{
    const RasterImage expected = ReadPngWithLibpng(CorpusPath("rgba-wide.png"), PngLoad::Colour);
    for (int threads : kThreadCounts) {
        CScopedWorkerThreads scoped(threads);
        EXPECT_TRUE(SameImage(ReadPng(CorpusPath("rgba-wide.png"), PngLoad::Colour), expected)) << threads;
    }
}

// A mask with alpha is laid over black: a transparent pixel selects
// nothing and an opaque one its grey, whatever the memory held before
// (libpng composes over the buffer it is given).
TEST(PngFastRead, MasksWithAlphaLieOverBlack)
{
    const std::string path = CorpusPath("c4d8-plain-37x11.png");
    const RasterImage stored = ReadPngWithLibpng(path, PngLoad::Colour);  // grey as RGB, and the alpha
    for (int round = 0; round < 3; ++round) {
        {
            // Leaves freed memory of the mask's size full of a pattern.
            std::vector<LargeVector<uint8_t>> dirt(64);
            for (LargeVector<uint8_t>& d : dirt)
                d.assign(size_t(stored.width) * stored.height, 0xAB);
        }
        const RasterImage mask = ReadPng(path, PngLoad::Grey);
        ASSERT_EQ(mask.planes, 1);
        int checked = 0;
        for (size_t i = 0; i < mask.pixels.size(); ++i) {
            const uint8_t alpha = stored.pixels[4 * i + 3];
            if (alpha == 0 || alpha == 255) {
                EXPECT_EQ(mask.pixels[i], alpha ? stored.pixels[4 * i] : 0) << "pixel " << i;
                ++checked;
            }
        }
        EXPECT_GT(checked, 0);
    }
}

// What the reader makes of `bytes`, as a file: the pixels, or the error
// message.
std::string Outcome(const std::string& path, const std::function<RasterImage(const std::string&)>& read,
                    RasterImage& image)
{
    try {
        image = read(path);
        return "read";
    } catch (const CliError& e) {
        EXPECT_EQ(std::string(e.what()).find('\n'), std::string::npos) << "not one line: " << e.what();
        return e.what();
    }
}

void PutCrc(std::vector<uint8_t>& file, size_t chunkAt)
{
    const uint32_t length = uint32_t(file[chunkAt]) << 24 | file[chunkAt + 1] << 16 | file[chunkAt + 2] << 8 |
                            file[chunkAt + 3];
    const uint32_t crc = static_cast<uint32_t>(crc32(0, file.data() + chunkAt + 4, length + 4));
    for (int i = 0; i < 4; ++i)
        file[chunkAt + 8 + length + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
}

// Damage of every kind a download or a disk does: cut short anywhere, a
// byte changed anywhere (chunk lengths and types, the header, compressed
// data with and without a CRC that still holds). Each variant must read
// through the renderer exactly as through libpng alone.
TEST(PngFastRead, DamagedFilesReadAsThroughLibpng)
{
    const std::string damaged = ::testing::TempDir() + "png-fast-damaged.png";
    for (const char* name : {"c6d8-plain-37x11.png", "c3d4-t-adam7-17x13.png", "c0d16-t-plain-17x13.png"}) {
        const std::vector<uint8_t> good = ReadBytes(CorpusPath(name));
        ASSERT_GT(good.size(), 100u);
        std::vector<std::vector<uint8_t>> variants;
        for (size_t cut = 0; cut < good.size(); cut += 1 + good.size() / 40)
            variants.emplace_back(good.begin(), good.begin() + cut);
        for (size_t at = 8; at < good.size(); at += 1 + good.size() / 60) {
            std::vector<uint8_t> v = good;
            v[at] ^= 0x5A;
            variants.push_back(v);
        }
        // The IDAT chunk starts after the signature and IHDR (and PLTE and
        // tRNS where the file has them): damage its data, CRC mended.
        for (size_t chunkAt = 8; chunkAt + 12 <= good.size();) {
            const uint32_t length = uint32_t(good[chunkAt]) << 24 | good[chunkAt + 1] << 16 |
                                    good[chunkAt + 2] << 8 | good[chunkAt + 3];
            if (std::string(good.begin() + chunkAt + 4, good.begin() + chunkAt + 8) == "IDAT") {
                for (size_t offset : {size_t(0), size_t(1), size_t(2), size_t(length / 2), size_t(length - 1)}) {
                    std::vector<uint8_t> v = good;
                    v[chunkAt + 8 + offset] ^= 0x21;
                    PutCrc(v, chunkAt);
                    variants.push_back(v);
                }
            }
            chunkAt += 12 + length;
        }
        for (size_t i = 0; i < variants.size(); ++i) {
            SCOPED_TRACE(std::string(name) + ", variant " + std::to_string(i));
            WriteBytes(damaged, variants[i]);
            for (PngLoad load : {PngLoad::Colour, PngLoad::Grey}) {
                RasterImage viaLibpng, viaReader;
                const std::string expected =
                    Outcome(damaged, [&](const std::string& p) { return ReadPngWithLibpng(p, load); }, viaLibpng);
                const std::string outcome =
                    Outcome(damaged, [&](const std::string& p) { return ReadPng(p, load); }, viaReader);
                EXPECT_EQ(outcome, expected);
                if (outcome == "read" && expected == "read") {
                    EXPECT_TRUE(SameImage(viaReader, viaLibpng));
                }
            }
            RasterImage deepLibpng, deepReader;
            std::string expected, outcome;
            try {
                expected = ReadPngAtOwnDepthWithLibpng(damaged, deepLibpng) ? "deep" : "not deep";
            } catch (const CliError& e) {
                expected = e.what();
            }
            try {
                outcome = ReadPngAtOwnDepth(damaged, deepReader) ? "deep" : "not deep";
            } catch (const CliError& e) {
                outcome = e.what();
            }
            EXPECT_EQ(outcome, expected);
            if (outcome == "deep" && expected == "deep") {
                EXPECT_TRUE(SameImage(deepReader, deepLibpng));
            }
        }
    }
    std::remove(damaged.c_str());
}

// Reconstructing a row into the bytes just before it (the reader shifts
// each row down over its filter byte) gives what reconstructing it into a
// buffer of its own gives, for every filter, pixel size and shift.
TEST(PngFastRead, RowsReconstructInPlaceAsApart)
{
    const size_t bytes = 96;
    std::vector<uint8_t> filtered(bytes), prior(bytes);
    for (size_t i = 0; i < bytes; ++i) {
        filtered[i] = static_cast<uint8_t>(i * 73 + 11);
        prior[i] = static_cast<uint8_t>(i * 151 + 5);
    }
    for (int filter = 0; filter < kPngFilterTypes; ++filter) {
        for (int step : {1, 2, 3, 4, 6, 8}) {
            for (bool withPrior : {false, true}) {
                std::vector<uint8_t> apart(bytes);
                ASSERT_TRUE(UnfilterRow(filter, filtered.data(), apart.data(), withPrior ? prior.data() : nullptr,
                                        bytes, step));
                for (size_t shift = 0; shift <= 17; ++shift) {
                    SCOPED_TRACE(::testing::Message() << "filter " << filter << ", step " << step << ", shift "
                                                      << shift << (withPrior ? ", with a row above" : ""));
                    std::vector<uint8_t> buffer(shift + bytes);
                    std::copy(filtered.begin(), filtered.end(), buffer.begin() + shift);
                    ASSERT_TRUE(UnfilterRow(filter, buffer.data() + shift, buffer.data(),
                                            withPrior ? prior.data() : nullptr, bytes, step));
                    EXPECT_TRUE(std::equal(apart.begin(), apart.end(), buffer.begin()));
                }
            }
        }
    }
    std::vector<uint8_t> out(bytes);
    EXPECT_FALSE(UnfilterRow(5, filtered.data(), out.data(), prior.data(), bytes, 4));
}

}  // namespace

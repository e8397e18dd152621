#include "TestImages.h"
#include <ole2.h>
#include <gtest/gtest.h>
#include <initializer_list>
#include <vector>

namespace {

struct ComEnvironment : ::testing::Environment {
    void SetUp() override { OleInitialize(nullptr); }
    void TearDown() override { OleUninitialize(); }
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new ComEnvironment);

COLORREF QuadrantColour(int x, int y, int width, int height) {
    bool right = x >= width / 2, bottom = y >= height / 2;
    return bottom ? (right ? kBottomRight : kBottomLeft) : (right ? kTopRight : kTopLeft);
}

// Little-endian fields in a row, each `size` bytes.
void Put(Bytes& b, std::initializer_list<unsigned> values, int size = 4) {
    for (unsigned v : values)
        for (int i = 0; i < size; ++i) b.push_back((v >> (8 * i)) & 0xFF);
}

}  // namespace

Bytes MakeBmp(int width, int height) {
    const int stride = (width * 3 + 3) & ~3;
    Bytes b = {'B', 'M'};
    Put(b, {54u + stride * height, 0, 54, 40, unsigned(width), unsigned(height)});
    Put(b, {1, 24}, 2);
    Put(b, {0, 0, 0, 0, 0, 0});
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const COLORREF c = QuadrantColour(x, y, width, height);
            b.insert(b.end(), {GetBValue(c), GetGValue(c), GetRValue(c)});
        }
        b.resize(b.size() + stride - width * 3);
    }
    return b;
}

Bytes MakeTiff(int width, int height) {
    const unsigned entries = 10, ifd = 8, bitsAt = ifd + 2 + entries * 12 + 4, pixelsAt = bitsAt + 6;
    const unsigned size = width * height * 3;
    Bytes t = {'I', 'I', 42, 0};
    Put(t, {ifd});
    Put(t, {entries}, 2);
    // A SHORT value sits in the low half of the 4-byte field, as in a little-endian 32-bit one.
    auto entry = [&](unsigned tag, unsigned type, unsigned count, unsigned value) {
        Put(t, {tag, type}, 2);
        Put(t, {count, value});
    };
    entry(256, 4, 1, width);          // ImageWidth
    entry(257, 4, 1, height);         // ImageLength
    entry(258, 3, 3, bitsAt);         // BitsPerSample 8,8,8
    entry(259, 3, 1, 1);              // no compression
    entry(262, 3, 1, 2);              // RGB
    entry(273, 4, 1, pixelsAt);       // StripOffsets
    entry(277, 3, 1, 3);              // SamplesPerPixel
    entry(278, 4, 1, height);         // RowsPerStrip
    entry(279, 4, 1, size);           // StripByteCounts
    entry(284, 3, 1, 1);              // chunky
    Put(t, {0});
    Put(t, {8, 8, 8}, 2);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            COLORREF c = QuadrantColour(x, y, width, height);
            t.insert(t.end(), {GetRValue(c), GetGValue(c), GetBValue(c)});
        }
    return t;
}

Bytes MakeIco(int size, COLORREF colour) {
    const unsigned pixels = size * size * 4, maskStride = ((size + 31) / 32) * 4, mask = maskStride * size;
    const unsigned image = 40 + pixels + mask;
    const unsigned char side = size >= 256 ? 0 : static_cast<unsigned char>(size);
    Bytes b;
    Put(b, {0, 1, 1}, 2);  // an icon directory of one entry
    b.insert(b.end(), {side, side, 0, 0});
    Put(b, {1, 32}, 2);
    Put(b, {image, 22, 40, unsigned(size), unsigned(size) * 2});
    Put(b, {1, 32}, 2);
    Put(b, {0, pixels + mask, 0, 0, 0, 0});
    for (int i = 0; i < size * size; ++i)
        b.insert(b.end(), {GetBValue(colour), GetGValue(colour), GetRValue(colour), 0xFF});
    b.resize(b.size() + mask);
    return b;
}

CTempFile::CTempFile(const std::string& name, const Bytes& contents) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    m_path = std::string(folder) + "tavrin_" + std::to_string(GetCurrentProcessId()) + "_" + name;
    HANDLE file = CreateFileA(m_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
        CloseHandle(file);
    }
}

CTempFile::~CTempFile() { DeleteFileA(m_path.c_str()); }

TestIcon MakeIcon(int size, COLORREF colour) {
    const DWORD pixel = 0xFF000000u | GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
    const std::vector<DWORD> pixels(size * size, pixel);
    const std::vector<BYTE> opaque(size * size / 8);
    const BYTE* colours = reinterpret_cast<const BYTE*>(pixels.data());
    return TestIcon(CreateIcon(nullptr, size, size, 1, 32, opaque.data(), colours), DestroyIcon);
}

#include "TestImages.h"
#include <algorithm>
#include <cstring>

COLORREF QuadrantColour(int x, int y, int width, int height) {
    bool right = x >= width / 2, bottom = y >= height / 2;
    return bottom ? (right ? kBottomRight : kBottomLeft) : (right ? kTopRight : kTopLeft);
}

namespace {

void Put16(Bytes& b, unsigned v) {
    b.push_back(v & 0xFF);
    b.push_back((v >> 8) & 0xFF);
}
void Put32(Bytes& b, unsigned v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}
void Put32Big(Bytes& b, unsigned v) {
    for (int shift = 24; shift >= 0; shift -= 8) b.push_back((v >> shift) & 0xFF);
}

unsigned Crc32(const unsigned char* p, size_t n, unsigned crc = 0) {
    crc = ~crc;
    for (size_t i = 0; i < n; ++i) {
        crc ^= p[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

void PngChunk(Bytes& png, const char* type, const Bytes& data) {
    Put32Big(png, static_cast<unsigned>(data.size()));
    Bytes body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    png.insert(png.end(), body.begin(), body.end());
    Put32Big(png, Crc32(body.data(), body.size()));
}

}  // namespace

Bytes MakeBmp(int width, int height) {
    const int stride = (width * 3 + 3) & ~3;
    Bytes b = {'B', 'M'};
    Put32(b, 54 + stride * height);
    Put32(b, 0);
    Put32(b, 54);
    Put32(b, 40);
    Put32(b, width);
    Put32(b, height);
    Put16(b, 1);
    Put16(b, 24);
    for (int i = 0; i < 6; ++i) Put32(b, 0);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            COLORREF c = QuadrantColour(x, y, width, height);
            b.push_back(GetBValue(c));
            b.push_back(GetGValue(c));
            b.push_back(GetRValue(c));
        }
        b.resize(b.size() + stride - width * 3);
    }
    return b;
}

Bytes MakePng(int width, int height) {
    Bytes raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);  // filter: none
        for (int x = 0; x < width; ++x) {
            COLORREF c = QuadrantColour(x, y, width, height);
            raw.push_back(GetRValue(c));
            raw.push_back(GetGValue(c));
            raw.push_back(GetBValue(c));
        }
    }
    Bytes z = {0x78, 0x01};
    for (size_t at = 0; at < raw.size();) {
        size_t n = std::min<size_t>(65535, raw.size() - at);
        z.push_back(at + n == raw.size() ? 1 : 0);
        Put16(z, static_cast<unsigned>(n));
        Put16(z, static_cast<unsigned>(~n & 0xFFFF));
        z.insert(z.end(), raw.begin() + at, raw.begin() + at + n);
        at += n;
    }
    unsigned a = 1, b = 0;
    for (unsigned char c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    Put32Big(z, (b << 16) | a);
    Bytes header;
    Put32Big(header, width);
    Put32Big(header, height);
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB
    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PngChunk(png, "IHDR", header);
    PngChunk(png, "IDAT", z);
    PngChunk(png, "IEND", {});
    return png;
}

Bytes MakeTiff(int width, int height) {
    const unsigned entries = 10, ifd = 8, bitsAt = ifd + 2 + entries * 12 + 4, pixelsAt = bitsAt + 6;
    const unsigned size = width * height * 3;
    Bytes t = {'I', 'I', 42, 0};
    Put32(t, ifd);
    Put16(t, entries);
    auto entry = [&](unsigned tag, unsigned type, unsigned count, unsigned value) {
        Put16(t, tag);
        Put16(t, type);
        Put32(t, count);
        if (type == 3 && count == 1) {
            Put16(t, value);
            Put16(t, 0);
        } else {
            Put32(t, value);
        }
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
    Put32(t, 0);
    Put16(t, 8);
    Put16(t, 8);
    Put16(t, 8);
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
    Bytes b;
    Put16(b, 0);
    Put16(b, 1);
    Put16(b, 1);
    b.push_back(size >= 256 ? 0 : size);
    b.push_back(size >= 256 ? 0 : size);
    b.push_back(0);
    b.push_back(0);
    Put16(b, 1);
    Put16(b, 32);
    Put32(b, image);
    Put32(b, 22);
    Put32(b, 40);
    Put32(b, size);
    Put32(b, size * 2);
    Put16(b, 1);
    Put16(b, 32);
    Put32(b, 0);
    Put32(b, pixels + mask);
    for (int i = 0; i < 4; ++i) Put32(b, 0);
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
    DWORD written = 0;
    if (file != INVALID_HANDLE_VALUE) {
        WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
        CloseHandle(file);
    }
}

CTempFile::~CTempFile() { DeleteFileA(m_path.c_str()); }

CTestIcon::CTestIcon(int size, COLORREF colour) {
    CWindowDC screen;
    Bitmap colourBits(CreateCompatibleBitmap(screen, size, size));
    Bitmap mask(CreateBitmap(size, size, 1, 1, nullptr));
    {
        COwnedDC dc(CreateCompatibleDC(screen));
        CSelectObject select(dc, colourBits.Get());
        Brush brush(CreateSolidBrush(colour));
        RECT all = {0, 0, size, size};
        FillRect(dc, &all, brush.Get());
    }
    {
        COwnedDC dc(CreateCompatibleDC(screen));
        CSelectObject select(dc, mask.Get());
        PatBlt(dc, 0, 0, size, size, BLACKNESS);  // all opaque
    }
    ICONINFO info = {TRUE, 0, 0, mask.Get(), colourBits.Get()};
    m_icon = CreateIconIndirect(&info);
}

CTestIcon::~CTestIcon() {
    if (m_icon) DestroyIcon(m_icon);
}

SIZE IconSize(HICON icon) {
    ICONINFO info = {};
    if (!icon || !GetIconInfo(icon, &info)) return SIZE{0, 0};
    Bitmap colour(info.hbmColor), mask(info.hbmMask);
    BITMAP bm = {};
    GetObjectA(colour ? colour.Get() : mask.Get(), sizeof bm, &bm);
    return SIZE{bm.bmWidth, colour ? bm.bmHeight : bm.bmHeight / 2};
}

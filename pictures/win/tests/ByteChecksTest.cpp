#include "CIconList.h"
#include "ImageListCheck.h"
#include "PictureBytesCheck.h"
#include "TestImages.h"
#include <gtest/gtest.h>

namespace {

// `bytes` with the 32-bit little-endian value at `at` replaced.
Bytes Patched(Bytes bytes, size_t at, uint32_t value) {
    for (size_t i = 0; i < 4 && at + i < bytes.size(); ++i) bytes.at(at + i) = (value >> (8 * i)) & 0xFF;
    return bytes;
}
Bytes Cut(Bytes bytes, size_t by) { return Bytes(bytes.begin(), bytes.end() - by); }

TEST(PictureBytesCheck, PartsThatDoNotFitAreDamage) {
    const Bytes bmp = MakeBmp(13, 7), ico = MakeIco(16, RGB(1, 2, 3)), tiff = MakeTiff(13, 7);
    const Bytes unsized = Patched(bmp, 2, 0);  // no declared size: the header's height decides
    Bytes oddBits = ico;
    oddBits[22 + 14] = 7;
    const struct {
        const char* what;
        Bytes bytes;
        bool damaged;
    } cases[] = {
        {"bmp", bmp, false},
        {"tiff", tiff, false},
        {"ico", ico, false},
        {"bmp cut", Cut(bmp, 1), true},
        {"bmp taller", Patched(unsized, 22, 8), true},
        {"bmp top-down", Patched(unsized, 22, static_cast<uint32_t>(-7)), false},
        {"ico entries", Patched(ico, 4, 200), true},
        {"ico far image", Patched(ico, 6 + 12, 5000), true},
        {"ico wide image", Patched(ico, 22 + 4, 64), true},  // 64 pixels wide does not fit 1128 bytes
        {"ico bits", oddBits, true},
        {"tiff far directory", Patched(tiff, 4, 100000), true},
        {"tiff loop", Patched(tiff, 8 + 2 + 10 * 12, 8), true},  // the next directory is this one again
        {"tiff strip", Patched(tiff, 8 + 2 + 8 * 12 + 8, 13 * 7 * 3 + 1), true},  // past the rows
        {"tiff cut", Cut(tiff, 10), true},
    };
    for (const auto& c : cases) EXPECT_EQ(DamagedPictureBytes(c.bytes), c.damaged) << c.what;
}

TEST(ImageListCheck, HeadersAndBitmapsMustHoldTheImages) {
    CIconList list;
    for (int i = 0; i < 5; ++i) list.AddIcon(MakeIcon(16, RGB(i, 0, 0)).get());
    ComPtr<IStream> stream = NewMemoryStream();
    ASSERT_TRUE(list.Write(stream.Get()));
    Bytes written;
    ASSERT_TRUE(StreamContents(stream.Get(), written));
    Bytes moreImages = written, bigCapacity, wideIcons = written, notIL = written;
    moreImages[4] = 0xFF;  // count above capacity
    bigCapacity = moreImages;
    bigCapacity[6] = bigCapacity[7] = 0xFF;  // count within capacity, but past the bitmap's rows
    wideIcons[10] = 0;
    wideIcons[11] = 2;  // cx 512
    notIL[0] = 'X';
    const struct {
        const char* what;
        Bytes bytes;
        bool plausible;
    } cases[] = {
        {"written", written, true},
        {"cut", Cut(written, 1), false},
        {"more images", moreImages, false},
        {"big capacity", bigCapacity, false},
        {"wide icons", wideIcons, false},
        {"top-down bitmap", Patched(written, 28 + 14 + 8, static_cast<uint32_t>(-64)), false},
        {"not IL", notIL, false},
    };
    for (const auto& c : cases) EXPECT_EQ(PlausibleImageList(c.bytes.data(), c.bytes.size()), c.plausible) << c.what;
}

}  // namespace

#include "CIconList.h"
#include "ImageListCheck.h"
#include "PictureBytesCheck.h"
#include "TestImages.h"
#include <gtest/gtest.h>

namespace {

void Put32(Bytes& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = (v >> (8 * i)) & 0xFF;
}

TEST(PictureBytesCheck, WholePicturesPass) {
    EXPECT_FALSE(DamagedPictureBytes(MakeBmp(13, 7)));
    EXPECT_FALSE(DamagedPictureBytes(MakeTiff(13, 7)));
    EXPECT_FALSE(DamagedPictureBytes(MakeIco(16, RGB(1, 2, 3))));
    EXPECT_FALSE(DamagedPictureBytes(MakeIco(32, RGB(1, 2, 3))));
    EXPECT_FALSE(DamagedPictureBytes(MakePng(13, 7)));  // left to its loader
}

TEST(PictureBytesCheck, PixelsPastTheEndAreDamage) {
    Bytes bmp = MakeBmp(13, 7);
    bmp.pop_back();
    EXPECT_TRUE(DamagedPictureBytes(bmp));
    Bytes taller = MakeBmp(13, 7);
    Put32(taller, 2, 0);   // no declared size: the header's height decides
    Put32(taller, 22, 8);
    EXPECT_TRUE(DamagedPictureBytes(taller));
    Put32(taller, 22, static_cast<uint32_t>(-7));  // top-down, same rows
    EXPECT_FALSE(DamagedPictureBytes(taller));
}

TEST(PictureBytesCheck, IconDirectoriesAndImagesMustFit) {
    Bytes ico = MakeIco(16, RGB(1, 2, 3));
    Bytes manyEntries = ico;
    manyEntries[4] = 200;
    EXPECT_TRUE(DamagedPictureBytes(manyEntries));
    Bytes farImage = ico;
    Put32(farImage, 6 + 12, 5000);
    EXPECT_TRUE(DamagedPictureBytes(farImage));
    Bytes wideImage = ico;
    Put32(wideImage, 22 + 4, 64);  // 64 pixels wide does not fit 1128 bytes
    EXPECT_TRUE(DamagedPictureBytes(wideImage));
    Bytes oddBits = ico;
    oddBits[22 + 14] = 7;
    EXPECT_TRUE(DamagedPictureBytes(oddBits));
}

TEST(PictureBytesCheck, TiffStripsAndDirectoriesMustFit) {
    Bytes tiff = MakeTiff(13, 7);
    Bytes farDirectory = tiff;
    Put32(farDirectory, 4, 100000);
    EXPECT_TRUE(DamagedPictureBytes(farDirectory));
    Bytes loop = tiff;
    Put32(loop, 8 + 2 + 10 * 12, 8);  // the next directory is this one again
    EXPECT_TRUE(DamagedPictureBytes(loop));
    Bytes bigStrip = tiff;
    Put32(bigStrip, 8 + 2 + 8 * 12 + 8, 13 * 7 * 3 + 1);  // StripByteCounts past the rows
    EXPECT_TRUE(DamagedPictureBytes(bigStrip));
    Bytes cut = tiff;
    cut.resize(cut.size() - 10);
    EXPECT_TRUE(DamagedPictureBytes(cut));
}

class ImageListCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        CIconList list;
        for (int i = 0; i < 5; ++i) {
            CTestIcon icon(16, RGB(i, 0, 0));
            list.AddIcon(icon.Get());
        }
        ComPtr<IStream> stream = NewMemoryStream();
        ASSERT_TRUE(list.Write(stream.Get()));
        ASSERT_TRUE(StreamContents(stream.Get(), written));
    }
    bool Plausible(const Bytes& b) { return PlausibleImageList(b.data(), b.size()); }
    Bytes written;
};

TEST_F(ImageListCheckTest, WhatImageListWriteMakesPasses) { EXPECT_TRUE(Plausible(written)); }

TEST_F(ImageListCheckTest, HeadersAndBitmapsThatCannotHoldTheImagesFail) {
    Bytes cut(written.begin(), written.end() - 1);
    EXPECT_FALSE(Plausible(cut));
    Bytes moreImages = written;
    moreImages[4] = 0xFF;  // count above capacity
    EXPECT_FALSE(Plausible(moreImages));
    Bytes bigCapacity = moreImages;
    bigCapacity[6] = bigCapacity[7] = 0xFF;  // count within capacity, but past the bitmap's rows
    EXPECT_FALSE(Plausible(bigCapacity));
    Bytes wideIcons = written;
    wideIcons[10] = 0;
    wideIcons[11] = 2;  // cx 512
    EXPECT_FALSE(Plausible(wideIcons));
    Bytes flipped = written;
    Put32(flipped, 28 + 14 + 8, static_cast<uint32_t>(-64));  // top-down image bitmap
    EXPECT_FALSE(Plausible(flipped));
    Bytes notIL = written;
    notIL[0] = 'X';
    EXPECT_FALSE(Plausible(notIL));
}

}  // namespace

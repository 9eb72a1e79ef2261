// Pictures loaded from files: the bitmap header, colour table and palette at each screen depth.
#include <gtest/gtest.h>

#include "Files.h"
#include "JpegFixtures.h"
#include "TempFolder.h"
#include "cDSSImage.h"

namespace {

class cDSSImageTest : public testing::Test {
protected:
    void SetUp() override {
        std::vector<std::uint8_t> bytes = encodeJpeg(solidPicture(5, 3, 250, 10, 10));
        writeWholeFile(name, std::string(bytes.begin(), bytes.end()));
    }
    TempFolder folder;
    std::string name = folder.file("picture.jpg");
};

TEST_F(cDSSImageTest, HeaderAtEachDepth) {
    struct Case {
        int wanted, bitCount;
        DWORD imageSize, coloursUsed;
        bool palette;
    };
    const Case cases[] = {{24, 24, 16 * 3, 0, false}, {16, 16, 12 * 3, 0, false}, {8, 8, 8 * 3, 256, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.wanted);
        cDSSImage image;
        ASSERT_TRUE(image.load(name, c.wanted));
        const BITMAPINFOHEADER& header = image.info()->bmiHeader;
        EXPECT_EQ(header.biSize, 40u);
        EXPECT_EQ(header.biWidth, 5);
        EXPECT_EQ(header.biHeight, 3) << "positive: bottom-up";
        EXPECT_EQ(header.biPlanes, 1);
        EXPECT_EQ(header.biBitCount, c.bitCount);
        EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
        EXPECT_EQ(header.biSizeImage, c.imageSize);
        EXPECT_EQ(header.biXPelsPerMeter, 0);
        EXPECT_EQ(header.biClrUsed, c.coloursUsed);
        EXPECT_EQ(header.biClrImportant, 0u);
        EXPECT_EQ(image.palette() != nullptr, c.palette);
        if (c.palette) {
            PALETTEENTRY entry = {};
            const RGBQUAD& colour = image.info()->bmiColors[0];
            ASSERT_EQ(GetPaletteEntries(image.palette(), 0, 1, &entry), 1u);
            EXPECT_EQ(entry.peRed, colour.rgbRed);
            EXPECT_EQ(entry.peGreen, colour.rgbGreen);
            EXPECT_EQ(entry.peBlue, colour.rgbBlue);
            EXPECT_NEAR(colour.rgbRed, 250, 24);
        }
    }
}

TEST_F(cDSSImageTest, MissingOrBrokenFilesDoNotLoad) {
    cDSSImage image;
    EXPECT_FALSE(image.load(folder.file("missing.jpg"), 24));
    writeWholeFile(name, "");
    EXPECT_FALSE(image.load(name, 24));
    writeWholeFile(name, std::string(500, 'j'));
    EXPECT_FALSE(image.load(name, 24));
    HDC screen = GetDC(nullptr);
    EXPECT_FALSE(image.draw(screen)) << "nothing loaded, nothing drawn";
    ReleaseDC(nullptr, screen);
}

}  // namespace

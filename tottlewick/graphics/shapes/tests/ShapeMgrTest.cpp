// The shape manager end to end: forged banks of every format and byte order read from a PRS file and
// drawn into memory canvases in every mirror mode and through narrowed clips against the reference,
// placement worked out by hand, refused banks, hit tests, overlaps, comparing and masked drawing.
#include <algorithm>
#include <tuple>

#include "ShapeReference.h"
#include "ShapeTestSupport.h"
#include "UpdateTestSupport.h"

namespace {

Rect toRect(const RefRect& r) {
    return Rect{std::int16_t(r.left), std::int16_t(r.top), std::int16_t(r.right), std::int16_t(r.bottom)};
}

// A one-shape bank from rows of characters: '.' is skipped, any other is its own palette index.
ForgeBank handBank(const std::vector<std::string>& rows, std::uint16_t format = 0xC002) {
    ForgeBank bank;
    bank.format = format;
    bank.shapes = {handShape(rows)};
    return bank;
}

struct ShapeMgrTest : ScreenUpdateTest {
    static constexpr int kWidth = 180;
    static constexpr int kHeight = 48;
    // Draws shape i at (x, 24) over a patterned canvas with the whole canvas as the clip and with clips
    // one pixel narrower than the image at its left, its right and its top; the result, the rect out
    // and every pixel must be the reference's.
    void checkDraws(Canvas canvas, ShapeBank bank, const ForgeBank& forged, std::uint16_t i, std::int16_t x,
                    std::uint16_t mode) {
        const RefRect image = refImageRect(forged.shapes[i], x, 24, mode);
        const RefRect clips[] = {{0, 0, kWidth, kHeight},
                                 {image.left + 1, image.top, image.right, image.bottom},
                                 {image.left, image.top, image.right - 1, image.bottom},
                                 {image.left, image.top + 1, image.right, image.bottom}};
        for (const RefRect& clip : clips) {
            SCOPED_TRACE(testing::Message() << "shape " << i << ", mode " << mode << ", x " << x << ", clip "
                                            << rectCsv(toRect(clip)));
            RefCanvas want(kWidth, kHeight, CanvasGetDepth(canvas), 0);
            for (std::size_t p = 0; p < want.pixels.size(); ++p)
                want.pixels[p] = std::uint16_t(p * 2039 % (want.depth == 8 ? 0x100 : 0xFFFF));
            canvasPixels(canvas, &want.pixels);
            const Rect clipRect = toRect(clip);
            CanvasSetClip(canvas, &clipRect);
            Rect out{1, 1, 1, 1};
            const std::int16_t met = ShapeDraw(&out, bank, i, x, 24, mode);
            CanvasSetClip(canvas, nullptr);
            const RefRect cut{std::max({image.left, clip.left, 0}), std::max({image.top, clip.top, 0}),
                              std::min({image.right, clip.right, kWidth}),
                              std::min({image.bottom, clip.bottom, kHeight})};
            const bool inside = cut.left < cut.right && cut.top < cut.bottom;
            EXPECT_EQ(std::to_string(met) + " " + rectCsv(out), inside ? "1 " + rectCsv(toRect(cut)) : "0 0,0,0,0");
            refDraw(want, forged, forged.shapes[i], x, 24, mode, clip);
            const std::vector<std::uint16_t> got = canvasPixels(canvas);
            const auto first = std::mismatch(got.begin(), got.end(), want.pixels.begin()).first;
            EXPECT_EQ(first - got.begin(), got.end() - got.begin()) << "the first pixel that differs";
        }
    }
};

// Memory canvases are made at 8 and 16 bits (15-bit members: the stream tests). Hit tests agree with the
// reference at every point of and around the image.
TEST_F(ShapeMgrTest, ForgedBanksDrawAndHitLikeTheReference) {
    std::vector<ForgeBank> forged;
    std::vector<ByteOrder> orders;
    for (std::uint16_t format : kFormats) forged.insert(forged.end(), 2, forgedBank(format));
    for (int i = 0; i < 4; ++i) orders.insert(orders.end(), {ByteOrder::big, ByteOrder::little});
    openBanks(forged, orders);
    for (int f = 0; f < 4; ++f) {
        const Canvas canvas = memory(kWidth, kHeight, kFormats[f] >= 0xC001 ? kCanvasDepth8 : kCanvasDepth16);
        ASSERT_NE(canvas, 0u);
        PortSet(canvas);
        for (int order = 0; order < 2; ++order) {
            SCOPED_TRACE(testing::Message() << std::hex << kFormats[f] << (order ? " native" : " big-endian"));
            const ShapeBank bank = load(std::uint16_t(1 + 2 * f + order));
            ASSERT_EQ(ShapeBankCount(bank), 4);
            for (std::uint16_t i = 0; i < 4; ++i) {
                for (std::uint16_t mode = 0; mode < 4; ++mode) {
                    for (std::int16_t x : {80, 170}) checkDraws(canvas, bank, forged[2 * f], i, x, mode);
                    if (order) continue;
                    const ForgeShape& shape = forged[2 * f].shapes[i];
                    const RefRect image = refImageRect(shape, 50, 40, mode);
                    int wrong = 0;
                    for (int y = image.top - 1; y <= image.bottom; ++y) {
                        for (int x = image.left - 1; x <= image.right; ++x) {
                            const bool want = refHit(shape, 50, 40, mode, {x, y, x + 1, y + 1});
                            wrong += ShapeHitTest(std::int16_t(x), std::int16_t(y), bank, i, 50, 40, mode) != int(want);
                        }
                    }
                    EXPECT_EQ(wrong, 0) << "points where the hit test and the reference disagree, shape " << i
                                        << ", mode " << mode;
                }
            }
        }
    }
}

// Hot spot (5, 3), frame 20 x 10, image 8 x 5 at (4, 2), placed at (100, 50).
TEST_F(ShapeMgrTest, PlacementFollowsTheMirrorModes) {
    ForgeBank forged = handBank(std::vector<std::string>(5, "########"));
    ForgeShape& s = forged.shapes[0];
    std::tie(s.hotX, s.hotY, s.frameWidth, s.frameHeight, s.imageX, s.imageY) = std::tuple(5, 3, 20, 10, 4, 2);
    openBanks({forged});
    const ShapeBank bank = load(1);
    const std::tuple<std::uint16_t, Rect, Rect> cases[] = {
        {0, {95, 47, 115, 57}, {99, 49, 107, 54}},
        {1, {86, 47, 106, 57}, {94, 49, 102, 54}},   // 100 + 5 - 20 + 1; 100 + 5 - (4 + 8) + 1
        {2, {91, 47, 111, 57}, {99, 49, 107, 54}},   // 100 - 5 + 2 x 4 + 8 - 20: the image stays
        {3, {95, 47, 115, 57}, {103, 49, 111, 54}},  // 95 + (20 - 4 - 8): the frame stays
        {0xFFF0, {95, 47, 115, 57}, {99, 49, 107, 54}},
    };
    for (const auto& [flags, frame, image] : cases) {
        Rect gotFrame{}, gotImage{};
        ShapeGetFrameRect(&gotFrame, bank, 0, 100, 50, flags);
        ShapeGetImageRect(&gotImage, bank, 0, 100, 50, flags);
        EXPECT_EQ(rectCsv(gotFrame) + " " + rectCsv(gotImage), rectCsv(frame) + " " + rectCsv(image)) << flags;
    }
    Rect past{1, 2, 3, 4}, none{1, 2, 3, 4};
    ShapeGetImageRect(&past, bank, 1, 100, 50, 0);
    ShapeGetFrameRect(&none, 0, 0, 100, 50, 0);
    EXPECT_EQ(rectCsv(past) + " " + rectCsv(none), "0,0,0,0 0,0,0,0") << "an index past the last shape; no bank";
}

TEST_F(ShapeMgrTest, LoadRefusesMissingBadlyMarkedAndBrokenBanks) {
    const std::string good = forgeXpk(forgedBank(0xB001), ByteOrder::big);
    std::string badMarker = good;
    badMarker.replace(0, 4, std::string("\x00\x7E\x2A\x84", 4));
    std::string nativePastEnd = forgeXpk(forgedBank(0xC002), ByteOrder::little);
    nativePastEnd[11] = char(0x7F);  // the descriptor table's offset, highest byte
    ASSERT_TRUE(writeResources(folder.file("Shapes.PRS"), {{"XPK", 1, good}, {"XPK", 2, badMarker},
                                                           {"XPK", 3, good.substr(0, good.size() - 2)},
                                                           {"XPK", 4, nativePastEnd}}));
    ASSERT_NE(ResOpenFile("Shapes"), 0u);
    const ShapeBank bank = load(1);
    ASSERT_NE(bank, 0u);
    EXPECT_EQ(ResGetResident(bank), 1);
    EXPECT_EQ(load(1), bank) << "a second load shares the converted bank";
    EXPECT_EQ(ShapeBankCount(bank), 4);
    for (std::uint16_t id : {2, 3, 4, 9}) {
        EXPECT_EQ(load(id), 0u) << id;
        EXPECT_EQ(ResIsLoaded(resType("XPK"), id), 0) << "nothing stays loaded";
    }
    EXPECT_EQ(ShapeBankCount(0), 0);
    ShapeBank freed = ShapeBankLoad(1);
    ShapeBankFree(&freed);
    EXPECT_EQ(freed, 0u);
}

TEST_F(ShapeMgrTest, DrawReportsWhatMetTheClipWhateverItCouldDraw) {
    ForgeBank eight = handBank({"##", "##"});
    const ForgeBank sixteen = handBank({"##", "##"}, 0xB001);
    eight.shapes.push_back(ForgeShape{});
    eight.shapes[1].width = eight.shapes[1].height = 3;
    openBanks({eight, sixteen});
    const ShapeBank bank8 = load(1), bank16 = load(2);
    const std::vector<std::uint16_t> sevens(100, 7);
    const Canvas canvas8 = memory(10, 10, kCanvasDepth8), canvas16 = memory(10, 10, kCanvasDepth16);
    canvasPixels(canvas8, &sevens);
    canvasPixels(canvas16, &sevens);
    const std::tuple<const char*, Canvas, ShapeBank, std::uint16_t, std::int16_t, std::int16_t, Rect> cases[] = {
        {"an 8-bit shape on a 16-bit canvas", canvas16, bank8, 0, 9, 1, {9, 0, 10, 2}},
        {"a 16-bit shape on an 8-bit canvas", canvas8, bank16, 0, 5, 1, {5, 0, 7, 2}},
        {"a shape without pixel data", canvas8, bank8, 1, 2, 1, {2, 0, 5, 3}},
        {"outside the canvas", canvas8, bank8, 0, 10, 0, {0, 0, 0, 0}},
        {"no port", 0, bank8, 0, 2, 0, {0, 0, 0, 0}},
    };
    for (const auto& [name, canvas, bank, index, x, result, rect] : cases) {
        SCOPED_TRACE(name);
        PortSet(canvas);
        Rect out{1, 1, 1, 1};
        EXPECT_EQ(ShapeDraw(&out, bank, index, x, 0, 0), result);
        EXPECT_EQ(rectCsv(out), rectCsv(rect));
        EXPECT_TRUE(canvasPixels(canvas8) == sevens && canvasPixels(canvas16) == sevens) << "nothing drawn";
    }
}

TEST_F(ShapeMgrTest, OverlapNeedsAPixelOfEachInsideTheIntersection) {
    openBanks({handBank({"#..#"}), handBank({"#"}), handBank({"#.", ".."}), handBank({"..", ".#"})});
    const ShapeBank bar = load(1), dot = load(2), topLeft = load(3), bottomRight = load(4);
    EXPECT_EQ(ShapesOverlap(bar, 0, 10, 10, 0, dot, 0, 11, 10, 0), 0) << "over a skipped pixel";
    EXPECT_EQ(ShapesOverlap(bar, 0, 10, 10, 0, dot, 0, 13, 10, 0), 1);
    EXPECT_EQ(ShapesOverlap(bar, 0, 10, 10, 1, dot, 0, 9, 10, 0), 0) << "mirrored, the pixels sit at 7 and 10";
    EXPECT_EQ(ShapesOverlap(bar, 0, 10, 10, 1, dot, 0, 7, 10, 0), 1);
    EXPECT_EQ(ShapesOverlap(bar, 0, 10, 10, 0, dot, 0, 14, 10, 0), 0) << "the image rectangles do not meet";
    EXPECT_EQ(ShapesOverlap(topLeft, 0, 0, 0, 0, bottomRight, 0, 0, 0, 0), 1) << "the pixels need not coincide";
    EXPECT_EQ(ShapesOverlap(topLeft, 0, 0, 0, 0, bottomRight, 0, 1, 1, 0), 0) << "the intersection holds only (1, 1)";
    EXPECT_EQ((Results{ShapeHitTest(11, 10, bar, 0, 10, 10, 0), ShapeHitTest(13, 10, bar, 0, 10, 10, 0)}),
              (Results{0, 1})) << "a skipped pixel inside the image, then a drawn one";
}

TEST_F(ShapeMgrTest, CompareCountsTheShapeAgainstACanvas) {
    openBanks({handBank({"ab.c", "dd.."}), handBank({"ab.c", "dd.."}, 0xC001)});
    const ShapeBank bank = load(1);
    Canvas canvas = memory(8, 4, kCanvasDepth8);
    const std::vector<std::uint16_t> dots(32, '.');
    canvasPixels(canvas, &dots);
    PortSet(canvas);
    ASSERT_EQ(ShapeDraw(nullptr, bank, 0, 2, 1, 0), 1);
    const std::tuple<const char*, std::int16_t, std::uint16_t, std::uint32_t, std::uint32_t> cases[] = {
        {"where it was drawn", 2, 0, 5, 0},
        {"one column to the right: only d over d", 3, 0, 1, 4},
        {"mode 3 keeps this image in place and compares unmirrored", 2, 3, 5, 0},
        {"pixels off the canvas never match", 6, 0, 0, 5},
    };
    for (const auto& [name, x, flags, matches, mismatches] : cases) {
        std::uint32_t got[2] = {77, 77};
        EXPECT_EQ((Results{ShapeCompare(nullptr, bank, 0, x, 1, flags, canvas, &got[0], &got[1]), got[0], got[1]}),
                  (Results{1, matches, mismatches})) << name;
    }
    std::uint32_t counts[2] = {77, 77};
    Rect out{1, 1, 1, 1};
    EXPECT_EQ((Results{ShapeCompare(&out, bank, 0, 20, 1, 0, canvas, &counts[0], &counts[1]),
                       ShapeCompare(&out, load(2), 0, 2, 1, 0, canvas, &counts[0], &counts[1]), counts[0], counts[1]}),
              (Results{0, 1, 77, 77})) << "a miss; another format; neither writes the counters";
    EXPECT_EQ(rectCsv(out), "2,1,6,3");
}

// Mode 1 with the hot spot at 0 places the 4 x 2 image at x 3 (6 - 4 + 1); the clip leaves out its first
// column, so mask (0, 0) pairs with (4, 1). The pixels stay unmirrored.
TEST_F(ShapeMgrTest, MaskedDrawPairsTheMaskWithTheDrawnPart) {
    openBanks({handBank({"abcd", "efgh"})});
    const Canvas canvas = memory(8, 4, kCanvasDepth8), mask = memory(4, 4, kCanvasDepth8);
    const std::vector<std::uint16_t> dots(32, '.');
    std::vector<std::uint16_t> maskPixels(16, 0);
    maskPixels[0] = maskPixels[2] = maskPixels[5] = 1;  // (0, 0), (2, 0) and (1, 1)
    canvasPixels(canvas, &dots);
    canvasPixels(mask, &maskPixels);
    PortSet(canvas);
    const Rect clip{4, 0, 8, 4};
    CanvasSetClip(canvas, &clip);
    Rect out{};
    EXPECT_EQ(ShapeDrawMasked(&out, load(1), 0, 6, 1, 1, mask), 1);
    EXPECT_EQ(rectCsv(out), "4,1,7,3");
    const std::vector<std::uint16_t> got = canvasPixels(canvas);
    EXPECT_EQ(std::string(got.begin(), got.end()), "........" "....b.d." ".....g.." "........");
}

}  // namespace

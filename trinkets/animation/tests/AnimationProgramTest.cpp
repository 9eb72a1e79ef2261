// End to end: a script plays an "RAnimation" from a resource module under Wine; debug.txt and the screen are checked.
#include "AseqWriter.h"
#include "NeModuleWriter.h"
#include "ProgramRun.h"
#include "WaveWriter.h"

namespace {

constexpr std::uint8_t kFirst = 40;
constexpr std::uint8_t kSecond = 60;

// Frame 0 is 2 x 2 of the first colour; frame 1 is 3 x 2, 5 pixels right: (first, skip, first) over three
// of the second. The list: hold, the cue of sound 5, frame 0, frame 1, loop, end; 20 frames a second.
std::string animation() {
    const AseqPicture p{20, {}, 0, {{{0, 0, -4, 0}, {0, 0, -101, 5}, {0, 0, 0, 0}, {5, 0, 1, 0}, {0, 0, -2, 0}, {0, 0, -1, 0}}},
                        {{2, 2, {kFirst, kFirst, kFirst, kFirst}, {}}, {3, 2, {kFirst, 0, kFirst, kSecond, kSecond, kSecond}, {}}}};
    return writeAseq(p, ByteOrder::big);
}

const std::vector<std::string> kMain{
    "a=RAnimation 100 50 12", "set a frameNotification 1", "set a frameNotify +shown", "set a paused +ended",
    "set a repeatCount 2", "get a width w", "say width w", "play a", "wait",
    "procedure +shown", "[", " get a frame f", " get a x left", " say frame f at left", "]",
    "procedure +ended", "[", " say paused", " quit", "]"};

struct AnimationProgramTest : ::testing::Test {
    // On an 8-bit display the screen shows the nearest of the 20 static colours, so the palette gives the
    // two colours static values there (dark red, teal); a deep display shows any colour exactly.
    void SetUp() override {
        HDC screen = GetDC(nullptr);
        deep = GetDeviceCaps(screen, BITSPIXEL) > 8;
        ReleaseDC(nullptr, screen);
        first = deep ? 0x123456 : 0x800000;
        second = deep ? 0xA1B2C3 : 0x008080;
    }
    // Runs QAnimations with the arguments. Frame 1 then stands at (105, 50) with its skipped pixel showing
    // the white background; frame 0 at (100, 50) is gone. The screen is 460 rows of 640 pixels of blue,
    // green, red; rows 50 to 52 from x 100 to 108 are drawn as '.' white, 'F' the first and 'S' the second colour.
    void expectLastFrame(const std::string& arguments) {
        TempFolder folder;
        std::vector<std::uint32_t> colors(256, 0);
        colors[kFirst] = first;
        colors[kSecond] = second;
        NeModule module;
        module.types.push_back({0, "ASEQ", {{12, animation()}}});
        module.types.push_back({0, "RRGB", {{1, writeRrgb(colors, 0x77)}}});
        module.types.push_back({0, "WAVE", {{5, writeWave({11025, 1, 8, std::string(551, '\x80'), {}, {}, {}})}}});  // 50 ms
        writeWholeFile(folder.file("anims.dll"), writeNeModule(module).bytes);
        writeScript(folder, "main.mps", kMain);
        const ChildResult result = runProgram("QAnimations.exe", folder, arguments);
        EXPECT_EQ(std::make_pair(true, 0ul), std::make_pair(result.started, result.exitCode)) << result.output;
        EXPECT_EQ(lines({"width 2", "frame 1 at 100", "frame 2 at 105", "frame 1 at 100", "frame 2 at 105", "paused"}),
                  readWholeFile(folder.file("debug.txt")));
        const std::string screen = readWholeFile(folder.file("window.bgr"));
        ASSERT_EQ(screen.size(), 640u * 460 * 3);
        std::string shown;
        for (std::int32_t y = 50; y < 53; ++y, shown += ' ') {
            for (std::int32_t x = 100; x < 109; ++x) {
                const auto* p = reinterpret_cast<const std::uint8_t*>(screen.data()) + (y * 640 + x) * 3;
                const auto c = static_cast<std::uint32_t>(p[2] << 16 | p[1] << 8 | p[0]);
                shown += c == first ? 'F' : c == second ? 'S' : c == 0xFFFFFF ? '.' : '?';
            }
        }
        EXPECT_EQ(shown, ".....F.F. .....SSS. ......... ");
    }
    bool deep = false;
    std::uint32_t first = 0;
    std::uint32_t second = 0;
};

TEST_F(AnimationProgramTest, AScriptAnimationNotifiesEveryFrameAndTheScreenShowsItsLastFrame) { expectLastFrame(""); }

// On a deep display the frames go through the shared palette onto colour-keyed canvases.
TEST_F(AnimationProgramTest, ThroughDirectDrawSurfacesADeepDisplayShowsTheSameFrame) {
    ASSERT_TRUE(deep) << "the deep drawing path needs a true-colour world";
    expectLastFrame("-directdraw");
}

}  // namespace

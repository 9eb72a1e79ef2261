// The SMF player on the sound test bench: a film opened from an 'SMF' resource through raw access, served
// on the scripted clock, its frames drawn into memory canvases, its sound heard on the virtual device, and
// damaged films refused or played clipped.
#include <numeric>

#include "Canvas.h"
#include "SndChannel.h"
#include "Palette.h"
#include "Port.h"
#include "SmfPlayer.h"
#include "SmfWriter.h"
#include "SndTestSupport.h"
#include "Update.h"

namespace {

using sndtest::SndTest;

constexpr int kW = 64, kH = 48;
constexpr std::uint32_t kBlock = 2205;  // 100 ms at 22050 Hz

// Picture k: even ones full (vlz8), odd ones sparse with 0 where the picture below shows through (vlx8).
std::string picture(int k) {
    std::string p(kW * kH, '\0');
    for (int i = 0; i < kW * kH; ++i)
        if (k % 2 == 0 || (i + k) % 4 == 0) p[i] = char(1 + (i * 7 + k * 13) % 250);
    return p;
}

std::string shown(int k) {
    std::string p = picture(k);
    if (k % 2 == 0) return p;
    const std::string below = shown(k - 1);
    for (int i = 0; i < kW * kH; ++i)
        if (!p[i]) p[i] = below[i];
    return p;
}

std::vector<std::int16_t> source() { return sndtest::ramp(20 * kBlock); }

// Two seconds: a picture every 100 ms and a 100 ms a16m block beside each.
std::string twoSecondFilm() {
    SmfFilmHeader h;
    h.width = kW, h.height = kH, h.sampleSize = 16, h.channels = 1, h.rate = 22050, h.blockLength = kBlock;
    h.duration = 2000;
    std::vector<SmfPicture> pictures;
    std::vector<SmfSound> sounds;
    const std::vector<std::int16_t> written = source();
    for (int k = 0; k < 20; ++k) {
        pictures.push_back({std::uint32_t(100 * k), smfTag(k % 2 ? "vlx8" : "vlz8"), 0, 0, kW, kH,
                            smfLzssGreedy(picture(k))});
        const std::vector<std::uint16_t> block(written.begin() + k * kBlock, written.begin() + (k + 1) * kBlock);
        sounds.push_back({std::uint32_t(100 * k), smfTag("a16m"), kBlock, smfBigEndian16(block)});
    }
    return smfFilm(h, pictures, sounds, true);
}

struct SmfPlayerTest : SndTest {
    void SetUp() override {
        SndTest::SetUp();
        ASSERT_EQ(PalMgrInit(), 1);
        const Rect screen{0, 0, 640, 480};
        list = UpdateListCreate(kUpdateCapacity, &screen);
        UpdateSetCurrent(list);
    }
    void TearDown() override {
        SmfClose(&player);
        PortSet(0);
        for (Canvas& c : canvases) CanvasDispose(&c);
        UpdateSetCurrent(0);
        MemHandleFree(&list);
        SmfSetChannelMask(0xFFFF);
        for (ResRawRef raw : raws) ResCloseRaw(raw);
        PalMgrTerm();
        SndTest::TearDown();
    }
    // Opens the film as 'SMF' 700 of a resource file, through raw access.
    SmfPlayer openFilm(const std::string& film, std::uint16_t id = 700) {
        open({{"SMF", id, film}}, "Film" + std::to_string(id));
        FileRef file = 0;
        std::uint32_t offset = 0, size = 0;
        raws.push_back(ResOpenRaw(resType("SMF"), id, &file, &offset, &size));
        return SmfOpen(file, offset);
    }
    Canvas canvas(int w, int h, std::uint16_t depth = kCanvasDepth8) {
        Canvas c = 0;
        CanvasCreate(&c, std::uintptr_t(w) | std::uintptr_t(h) << 16, kCanvasMemory | depth);
        canvases.push_back(c);
        return c;
    }
    // The canvas's 8-bit pixels, rows top-down.
    static std::string pixels(Canvas c) {
        void* base = nullptr;
        std::int32_t step = 0;
        std::uint16_t depth = 0;
        Rect area;
        std::string out;
        if (!CanvasLockPixels(c, &base, &step, &depth, &area)) return out;
        for (int y = 0; y < area.bottom; ++y) out.append(static_cast<const char*>(base) + y * step, area.right);
        CanvasUnlockPixels(c);
        return out;
    }
    std::string drawn(const Rect* clip = nullptr) {
        Canvas c = canvas(kW, kH);
        PortSet(c);
        SmfDrawFrame(player, clip);
        return pixels(c);
    }
    // Moves the clock on in 10 ms steps, serving the player and the sound at each.
    void play(std::uint32_t ms) {
        for (std::uint32_t t = 0; t < ms; t += 10) {
            advance(10);
            SmfService(player);
            SndService();
        }
    }
    SmfPlayer player = 0;
    UpdateList list = 0;
    std::vector<Canvas> canvases;
    std::vector<ResRawRef> raws;
};

TEST_F(SmfPlayerTest, PlaysPicturesAndSoundOnTime) {
    player = openFilm(twoSecondFilm());
    ASSERT_NE(player, 0u);
    EXPECT_EQ((std::vector<int>{SmfGetWidth(player), SmfGetHeight(player), SmfGetDepth(player),
                                SmfGetSampleSize(player), SmfGetChannels(player), SmfGetRate(player),
                                int(SmfGetDuration(player)), SmfGetChannel(player)}),
              (std::vector<int>{kW, kH, 8, 16, 1, 22050, 2000, 7}));
    SmfService(player);  // before the start, as the Intro does
    EXPECT_EQ(drawn(), shown(0));
    SmfStart(player);
    play(150);
    EXPECT_EQ(SmfGetTime(player), 150u);
    EXPECT_EQ(drawn(), shown(1));
    // A stop holds the clock; the start resumes where it stood and runs no command again.
    play(400);
    const std::vector<std::int16_t> written = source();
    EXPECT_EQ(heardDifference({written.begin(), written.begin() + 3 * kBlock}), -1) << "blocks 0 to 2";
    SmfStop(player);
    EXPECT_EQ(SmfIsRunning(player), 0);
    advance(300);
    SmfService(player);
    EXPECT_EQ(SmfGetTime(player), 550u);
    SmfStart(player);
    play(500);
    EXPECT_EQ(SmfGetTime(player), 1050u);
    EXPECT_EQ(drawn(), shown(10));
    // Served late: the older block is waited for while it sounds, and the wait is not film time.
    advance(300);
    const std::uint32_t before = now(), elapsedBefore = SmfGetTime(player);
    SmfService(player);
    EXPECT_GT(now(), before) << "no wait happened";
    EXPECT_EQ(SmfGetTime(player), elapsedBefore);
    for (int i = 0; i < 200 && SmfGetTime(player) < 2000; ++i) play(10);
    EXPECT_EQ(SmfIsDone(player), 0) << "the last block still sounds";
    for (int i = 0; i < 200 && !SmfIsDone(player); ++i) play(10);
    EXPECT_EQ(SmfIsDone(player), 1);
    SmfService(player);
    EXPECT_EQ(SmfIsRunning(player), 0);
    EXPECT_EQ(SmfIsDone(0), 1);
}

// A film of frames only, with the operands given.
std::string framesFilm(const std::vector<std::vector<std::int64_t>>& frames, std::uint16_t depth = 8) {
    SmfWriter w(false);
    w.header.width = 64, w.header.height = 48, w.header.depth = depth, w.header.duration = 100;
    w.header.clockStart = 5;  // the first command is due at 5 ms
    w.header.capacity[0] = 64 * 48;
    w.load(0, 0, std::string(64 * 48, '\x21'));
    for (const auto& f : frames) w.frame(std::uint16_t(f[0]), 0, f[1], f[2], f[3], f[4]);
    return w.bytes();
}

TEST_F(SmfPlayerTest, RectangleUpdatesAndDrawing) {
    player = openFilm(framesFilm({{0, smfTag("vrw8"), smfPack(8, 4), smfPack(16, 8), -1},
                                  {10, -1, smfPack(20, 30), -1, -1},
                                  {10, -1, -1, smfPack(40, 40), -1},
                                  {10, smfTag("vrw8"), 0, smfPack(64, 48), -1}}));
    ASSERT_NE(player, 0u);
    SmfSetPosition(player, {100, 50});
    SmfStart(player);
    SmfService(player);
    EXPECT_EQ(UpdateGetRects(nullptr), 0) << "before the clock start";
    advance(5);
    SmfService(player);
    Rect r;
    ASSERT_EQ(UpdateGetRects(&r), 1);
    EXPECT_EQ((std::vector<int>{r.left, r.top, r.right, r.bottom}), (std::vector<int>{108, 54, 124, 62}));
    advance(10);
    SmfService(player);
    SmfGetRect(player, &r);
    EXPECT_EQ((std::vector<int>{r.left, r.top, r.right, r.bottom}), (std::vector<int>{120, 80, 136, 88})) << "moved";
    advance(10);
    SmfService(player);
    SmfGetRect(player, &r);
    EXPECT_EQ((std::vector<int>{r.left, r.top, r.right, r.bottom}), (std::vector<int>{120, 80, 160, 120})) << "resized";
    // Drawn near the corner of a 640 x 480 port, only what the port holds changes; a 16-bit port gets nothing.
    advance(10);
    SmfService(player);
    SmfSetPosition(player, {600, 440});
    Canvas big = canvas(640, 480), deep = canvas(64, 48, kCanvasDepth16);
    PortSet(big);
    SmfDrawFrame(player, nullptr);
    const std::string all = pixels(big);
    EXPECT_EQ(std::count(all.begin(), all.end(), '\x21'), 40 * 40);
    EXPECT_EQ(all[std::size_t(479) * 640 + 639], '\x21');
    PortSet(deep);
    SmfDrawFrame(player, nullptr);
    void* base = nullptr;
    std::int32_t step = 0;
    std::uint16_t depth = 0;
    ASSERT_EQ(CanvasLockPixels(deep, &base, &step, &depth, &r), 1);
    const auto* row = static_cast<const std::uint8_t*>(base);
    EXPECT_EQ(std::accumulate(row, row + 128, 0), 0);
    CanvasUnlockPixels(deep);
    // A port whose bounds pass its pixels gets what its pixels hold.
    const Rect wide{0, 0, 640, 480};
    const Canvas narrow = canvas(kW, kH);
    CanvasSetBounds(narrow, &wide);
    PortSet(narrow);
    SmfSetPosition(player, {40, 30});
    SmfDrawFrame(player, nullptr);
    const std::string held = pixels(narrow);
    EXPECT_EQ(std::count(held.begin(), held.end(), '\x21'), 24 * 18);
    SmfSetPosition(player, {0, 0});
    const Rect clip{1, 1, 3, 3};
    const std::string clipped = drawn(&clip);
    EXPECT_EQ(std::count(clipped.begin(), clipped.end(), '\x21'), 4);
}

TEST_F(SmfPlayerTest, ChannelChoiceAndPausedSound) {
    SmfSetChannelMask(0x0C);
    player = openFilm(twoSecondFilm());
    EXPECT_EQ(SmfGetChannel(player), 3);
    SmfSetChannelMask(0xFFFF);
    SmfService(player);
    SmfStart(player);
    play(250);
    std::vector<std::int16_t> heard = channelOf(takeOutput(), 0);
    // Sound paused (as on deactivation): the film holds its clock from its next service and queues nothing,
    // then goes on in step with its sound.
    SndPauseAll();
    play(500);
    EXPECT_EQ(SmfGetTime(player), 260u);
    const std::vector<std::int16_t> paused = channelOf(takeOutput(), 0);
    SndResumeAll();
    play(600);
    EXPECT_EQ(SmfGetTime(player), 850u);
    for (const auto& part : {paused, channelOf(takeOutput(), 0)}) heard.insert(heard.end(), part.begin(), part.end());
    heard.erase(std::remove(heard.begin(), heard.end(), 0), heard.end());  // the ramp never passes through 0
    const std::vector<std::int16_t> written = source();
    EXPECT_EQ(firstDifference({heard.begin(), heard.begin() + std::min<long>(heard.size(), 7 * kBlock)},
                              {written.begin(), written.begin() + 7 * kBlock}),
              -1);
}

// Blocks of 12-bit samples, which no codec writes, are not played; a player moved to another channel
// while running takes its plays along, so that closing it leaves none behind on the old one.
TEST_F(SmfPlayerTest, FilmSoundStaysWithinItsPlayer) {
    SmfFilmHeader h;
    h.width = kW, h.height = kH, h.sampleSize = 12, h.channels = 1, h.rate = 22050, h.blockLength = kBlock;
    h.duration = 300;
    const std::string block = std::string(kBlock * 2, '\x10');
    player = openFilm(smfFilm(h, {}, {{0, smfTag("a16m"), kBlock, block}, {100, smfTag("a16m"), kBlock, block}}, true));
    SmfStart(player);
    for (int i = 0; i < 30; ++i) {
        play(10);
        EXPECT_EQ(SndChannelIsBusy(SmfGetChannel(player)), 0) << "at " << SmfGetTime(player);
    }
    SmfClose(&player);
    player = openFilm(twoSecondFilm());
    SmfStart(player);
    play(150);
    const std::int16_t first = SmfGetChannel(player);
    SmfSetChannel(player, 2);
    play(10);
    SmfClose(&player);
    EXPECT_EQ(SndChannelIsBusy(first), 0);
    EXPECT_EQ(SndChannelIsBusy(2), 0);
}

TEST_F(SmfPlayerTest, DamagedFilmsAreRefusedOrClipped) {
    const std::string good = twoSecondFilm();
    SmfFilmHeader h;
    h.width = 16, h.height = 8, h.sampleSize = 8, h.channels = 1, h.rate = 11025, h.blockLength = 100, h.duration = 50;
    const auto film = [&](SmfFilmHeader header, const std::vector<std::uint32_t>& table, const std::string& data) {
        SmfWriter w(true);
        w.header = header;
        for (std::uint32_t e : table) w.entry(e);
        w.data(data);
        return w.bytes();
    };
    SmfFilmHeader capacityZero = h, rateZero = h, huge = h;
    capacityZero.capacity[0] = 0;
    rateZero.capacity[0] = 64, rateZero.rate = 0;
    huge.capacity[0] = 0xFFFFFFF0u, huge.width = 0xFFFF, huge.height = 0xFFFF, huge.blockLength = 0x7FFFFFFF;
    std::string longTable = film(h, {}, "");
    longTable.replace(96, 4, std::string("\x00\x40\x00\x00", 4));  // 4M entries in a file of 100 bytes
    h.capacity[0] = 64;
    const std::uint32_t load = smfEntry(0, 0, 0, 1), frame = smfEntry(0, 2, 0, 15), audio = smfEntry(0, 3, 0, 3);
    struct Case {
        const char* what;
        std::string bytes;
        bool opens;
        long pixels;  // non-zero pixels drawn from the frame rectangle at the end
    } cases[] = {
        {"truncated header", good.substr(0, 99), false, 0},
        {"truncated table", good.substr(0, 120), false, 0},
        {"bad marker", "XXXX" + good.substr(4), false, 0},
        {"huge sizes", film(huge, {}, ""), false, 0},
        {"table longer than the file", longTable, false, 0},
        {"operands past the end", film(h, {load, 64, frame, smfTag("vrw8")}, std::string(64, 1)), true, 0},
        {"origin and size outside the frame",
         film(h, {load, 64, frame, smfTag("vrw8"), smfPack(-30000, 30000), smfPack(32767, 32767), 0},
              std::string(64, 1)),
         true, 0},
        {"offset beyond the fill",
         film(h, {load, 64, load, 4, frame, smfTag("vlz8"), 0, smfPack(8, 8), 5}, std::string(64, 1) + "abcd"), true,
         0},
        {"block longer than the buffer", film(h, {load, 64, audio, smfTag("a8um"), 0x7FFFFFFF}, std::string(64, 1)),
         true, 0},
        {"load past the capacity", film(h, {load, 65}, std::string(65, 1)), true, 0},
        {"load past the file's end", film(h, {load, 64}, "short"), true, 0},
        {"capacity-0 track", film(capacityZero, {load, 4, audio, smfTag("alz8"), 50}, "abcd"), true, 0},
        {"rate 0",
         film(rateZero, {load, 4, audio, smfTag("a8um"), 50, frame, smfTag("vrw8"), 0, smfPack(2, 2), 0}, "abcd"), true,
         4},
        {"unknown tags and types",
         film(h, {load, 4, audio, 1234, 50, smfEntry(0, 9, 0, 15), frame, 99, 0, 0, 0}, "abcd"), true, 0},
    };
    std::uint16_t id = 800;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SmfPlayer damaged = openFilm(c.bytes, id++);
        EXPECT_EQ(damaged != 0, c.opens);
        SmfStart(damaged);
        for (int i = 0; i < 30; ++i) {
            advance(10);
            SmfService(damaged);
            SndService();
        }
        EXPECT_EQ(SmfIsDone(damaged), 1) << "no block sounds on";
        std::swap(player, damaged);
        const std::string seen = drawn();
        std::swap(player, damaged);
        EXPECT_EQ(std::count_if(seen.begin(), seen.end(), [](char p) { return p != 0; }), c.pixels);
        SmfClose(&damaged);
        EXPECT_EQ(damaged, 0u);
        ResCloseRaw(raws.back());
        raws.pop_back();
        ResCloseSource(ResGetTopSource());
    }
    std::uint32_t blocks = 0, bytes = 0, largest = 0;
    MemGetPeakStats(&blocks, &bytes, &largest);
    EXPECT_LT(largest, 1u << 20) << "the table is checked against the file before it is allocated";
}

}  // namespace

// The SID player: the envelope and the check of damaged resources on plain bytes, then loads and plays on
// the sound test bench.
#include <gtest/gtest.h>

#include "Sid.h"
#include "SidFormat.h"
#include "SidWriter.h"
#include "SndChannel.h"
#include "SndScale.h"
#include "SndTestSupport.h"

namespace {

// Initial volume 1024; down to 0 over a second, back up to 1024 over the next.
SidResource envelopeExample(std::uint16_t flags = 0) {
    SidResource sid;
    sid.soundId = 7;
    sid.flags = flags;
    sid.points = {{0, 0, 1000}, {1024, 0, 1000}};
    return sid;
}

SidView viewOf(const std::string& bytes) {
    SidView view;
    EXPECT_TRUE(view.open(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), kSidNativeOrder));
    return view;
}

TEST(SidFormatTest, EnvelopeAtTimes) {
    struct Case { std::uint16_t flags; std::uint32_t ms; std::uint16_t volume; };
    const Case cases[] = {{0, 0, 1024},    {0, 500, 512},         {0, 1000, 0},           {0, 1500, 512},
                          {0, 2000, 1024}, {0, 2600, 1024},       {kSidRepeats, 2000, 1024}, {kSidRepeats, 2500, 512},
                          {kSidRepeats, 4000, 1024}, {kSidRepeats, 40'001'000, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "flags " << c.flags << " at " << c.ms);
        const std::string bytes = writeSid(envelopeExample(c.flags), ByteOrder::little);
        EXPECT_EQ(viewOf(bytes).levelAt(c.ms).volume, c.volume);
    }
    SidResource pan;
    pan.points = {{1024, -512, 1000}};
    EXPECT_EQ(viewOf(writeSid(pan, ByteOrder::little)).levelAt(250).pan, -128);
    // Points of no duration are passed; a repeating envelope of no length holds its last point.
    pan.flags = kSidRepeats;
    pan.points = {{300, 0, 0}, {600, 100, 0}};
    EXPECT_EQ(viewOf(writeSid(pan, ByteOrder::little)).levelAt(0).volume, 600);
    EXPECT_EQ(viewOf(writeSid(pan, ByteOrder::little)).levelAt(5000).pan, 100);
}

TEST(SidFormatTest, DamagedResourcesAreRefusedOrClipped) {
    SidResource sid = envelopeExample();
    sid.version = 1;
    sid.values = {5, 6};
    sid.name = "Hum";
    const std::string good = writeSid(sid, ByteOrder::big);
    const std::size_t points = 40 + 8, name = points + 16;
    struct Case { const char* what; std::string bytes; bool opens; };
    std::string countFFFF = good, valuesPast = good, noTable = writeSid(envelopeExample(), ByteOrder::big);
    countFFFF[26] = countFFFF[27] = '\xFF';
    valuesPast[38] = 0x10;
    noTable[3] = static_cast<char>(noTable[3] ^ 1);  // version 1, the marker's XOR kept by the byte beside it
    noTable[0] = static_cast<char>(noTable[0] ^ 1);
    noTable.resize(38);
    const Case cases[] = {{"whole", good, true},
                          {"header cut", good.substr(0, 37), false},
                          {"points cut", good.substr(0, points + 15), false},
                          {"count 0xFFFF", countFFFF, false},
                          {"values past the end", valuesPast, false},
                          {"a version byte without a table", noTable, false},
                          {"name without its end", good.substr(0, name + 3), true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string bytes = c.bytes;
        auto* data = reinterpret_cast<std::uint8_t*>(bytes.data());
        ASSERT_EQ(sidSwap(data, bytes.size()), c.opens);
        SidView view;
        ASSERT_EQ(view.open(data, bytes.size(), kSidNativeOrder), c.opens);
        EXPECT_EQ(std::string(view.name()), c.opens && bytes.size() > name + 3 ? "Hum" : "");
    }
}

struct SidTest : sndtest::SndTest {
    void TearDown() override {
        for (std::uint32_t slot = 0; slot < kSidSlotCount; ++slot) SidCompletion(0, 0, 0, slot);
        for (MemHandle& sid : sids) SidFree(&sid);
        sndtest::SndTest::TearDown();
    }
    MemHandle load(std::uint16_t id) {
        sids.push_back(SidLoad(id));
        return sids.back();
    }
    std::vector<MemHandle> sids;
};

TEST_F(SidTest, PlaysWithTheResourceSettingsAndItsEnvelope) {
    SidResource quiet = envelopeExample();
    quiet.points.clear();
    quiet.volume = 512;
    quiet.pan = 300;
    quiet.channelMask = 0x0F;
    quiet.timeScale = 0x8000;
    ASSERT_NE(open({sndtest::aifResource(7, sndtest::constant(3 * sndtest::kRate, 1000)),
                    {"SID", 1, writeSid(envelopeExample(), ByteOrder::big)},
                    {"SID", 2, writeSid(quiet, ByteOrder::little)}}),
              0u);
    const SidRef quietRef = SidPlay(load(2), kSidOwnPriority, 512, 400);
    ASSERT_NE(quietRef, 0u);
    const std::int16_t channel = SidGetChannel(quietRef);
    EXPECT_EQ(SndChannelGetVolume(channel), 256);
    EXPECT_EQ(SndChannelGetPan(channel), 512);
    EXPECT_LT(channel, 4);
    EXPECT_EQ(SndGetChannelMask(), 0xFFFFu);
    EXPECT_EQ(SndGetScale(), kSndScaleOne);
    EXPECT_EQ(SndGetDoneProc(), sndtest::recordDone);

    const SidRef ref = SidPlayDefault(load(1));
    ASSERT_NE(ref, 0u);
    advance(500);
    SidServiceAll();
    EXPECT_EQ(SndChannelGetVolume(SidGetChannel(ref)), 512);
    EXPECT_EQ(SidGetElapsed(ref), 500u);
    SidSetVolume(ref, 512);
    EXPECT_EQ(SndChannelGetVolume(SidGetChannel(ref)), 256);

    // Stopped, its slot is freed and taken again: the old reference matches nothing.
    EXPECT_EQ(SidStop(quietRef), 0);
    const SidRef again = SidPlay(sids[0], kSidOwnPriority, 700, 0);
    EXPECT_EQ(again & 0xFFFF, quietRef & 0xFFFF);
    EXPECT_NE(again, quietRef);
    EXPECT_EQ(SidGetVolume(quietRef), 1024);
    EXPECT_EQ(SidGetChannel(quietRef), -1);
    EXPECT_EQ(SidStop(quietRef), -1);
    EXPECT_EQ(SidGetVolume(again), 700);

    SidTestHoldFreeSlots(sids[1], 8);
    EXPECT_EQ(SidPlayDefault(sids[0]), 0u);
}

TEST_F(SidTest, AFreedSidPlaysOnAndIsReleasedAtItsEnd) {
    ASSERT_NE(open({sndtest::aifResource(7, sndtest::constant(3 * sndtest::kRate, 1000)),
                    {"SID", 1, writeSid(envelopeExample(), ByteOrder::big)}}),
              0u);
    MemHandle sid = SidLoad(1);
    const MemHandle held = sid;
    const SidRef ref = SidPlayDefault(sid);
    ASSERT_NE(ref, 0u);
    SidFree(&sid);
    advance(500);
    SidServiceAll();
    EXPECT_EQ((Results{sid, SndChannelGetVolume(SidGetChannel(ref))}), (Results{0, 512})) << "the envelope goes on";
    SidStop(ref);
    EXPECT_EQ(MemHandleGetSize(held), 0u) << "released when the play ended";
}

TEST_F(SidTest, EitherByteOrderReadsTheSame) {
    SidResource sid = envelopeExample(kSidRepeats | kSidLooped);
    sid.version = 1;
    sid.priority = -3;
    sid.channelMask = 0x30;
    sid.timeScale = 0x18000;
    sid.name = "Wind";
    sid.values = {0xDEADBEEF, 42};
    ASSERT_NE(open({{"SID", 1, writeSid(sid, ByteOrder::big)}, {"SID", 2, writeSid(sid, ByteOrder::little)}}), 0u);
    for (std::uint16_t id : {1, 2}) {
        SCOPED_TRACE(id);
        const MemHandle handle = load(id);
        ASSERT_NE(handle, 0u);
        char name[kSidNameMax];
        SidGetName(handle, name);
        EXPECT_STREQ(name, "Wind");
        EXPECT_EQ(SidGetFlags(handle), kSidRepeats | kSidLooped);
        EXPECT_EQ(SidGetPriority(handle), -3);
        EXPECT_EQ(SidGetChannelMask(handle), 0x30u);
        EXPECT_EQ(SidGetTimeScale(handle), 0x18000u);
        EXPECT_EQ(SidGetValueCount(handle), 2);
        EXPECT_EQ(SidGetValue(handle, 0), 0xDEADBEEFu);
        EXPECT_EQ(SidGetValue(handle, 2), 0u);
        EXPECT_EQ(SidGetVolumeAt(handle, 2500), 512);
    }
}

}  // namespace

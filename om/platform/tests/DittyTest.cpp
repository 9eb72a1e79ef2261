// The script sound player on the fake device: properties, single sounds counted down, random choices,
// albums, missing resources and the hold flag.
#include <utility>

#include "FreedMemory.h"
#include "NeModuleWriter.h"
#include "OMIStreamDLL16.h"
#include "RDitty.h"
#include "SoundFixture.h"
#include "SoundResourceWriter.h"

namespace {
std::string moduleFile;
}  // namespace

// The program's resource finder: "WAVE" resources of the test's NE module; other tags have none.
OMIStream* findResource(std::uint16_t id, const char* tag) {
    if (std::string(tag) != "WAVE") return nullptr;
    return new OMIStreamDLL16(static_cast<std::int16_t>(id), tag, moduleFile.c_str(), kStreamWhole, nullptr);
}

namespace {
struct DittyTest : SoundFixture {
    void SetUp() override {
        SoundFixture::SetUp();
        for (const char* name : {"a.wav", "b.wav", "c.wav"}) {
            writeWholeFile(folder.file(name), wave(std::string(1500, name[0])));
            paths.push_back(folder.file(name));
        }
        moduleFile = folder.file("sounds.dll");
        const std::string sound = writeSoundResource({1, 11025u << 16, false, std::string(700, 'r'), {}});
        writeWholeFile(moduleFile, writeNeModule(NeModule{4, false, {{0, "WAVE", {{7, sound}}}}}).bytes);
        ditty.reset(static_cast<RDitty*>(createObject("RDitty", "snd.dll")));
        ASSERT_NE(ditty, nullptr);
        const OMLinkToObj<DittyTest> start(this, &DittyTest::started), finished(this, &DittyTest::finished);
        ASSERT_EQ(ditty->bindEvent("start", &start, nullptr), 1);
        ASSERT_EQ(ditty->bindEvent("finished", &finished, nullptr), 1);
    }
    void TearDown() override {
        ditty.reset();
        SoundFixture::TearDown();
    }
    void started() { events += "s"; }
    void finished() { events += "f"; }
    std::string property(const char* name) { return ditty->getProperty(name); }
    void runOut() { playOut(300); }
    std::vector<std::string> paths;
    std::unique_ptr<RDitty> ditty;
    std::string events;
};

TEST_F(DittyTest, PropertiesReadBackAsTheyAreKept) {
    EXPECT_STREQ(RDitty::classRecord.className, "RDitty");
    EXPECT_EQ((std::vector<std::string>{property("resFile"), property("status")}),
              (std::vector<std::string>{"snd.dll", "0"}));
    const struct { const char* name; const char* set; const char* reads; } cases[] = {
        {"volume", "150", "100"}, {"volume", "-1", "100"}, {"volume", "40", "40"}, {"volume", "-7", "0"},
        {"repeat", "2", "3"},     {"status", "1", "0"},    {"resFile", "x.dll", "x.dll"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " = " + c.set);
        EXPECT_EQ((std::pair<int, std::string>{ditty->setProperty(c.name, c.set), property(c.name)}),
                  std::make_pair(1, std::string(c.reads)));
    }
}

// "status" reads 1 until "finished"; a count that cannot count down (0, or below 0 other than -1 for
// ever) plays once and finishes rather than staying busy, also when the sound it reuses played 3 times.
TEST_F(DittyTest, ASingleSoundCountsItsPlaysDownToFinished) {
    const struct { const char* count; const char* events; } cases[] = {
        {"3", "sssf"}, {"0", "sf"}, {"3", "sssf"}, {"-3", "sf"}, {"", "sf"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        events.clear();
        ASSERT_EQ(ditty->invokeMethod("waveSingle", paths[0].c_str(), "100", c.count), 1);
        for (int i = 0; i < 300 && OMWaveOutMixer::active(); ++i) {
            EXPECT_EQ(property("status"), "1");
            OMWaveOutMixer::pump();
            device.complete();
        }
        EXPECT_EQ((std::vector{events, property("status")}), (std::vector<std::string>{c.events, "0"}));
    }
    EXPECT_EQ(written().substr(0, 1500), std::string(1500, 'a'));
}

TEST_F(DittyTest, ARandomChoiceNeverRepeatsTheLastNameUnlessThereIsNoOther) {
    std::string previous;
    for (int i = 0; i < 20; ++i) {
        ASSERT_EQ(ditty->invokeMethod("randomWave", paths[0].c_str(), paths[1].c_str(), paths[2].c_str(), ""), 1);
        EXPECT_EQ(ditty->state, 1);
        EXPECT_NE(ditty->lastName, previous) << "pick " << i;
        previous = ditty->lastName;
        runOut();
    }
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(ditty->invokeMethod("randomWave", paths[2].c_str(), ""), 1);
        EXPECT_EQ(ditty->lastName, paths[2]);
        EXPECT_EQ(ditty->state, 1) << "the one name is played again";
        runOut();
    }
    ASSERT_EQ(ditty->invokeMethod("randomWave", ""), 1);
    EXPECT_EQ(ditty->state, 0);
}

// A 1500-sample file of one letter as the device hears it: two buffers, the second padded with silence.
std::string heard(char letter) { return std::string(1500, letter) + std::string(2 * kDefaultBlockSize - 1500, '\x80'); }

TEST_F(DittyTest, AnAlbumPlaysItsTracksInTurnAndStopEndsIt) {
    ASSERT_EQ(ditty->invokeMethod("waveAlbum", paths[0].c_str(), paths[1].c_str(), paths[2].c_str(), ""), 1);
    EXPECT_EQ(property("status"), "2");
    runOut();
    EXPECT_EQ(std::make_pair(events, written()),
              std::make_pair(std::string("sssf"), heard('a') + heard('b') + heard('c')));
    events.clear();
    device.writes.clear();
    ASSERT_EQ(ditty->invokeMethod("waveAlbum", paths[0].c_str(), paths[1].c_str(), ""), 1);
    OMWaveOutMixer::pump();
    ditty->stop();
    EXPECT_EQ(property("status"), "0");
    runOut();
    EXPECT_EQ(events, "sf") << "stopped: the album ends with its first track";
    EXPECT_EQ(written(), heard('a'));
}

// Called from code (not through a verb, whose events are dropped) the missing resource's "finished" is heard.
// A resource found plays end to end in QUOMB_32's program test.
TEST_F(DittyTest, AMissingResourceFinishesAtOnce) {
    clearParameters();
    rewindParameters();
    for (const auto& [tag, id] : {std::pair{"WAVE", "99"}, {"SND ", "7"}}) {
        events.clear();
        EXPECT_EQ(ditty->playResource(tag, id), 0);
        EXPECT_EQ(events, "f") << tag << id;
        EXPECT_EQ(ditty->state, 0);
    }
}

// A player that destroy() deletes: nothing may touch it after (FreedMemory.h).
struct DoomedDitty {
    DoomedDitty() : player(new RDitty) { player->initClass("RDitty"); }
    ~DoomedDitty() {
        if (!destroyed) delete player;
    }
    // With `again` set, the first call plays the missing resource once more, whose "finished" destroys.
    void destroy() {
        if (std::exchange(again, false)) {
            (void)player->playResource("WAVE", "99");
            return;
        }
        delete player;
        destroyed = true;
    }
    bool untouched() const { return freedUntouched(player); }
    RDitty* player;
    bool again = false;
    bool destroyed = false;
};

// A missing resource's "finished" handler or the completion link that deletes the player: from code, from
// a "finished" handler of the same player, and as the second track of an album.
TEST_F(DittyTest, APlayerDeletedWhileItFinishesIsNotTouchedAgain) {
    for (const std::string by : {"finished", "completion", "nested", "album"}) {
        SCOPED_TRACE(by);
        DoomedDitty doomed;
        doomed.again = by == "nested";
        const OMLinkToObj<DoomedDitty> destroy(&doomed, &DoomedDitty::destroy);
        if (by == "completion") doomed.player->setCompletion(&destroy);
        else ASSERT_EQ(doomed.player->bindEvent("finished", &destroy, nullptr), 1);
        clearParameters();
        rewindParameters();
        if (by == "album") {
            ASSERT_EQ(doomed.player->invokeMethod("resAlbum", "WAVE", "7", "99", ""), 1);
            runOut();
        } else {
            EXPECT_EQ(doomed.player->playResource("WAVE", "99"), 0);
        }
        EXPECT_TRUE(doomed.destroyed && doomed.untouched());
    }
}

// Resetting drops both slots' sounds and the player's state; the repeat setting (remaining plays and the
// slot's play count) is not part of it and reads back as it was.
TEST_F(DittyTest, ResetDropsTheSoundsAndKeepsTheRepeatSetting) {
    ASSERT_EQ(ditty->invokeMethod("waveSingle", paths[0].c_str(), "", "3"), 1);
    ASSERT_EQ(ditty->setProperty("repeat", "4"), 1);
    const std::int32_t playing = ditty->current;
    ditty->setCache(0);
    ditty->reset();
    EXPECT_EQ(std::make_tuple(ditty->state, ditty->current, ditty->mode, ditty->cache, ditty->hold, ditty->lastName),
              std::make_tuple(0, 0, 0, -1, 0, std::string()));
    EXPECT_EQ(std::make_pair(ditty->slots[0].sound == nullptr, ditty->slots[1].sound == nullptr),
              std::make_pair(true, true));
    EXPECT_EQ(std::make_pair(property("repeat"), ditty->slots[playing].playCount), std::make_pair(std::string("5"), 5));
}

TEST_F(DittyTest, HeldSoundsWaitLoadedAndFilesOrDevicesMissingDoNothing) {
    ASSERT_EQ(ditty->invokeMethod("waveSingle", paths[0].c_str(), "", "", "1"), 1);
    EXPECT_EQ(ditty->state, 0);
    ASSERT_NE(ditty->slots[ditty->current].sound, nullptr);
    EXPECT_TRUE(device.writes.empty());
    ASSERT_EQ(ditty->invokeMethod("waveSingle", paths[0].c_str()), 1);
    EXPECT_EQ(ditty->state, 1);
    EXPECT_FALSE(device.writes.empty());
    runOut();
    events.clear();
    ASSERT_EQ(ditty->invokeMethod("waveSingle", folder.file("absent.wav").c_str()), 1);
    EXPECT_EQ(ditty->state, 0);
    OMWaveSound::closeDevice();
    device.refuseOpen = true;
    ASSERT_EQ(ditty->invokeMethod("waveSingle", paths[1].c_str()), 1);
    EXPECT_EQ(std::make_pair(ditty->state, events), std::make_pair(0, std::string()));
}
}  // namespace

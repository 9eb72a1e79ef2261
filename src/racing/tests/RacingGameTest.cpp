// The racing game on a trinket window in this process, on the fake clock and a seeded generator, its
// events answered as the sample title's script answers them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "AnimationFiles.h"
#include "AppCommands.h"
#include "AseqWriter.h"
#include "DescriptorFile.h"
#include "DescriptorWriter.h"
#include "FakeWaveInstalled.h"
#include "NeModuleWriter.h"
#include "OMAnimation.h"
#include "OMSound.h"
#include "PXKFuel.h"
#include "PXKGame.h"
#include "PXKHorn.h"
#include "PXKill.h"
#include "PXKText.h"
#include "TrinketFixture.h"

namespace {

const char* const kEvents[] = {"gameOver", "rewardPrizeTicket", "stateProblem", "reStateProblem", "sayNextProblem",
                               "rightAnswer", "wrongAnswer"};

// Every sound of the game, two seconds long, in the sound module of a title folder that the tests work in.
struct RacingTitle {
    RacingTitle() {
        CreateDirectoryA(folder.file("PRsc").c_str(), nullptr);
        writeWholeFile(folder.file("PLSDescriptor.txt"),
                       writeDescriptor({{"AODLL", {"pictures.dll"}}, {"WaveDLL", {"sounds.dll"}}, {"Scenery", {"900"}}}));
        // The scenery: 16 frames of 4 x 4.
        AseqPicture scenery{8, {}, 0, {{}}, {}};
        for (std::int16_t f = 0; f < 16; ++f) {
            scenery.sequences[0].push_back({0, 0, f, 0});
            scenery.frames.push_back({4, 4, std::vector<std::uint8_t>(16, std::uint8_t(f + 1)), {}});
        }
        scenery.sequences[0].push_back({0, 0, kAseqEnd, 0});
        NeModule sceneryModule;
        sceneryModule.types.push_back({0, "ASEQ", {{900, writeAseq(scenery, ByteOrder::big)}}});
        writeWholeFile(folder.file("PRsc\\doriruvu.rsc"), writeNeModule(sceneryModule).bytes);
        NeModule sounds;
        sounds.types.push_back({0, "WAVE", {}});
        for (std::uint16_t id : {13198, 13199, 13200, 13201, 13202, 13203, 13205, 13206, 13215, 13216, 13218, 13229,
                                 13230, 13238, 13239, 13240, 13242, 13257, 13267})
            sounds.types[0].resources.push_back({id, wave(std::string(22050, '\x90'))});
        writeWholeFile(folder.file("PRsc\\sounds.dll"), writeNeModule(sounds).bytes);
        SetCurrentDirectoryA(folder.path().c_str());
        descriptor = std::make_unique<DescriptorFile>("PLSDescriptor.txt");
    }
    ~RacingTitle() {
        descriptor.reset();
        SetCurrentDirectoryA("..");
    }
    TempFolder folder;
    std::unique_ptr<DescriptorFile> descriptor;
};

struct RacingGameTest : TrinketFixture {
    enum class Press { never, right, wrong };

    static void SetUpTestSuite() {
        TrinketFixture::SetUpTestSuite();
        title = new RacingTitle;
    }
    static void TearDownTestSuite() {
        delete title;
        TrinketFixture::TearDownTestSuite();
    }

    void SetUp() override {
        TrinketFixture::SetUp();
        // Lamps: one frame of 38 x 38.
        AseqPictureFrame lamp{38, 38, std::vector<std::uint8_t>(38 * 38, 9), {}};
        files.animation(13288, writeAseq(AseqPicture{8, {}, 0, {{{0, 0, 0, 0}, {0, 0, kAseqHold, 0}, {0, 0, kAseqEnd, 0}}}, {lamp}},
                                         ByteOrder::little));
        newGame();
        std::srand(11);
    }
    void TearDown() override {
        delete game;
        game = nullptr;
        endOn.clear();
        TrinketFixture::TearDown();
    }
    // A game whose events are written down; the one named endOn ends the game as a script may: the game is
    // dropped, or shut off.
    void newGame() {
        game = new PXKill(5, window);
        game->registerProperties();
        for (const char* event : kEvents) {
            const OMLinkToFct note([](OMArg name) {
                events.push_back(reinterpret_cast<const char*>(name));
                if (events.back() != endOn) return;
                if (!dropOnEnd) return static_cast<void>(game->invokeMethod("shutOff"));
                delete game;
                game = nullptr;
            }, reinterpret_cast<OMArg>(event));
            game->bindEvent(event, &note, nullptr);
        }
        events.clear();
        game->setProperty("speed", "1");
        game->setProperty("diffLevel", "2");
    }
    // Ticks the window a sixtieth at a time until `last` has been raised (or the limit), answering each event
    // as the sample script does and pressing the horn on the kind of choice asked for.
    bool raceUntil(const std::string& last, Press press, int limit = 60 * 600) {
        static const std::map<std::string, const char*> answers{{"stateProblem", "startProblem"},
                                                                 {"wrongAnswer", "showAnswer"},
                                                                 {"rightAnswer", "nextProblemSign"},
                                                                 {"sayNextProblem", "nextProblemSign"}};
        for (std::size_t seen = events.size(); limit-- > 0;) {
            tick();
            for (; seen < events.size(); ++seen) {
                if (events[seen] == last) return true;
                const auto answer = answers.find(events[seen]);
                if (answer != answers.end()) game->invokeMethod(answer->second);
            }
            const bool onRight = game->choiceCursor() == game->problem().answerIndex;
            if (game->road() && game->road()->signInReach() && game->phase() == 0 &&
                ((press == Press::right && onRight) || (press == Press::wrong && !onRight)))
            {
                game->horn()->press();
                if (onRight) events.push_back("rightPressed");
            }
        }
        return false;
    }
    void tick() {
        fakeMs = (++sixtieths * 1000 + 59) / 60;
        if (sixtieths % 6 == 0) {  // a device buffer of 1024 samples lasts about 6 sixtieths
            wave.device.complete();
            OMWaveOutMixer::pump();
        }
        window->tickTrinkets();
    }
    int count(const std::string& event) const { return int(std::count(events.begin(), events.end(), event)); }

    static inline std::vector<std::string> events;
    static inline std::string endOn;
    static inline bool dropOnEnd = false;
    static inline PXKill* game = nullptr;
    static inline RacingTitle* title = nullptr;
    AnimationFiles files;
    FakeWaveInstalled wave{files.folder.file("voice.wav")};
    std::uint32_t sixtieths = 60;
};

TEST_F(RacingGameTest, TheIntroductionThenTheFirstRightAnswerWinsWithCheatOn) {
    game->invokeMethod("startGame");
    std::vector<std::string> heard{"/"};
    for (int i = 0; i < 1000 && events.empty(); ++i) {
        tick();
        const std::string now = game->player(0).currentName + "/" + game->player(2).currentName;
        if (now != heard.back()) heard.push_back(now);
    }
    EXPECT_EQ((std::vector<std::string>{"/", "13198/", "13201/13206"}), heard);
    EXPECT_EQ(std::vector<std::string>{"stateProblem"}, events);
    game->invokeMethod("startProblem");
    game->invokeMethod("cheatOn");
    ASSERT_TRUE(raceUntil("rightPressed", Press::right));
    EXPECT_EQ("13205", game->player(2).currentName);
    EXPECT_EQ(1, game->lamp(0)->isVisible());
    ASSERT_TRUE(raceUntil("rewardPrizeTicket", Press::never));
    EXPECT_EQ(0, game->lamp(0)->isVisible());  // all lamps off once the race is won
    EXPECT_EQ((std::vector<std::string>{"stateProblem", "rightPressed", "rewardPrizeTicket"}), events);
}

// The scenery comes from its own module; without the module the road runs without scenery.
TEST_F(RacingGameTest, FiveWrongAnswersEndTheRace) {
    game->invokeMethod("showRoad");
    EXPECT_TRUE(game->road()->hasScenery());
    EXPECT_EQ("pictures.dll pictures.dll", std::string(nameSlot(0)) + " " + nameSlot(4));
    const std::string scenery = title->folder.file("PRsc\\doriruvu.rsc");
    ASSERT_TRUE(MoveFileA(scenery.c_str(), (scenery + ".away").c_str()));
    game->invokeMethod("showRoad");
    MoveFileA((scenery + ".away").c_str(), scenery.c_str());
    EXPECT_FALSE(game->road()->hasScenery());
    game->invokeMethod("startGame");
    ASSERT_TRUE(raceUntil("gameOver", Press::wrong));
    EXPECT_EQ(5, count("wrongAnswer"));
    EXPECT_EQ(4, count("sayNextProblem"));
    EXPECT_EQ(0, game->fuel()->level());
    EXPECT_EQ("0", std::string(game->getProperty("mode")));
}

TEST_F(RacingGameTest, UnansweredSignsPauseProperties) {
    game->invokeMethod("startGame");
    ASSERT_TRUE(raceUntil("reStateProblem", Press::never));
    EXPECT_EQ(1, count("stateProblem"));
    game->invokeMethod("pause");
    EXPECT_TRUE(OMSound::outputPaused());
    EXPECT_EQ("6", std::string(game->getProperty("mode")));
    game->invokeMethod("pause");
    EXPECT_FALSE(OMSound::outputPaused());
    EXPECT_EQ("4", std::string(game->getProperty("mode")));
    game->invokeMethod("pause");
    game->invokeMethod("resume");
    EXPECT_TRUE(OMSound::outputPaused());
    EXPECT_EQ("4", std::string(game->getProperty("mode")));
    game->setProperty("diffLevel", "7");
    EXPECT_EQ((std::vector<std::string>{"0", "100", "4"}),
              (std::vector<std::string>{game->getProperty("userScore"), game->getProperty("volume"),
                                        game->getProperty("diffLevel")}));
    game->invokeMethod("shutOff");
    EXPECT_FALSE(OMSound::outputPaused());
    for (const char* verb : {"showAnswer", "nextProblemSign", "startProblem", "showRoad"}) game->invokeMethod(verb);
    EXPECT_EQ(nullptr, game->road());
}

// A script may end the game from any event it hears, by dropping it or shutting it off; the game's parts
// then touch nothing of the game after the event. Without sounds the introduction ends at once: the road
// rolls all the same and the signs keep coming.
TEST_F(RacingGameTest, AnyEventMayEndTheGameAndMissingSoundsLeaveTheRoadRolling) {
    const std::pair<const char*, Press> ends[] = {
        {"stateProblem", Press::never},  {"reStateProblem", Press::never}, {"rightAnswer", Press::right},
        {"sayNextProblem", Press::wrong}, {"wrongAnswer", Press::wrong},   {"gameOver", Press::wrong},
        {"rewardPrizeTicket", Press::right}};
    for (const bool drop : {true, false}) {
        for (const auto& [event, press] : ends) {
            SCOPED_TRACE(std::string(drop ? "dropped on " : "shut off on ") + event);
            delete game;
            newGame();
            endOn = event;
            dropOnEnd = drop;
            if (endOn == "rewardPrizeTicket") game->invokeMethod("cheatOn");
            game->invokeMethod("startGame");
            ASSERT_TRUE(raceUntil(event, press));
            for (int i = 0; i < 600; ++i) tick();
            EXPECT_EQ(drop, game == nullptr);
            endOn.clear();
        }
    }
    const std::string sounds = title->folder.file("PRsc\\sounds.dll");
    ASSERT_TRUE(MoveFileA(sounds.c_str(), (sounds + ".away").c_str()));
    delete game;
    newGame();
    game->invokeMethod("startGame");
    bool rolled = raceUntil("rightAnswer", Press::right);
    if (rolled) {
        game->invokeMethod("nextProblemSign");
        rolled = raceUntil("stateProblem", Press::never);
    }
    MoveFileA((sounds + ".away").c_str(), sounds.c_str());
    EXPECT_TRUE(rolled);
}

}  // namespace

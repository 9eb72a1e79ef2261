// The confirm screen and the assessment race on a trinket window in this process: the fake millisecond
// and sixtieth clocks, the fake wave device, a seeded generator and descriptors from the testkit writer.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "AnimationFiles.h"
#include "AseqWriter.h"
#include "CharacterSpeechAction.h"
#include "DescriptorFile.h"
#include "DescriptorWriter.h"
#include "FakeWaveInstalled.h"
#include "FreedMemory.h"
#include "RAssess.h"
#include "RConfirm.h"
#include "RCharacter.h"
#include "RHotSpot.h"
#include "TrinketFixture.h"
#include "YDeathInterest.h"
#include "YScriptLoader.h"

namespace {

// One frame of 8 x 8 in a colour per frame, shown for `frames` entries, then a hold; at (x, y) when given.
std::string picture(std::uint8_t colour, std::int16_t frames = 1, std::int32_t x = 0, std::int32_t y = 0) {
    AseqPicture p{8, {std::uint8_t(x), std::uint8_t(y), std::uint8_t((x >> 8) | ((y >> 8) << 4)), 0}, 0, {{}}, {}};
    for (std::int16_t f = 0; f < frames; ++f) {
        p.sequences[0].push_back({0, 0, f, 0});
        p.frames.push_back({8, 8, std::vector<std::uint8_t>(64, std::uint8_t(colour + f)), {}});
    }
    p.sequences[0].push_back({0, 0, kAseqHold, 0});
    p.sequences[0].push_back({0, 0, kAseqEnd, 0});
    return writeAseq(p, ByteOrder::little);
}

struct AssessmentTest : TrinketFixture {
    static void SetUpTestSuite() {
        TrinketFixture::SetUpTestSuite();
        const OMLinkToFct exec([](OMArg) { ++execRuns; });
        registerScriptFunction("exec", &exec);
    }
    void SetUp() override {
        TrinketFixture::SetUp();
        SetCurrentDirectoryA(files.folder.path().c_str());
        installDeathHooks();
        execRuns = 0;
    }
    void TearDown() override {
        descriptor.reset();
        removeDeathHooks();
        SetCurrentDirectoryA("..");
        TrinketFixture::TearDown();
    }
    void describe(const std::vector<DescriptorCommand>& commands) {
        const std::string text = writeDescriptor(commands);
        descriptor.reset();
        descriptor = std::make_unique<DescriptorFile>(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    }
    // Passes of the main loop's tasks, a sixtieth of a second apart.
    void pass(int sixtiethsMore = 1) {
        for (int i = 0; i < sixtiethsMore; ++i) {
            fakeMs = (++sixtieths * 1000 + 59) / 60;
            if (sixtieths % 6 == 0) {
                device.device.complete();
                OMWaveOutMixer::pump();
            }
            runTaskSlices(*appTaskList());
        }
    }

    static inline int execRuns = 0;
    AnimationFiles files;
    FakeWaveInstalled device{files.folder.file("voice.wav")};
    std::unique_ptr<DescriptorFile> descriptor;
    std::uint32_t sixtieths = 60;
};

struct ConfirmTest : AssessmentTest {
    void SetUp() override {
        AssessmentTest::SetUp();
        files.animation(501, picture(20, 2));
        files.animation(502, picture(30, 2, 300, 0));
        files.animation(503, picture(40));
        files.animation(504, picture(50));
        files.sound(505, wave(std::string(1000, '\x90')));
        describe({{"ConfButton", {"501", "502"}}, {"ConfLevelAnim", {"503"}}, {"ConfLevelX", {"100", "200", "300"}},
                  {"ConfSkillY", {"50", "150", "250", "350"}}, {"ConfExit", {"1", "504"}}, {"ClickSound", {"505"}},
                  {"DataFile", {"results.txt"}}, {"DS", {"1", "2", "1"}}, {"DS", {"2", "2", "2"}},
                  {"DS", {"3", "2", "3"}}, {"DS", {"4", "2", "4"}}});
        const int levels[] = {2, 3, 1, 0};
        for (int k = 1; k <= 4; ++k) descriptor->findSkillAreaSet(k)->level = levels[k - 1];
        writeWholeFile("results.txt", "1 2\r\n");
        confirm = std::make_unique<RConfirm>(window);
        confirm->registerProperties();
    }
    void TearDown() override {
        confirm.reset();
        AssessmentTest::TearDown();
    }
    // Passes until the pressed button's animation has ended (two frames of 125 ms).
    void press(OMAnimation* button) {
        button->onMouseDown();
        pass(20);
    }
    std::unique_ptr<RConfirm> confirm;
};

TEST_F(ConfirmTest, LevelMarksStandInTheirLevelsColumnOnTheirSkillAreasRow) {
    std::vector<std::string> marks;
    for (const auto& mark : confirm->levelMarks()) marks.push_back(numbers({mark->getX(), mark->getY()}));
    EXPECT_EQ((std::vector<std::string>{"100 350", "100 250", "300 150", "200 50"}), marks);
    EXPECT_EQ("300 0", numbers({confirm->discardButton()->getX(), confirm->discardButton()->getY()}));
    EXPECT_EQ(0, confirm->setProperty("x", "5"));  // goToExit is its only property
}

TEST_F(ConfirmTest, DiscardDeletesTheResultsAndExecsAtOnce) {
    press(confirm->discardButton());
    EXPECT_FALSE(fileExists("results.txt"));
    EXPECT_EQ(1, execRuns);
    EXPECT_EQ(nullptr, confirm->exitPicture());
}

TEST_F(ConfirmTest, KeepShowsTheExitPictureAndExecsFourSecondsLater) {
    confirm->confirmButton()->onMouseDown();
    for (int i = 0; i < 30 && !confirm->exitPicture(); ++i) pass();
    ASSERT_NE(nullptr, confirm->exitPicture());
    EXPECT_EQ("1 100", numbers({confirm->exitPicture()->isVisible(), confirm->exitPicture()->getZ()}));
    pass(60 * 4 - 1);
    EXPECT_EQ(0, execRuns);
    pass();
    EXPECT_EQ(1, execRuns);
    EXPECT_TRUE(fileExists("results.txt"));
}

// Quizlet line of a set: quizlet q of the skill area, one second an answer, problem speech 400 + 10 set + q,
// problem picture 620, answers 621 .. 624 (621 right).
DescriptorCommand quizlet(int set, int q, int area) {
    return {"DS", {std::to_string(set), std::to_string(q), std::to_string(area), "a", "1",
                   std::to_string(400 + 10 * set + q), "620", "621", "622", "623", "624"}};
}

// The race's resources; the character has no speech pictures, so every speech ends at once.
const std::vector<DescriptorCommand> kRaceCommands{
    {"ExitButton", {"601"}},  {"ClickSound", {"701"}},  {"Finish", {"602"}},
    {"Horn", {"603"}},        {"Scenery", {"604"}},     {"RightAnswer", {"605", "703"}},
    {"Corners", {"606", "606", "606", "606"}},          {"PlaneAnims", {"610", "704", "611", "612"}},
    {"HelpChar", {"613", "614"}}, {"ProblemHS", {"0", "300", "100", "400"}}, {"AnswerHS", {"200", "300", "400", "400"}},
    {"EngineSnds", {"705", "706", "707"}}, {"ChangeSound", {"708"}}, {"FinishSound", {"709"}},
    {"IntroSpeech", {"101", "0"}}, {"GameStartSpeech", {"102", "0"}}, {"GameHelpSpeech", {"103", "0"}},
    {"RightAnswerSpch", {"301", "302", "303", "0"}}, {"FinishSpch", {"104", "0"}}, {"DataFile", {"results.txt"}}};

struct RaceTest : AssessmentTest {
    void SetUp() override {
        AssessmentTest::SetUp();
        std::srand(7);
        current = this;
        dropOnConfirmation = false;
    }
    void TearDown() override {
        race.reset();
        AssessmentTest::TearDown();
    }
    void serveResources() {
        AseqPicture scenery{8, {}, 0, {{}}, {}};
        for (std::int16_t f = 0; f < 16; ++f) {
            scenery.sequences[0].push_back({0, 0, f, 0});
            scenery.frames.push_back({4, 4, std::vector<std::uint8_t>(16, std::uint8_t(f + 1)), {}});
        }
        scenery.sequences[0].push_back({0, 0, kAseqEnd, 0});
        files.animation(604, writeAseq(scenery, ByteOrder::little));
        for (std::int16_t id : {601, 602, 603, 605, 606, 610, 611, 612, 620, 621, 622, 623, 624})
            files.animation(id, picture(std::uint8_t(id - 580), 2));
        for (std::int16_t id : {701, 603, 703, 704, 705, 706, 707, 708, 709}) files.sound(id, wave(std::string(2000, '\x90')));
    }
    void start(const std::vector<DescriptorCommand>& commands) {
        race.reset();
        describe(commands);
        race = std::make_unique<RAssess>(window);
        race->registerProperties();
        const OMLinkToFct note([](OMArg) {
            ++confirmations;
            if (dropOnConfirmation) current->race.reset();
        });
        race->bindEvent("goToConfirmation", &note, nullptr);
        confirmations = 0;
    }
    // The speech id that the current queue opens with, or 0.
    int speaking() const {
        RQueue* queue = race->speechQueue();
        auto* speech = queue && queue->children.head ? dynamic_cast<CharacterSpeechAction*>(queue->children.head->element) : nullptr;
        return speech ? speech->soundId : 0;
    }
    // Passes until goToConfirmation, noting each new speech; the answer area is pressed on the right answer,
    // or on a wrong one for the sets listed, and the horn before any answer shows.
    std::vector<int> runRace(const std::vector<int>& wrongSets = {}, int limit = 60 * 300) {
        std::vector<int> spoken;
        const void* lastQueue = nullptr;
        int lastId = 0;
        int problemSet = 0;
        for (; limit-- > 0 && confirmations == 0; pass()) {
            if ((race->speechQueue() != lastQueue || speaking() != lastId) && speaking() != 0) {
                lastQueue = race->speechQueue();
                lastId = speaking();
                spoken.push_back(speaking());
                if (spoken.back() > 400) problemSet = (spoken.back() - 400) / 10;
            }
            if (!race->answerAreaEnabled()) {
                if (race->horn()) race->horn()->onMouseDown();
                continue;
            }
            const bool wrong = std::find(wrongSets.begin(), wrongSets.end(), problemSet) != wrongSets.end();
            if ((race->shownAnswerSlot() == race->correctAnswerSlot()) != wrong) race->answerHotSpot()->onMouseDown();
        }
        return spoken;
    }
    static inline int confirmations = 0;
    // When set, the handler of goToConfirmation drops the race, as a script may.
    static inline bool dropOnConfirmation = false;
    static inline RaceTest* current = nullptr;
    std::unique_ptr<RAssess> race;
};

TEST_F(RaceTest, TheSceneryStartsAtSixFramesASecondAndGainsOneAtEveryOddFrame) {
    serveResources();
    start(kRaceCommands);
    pass();  // the speeches end at once, from the first tick on
    const std::uint32_t begun = ticks60();
    std::vector<std::string> steps;
    for (int i = 0; i < 40 && steps.size() < 4; ++i) {
        const int frame = race->sceneryFrame();
        pass();
        if (race->sceneryFrame() != frame) steps.push_back(numbers({race->sceneryFrame(), ticks60() - begun}));
    }
    EXPECT_EQ((std::vector<std::string>{"2 10", "3 20", "4 28", "5 36"}), steps);
    EXPECT_EQ(8, race->speed());
}

// Sets 1-3 all right, set 4 wrong at quizlet 2, set 5 without a quizlet 2, set 6 right without a quizlet 3.
TEST_F(RaceTest, ResultsPraiseInTurnAndTheResultsFile) {
    serveResources();
    std::vector<DescriptorCommand> commands = kRaceCommands;
    for (int set = 1; set <= 4; ++set)
        for (int q : {2, 3}) commands.push_back(quizlet(set, q, set < 3 ? 1 : set - 1));
    commands.insert(commands.end(), {quizlet(5, 3, 4), quizlet(6, 2, 5)});
    start(commands);
    const std::vector<int> spoken = runRace({4});
    ASSERT_EQ(1, confirmations);
    std::vector<int> praise, problems;
    for (int id : spoken) {
        if (id > 400) problems.push_back(id);
        if (id / 100 == 3) praise.push_back(id);
    }
    EXPECT_EQ((std::vector<int>{301, 302, 303, 301, 302, 303, 301}), praise);
    EXPECT_EQ(std::vector<int>({412, 413, 422, 423, 432, 433, 442, 462}),
              std::vector<int>(problems.begin(), std::unique(problems.begin(), problems.end())));
    EXPECT_EQ("3 3 3 1 0 2", numbers({descriptor->findQuizletSet(1)->result, descriptor->findQuizletSet(2)->result,
                                      descriptor->findQuizletSet(3)->result, descriptor->findQuizletSet(4)->result,
                                      descriptor->findQuizletSet(5)->result, descriptor->findQuizletSet(6)->result}));
    EXPECT_EQ("1 3\r\n2 3\r\n3 1\r\n4 0\r\n5 2\r\n", readWholeFile("results.txt"));
}

// The character's speeches 103 (game help) and 412 (the first problem) last 300 ms: on the first problem the
// help gives the game help, then the problem; the problem area repeats the problem; each time the answer
// on show goes and comes back once the speech is over.
TEST_F(RaceTest, RepeatsSpeakAndBringTheSameAnswerBack) {
    AseqPicture speeches{8, {}, 0, {}, {{4, 4, std::vector<std::uint8_t>(16, 1), {}}}};
    for (std::int16_t id : {103, 412}) {
        speeches.sequences.push_back({{0, 0, kAseqSoundCue, id}, {0, 0, 0, 0}, {0, 0, kAseqHold, 0}, {0, 0, 0, 0}});
        files.sound(id, wave(std::string(3308, '\x90')));
    }
    files.animation(614, writeAseq(speeches, ByteOrder::little));
    std::vector<DescriptorCommand> commands = kRaceCommands;
    commands.push_back(quizlet(1, 2, 1));
    start(commands);
    const auto untilAnswer = [this] {
        for (int i = 0; i < 60 * 10 && !race->answerAreaEnabled(); ++i) pass();
        return race->shownAnswerSlot();
    };
    const std::int32_t slot = untilAnswer();
    OMTrinket* const help = race->helpCharacter();
    for (auto [press, spoken] : {std::pair{help, 103}, {help, 412}, {static_cast<OMTrinket*>(race->problemHotSpot()), 412}}) {
        SCOPED_TRACE(spoken);
        press->onMouseDown();
        EXPECT_EQ(spoken, speaking());
        EXPECT_FALSE(race->answerAreaEnabled());
        EXPECT_EQ(slot, untilAnswer());
    }
}

// The exit button's click while the finish sound plays (no quizlets: the race finishes once the engine has
// started) leaves the finish to go on after "No": the race slows down and asks for the confirmation.
TEST_F(RaceTest, TheExitButtonDoesNotStopTheFinish) {
    serveResources();
    start(kRaceCommands);
    for (int i = 0; i < 60 * 60 && confirmations == 0; ++i) {
        if (race->speed() > 0) race->exitButton()->onMouseDown();
        pass();
    }
    EXPECT_EQ(1, confirmations);
}

// Without quizlets the race finishes once the engine has started; the scenery then slows down, and its stop
// asks for the confirmation inside a tick, whose handler drops the race: nothing of it is written after.
TEST_F(RaceTest, ARaceDroppedWhenItsSceneryStopsIsLeftAlone) {
    serveResources();
    dropOnConfirmation = true;
    start(kRaceCommands);
    const RAssess* dropped = race.get();
    runRace();
    ASSERT_EQ(1, confirmations);
    EXPECT_TRUE(freedUntouched(dropped));
}

// Pictures and sounds that are missing count as played at once, and without scenery the slow-down ends at
// once; without quizlets the race finishes at once; a results file that cannot be made gets no lines. The
// handler of goToConfirmation drops the race, which may come within a tick.
TEST_F(RaceTest, MissingResourcesQuizletsOrResultsFileNeverStopTheRace) {
    dropOnConfirmation = true;
    const struct {
        bool resources;
        bool quizlets;
        const char* dataFile;
        const char* written;
    } rows[] = {{false, true, "results.txt", "1 2\r\n"},
                {false, false, "results.txt", ""},
                {true, true, "no folder\\results.txt", nullptr}};
    for (const auto& row : rows) {
        SCOPED_TRACE(numbers({row.resources, row.quizlets}));
        if (row.resources) serveResources();
        std::vector<DescriptorCommand> commands{{"DataFile", {row.dataFile}}, {"Scenery", {"604"}}};
        if (row.quizlets) commands.push_back(quizlet(1, 2, 1));
        start(commands);
        runRace({}, 60 * 60);
        EXPECT_EQ(1, confirmations);
        if (row.written) {
            EXPECT_EQ(row.written, readWholeFile(row.dataFile));
        }
    }
}

}  // namespace

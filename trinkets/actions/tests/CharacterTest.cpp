// The animated character with the fake wave device: speech cues, voiced steps, stop, pause, fidgets, factories.
#include <algorithm>

#include "AnimatedActionFixture.h"
#include "CharacterAnimAction.h"
#include "RCharacter.h"

namespace {

constexpr std::int16_t kPose = 1;
constexpr std::int16_t kFidgets[] = {21, 22, 23};
constexpr std::int16_t kAnim = 30;
constexpr std::int16_t kSpeech = 40;
constexpr std::int16_t kVoice = 7;

// 2 x 2 frames placed at (100, 60): the pose loops; fidgets open with a hold, so they wait until started
// and end at it; speech ends at a hold too (a new animation's repeat count is 0), mouth closed after it.
struct CharacterTest : AnimatedActionFixture {
    void SetUp() override {
        AnimatedActionFixture::SetUp();
        const AseqPictureEntry f0{0, 0, 0, 0}, f1{0, 0, 1, 0}, loop{0, 0, kAseqLoop, 0}, end{0, 0, kAseqEnd, 0},
            hold{0, 0, kAseqHold, 0};
        const auto cue = [](std::int16_t id) { return AseqPictureEntry{0, 0, kAseqSoundCue, id}; };
        const auto put = [&](std::int16_t id, std::vector<std::vector<AseqPictureEntry>> sequences) {
            const AseqPicture p{8, {100, 60, 0, 0}, 0, std::move(sequences),
                                {{2, 2, {249, 249, 249, 249}, {}}, {2, 2, {250, 250, 250, 250}, {}}}};
            data.animation(id, writeAseq(p, ByteOrder::little));
        };
        put(kPose, {{f0, loop, end}});
        for (std::int16_t id : kFidgets) put(id, {{hold, f0, f1, loop, end}});
        put(kAnim, {{f0, f1, loop, end}});
        put(kSpeech, {{cue(kVoice), f0, f1, hold, f0, end}, {cue(8), f0, hold, f0, end}, {f0, end}});
        serveVoice(kVoice);
    }
    // A character with the settle pose, its "finished" noted as "finished@1", held by the variable "guide".
    RCharacter* character() {
        auto* c = hold("guide", new RCharacter(kPose, OMAnimation::kAtPlacement, OMAnimation::kAtPlacement, 0, window));
        c->registerProperties();
        c->tag = 1;
        watch(c, {"finished"});
        return c;
    }
    // Runs the fidget that the next due tick starts to its end: its child id, 0 when none started.
    std::int32_t fidgetRound(RCharacter* c) {
        fakeMs += 10000;
        c->fidgetTick();
        if (!c->currentFidget) return 0;
        const std::int32_t id = c->currentFidget->childId;
        for (int i = 0; i < 10 && c->currentFidget; ++i) frames(1);
        return c->currentFidget ? -1 : id;
    }
};

TEST_F(CharacterTest, SpeechCuesAreLearnedAndAVoicedStepFinishesWhenItsWaveEndsAfterTheCharacter) {
    RCharacter* scanner = character();
    scanner->addSpeechAnim(kSpeech);
    scanner->addSpeechAnim(99);
    std::string records;
    for (const SpeechRecord& r : scanner->speechRecords)
        records += std::to_string(r.soundId) + ":" + std::to_string(r.animationId) + ":" + std::to_string(r.sequence) + " ";
    EXPECT_EQ(records + numbers({AnimationFiles::soundLookUps(), scanner->children.count, OMAnimation::defaultSoundOn}),
              "7:40:0 8:40:1 0 1 1") << "the scanned animation is not kept";
    delete scanner;
    // The frames run out long before the 300 ms voice does; the step waits for the sound, then the character
    // raises "finished" before the step does. A played animation is let go in its sound's finish.
    for (const auto& [kind, id] : {std::pair{"CharacterSpeechAction", "7"}, std::pair{"CharacterAnimAction", "40"}}) {
        SCOPED_TRACE(kind);
        eventLog.clear();
        RCharacter* c = character();
        c->addSpeechAnim(kSpeech);
        Action* step = create(kind, {"guide", id});
        ASSERT_NE(step, nullptr);
        step->start();
        frames(8);
        EXPECT_EQ(eventLog + numbers({step->isActive(), c->getTrinket(RCharacter::kPoseId)->isVisible()}), "1 0")
            << "playing hides the pose";
        frames(8, true);
        const std::int32_t poseShown = c->getTrinket(RCharacter::kPoseId)->isVisible();
        EXPECT_EQ(eventLog + numbers({c->speechChildId, poseShown, c->getTrinket(RCharacter::kAnimId) != nullptr}),
                  "finished@1 finished@step -1 1 0");
        delete step;
        delete c;
    }
}

TEST_F(CharacterTest, RefusedAndStoppedPlays) {
    RCharacter* c = character();
    c->addSpeechAnim(kSpeech);
    Action* anim = create("CharacterAnimAction", {"guide", "30"}, "anim");
    c->playSpeech(kVoice, nullptr, 1, 0);
    anim->start();
    EXPECT_EQ(eventLog, "finished@anim ") << "refused while the character speaks";
    c->stop();
    const std::int32_t hidden = c->getTrinket(RCharacter::kFirstSpeechId)->isVisible();
    c->stop();
    c->playSpeech(kVoice, nullptr, 1, 0);
    const std::int32_t reused = c->speechChildId;
    EXPECT_EQ(c->getTrinket(RCharacter::kFirstSpeechId + 1), nullptr);
    c->stop();
    c->playSpeech(99, nullptr, 1, 0);
    EXPECT_EQ(numbers({hidden, reused, c->speechChildId}), numbers({0, RCharacter::kFirstSpeechId, -1}))
        << "kept hidden and reused; no record for sound 99";
    eventLog.clear();
    Action* stay = create("CharacterAnimAction", {"guide", "30", "1", "0"}, "hide");
    stay->start();
    EXPECT_EQ(c->animChildId, RCharacter::kAnimId);
    frames(4, true);
    EXPECT_EQ(eventLog + numbers({c->isVisible(), c->getTrinket(RCharacter::kAnimId) != nullptr}), "finished@1 finished@hide 0 0")
        << "stayVisible 0 hides the character when the animation ends; a played animation is let go";
    delete stay;
    delete anim;
    delete c;
}

// Pause suspends what plays (the pose only while it animates); animateSettled 0 freezes the pose on its
// first frame.
TEST_F(CharacterTest, PauseResumeAndTheSettlePoseThroughVerbs) {
    RCharacter* c = character();
    const auto state = [c](std::int32_t id) { return static_cast<OMAnimation*>(c->getTrinket(id))->playback.state; };
    c->setProperty("animateSettled", "0");
    EXPECT_EQ(std::make_pair(state(RCharacter::kPoseId), static_cast<OMAnimation*>(c->getTrinket(RCharacter::kPoseId))->framePosition()),
              std::make_pair(PlayState::paused, 1)) << "its first frame";
    c->setProperty("animateSettled", "1");
    for (const auto& [verb, pose] : {std::pair{"pause", PlayState::paused}, {"pause", PlayState::paused}, {"resume", PlayState::playing}}) {
        c->invokeMethod(verb);
        EXPECT_EQ(state(RCharacter::kPoseId), pose) << verb;
    }
    c->invokeMethod("playAnim", "30", "2");
    for (const auto& [verb, anim] : {std::pair{"pause", PlayState::paused}, {"resume", PlayState::playing}}) {
        c->invokeMethod(verb);
        EXPECT_EQ(std::make_pair(state(RCharacter::kAnimId), state(RCharacter::kPoseId)), std::make_pair(anim, PlayState::playing))
            << verb << ": only the played animation is suspended";
    }
    delete c;
}

TEST_F(CharacterTest, ANoRepeatGroupPlaysEachFidgetOnceBeforeAnyRepeats) {
    bool repeatedWithoutNoRepeat = false;
    for (unsigned seed = 1; seed <= 8; ++seed) {
        SCOPED_TRACE(seed);
        for (std::int32_t noRepeat : {1, 0}) {
            std::srand(seed);
            RCharacter* c = character();
            c->addFidgetGroup(4, 1, 3, noRepeat);
            for (std::int16_t id : kFidgets) c->addFidget(4, id, 1);
            std::vector<std::int32_t> picks;
            for (int round = 0; round < 6; ++round) picks.push_back(fidgetRound(c));
            if (noRepeat) {
                for (auto cycle = picks.begin(); cycle != picks.end(); cycle += 3) {
                    std::vector<std::int32_t> ids(cycle, cycle + 3);
                    std::sort(ids.begin(), ids.end());
                    EXPECT_EQ(ids, (std::vector<std::int32_t>{3, 4, 5}));
                }
            } else {
                repeatedWithoutNoRepeat |= std::adjacent_find(picks.begin(), picks.end()) != picks.end();
            }
            delete c;
        }
    }
    EXPECT_TRUE(repeatedWithoutNoRepeat);
}

// Groups due on the sixtieths clock: the first due group with fidgets runs; a busy character reschedules
// the group to minSeconds .. maxSeconds - 1 from now; equal bounds wait minSeconds.
TEST_F(CharacterTest, FidgetSchedules) {
    std::srand(5);
    RCharacter* c = character();
    c->addFidgetGroup(1, 2, 2, 1);
    EXPECT_EQ(c->fidgetGroups.head->element->nextDue, static_cast<std::int32_t>(ticks60()) + 120);
    c->addFidgetGroup(2, 1, 4, 1);
    c->addFidget(2, kFidgets[0], 0);
    c->addFidgetGroup(3, 1, 4, 1);
    c->addFidget(3, kFidgets[1], 1);
    EXPECT_EQ(c->getZOffset(3), 1) << "a fidget that leaves the pose shown stands in front of it";
    fakeMs += 10000;
    c->playAnim(kAnim, nullptr, 1, 1);
    c->fidgetTick();
    FidgetGroup* second = c->fidgetGroups.head->next->element;
    const std::int32_t now = static_cast<std::int32_t>(ticks60());
    EXPECT_TRUE(!c->currentFidget && (second->nextDue == now + 60 || second->nextDue == now + 120 || second->nextDue == now + 180))
        << "rescheduled while busy, 1 to 3 seconds from now: " << second->nextDue - now;
    c->stop();
    fakeMs += 10000;
    c->fidgetTick();
    ASSERT_NE(c->currentFidget, nullptr) << "the empty group 1 does not hold the others back";
    EXPECT_EQ(std::make_pair(c->currentFidget->group, c->getTrinket(RCharacter::kPoseId)->isVisible()), std::make_pair(second, 1))
        << "of two due groups the one added first runs; this fidget overlays the pose";
    c->removeFidgetGroup(2);
    EXPECT_TRUE(!c->currentFidget && !c->getTrinket(3));
    delete c;
}

TEST_F(CharacterTest, FactoriesReadTheirTokenForms) {
    const std::tuple<const char*, OMRect, std::int32_t> characters[] = {
        {"1 5", {100, 60, 102, 62}, 5}, {"1 10 20", {10, 20, 12, 22}, 0}, {"1 10 20 3", {10, 20, 12, 22}, 3}};
    for (const auto& [texts, bounds, z] : characters) {
        SCOPED_TRACE(texts);
        auto* made = static_cast<RCharacter*>(createObjectFromText("RCharacter", texts));
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(numbers(made->getBounds()) + " z " + numbers({made->getZ()}), numbers(bounds) + " z " + numbers({z}));
        delete made;
    }
    RCharacter* c = character();
    OMMultiTrinket notCharacter(window, kRedrawRegion);
    hold("anim", &notCharacter);
    Action* const none = nullptr;
    EXPECT_EQ(std::make_tuple(create("CharacterAnimAction", {"guide"}), create("CharacterAnimAction", {"anim", "30"}),
                              create("CharacterSpeechAction", {"nobody", "7"})),
              std::make_tuple(none, none, none)) << "anim is not a character";
    const auto fields = [](Action* a) {
        auto* s = static_cast<CharacterAnimAction*>(a);
        return numbers({s->repeatCount, s->stayVisible, s->isInterruptible()});
    };
    Action* full = create("CharacterAnimAction", {"guide", "30", "2", "0", "0"});
    EXPECT_EQ(fields(full), "2 0 0");
    auto* plain = static_cast<CharacterAnimAction*>(create("CharacterAnimAction", {"guide", "30"}));
    EXPECT_EQ(fields(plain), "1 1 1");
    delete c;
    plain->start();
    EXPECT_EQ(std::make_pair(static_cast<void*>(plain->character), plain->isActive()), std::make_pair(static_cast<void*>(nullptr), 0))
        << "the character's death is heard";
    delete full;
    delete plain;
}

}  // namespace

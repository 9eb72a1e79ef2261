// The Band activity: its song set-up, the musicians' switches, the conductor's reactions and the goodbye.
#include "Band.h"

#include "AppBindings.h"
#include "Backdrop.h"
#include "KitGlobals.h"
#include "KitMouse.h"
#include "OverlayPicture.h"
#include "PickerCompletion.h"
#include "Prefs.h"
#include "Rand.h"
#include "SndChannel.h"
#include "SndManager.h"
#include "SndPlay.h"
#include "SndPlayControl.h"
#include "Sprite.h"

namespace {

// The states of the machine run on every timer tick.
enum BandState : std::uint32_t {
    kIntro = 0,
    kIntroVoice = 1,
    kVoice = 2,
    kGoodbye = 3,
    kPlay = 5,
    kNoMusicStart = 6,
    kNoMusicReaction = 7,
    kMusicStart = 8,
    kMusicReaction = 9,
    kLeave = 10,
};

constexpr std::uint32_t kFirstMusician = 2030;
constexpr std::uint32_t kConductor = 2024;
constexpr std::uint32_t kNoMusicAnim = 2020;
constexpr std::uint32_t kMusicAnim = 2120;
constexpr std::uint32_t kGoodbyeAnims[] = {2010, 2011, 2012, 2013};
constexpr std::int16_t kConductorResting = 2022;
constexpr std::int16_t kConductorConducting = 2025;
constexpr std::int16_t kIdleSprite = 2100;
constexpr std::int16_t kPlayingSprite = 2110;
constexpr std::int16_t kTrackPriority = 32767;
constexpr std::uint16_t kFullVolume = 1024;
constexpr int kSongs = 3;
constexpr int kDrawOrder[Band::kMusicians] = {1, 2, 0, 3};

// Set by the first exit of the run: later exits leave without the goodbye.
std::uint16_t goodbyeShown = 0;

std::uint16_t xpk(std::uint32_t id) {
    return static_cast<std::uint16_t>(id);
}

void addSprite(std::uint16_t xpkId, std::int16_t spriteId, bool shown) {
    SpriteCreate(0, ShapeBankLoad(xpkId), 0, spriteId);
    if (!shown) SpriteHide(spriteId);
}

void showConductorAtRest(bool atRest) {
    if (atRest) {
        SpriteShow(kConductorResting);
    } else {
        SpriteHide(kConductorResting);
    }
}

}  // namespace

Band::Band() : Activity("Band", 2000, 2000, 2001) {
    interactive_ = 0;
    ActorSetActive(helpButton_.Id(), 0);
    pointer_.SetOffset(Point{-12, -45});
    const Point start{308, 250};
    KitMoveMouse(start);
    pointer_.MoveTo(start);
    for (int i = 0; i < kMusicians; ++i) {
        Musician& m = musicians_[i];
        addSprite(xpk(2032 + 10 * i), static_cast<std::int16_t>(kIdleSprite + i), true);
        addSprite(xpk(2034 + 10 * i), static_cast<std::int16_t>(kPlayingSprite + i), false);
        m.button.Add(kFirstMusician + i, 0, xpk(2031 + 10 * i), 0, xpk(2033 + 10 * i), 0, 0);
        m.button.Register(this, gPrefClickOnly, 0);
        if (gPrefClickOnly) {
            m.swapped = ShapeBankLoad(xpk(2073 - i));
        } else {
            ShapeBank rollover = m.button.SwapRolloverBank(0);  // hovering changes nothing
            ShapeBankFree(&rollover);
        }
    }
    conductorButton_.Add(kConductor, 0, 2074, 0, 2023, 0, 0);
    conductorButton_.Register(this, gPrefClickOnly, 0);
    addSprite(kConductorResting, kConductorResting, true);
    addSprite(kConductorConducting, kConductorConducting, false);
    introSound_ = 2800;
    helpSound_ = idleSound_ = 2810;
    setUpSong();
}

Band::~Band() {
    stopAll();
    for (int i = 0; i < kMusicians; ++i) {
        SpriteFreeWithBank(static_cast<std::int16_t>(kIdleSprite + i));
        SpriteFreeWithBank(static_cast<std::int16_t>(kPlayingSprite + i));
        ShapeBankFree(&musicians_[i].swapped);
    }
    SpriteFreeWithBank(kConductorResting);
    SpriteFreeWithBank(kConductorConducting);
}

// The four loops start together, silent, so that a musician switched on later comes in exactly in step.
void Band::setUpSong() {
    conductor_.SetPaused(1);
    const std::uint16_t loop = SndSetLoop(1);
    for (int i = 0; i < kMusicians; ++i) {
        Musician& m = musicians_[i];
        const std::uint32_t id = kFirstMusician + 10 * i + 100 * song_;
        m.channel = static_cast<std::uint16_t>(SndPrepare(static_cast<std::uint16_t>(id), kTrackPriority, kFullVolume, 0));
        m.anim.resId = id;
        AnimOpenTimed(&m.anim, 1);
    }
    SndSetLoop(loop);
    for (Musician& m : musicians_) {
        SndChannelSetVolume(static_cast<std::int16_t>(m.channel), 0);
        m.playing = 0;
    }
    for (Musician& m : musicians_) {
        SndStartPrepared(static_cast<std::int16_t>(m.channel));
        SndChannelPause(static_cast<std::int16_t>(m.channel));
    }
    for (Musician& m : musicians_) SndChannelResume(static_cast<std::int16_t>(m.channel));
    for (Musician& m : musicians_) AnimSetPaused(&m.anim, 0);
    song_ = static_cast<std::uint16_t>((song_ + 1) % kSongs);
    playingCount_ = 0;
    madeMusic_ = 0;
    if (state_ != kIntro && state_ != kIntroVoice) SetInteractive(1, nullptr);
}

void Band::switchMusician(int i, bool on) {
    Musician& m = musicians_[i];
    m.playing = on ? 1 : 0;
    SndChannelSetVolume(static_cast<std::int16_t>(m.channel), on ? kFullVolume : 0);
    if (on) {
        SpriteHide(static_cast<std::int16_t>(kIdleSprite + i));
        SpriteShow(static_cast<std::int16_t>(kPlayingSprite + i));
    } else {
        SpriteShow(static_cast<std::int16_t>(kIdleSprite + i));
        SpriteHide(static_cast<std::int16_t>(kPlayingSprite + i));
    }
    m.swapped = m.button.SwapRolloverBank(m.swapped);
}

void Band::toggle(int i) {
    if (musicians_[i].playing) {
        switchMusician(i, false);
        if (--playingCount_ != 0) return;
        conductor_.SetPaused(1);
        AnimSetHidden(&conductor_.Record(), 1);
        showConductorAtRest(true);
        SpriteHide(kConductorConducting);
        interactive_ = 1;
        return;
    }
    switchMusician(i, true);
    madeMusic_ = 1;
    interactive_ = 0;
    if (++playingCount_ != 1) return;
    startConductor(kConductor, AnimClip::loop, 0);
    SpriteShow(kConductorConducting);
}

void Band::startConductor(std::uint32_t animId, AnimClip::Mode mode, std::uint16_t synchronised) {
    conductor_.SetMode(mode);
    AnimSetHidden(&conductor_.Record(), 0);
    showConductorAtRest(false);
    conductor_.Load(animId, synchronised);
}

void Band::stopAll() {
    for (int i = 0; i < kMusicians; ++i) {
        if (musicians_[i].playing) toggle(i);
    }
    for (Musician& m : musicians_) {
        if (m.channel != 0xFFFF) SndChannelStop(static_cast<std::int16_t>(m.channel));
        m.channel = 0xFFFF;
        AnimClose(&m.anim);
    }
}

void Band::commonEnd() {
    AnimSetHidden(&conductor_.Record(), 1);
    showConductorAtRest(true);
    gLastHoveredActor = kNoKitId;
    state_ = kPlay;
}

void Band::OnTimer(std::uint32_t timerId, std::int32_t lParam) {
    for (Musician& m : musicians_) {
        if (!m.anim.anim) continue;
        AnimInvalidate(&m.anim);
        AnimStepLoop(&m.anim);
        AnimInvalidate(&m.anim);
    }
    runState(conductor_.Tick());
    Activity::OnTimer(timerId, lParam);
}

void Band::runState(ClipState conductor) {
    switch (state_) {
    case kIntro:
        PlayIntro();
        state_ = kIntroVoice;
        break;
    case kIntroVoice:
    case kVoice:
        if (voice_.TakeEndState() == ClipState::playing) break;
        gLastHoveredActor = kNoKitId;
        state_ = kPlay;
        SetInteractive(1, nullptr);
        break;
    case kGoodbye:
        if (goodbye_.Tick() != ClipState::playing) state_ = kLeave;
        break;
    case kNoMusicStart:
    case kMusicStart:
        startConductor(state_ == kMusicStart ? kMusicAnim : kNoMusicAnim, AnimClip::once, 1);
        ++state_;
        break;
    case kNoMusicReaction:
        if (conductor != ClipState::playing) commonEnd();
        break;
    case kMusicReaction:
        if (conductor == ClipState::playing) break;
        gPickerCompletion[kChoiceBand] = 1;
        setUpSong();
        commonEnd();
        break;
    case kLeave:
        KitPost(kAppCommand, kSceneExitCommand);
        break;
    default:
        break;
    }
}

std::int32_t Band::OnCommand(std::uint32_t commandId) {
    if (commandId >= kFirstMusician && commandId < kFirstMusician + kMusicians) {
        if (state_ == kVoice) {
            voice_.Stop();
            state_ = kPlay;
        }
        if (state_ == kPlay) {
            toggle(static_cast<int>(commandId - kFirstMusician));
            return 1;
        }
    } else if (commandId == kConductor && state_ == kPlay) {
        if (madeMusic_) {
            state_ = kMusicStart;
            ActorSetActive(helpButton_.Id(), 0);
            stopAll();
        } else {
            state_ = kNoMusicStart;
            for (int i = 0; i < kMusicians; ++i) {
                if (musicians_[i].playing) toggle(i);
            }
        }
        return 1;
    }
    return Activity::OnCommand(commandId);
}

// A key touches a random musician.
std::int32_t Band::OnKey() {
    KitPost(kAppCommand, static_cast<std::uint32_t>(RandRange(kFirstMusician, kFirstMusician + kMusicians)));
    return 1;
}

std::int32_t Band::OnMouseUp(Point point) {
    if (state_ == kIntroVoice || state_ == kVoice) {
        voice_.Stop();
    } else if (state_ == kGoodbye) {
        goodbye_.Stop();
        state_ = kLeave;
    } else if (state_ == kNoMusicReaction) {
        conductor_.Close();
    }
    return Activity::OnMouseUp(point);
}

void Band::PlayHelp() {
    state_ = kVoice;
    Activity::PlayHelp();
}

void Band::PlayIdlePrompt() {
    state_ = kVoice;
    Activity::PlayIdlePrompt();
}

void Band::Exit() {
    stopAll();
    if (goodbyeShown) {
        Activity::Exit();
        return;
    }
    if (state_ == kMusicReaction) {
        conductor_.Close();
        ActorSetActive(kConductor, 0);
        SpriteShow(kConductorResting);
    }
    goodbyeShown = 1;
    goodbye_.PlaySequence(kGoodbyeAnims, 4);
    state_ = kGoodbye;
    SetInteractive(0, nullptr);
}

void Band::Draw(const Rect& rect) {
    BackdropDrawMain(&rect);
    for (const int i : kDrawOrder) {
        const Musician& m = musicians_[i];
        SpriteDraw(static_cast<std::int16_t>((m.playing ? kPlayingSprite : kIdleSprite) + i), &rect);
        m.button.Draw(rect);
        if (m.playing) AnimDraw(&m.anim, &rect);
    }
    SpriteDraw(kConductorResting, &rect);
    SpriteDraw(kConductorConducting, &rect);
    conductorButton_.Draw(rect);
    conductor_.Draw(&rect);
    exitButton_.Draw(rect);
    helpButton_.Draw(rect);
    if (state_ == kGoodbye) goodbye_.Draw(&rect);
    pointer_.Draw(&rect);
}

// The Intro's steps, its picture timer and the film.
#include "IntroScene.h"

#include "AppModule.h"
#include "Backdrop.h"
#include "DisplayPalette.h"
#include "DisplayWindow.h"
#include "ModuleProcs.h"
#include "SndChannel.h"
#include "SndPlay.h"
#include "SndPlayControl.h"
#include "Timer.h"
#include "Update.h"

namespace {

constexpr std::uint16_t kFirstPicture = 750;
constexpr std::uint16_t kSecondPicture = 800;
constexpr std::uint16_t kFilm = 700;  // the 'SMF' and its sound track
constexpr std::uint16_t kPictureTimer = 700;
constexpr std::uint16_t kPictureTime = 3000;
constexpr std::uint16_t kTiles = 8;
constexpr std::int16_t kFilmPriority = static_cast<std::int16_t>(0x8001);

// The step machine: each waiting state is moved on by the picture timer.
enum : std::uint32_t {
    kStart, kFirstShown, kShowSecond, kSecondShown, kStartFilm, kFilmStarting, kFilmRunning
};

}  // namespace

IntroScene::IntroScene() {
    resources_ = ResOpenFile("Intro");
}

IntroScene::~IntroScene() {
    cleanUp();
    ResCloseFile(&resources_);
    TimerKill(DisplayGetWindow(), kPictureTimer);
}

void IntroScene::Step() {
    switch (state_) {
    case kStart:
        showPicture(kFirstPicture);
        UpdateSetTransition(1);
        UpdateInvalRect(&screenRect_);
        UpdateFlush();
        TimerSet(DisplayGetWindow(), kPictureTimer, kPictureTime);
        state_ = kFirstShown;
        break;
    case kShowSecond:
        RevealScene();
        showPicture(kSecondPicture);
        state_ = kSecondShown;
        break;
    case kStartFilm:
        RevealScene();
        if (backdrop_) BackdropFree(backdrop_);
        backdrop_ = 0;
        startStream();
        state_ = kFilmStarting;
        break;
    case kFilmStarting:
        SmfService(player_);
        SndResume(static_cast<std::int16_t>(channel_));
        SmfSetChannel(player_, static_cast<std::int16_t>(channel_));
        state_ = kFilmRunning;
        break;
    case kFilmRunning:
        SmfService(player_);
        break;
    default:
        break;
    }
    UpdateFlush();
}

// The palette of the 'DIB' and the 'XPK' of the same id as 8 x 8 tiles, in place of the picture shown.
void IntroScene::showPicture(std::uint16_t id) {
    DisplaySetPaletteFromDib(id);
    if (backdrop_) BackdropFree(backdrop_);
    backdrop_ = BackdropLoad(id, kTiles, kTiles, 0, 0);
}

// The sound track waits paused until the film has been served once.
void IntroScene::startStream() {
    const std::int16_t channel = SndPlayStream(kFilm, kFilmPriority, 1024, 0);
    if (channel >= 0) {
        channel_ = static_cast<std::uint16_t>(channel);
        SndPause(channel);
    }
    FileRef file = 0;
    std::uint32_t offset = 0, size = 0;
    raw_ = ResOpenRaw(resType("SMF"), kFilm, &file, &offset, &size);
    if (raw_) player_ = SmfOpen(file, offset);
    if (!player_) return;
    const Point at{static_cast<std::int16_t>((screenRect_.right - screenRect_.left - SmfGetWidth(player_)) / 2),
                   static_cast<std::int16_t>((screenRect_.bottom - screenRect_.top - SmfGetHeight(player_)) / 2)};
    SmfSetPosition(player_, at);
    SmfService(player_);
    SmfStart(player_);
}

void IntroScene::OnTimer(std::uint32_t timerId, std::int32_t) {
    if (timerId == kPictureTimer && (state_ == kFirstShown || state_ == kSecondShown)) ++state_;
    if (player_ && SmfIsDone(player_)) leave();
}

std::int32_t IntroScene::OnMouseDown(Point) {
    leave();
    return 1;
}

std::int32_t IntroScene::OnKey() {
    leave();
    return 1;
}

// The scene is deleted after the switch; nothing touches it afterwards.
void IntroScene::leave() {
    RevealScene();
    cleanUp();
    AppSetModule(DisplayGetWindow(), PickerModuleProc, 0);
}

void IntroScene::Draw(const Rect& rect) {
    if (backdrop_) BackdropDraw(backdrop_, &rect);
    else if (player_) SmfDrawFrame(player_, &rect);
}

void IntroScene::cleanUp() {
    if (backdrop_) BackdropFree(backdrop_);
    backdrop_ = 0;
    if (raw_) ResCloseRaw(raw_);
    raw_ = 0;
    SmfClose(&player_);
    if (channel_ != 0xFFFF) SndChannelStop(static_cast<std::int16_t>(channel_));
    channel_ = 0xFFFF;
}

// The slide show.
#include "SlideShowScene.h"

#include "AppModule.h"
#include "Backdrop.h"
#include "DisplayWindow.h"
#include "KitGlobals.h"
#include "Timer.h"
#include "Update.h"

namespace {

constexpr std::uint16_t kFirstPicture = 7530;
constexpr std::uint16_t kPictures = 3;
constexpr std::uint16_t kTimer = 7500;
constexpr std::uint16_t kPictureTime = 5000;
constexpr std::uint16_t kTiles = 8;
constexpr std::int16_t kTransition = 1;

}  // namespace

SlideShowScene::SlideShowScene() : pointer_(kKitHoverAnim, kKitPointerXpk, 0, 0) {
    UpdateSetTransition(kTransition);
    FillWindow();
    FillOffscreen();
    nextPicture();
    TimerSet(DisplayGetWindow(), kTimer, kPictureTime);
}

SlideShowScene::~SlideShowScene() {
    if (backdrop_) BackdropFree(backdrop_);
    TimerKill(DisplayGetWindow(), kTimer);
}

// After the third picture the module ends, which deletes this scene before the call returns.
void SlideShowScene::nextPicture() {
    if (counter_ == kPictures) {
        AppPopModule(DisplayGetWindow(), 0);
        return;
    }
    if (backdrop_) BackdropFree(backdrop_);
    const std::uint32_t cached = BackdropSetCached(0);
    backdrop_ = BackdropLoad(static_cast<std::uint16_t>(kFirstPicture + counter_), kTiles, kTiles, 0, 0);
    BackdropSetCached(cached);
    shown_ = 1;
    UpdateInvalRect(&screenRect_);
    ++counter_;
}

void SlideShowScene::OnTimer(std::uint32_t timerId, std::int32_t) {
    if (timerId == kTimer) nextPicture();
}

std::int32_t SlideShowScene::OnMouseDown(Point) {
    AppPopModule(DisplayGetWindow(), 0);
    return 1;
}

void SlideShowScene::Draw(const Rect& rect) {
    UpdateSetTransition(kTransition);
    if (shown_) BackdropDraw(backdrop_, &rect);
}

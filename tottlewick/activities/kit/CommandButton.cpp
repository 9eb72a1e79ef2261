// The command buttons and their table's mouse tracking.
#include "CommandButton.h"

#include "AppBindings.h"
#include "HoverPointer.h"
#include "KitGlobals.h"
#include "SndPlay.h"
#include "SndSample.h"
#include "Update.h"

namespace {

constexpr std::int16_t kClickPriority = -32767;
constexpr std::uint16_t kFullVolume = 1024;

bool onScreen(Point point) {
    return point.h >= 0 && point.h < 640 && point.v >= 0 && point.v < 480;
}

std::uint32_t packed(Point point) {
    return PointPack(point.h, point.v);
}

}  // namespace

CommandButton::CommandButton() {
    if (!gClickSample) gClickSample = SndLoadSample(kKitClickSound);
}

CommandButton::~CommandButton() {
    KitUnregister(gButtons, this);
}

void CommandButton::Register(const void* owner, std::uint16_t clickOnly, std::uint16_t hoverWait) {
    owner_ = owner;
    clickOnly_ = clickOnly;
    hoverWait_ = hoverWait;
    KitRegister(gButtons, this);
}

void CommandButton::Remove() {
    KitUnregister(gButtons, this);
    ActorButton::Remove();
}

// Click-only buttons and a pressed one ignore the hover; a plain button fires at a touch.
void CommandButton::Hover(std::int16_t on) {
    if (clickOnly_ || ActorIsPressed(Id()) == 1) return;
    if (!hoverWait_) {
        if (on) Fire();
        return;
    }
    if (!gCurrentPointer) return;
    if (on) gCurrentPointer->StartHover(Id());
    else gCurrentPointer->StopHover();
}

void CommandButton::Fire() {
    if (hoverWait_ && gCurrentPointer) {
        gCurrentPointer->StopHover();
        gCurrentPointer->Invalidate();
    }
    if (clickSound_ && gClickSample) {
        SetPressedLook(1);
        UpdateFlush();  // the pressed look shows while the click sounds
        SndPlaySampleSync(gClickSample, kClickPriority, kFullVolume, 0);
        SetPressedLook(0);
    }
    KitPost(kAppCommand, Id());
}

CommandButton* CommandButton::ButtonFind(std::int32_t actorId) {
    if (actorId == kNoKitId) return nullptr;
    for (CommandButton* button : gButtons) {
        if (button && static_cast<std::int32_t>(button->Id()) == actorId) return button;
    }
    return nullptr;
}

// Passing straight from one button to another tells only the new one.
void CommandButton::ButtonsTrackMouse(Point point) {
    if (!onScreen(point)) return;
    const std::int32_t id = ActorTrackMouse(packed(point));
    if (id != gLastHoveredActor) {
        if (id == kNoKitId) {
            if (CommandButton* last = ButtonFind(gLastHoveredActor)) last->Hover(0);
        } else if (CommandButton* next = ButtonFind(id)) {
            next->Hover(1);
        }
    }
    gLastHoveredActor = id;
}

std::int32_t CommandButton::ButtonsMouseDown(Point point) {
    return ActorMouseDown(packed(point));
}

void CommandButton::ButtonsMouseUp(Point point) {
    CommandButton* button = ButtonFind(ActorMouseUp(packed(point)));
    if (button && (button->hoverWait_ || button->clickOnly_)) button->Fire();
}

// The horn's pictures follow its core: the horn's own animation, or the crash animation while the
// out-of-fuel sequence runs.
#include "PXKHorn.h"

#include <string>

#include "DescriptorFile.h"
#include "OMSystemUtilities.h"
#include "OMTrinketWindow.h"
#include "PXKPictures.h"

namespace {

constexpr std::uint32_t kSpace = 32;
constexpr std::uint32_t kEnter = 0xE802;

std::unique_ptr<OMLink> copyOf(const OMLink* link) { return std::unique_ptr<OMLink>(link ? link->clone() : nullptr); }

std::int32_t hornId() {
    const DescriptorFile* descriptor = currentDescriptorFile();
    return descriptor ? descriptor->intParam("Horn", 1) : 0;
}

}  // namespace

PXKHorn::PXKHorn(const OMLink* pressed, const OMLink* outOfFuel, const OMLink* sound, OMTrinketWindow* owner)
    : OMTrinket(owner, kRedrawRegion),
      pressed_(copyOf(pressed)),
      outOfFuel_(copyOf(outOfFuel)),
      sound_(copyOf(sound)),
      core_([this] { invokeLink(pressed_.get()); }, [this] { invokeLink(outOfFuel_.get()); },
            [this](std::int32_t id) {
                const std::string text = std::to_string(id);
                if (sound_) sound_->invokeWith(reinterpret_cast<OMArg>(text.c_str()));
            }),
      horn_(loadPicture(hornId(), 161, 346, window, false)) {
    if (horn_) {
        horn_->restart();
        horn_->pause();
        setBounds(horn_->getBounds());
    }
    setMovable(0);
    captureMouse();
}

PXKHorn::~PXKHorn() {
    if (isCaptureTrinket()) releaseCapture();
}

// The horn holds the capture for the whole race, so the window's keys come here: Space and Enter press it,
// every other key goes on.
void PXKHorn::onKey() {
    const auto key = static_cast<std::uint32_t>(currentMessageWParam());
    if (key == kSpace || key == kEnter) return press();
    passKeyOn();
}

void PXKHorn::press() {
    if (touchy && core_.press(ticks60())) showState();
}

void PXKHorn::startBlink() { core_.startBlink(ticks60()); }

void PXKHorn::startCrash() { core_.startCrash(ticks60()); }

void PXKHorn::tick() {
    if (core_.tick(ticks60())) showState();
}

// The crash animation lives from the first step of the sequence to its end; the horn hides meanwhile.
void PXKHorn::showState() {
    const std::int32_t crash = core_.crashPosition();
    if (crash != 0 && !crash_) {
        crash_ = loadPicture(13257, 161, 345, window, false);
        if (horn_) horn_->hide();
    } else if (crash == 0 && crash_) {
        crash_.reset();
        if (horn_) horn_->show();
    }
    showPosition(crash_.get(), crash);
    showPosition(horn_.get(), core_.position());
}

// Clocks, the current message, input state, display facts, alerts and the simple sound call.
#include "OMSystemUtilities.h"

#include <mmsystem.h>

#include <cstdio>
#include <memory>

#include "OMAlert.h"
#include "OMApp.h"
#include "OMAppInitTerm.h"
#include "OMPrivateKeys.h"
#include "OMRes.h"
#include "OMWindow.h"

namespace {

std::uint32_t systemTime() { return timeGetTime(); }

OMClockSource clockSource = systemTime;
MSG currentMessage{};
std::unique_ptr<OMRes> playingWaveResource;

OMAppInitTerm systemUtilitiesRecord{nullptr, [] { stopWaveResource(); }};

struct SystemUtilitiesRegistration {
    SystemUtilitiesRegistration() { registerInitTerm(&systemUtilitiesRecord); }
} systemUtilitiesRegistration;

bool isDownNow(int virtualKey) { return GetAsyncKeyState(virtualKey) < 0; }

void dropMessages(UINT first, UINT last) {
    MSG dropped;
    while (PeekMessageA(&dropped, nullptr, first, last, PM_REMOVE | PM_NOYIELD)) {}
}

int messageBoxAlert(const char* text, unsigned flags, const char* title) {
    return MessageBoxA(theApp ? theApp->window : nullptr, text, title, flags);
}

}  // namespace

std::uint32_t ticksMs() { return clockSource(); }

// Extended precision, as the pacing of older code expects: 1000 ms -> 60, 1017 ms -> 61.
std::uint32_t ticks60() {
    const long double ms = ticksMs();
    return static_cast<std::uint32_t>(ms * 60.0L * static_cast<long double>(0.001));
}

OMClockSource setClockSource(OMClockSource source) {
    const OMClockSource previous = clockSource;
    clockSource = source ? source : systemTime;
    return previous;
}

void getCurrentMessage(MSG* out) { *out = currentMessage; }
void setCurrentMessage(const MSG* in) { currentMessage = *in; }
WPARAM currentMessageWParam() { return currentMessage.wParam; }

POINT currentMessagePoint() {
    if (currentMessage.message < WM_MOUSEMOVE || currentMessage.message > WM_MBUTTONDBLCLK) return {0, 0};
    const auto word = static_cast<std::uint32_t>(currentMessage.lParam);
    return {static_cast<std::int16_t>(word & 0xFFFF), static_cast<std::int16_t>(word >> 16)};
}

bool isAltKeyDown() { return GetKeyState(VK_MENU) < 0; }
bool isShiftKeyDown() { return GetKeyState(VK_SHIFT) < 0; }
bool isControlKeyDown() { return GetKeyState(VK_CONTROL) < 0; }
bool isShiftDownNow() { return isDownNow(VK_SHIFT); }
bool isControlDownNow() { return isDownNow(VK_CONTROL); }

bool isCharacterKeyDown(std::uint32_t code) {
    for (const OMPrivateKey* key = kPrivateKeys; key->code; ++key) {
        if (key->code == code) return isDownNow(key->virtualKey);
    }
    const SHORT scan = VkKeyScanA(static_cast<CHAR>(code));
    if (!isDownNow(scan & 0xFF)) return false;
    if (((scan & 0x100) != 0) != isShiftDownNow()) return false;
    return ((scan & 0x200) != 0) == isControlDownNow();
}

POINT cursorPosition(unsigned* buttons) {
    POINT where{0, 0};
    GetCursorPos(&where);
    if (buttons) {
        *buttons = (isDownNow(VK_RBUTTON) ? 1u : 0u) + (isDownNow(VK_MBUTTON) ? 2u : 0u) +
                   (isDownNow(VK_LBUTTON) ? 4u : 0u);
    }
    return where;
}

void flushInput() {
    dropMessages(WM_MOUSEMOVE, WM_MBUTTONDBLCLK);
    dropMessages(WM_NCMOUSEMOVE, WM_NCMBUTTONDBLCLK);
    dropMessages(WM_KEYFIRST, WM_KEYFIRST + 8);
    OMWindow::releaseMouse();
}

OMRect screenBounds(std::int32_t display) {
    if (display >= 2) return kEmptyRect;
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

std::int32_t displayBitsPerPixel(std::int32_t display) {
    if (display >= 2) {
        char device[32];
        std::snprintf(device, sizeof device, "\\\\.\\Display%d", static_cast<int>(display));
        HDC dc = CreateDCA(device, nullptr, nullptr, nullptr);
        if (!dc) return 0;
        const int bits = GetDeviceCaps(dc, BITSPIXEL);
        DeleteDC(dc);
        return bits;
    }
    HDC screen = GetDC(nullptr);
    const int planes = GetDeviceCaps(screen, PLANES);
    const int bits = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    if (planes == 1) return bits;
    return planes == 4 && bits == 1 ? 4 : 0;
}

bool isDisplay8Bit(std::int32_t display) { return displayBitsPerPixel(display) == 8; }

int alertBox(const char* text, unsigned flags, const char* title) {
    return omAlert(text, flags, title ? title : "Alert");
}

void installMessageBoxAlerts() { omSetAlertSink(messageBoxAlert); }

void beep() { MessageBeep(0); }

const char* versionText() { return "3.0 - 3/30/98 12:00"; }

std::int32_t playSound(const char* name, std::int32_t async) {
    stopWaveResource();
    return sndPlaySoundA(name, async ? SND_ASYNC : SND_SYNC) ? 0 : 1;
}

std::int32_t playWaveResource(std::uint16_t id, std::int32_t async) { return playWaveResourceFrom(id, nullptr, async); }

// The resource stays held after a successful play: the system plays from its memory.
std::int32_t playWaveResourceFrom(std::uint16_t id, OMResFile* file, std::int32_t async) {
    stopWaveResource();
    playingWaveResource = std::make_unique<OMRes>(id, "WAVE", file);
    bool played = false;
    if (playingWaveResource->status == kResLoaded) {
        void* data = nullptr;
        if (playingWaveResource->lock(&data) == kResLoaded) {
            played = sndPlaySoundA(static_cast<LPCSTR>(data), SND_MEMORY | (async ? SND_ASYNC : 0)) != 0;
        }
        static_cast<void>(playingWaveResource->unlock());
    }
    if (played) return 0;
    stopWaveResource();
    return 1;
}

std::int32_t stopWaveResource() {
    sndPlaySoundA(nullptr, 0);
    playingWaveResource.reset();
    return 0;
}

// Reading the running program's picture, sounds and actors for the title probe.
#include "ScreenProbe.h"

#include <windows.h>


#include "Actor.h"
#include "Backdrop.h"
#include "Canvas.h"
#include "DibColors.h"
#include "DisplayCanvas.h"
#include "Port.h"
#include "SndCallLog.h"
#include "TitleProbe.h"

namespace probe {
namespace {

constexpr int kWidth = 640, kHeight = 480;
constexpr int kStatic = 10;  // entries 0-9 and 246-255 are the system's

std::vector<std::uint8_t> pixelsOf(Canvas canvas) {
    void* base = nullptr;
    std::int32_t step = 0;
    std::uint16_t depth = 0;
    Rect area{};
    std::vector<std::uint8_t> pixels;
    if (!CanvasLockPixels(canvas, &base, &step, &depth, &area)) return pixels;
    for (int y = 0; y < kHeight; ++y) {
        const auto* row = static_cast<const std::uint8_t*>(base) + static_cast<std::ptrdiff_t>(y) * step;
        pixels.insert(pixels.end(), row, row + kWidth);
    }
    CanvasUnlockPixels(canvas);
    return pixels;
}

// A colour as the palette holds it: pure black becomes (8, 8, 8) and white (247, 247, 247), so that both
// stay only at the static positions.
std::uint32_t palettised(const RGBQUAD& c) {
    if (c.rgbRed == 0 && c.rgbGreen == 0 && c.rgbBlue == 0) return 0x080808;
    if (c.rgbRed > 254 && c.rgbGreen > 254 && c.rgbBlue > 254) return 0xF7F7F7;
    return std::uint32_t{c.rgbRed} << 16 | std::uint32_t{c.rgbGreen} << 8 | c.rgbBlue;
}

std::uint32_t soundId = 0;
std::string soundChannel;  // " ch=N " of the last start of soundId

void logSound(const char* line) {
    const std::string text = std::string(line) + " ";
    if (soundId) {
        if (text.rfind("start id=" + std::to_string(soundId) + " ", 0) == 0) {
            const std::size_t at = text.find(" ch=");
            soundChannel = text.substr(at, text.find(' ', at + 1) - at + 1);
        } else if (text.rfind("stop", 0) != 0 || soundChannel.empty() || text.find(soundChannel) == std::string::npos) {
            return;
        }
    }
    log("snd " + std::string(line));
}

}  // namespace

bool offscreenShows(std::uint16_t xpk, std::uint16_t tiles) {
    Canvas reference = 0;
    if (CanvasCreate(&reference, kWidth | kHeight << 16, kCanvasMemory | kCanvasDepth8) != 1) return false;
    const std::int16_t backdrop = BackdropLoad(xpk, tiles, tiles, 0, 0);
    PortPush(reference);
    const Rect all{0, 0, kWidth, kHeight};
    BackdropDraw(backdrop, &all);
    PortPop();
    BackdropFree(backdrop);
    const bool same = backdrop && pixelsOf(reference) == pixelsOf(DisplayGetOffscreenCanvas());
    CanvasDispose(&reference);
    return same;
}

bool paletteIs(std::uint16_t dib) {
    MemHandle colours = PalLoadDibColors(dib);
    if (!colours) return false;
    const auto* head = static_cast<const DibColorTableHead*>(MemHandleLock(colours));
    const auto* wanted = reinterpret_cast<const RGBQUAD*>(head + 1);
    RGBQUAD held[256] = {};
    const UINT count = GetDIBColorTable(CanvasGetDC(DisplayGetOffscreenCanvas()), 0, 256, held);
    bool same = head->count == 256 && count == 256;
    for (int i = kStatic; same && i < 256 - kStatic; ++i) same = palettised(wanted[i]) == palettised(held[i]);
    MemHandleUnlock(colours);
    MemHandleFree(&colours);
    return same;
}

void logSoundCalls(std::uint32_t onlyId) {
    soundId = onlyId;
    SndSetCallLog(logSound);
}

std::string actorsPresent(const std::vector<std::uint32_t>& ids) {
    std::string present;
    for (std::uint32_t id : ids) {
        if (ActorFindIndex(id) < 0) continue;
        present += (present.empty() ? "" : " ") + std::to_string(id) + (ActorIsActive(id) ? "" : "-");
    }
    return present;
}

}  // namespace probe

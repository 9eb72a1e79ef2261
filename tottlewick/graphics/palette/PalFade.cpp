// Fades. The canvases are switched to a work palette for the fade, the work palette is animated, and at
// the end the canvases return to the palette object they had, which then holds the target colours.
#include "PalFade.h"

#include <initializer_list>

#include "CanvasPalette.h"
#include "Clut.h"
#include "EngineClock.h"
#include "FadeLevel.h"
#include "Palette.h"

namespace {

struct Fade {
    bool active = false;
    Canvas canvas = 0;
    HPALETTE remembered = nullptr;  // the canvas's palette when the fade began
    HPALETTE work = nullptr;
    MemHandle from = 0;
    MemHandle to = 0;
    MemHandle current = 0;
    std::uint16_t first = 0;
    std::uint16_t count = 0;
};

// What the black and colour fades make besides the fade itself, released by their End calls.
struct FadeExtras {
    HPALETTE black = nullptr;
    MemHandle colourClut = 0;
    HPALETTE colourPalette = nullptr;
};

Fade fade;
FadeExtras extras;

bool makeClut(MemHandle* clut, HPALETTE palette) {
    return ClutCreate(clut, kPalEntries) && ClutFromPalette(*clut, palette);
}

// Keeps the static colours at both ends of the palette out of the animated range.
void leaveStaticColors(std::uint16_t* first, std::uint16_t* count) {
    const int half = PalGetStaticCount() / 2;
    int start = *first;
    int length = *count;
    if (start < half) {
        length -= half - start;
        start = half;
    }
    if (start + length > kPalEntries - half) length = kPalEntries - half - start;
    *first = static_cast<std::uint16_t>(start);
    *count = static_cast<std::uint16_t>(length < 0 ? 0 : length);
}

void animate() {
    ClutAccess current(fade.current);
    if (!current || !fade.count) return;
    PALETTEENTRY entries[kPalEntries];
    for (std::uint16_t i = 0; i < fade.count; ++i) {
        const ClutEntry& e = current.entries()[fade.first + i];
        entries[i] = PALETTEENTRY{clutByte(e.red), clutByte(e.green), clutByte(e.blue), PC_RESERVED};
    }
    AnimatePalette(fade.work, fade.first, fade.count, entries);
}

// A CLUT and palette of 256 entries all of one colour.
bool makeColourPalette(std::uint32_t colour) {
    if (!ClutCreate(&extras.colourClut, kPalEntries)) return false;
    {
        ClutAccess table(extras.colourClut);
        for (std::uint16_t i = 0; i < kPalEntries; ++i) {
            table.entries()[i] = ClutEntry{i, clutComponent(colour & 0xFF), clutComponent((colour >> 8) & 0xFF),
                                           clutComponent((colour >> 16) & 0xFF)};
        }
    }
    return PalCreateFromClut(&extras.colourPalette, extras.colourClut) != 0;
}

void releaseColourPalette() {
    PalDelete(&extras.colourPalette);
    ClutFree(&extras.colourClut);
}

}  // namespace

void palFadeRelease() {
    PalFadeEnd();
    PalDelete(&extras.black);
    releaseColourPalette();
}

std::int16_t PalFadeBegin(Canvas canvas, HPALETTE from, HPALETTE to, std::uint16_t first, std::uint16_t count) {
    if (fade.active || !canvas || !from || !to) return 0;
    if (first >= kPalEntries || first + count - 1 >= kPalEntries) return 0;
    const bool made = makeClut(&fade.from, from) && makeClut(&fade.to, to) && makeClut(&fade.current, from) &&
                      PalCreateFromClut(&fade.work, fade.current);
    if (made && CanvasGetKind(canvas) == kCanvasWindow) {
        fade.canvas = canvas;
        fade.first = first;
        fade.count = count;
        leaveStaticColors(&fade.first, &fade.count);
        PalArrangeStatic(&fade.work, 0);
        fade.remembered = CanvasGetPalette(canvas);
        CanvasSwitchPalette(fade.remembered, fade.work, kCanvasFilterAll);
        CanvasRealize(canvas);
        fade.active = true;
        return 1;
    }
    return PalFadeEnd();
}

void PalFadeStep(std::uint16_t level) {
    if (!fade.active) return;
    {
        ClutAccess from(fade.from);
        ClutAccess to(fade.to);
        ClutAccess current(fade.current);
        if (!from || !to || !current) return;
        for (std::uint16_t i = fade.first; i < fade.first + fade.count; ++i) {
            const ClutEntry& f = from.entries()[i];
            const ClutEntry& t = to.entries()[i];
            ClutEntry& c = current.entries()[i];
            c.red = fadeMix(f.red, t.red, level);
            c.green = fadeMix(f.green, t.green, level);
            c.blue = fadeMix(f.blue, t.blue, level);
        }
    }
    animate();
}

void PalFadeRun(std::uint16_t steps, std::uint32_t duration, PalFadeCallback callback) {
    const std::uint32_t start = ClockMilliseconds();
    std::uint16_t last = 0;
    for (std::uint32_t now = start; (now = ClockMilliseconds()) - start < duration;) {
        if (callback && callback() == 0) break;
        const std::uint16_t level = fadeLevelAt(now - start, duration, steps);
        if (level != last) {
            PalFadeStep(level);
            last = level;
        }
    }
    if (last < kFadeFull) PalFadeStep(kFadeFull);
}

std::int16_t PalFadeEnd() {
    if (fade.active) {
        ClutToPalette(fade.remembered, fade.to);
        PalArrangeStatic(&fade.remembered, 0);
        CanvasSwitchPalette(fade.work, fade.remembered, kCanvasFilterAll);
        CanvasRealize(fade.canvas);
    }
    std::int16_t released = 0;
    if (PalDelete(&fade.work)) released = 1;
    for (MemHandle* clut : {&fade.from, &fade.to, &fade.current}) {
        if (ClutFree(clut)) released = 1;
    }
    fade = Fade{};
    return released;
}

std::int16_t PalFadeOutBegin(Canvas canvas) {
    if (fade.active) return 0;
    palFadeRelease();  // what a begin that started no fade left
    if (!PalCreateStock(&extras.black, kPalStockBlack | kPalArrange)) return 0;
    return PalFadeBegin(canvas, CanvasGetPalette(canvas), extras.black, 0, kPalEntries);
}

std::int16_t PalFadeOutEnd() {
    const std::int16_t result = PalFadeEnd();
    PalDelete(&extras.black);
    return result;
}

void PalFadeOut(Canvas canvas, std::uint16_t steps, std::uint32_t duration) {
    PalFadeOutBegin(canvas);
    PalFadeRun(steps, duration, nullptr);
    PalFadeOutEnd();
}

std::int16_t PalFadeInBegin(Canvas canvas) {
    if (fade.active) return 0;
    palFadeRelease();  // what a begin that started no fade left
    if (!PalCreateStock(&extras.black, kPalStockBlack | kPalArrange)) return 0;
    return PalFadeBegin(canvas, extras.black, CanvasGetPalette(canvas), 0, kPalEntries);
}

std::int16_t PalFadeInEnd() { return PalFadeOutEnd(); }

void PalFadeIn(Canvas canvas, std::uint16_t steps, std::uint32_t duration) {
    PalFadeInBegin(canvas);
    PalFadeRun(steps, duration, nullptr);
    PalFadeInEnd();
}

std::int16_t PalFadeToColorBegin(Canvas canvas, std::uint32_t colour) {
    if (fade.active) return 0;
    palFadeRelease();
    if (!makeColourPalette(colour)) {
        releaseColourPalette();
        return 0;
    }
    return PalFadeBegin(canvas, CanvasGetPalette(canvas), extras.colourPalette, 0, kPalEntries);
}

std::int16_t PalFadeToColorEnd() {
    const std::int16_t result = PalFadeEnd();
    releaseColourPalette();
    return result;
}

void PalFadeToColor(Canvas canvas, std::uint32_t colour, std::uint16_t steps, std::uint32_t duration) {
    PalFadeToColorBegin(canvas, colour);
    PalFadeRun(steps, duration, nullptr);
    PalFadeToColorEnd();
}

std::int16_t PalFadeFromColorBegin(Canvas canvas, std::uint32_t colour) {
    if (fade.active) return 0;
    palFadeRelease();
    if (!makeColourPalette(colour)) {
        releaseColourPalette();
        return 0;
    }
    return PalFadeBegin(canvas, extras.colourPalette, CanvasGetPalette(canvas), 0, kPalEntries);
}

std::int16_t PalFadeFromColorEnd() { return PalFadeToColorEnd(); }

void PalFadeFromColor(Canvas canvas, std::uint32_t colour, std::uint16_t steps, std::uint32_t duration) {
    PalFadeFromColorBegin(canvas, colour);
    PalFadeRun(steps, duration, nullptr);
    PalFadeFromColorEnd();
}

// The HatShop activity: the hat canvas coloured through the brush mask, the scribbles of strokes across
// the quarter lines, the coverage check, the tools, the print overlay and the delayed print.
#include "HatShop.h"

#include "AnimSpot.h"
#include "AppBindings.h"
#include "Backdrop.h"
#include "CanvasCopy.h"
#include "DisplayWindow.h"
#include "Draw.h"
#include "EngineClock.h"
#include "KitGlobals.h"
#include "KitSample.h"
#include "OverlayPicture.h"
#include "PickerCompletion.h"
#include "Port.h"
#include "PrintCanvas.h"
#include "Prefs.h"
#include "Rand.h"
#include "SndChannel.h"
#include "SndPlay.h"
#include "SndPlayControl.h"
#include "SndSample.h"
#include "Sprite.h"
#include "Timer.h"
#include "Update.h"
#include "UpdateDisplay.h"

namespace {

constexpr std::uint16_t kArt = 8000;
constexpr std::uint16_t kPointerXpk = 8050;
constexpr std::uint16_t kDesignStep = 100;
constexpr std::uint16_t kOutline = 8100;
constexpr std::uint16_t kFirstScheme = 8101;
constexpr std::int16_t kHatSprite = 8105;
constexpr std::int16_t kFirstDecoration = 8110;
constexpr std::uint32_t kFirstTool = 8120;
constexpr std::uint16_t kToolRollover = 8010;
constexpr std::uint16_t kToolPressed = 8020;
constexpr std::uint32_t kPrintCommand = 8610;
constexpr std::uint16_t kBrushXpk = 8030;
constexpr std::int16_t kPrintingSprite = 8005;
constexpr std::int16_t kOverlay = 8600;
constexpr std::uint16_t kToolSound = 8920;
constexpr std::uint16_t kFirstScribble = 8910;
constexpr std::uint16_t kCheerSound = 8900;
constexpr std::uint16_t kCoverageTimer = 8500;
constexpr std::uint16_t kCoverageEveryMs = 500;
constexpr std::uint16_t kOverlayTimer = 8600;
constexpr std::uint16_t kOverlayMs = 10000;
constexpr std::uint32_t kPrintDelayMs = 3000;
constexpr std::int16_t kBrush = 40;
constexpr std::int16_t kBrushReach = kBrush / 2;
constexpr std::int16_t kKeyStep = 40;
constexpr std::int16_t kSoundPriority = -32767;
constexpr std::uint16_t kNoDesign = 0xFFFF;
constexpr std::uint8_t kPaper = 255;
constexpr char kDocumentName[] = "Tottlewick Hat";
constexpr std::uint16_t kPrintPlacement = 6;
// Where each design's hat lies on the screen, for printing.
constexpr Rect kPrintRects[3] = {{97, 12, 525, 424}, {94, 8, 518, 474}, {102, 5, 518, 434}};

// Kept for the whole run: the hat, the scribble sound's place and direction, the last painted point.
std::uint16_t gDesign = kNoDesign;
std::uint16_t gScribble = 0;
bool gScribbleDown = false;
Point gLastPainted{};

std::uint16_t designed(std::uint32_t id) {
    return static_cast<std::uint16_t>(id + kDesignStep * gDesign);
}

// A sprite at (0, 0) from the bank, left out when the bank is missing.
ShapeBank showSprite(std::int16_t id, std::uint16_t xpkId) {
    const ShapeBank bank = ShapeBankLoad(xpkId);
    if (bank) SpriteCreate(0, bank, 0, id);
    return bank;
}

// A move from a to b crosses c when c lies after a and up to b.
bool crosses(std::int16_t a, std::int16_t b, std::int16_t c) {
    return (a < c && c <= b) || (a > c && c >= b);
}

// The half line of [low, high), and the quarter lines either side of it.
bool crossesQuarters(std::int16_t a, std::int16_t b, std::int16_t low, std::int16_t high) {
    const auto half = static_cast<std::int16_t>(low + (high - low) / 2);
    const auto quarter = static_cast<std::int16_t>(low + (half - low) / 2);
    const auto threeQuarters = static_cast<std::int16_t>(half + quarter - low);
    return crosses(a, b, half) || crosses(a, b, quarter) || crosses(a, b, threeQuarters);
}

// Up to 9, down below 1, and back.
void stepScribble() {
    if (!gScribbleDown) {
        if (++gScribble >= 9) gScribbleDown = true;
    } else if (--gScribble < 1) {
        gScribbleDown = false;
    }
}

std::uint32_t canvasSize(std::int16_t width, std::int16_t height) {
    return static_cast<std::uint32_t>(width) | static_cast<std::uint32_t>(height) << 16;
}

Rect moved(Rect rect, Point by) {
    RectOffset(&rect, by.h, by.v);
    return rect;
}

}  // namespace

std::uint16_t HatShop::Design() {
    return gDesign;
}

HatShop::HatShop() : Activity("HatShop", kArt, kArt, kPointerXpk) {
    if (gDesign == kNoDesign) gDesign = static_cast<std::uint16_t>(RandRange(0, 3));
    for (int i = 0; i < kTools; ++i) {
        tools_[i].Add(kFirstTool + i, designed(kFirstTool + i), static_cast<std::uint16_t>(kToolRollover + i),
                      static_cast<std::uint16_t>(kToolPressed + i), 0, 0, 0);
        tools_[i].Register(this, gPrefClickOnly, 1);
    }
    if (gPrefLevel != 4) {
        printButton_.Add(kPrintCommand, kPrintCommand, kPrintCommand + 1, kPrintCommand + 2, 0, 0, 0);
        printButton_.Register(this, gPrefClickOnly, 1);
        printButtonShown_ = 1;
    }
    toolSample_ = SndLoadSample(kToolSound);
    for (int i = 0; i < kScribbles; ++i) scribbles_[i] = SndLoadSample(static_cast<std::uint16_t>(kFirstScribble + i));
    cheerSample_ = SndLoadSample(kCheerSound);
    for (int i = 0; i < kDecorations; ++i) {
        if (!gPickerCompletion[i]) continue;
        decorations_[i] = showSprite(static_cast<std::int16_t>(kFirstDecoration + i), designed(kFirstDecoration + i));
    }
    showSprite(kHatSprite, designed(kHatSprite));
    colours_ = ShapeBankLoad(designed(kFirstScheme));
    tools_[0].SetPressedLook(1);
    startHatCanvas();
    startBrush();
    introSound_ = 8800;
    helpSound_ = 8810;
    idleSound_ = 8820;
    SetInteractive(0, nullptr);
    StartMusic(8999);
    PlayIntro();
    TimerSet(DisplayGetWindow(), kCoverageTimer, kCoverageEveryMs);
}

HatShop::~HatShop() {
    if (overlayShown_) removeOverlay();
    if (Printing()) SpriteFreeWithBank(kPrintingSprite);
    for (int i = 0; i < kDecorations; ++i) {
        if (decorations_[i]) SpriteDispose(static_cast<std::int16_t>(kFirstDecoration + i));
        ShapeBankFree(&decorations_[i]);
    }
    SpriteFreeWithBank(kHatSprite);
    ShapeBankFree(&colours_);
    const std::uint32_t mask = SndSetChannelMask(0xFFFF);
    SndStopAll();
    SndSetChannelMask(mask);
    SndFreeSample(&toolSample_);
    for (MemHandle& sample : scribbles_) SndFreeSample(&sample);
    SndFreeSample(&cheerSample_);
    CanvasDispose(&hat_);
    CanvasDispose(&brush_);
    TimerKill(DisplayGetWindow(), kCoverageTimer);
    for (CommandButton& tool : tools_) tool.Remove();
    if (printButtonShown_) printButton_.Remove();
}

// The hat canvas holds the backdrop under the colour shape's frame with the uncoloured outline drawn
// over it; a screen point plus the offset is a point of the canvas.
void HatShop::startHatCanvas() {
    Rect frame{};
    ShapeGetFrameRect(&frame, colours_, 0, 0, 0, 0);
    offset_ = Point{static_cast<std::int16_t>(-frame.left), static_cast<std::int16_t>(-frame.top)};
    if (!CanvasCreate(&hat_, canvasSize(RectWidth(&frame), RectHeight(&frame)), kCanvasMemory)) return;
    const Canvas offscreen = updateDisplayOffscreenCanvas();
    PortPush(offscreen);
    BackdropDrawMain(&frame);
    PortPop();
    CanvasCopy(hat_, 0, 0, offscreen, &frame);
    ShapeBank outline = ShapeBankLoad(designed(kOutline));
    PortPush(hat_);
    ShapeDraw(nullptr, outline, 0, offset_.h, offset_.v, 0);
    PortPop();
    ShapeBankFree(&outline);
}

// The brush mask: palette index 0 where the tip is clear.
void HatShop::startBrush() {
    if (!CanvasCreate(&brush_, canvasSize(kBrush, kBrush), kCanvasMemory)) return;
    ShapeBank tip = ShapeBankLoad(kBrushXpk);
    const Rect all{0, 0, kBrush, kBrush};
    PortPush(brush_);
    DrawFillRectIndex(&all, 0);
    ShapeDraw(nullptr, tip, 0, 0, 0, 0);
    PortPop();
    ShapeBankFree(&tip);
}

Rect HatShop::hatRect() const {
    Rect rect{0, 0, CanvasGetWidth(hat_), CanvasGetHeight(hat_)};
    RectOffset(&rect, static_cast<std::int16_t>(-offset_.h), static_cast<std::int16_t>(-offset_.v));
    return rect;
}

// Copies the hat canvas's part of a screen rectangle into the current port.
void HatShop::copyHat(const Rect& screenRect) const {
    const Rect whole = hatRect();
    Rect part{};
    if (!hat_ || !RectIntersect(&part, &whole, &screenRect)) return;
    const Rect source = moved(part, offset_);
    CanvasCopy(PortGet(), part.left, part.top, hat_, &source);
}

void HatShop::PaintAt(Point point) {
    if (finished_ || !hat_) return;
    const Point p{static_cast<std::int16_t>(point.h + offset_.h), static_cast<std::int16_t>(point.v + offset_.v)};
    const Rect clip{static_cast<std::int16_t>(p.h - kBrushReach), static_cast<std::int16_t>(p.v - kBrushReach),
                    static_cast<std::int16_t>(p.h + kBrushReach), static_cast<std::int16_t>(p.v + kBrushReach)};
    PortPush(hat_);
    CanvasSetClip(hat_, &clip);
    ShapeDrawMasked(nullptr, colours_, 0, offset_.h, offset_.v, 0, brush_);
    CanvasSetClip(hat_, nullptr);
    PortPop();
    const Rect dirty = moved(clip, Point{static_cast<std::int16_t>(-offset_.h),
                                         static_cast<std::int16_t>(-offset_.v)});
    UpdateInvalRect(&dirty);
    if (ShapeHitTest(p.h, p.v, colours_, 0, offset_.h, offset_.v, 0)) {
        Rect r{};
        ShapeGetImageRect(&r, colours_, 0, offset_.h, offset_.v, 0);
        const bool counts = crossesQuarters(gLastPainted.h, p.h, r.left, r.right) ||
                            crossesQuarters(gLastPainted.v, p.v, r.top, r.bottom);
        gLastPainted = p;
        if (counts && SndFindFreeChannel() >= 0) {
            const auto soundId = static_cast<std::uint16_t>(kFirstScribble + gScribble);
            KitPlaySample(scribbles_[gScribble], soundId, kSoundPriority);
            stepScribble();
        }
    }
    UpdateFlush();
}

// Matches over all compared pixels of at least 3/4, counted in integers.
void HatShop::CheckCovered() {
    std::uint32_t matches = 0, mismatches = 0;
    if (!ShapeCompare(nullptr, colours_, 0, offset_.h, offset_.v, 0, hat_, &matches, &mismatches)) return;
    const std::uint64_t compared = std::uint64_t{matches} + mismatches;
    if (compared && std::uint64_t{matches} * 4 >= compared * 3) fillHat();
}

void HatShop::fillHat() {
    PortPush(hat_);
    ShapeDraw(nullptr, colours_, 0, offset_.h, offset_.v, 0);
    PortPop();
    ShapeInvalidate(colours_, 0, 0, 0, 0);
    KitPlaySample(cheerSample_, kCheerSound, kSoundPriority);
    finished_ = 1;
    gPickerCompletion[kChoiceHatShop] = 1;
}

// The chosen tool keeps its pressed look, so it cannot be chosen again while it is in use.
void HatShop::chooseTool(int tool) {
    for (int i = 0; i < kTools; ++i) tools_[i].SetPressedLook(static_cast<std::int16_t>(i == tool));
    ShapeBankFree(&colours_);
    colours_ = ShapeBankLoad(designed(kFirstScheme + static_cast<std::uint32_t>(tool)));
    KitPlaySample(toolSample_, kToolSound, kSoundPriority);
    finished_ = 0;
}

// Shown again, the tool in use keeps its pressed look out of reach.
void HatShop::showButtons(std::int16_t on) {
    for (CommandButton& tool : tools_) {
        on ? ActorShow(tool.Id()) : ActorHide(tool.Id());
        if (on && ActorIsPressed(tool.Id())) ActorSetActive(tool.Id(), 0);
    }
    if (printButtonShown_) on ? ActorShow(kPrintCommand) : ActorHide(kPrintCommand);
    ActorSetActive(kSceneExitCommand, on);
    SetInteractive(static_cast<std::uint16_t>(on), nullptr);
}

void HatShop::printStart() {
    showButtons(0);
    showSprite(kPrintingSprite, kPrintingSprite);
    const std::uint32_t now = ClockMilliseconds();
    printStarted_ = now ? now : 1;
}

// The design's rectangle of the offscreen picture: paper, the hat and its decorations.
void HatShop::printHat() {
    SpriteFreeWithBank(kPrintingSprite);
    const Rect& rect = kPrintRects[gDesign];
    const Canvas offscreen = updateDisplayOffscreenCanvas();
    Rect clip{};
    CanvasGetClip(&clip, offscreen);
    PortPush(offscreen);
    CanvasSetClip(offscreen, &rect);
    DrawFillRectIndex(&rect, kPaper);
    copyHat(rect);
    for (int i = 0; i < kDecorations; ++i) SpriteDraw(static_cast<std::int16_t>(kFirstDecoration + i), &rect);
    CanvasSetClip(offscreen, &clip);
    PortPop();
    ImagePrint(offscreen, kDocumentName, &rect, kPrintPlacement);
    // The offscreen picture under the rectangle is the screen's again at the next flush.
    UpdateInvalRect(&rect);
    showButtons(1);
    printStarted_ = 0;
}

void HatShop::removeOverlay() {
    SpriteFreeWithBank(kOverlay);
    TimerKill(DisplayGetWindow(), kOverlayTimer);
    overlayShown_ = 0;
}

void HatShop::OnTimer(std::uint32_t timerId, std::int32_t lParam) {
    Activity::OnTimer(timerId, lParam);
    AnimSpot::AnimSpotsTickAll();
    const ClipState voice = voice_.TakeEndState();
    if (voice == ClipState::stopped || voice == ClipState::ended) SetInteractive(1, nullptr);
    if (Printing() && ClockMilliseconds() - printStarted_ > kPrintDelayMs) printHat();
    if (timerId == kOverlayTimer && overlayShown_) removeOverlay();
    if (timerId == kCoverageTimer && !finished_) CheckCovered();
}

// While printing the mouse neither paints nor tracks the buttons.
std::int32_t HatShop::OnMouseMove(Point point) {
    if (Printing()) return 1;
    Activity::OnMouseMove(point);
    if (colours_) PaintAt(point);
    return 1;
}

std::int32_t HatShop::OnMouseDown(Point point) {
    if (overlayShown_) {
        removeOverlay();
        return 1;
    }
    if (Printing()) return 1;
    return Activity::OnMouseDown(point);
}

std::int32_t HatShop::OnCommand(std::uint32_t commandId) {
    const std::uint32_t tool = commandId - kFirstTool;
    if (tool < kTools) {
        chooseTool(static_cast<int>(tool));
    } else if (commandId == kPrintCommand && !Printing()) {
        if (gPrefLevel == 1 && !(GetKeyState(VK_SHIFT) & 0x8000)) {
            if (!overlayShown_) showSprite(kOverlay, kOverlay);  // hovered again, the one overlay stays
            TimerSet(DisplayGetWindow(), kOverlayTimer, kOverlayMs);
            overlayShown_ = 1;
        } else {
            printStart();
        }
    }
    return Activity::OnCommand(commandId);
}

// A key picks another tool on a filled hat, else paints at a random point of the hat and a few steps on.
std::int32_t HatShop::OnKey() {
    if (finished_) {
        std::uint32_t tool = 0;
        do {
            tool = kFirstTool + static_cast<std::uint32_t>(RandRange(0, kTools));
        } while (ActorIsPressed(tool));
        KitPost(kAppCommand, tool);
        return 1;
    }
    if (!colours_) return 1;
    Rect r{};
    ShapeGetImageRect(&r, colours_, 0, 0, 0, 0);
    Point point{RandRange(r.left, r.right), RandRange(r.top, r.bottom)};
    PaintAt(point);
    for (std::int16_t more = RandRange(0, 6); more > 0; --more) {
        point.h = static_cast<std::int16_t>(point.h + RandRange(-kKeyStep, kKeyStep));
        point.v = static_cast<std::int16_t>(point.v + RandRange(-kKeyStep, kKeyStep));
        PaintAt(point);
    }
    return 1;
}

void HatShop::Draw(const Rect& rect) {
    BackdropDrawMain(&rect);
    copyHat(rect);
    SpriteDrawAll(&rect);
    ActorDrawAll(&rect);
    if (overlayShown_) SpriteDraw(kOverlay, &rect);
    pointer_.Draw(&rect);
}

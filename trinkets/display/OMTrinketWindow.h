// The window every trinket lives on: the z-sorted trinket list, the update task that ticks the trinkets,
// composes the damaged area off screen and presents it, the hit rule, mouse and key dispatch, hover
// tracking, palettes and the frame clock.
#pragma once

#include <windows.h>

#include <cstdint>

#include "OMColorRecord.h"
#include "OMLink.h"
#include "OMList.h"
#include "OMRect.h"
#include "OMRegion.h"
#include "OMWindow.h"

class OMMemCanvas;
class OMTBackground;
class OMTask;
class OMTrinket;

// What activityLink and mouseMoveLink receive (by address): the kind of input and its client point. A key
// leaves the point as it was.
inline constexpr std::int32_t kInputKey = 0;
inline constexpr std::int32_t kInputMouseDown = 1;
inline constexpr std::int32_t kInputMouseUp = 2;
inline constexpr std::int32_t kInputMouseMove = 3;
inline constexpr std::int32_t kInputDblClick = 4;
struct OMTInputRecord {
    std::int32_t kind;
    std::int32_t x;
    std::int32_t y;
};

// Trinkets with z below the floor are neither drawn nor hit.
inline constexpr std::int32_t kLowestZFloor = -32767;

class OMTrinketWindow : public OMWindow {
public:
    // A window of the rectangle's size (frame kind as for OMWindow) with an 8-bit off-screen canvas of the
    // same size; the update task enters the application's task list. Takes the background (may be null).
    OMTrinketWindow(const OMRect* rect, OMTBackground* ground, std::int32_t frameKind, std::int32_t doubleBuffer);
    ~OMTrinketWindow() override;

    void key() override;
    void doubleClick() override;
    void mouseDown() override;
    void mouseMove() override;
    void mouseUp() override;
    // The update pass, run by the update task once per main-loop pass.
    void update() override;

    virtual void paintBackgroundImage();
    virtual void repaint();
    virtual void dispatchMouseDown(POINT point);
    virtual void dispatchMouseUp(POINT point);
    virtual void dispatchMouseMove(POINT point);
    virtual void dispatchDblClick(POINT point);
    virtual void setBackground(OMTBackground* ground);
    virtual void invalidateAll();
    virtual void addPresentRegion(const OMRegion& region);
    virtual void tickTrinkets();
    virtual void composeTrinkets();
    virtual void drawBackgroundStep();
    virtual void present();
    virtual void trackHover(POINT point);

    // Installs a palette in the off-screen canvas, the background and the window. With blackOut on an
    // 8-bit window, the window is first filled black when entries 10-245 change.
    void setPalette(const OMColorRecord* table, std::int32_t blackOut);
    // The sound output stood still for ms milliseconds: the frame clock leaves them out.
    void shiftClock(OMArg ms);
    void setZFloor(std::int32_t floor);
    // Sets (clears) bits in defaultInputMask and in the mask of every trinket of that class name (exactly),
    // or of every trinket when className is null.
    void setInputBits(std::uint32_t bits, const char* className);
    void clearInputBits(std::uint32_t bits, const char* className);
    void clearRegions();
    // With flashTicks set: paints the area on the screen in the flash colour and waits flashTicks sixtieths
    // of a second on the program's clock, so that what a pass draws or copies next can be watched.
    void flash(const OMRegion& area);
    void flash(const OMRect& area);
    static void resetPointer();
    void pickTrinket(POINT point);
    // The topmost trinket that is touchy, visible, takes mouse-downs, lies at or above the z floor and
    // whose hit test holds the point; null when none.
    OMTrinket* trinketAt(POINT point) const;
    // The area is recomposed (and presented) by the next pass.
    void addRedrawRegion(const OMRegion& region);
    std::int32_t bufferCount() const { return doubleBuffered ? 2 : 1; }
    // Widens minZ and maxZ to take z in.
    void noteZ(std::int32_t value);

    std::int32_t doubleBuffered = 0;
    std::int32_t bufferIndex = 0;
    std::int32_t tickMax = 1;
    // Diagnostic: sixtieths of a second that every pass waits after flashing each area it draws or copies.
    std::int32_t flashTicks = 0;
    std::int32_t showCursors = 1;
    std::int32_t needsUpdate = 1;
    std::int32_t drawBackground = 1;
    // Lowest z first; trinkets of equal z in the order they were (re)inserted.
    OMList<OMTrinket> trinkets;
    std::int32_t zFloor = kLowestZFloor;
    OMLink* resumeLink = nullptr;
    std::int32_t frameTime = 0;
    std::int32_t pausedTime = 0;
    OMTask* updateTask = nullptr;
    OMLink* presentedLink = nullptr;
    std::int32_t presentEnabled = 1;
    std::int32_t presentRequested = 0;
    OMRegion presentRegion[2];
    OMRegion redrawRegion[2];
    OMTBackground* background;
    OMMemCanvas* offscreen = nullptr;
    std::int32_t inputDisabled = 0;
    std::int32_t minZ = 0;
    std::int32_t maxZ = 0;
    OMTrinket* pressedTrinket = nullptr;
    // Owned links: invoked with the address of inputRecord.
    OMLink* activityLink = nullptr;
    OMLink* mouseMoveLink = nullptr;
    // Owned phase links of the update pass, in their order.
    OMLink* startLink = nullptr;
    OMLink* preTickLink = nullptr;
    OMLink* postTickLink = nullptr;
    OMLink* preComposeLink = nullptr;
    OMLink* postComposeLink = nullptr;
    OMLink* endLink = nullptr;
    std::uint32_t defaultInputMask = 0;

    // The window on which scripts place their trinkets: the first constructed.
    static OMTrinketWindow* mainTrinketWindow;
    // The trinket under the mouse.
    static OMTrinket* hoverTrinket;
    // Set while "flyOn" or "flyOff" is delivered: hover tracking does not re-enter.
    static std::int32_t hoverGuard;
    // The last mouse-down or mouse-move point.
    static POINT lastPoint;
    static OMTInputRecord inputRecord;

private:
    // Runs the handler of a mouse message: the input record and links, then the dispatch.
    void takeMouse(std::int32_t inputKind, void (OMTrinketWindow::*dispatch)(POINT));
    // The background's link for input outside every trinket, else the window's own handler slot.
    void toBackground(OMLink* OMTBackground::*link, std::uint32_t maskBit, POINT point,
                      OMLink* (OMWindow::*slot)() const);
    // Moves the hover to t: "flyOff" for the old trinket, then "flyOn" and its cursor for t.
    void updateHover(OMTrinket* t);
    void deleteTrinkets();
    void setInputMask(std::uint32_t bits, const char* className, bool on);
    std::int32_t hasChangedColors(const OMColorRecord* table);

    // Set when destruction begins: the trinkets deleted then change no hover and no cursor (the cursors
    // they name may be gone already).
    bool closing = false;
};

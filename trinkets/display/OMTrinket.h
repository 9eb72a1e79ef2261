// The display object base: bounds, z order, the flags scripts see, the dirty bookkeeping of the window's
// update pass, eight listener links, drag confinement, capture and cursors, and the script face shared by
// every trinket.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "OMLink.h"
#include "OMRect.h"
#include "OMRegion.h"
#include "OMScriptableObject.h"

class OMCursor;
class OMTrinketWindow;

// inputMask bits: a set bit switches the thing off.
inline constexpr std::uint32_t kNoMouseDown = 0x1;  // also skipped by the hit test
inline constexpr std::uint32_t kNoMouseUp = 0x2;
inline constexpr std::uint32_t kNoDrag = 0x4;
inline constexpr std::uint32_t kNoDblClick = 0x8;
inline constexpr std::uint32_t kNoKey = 0x20;
inline constexpr std::uint32_t kNoFlyOn = 0x80;
inline constexpr std::uint32_t kNoFlyOff = 0x100;
inline constexpr std::uint32_t kNoTick = 0x200;

// holdState: who holds the mouse for the trinket.
inline constexpr std::int32_t kHeldByPress = 0;
inline constexpr std::int32_t kFree = 1;
inline constexpr std::int32_t kHeldByProgram = 2;
inline constexpr std::int32_t kHeldTrackingHover = 3;

// clipKind: how a partly damaged trinket is redrawn.
inline constexpr std::int32_t kRedrawWhole = 0;
inline constexpr std::int32_t kRedrawBoundingRect = 1;
inline constexpr std::int32_t kRedrawRegion = 2;

// updateMode, per frame buffer.
inline constexpr std::int32_t kClean = 0;
inline constexpr std::int32_t kPartlyDirty = 1;
inline constexpr std::int32_t kWhollyDirty = 2;

// The highest z that setZ stores; the three top layers (setTopLayer) lie above it.
inline constexpr std::int32_t kHighestZ = 32764;

// The attribute indexes of setAttribute.
enum OMTrinketAttribute : std::int32_t {
    kAttributeX,
    kAttributeY,
    kAttributePosition,
    kAttributeZ,
    kAttributeVisible,
    kAttributeMovable,
    kAttributeUserFlag,
    kAttributeTouchy
};

// The region covering a rectangle; empty for a rectangle without area (GDI would turn the empty
// rectangle (0, 0, -1, -1) into one pixel).
OMRegion regionOf(const OMRect& rect);
OMRect offsetRect(const OMRect& rect, std::int32_t dx, std::int32_t dy);
bool rectContains(const OMRect& rect, POINT point);

class OMTrinket : public OMScriptableObject {
public:
    // On the window's list at its sorted place (above trinkets of equal z), wholly dirty.
    OMTrinket(OMTrinketWindow* owner, std::int32_t clip);
    // Every field, clones of the listener links, into the same window's list; not marked dirty.
    OMTrinket(const OMTrinket& other);
    OMTrinket& operator=(const OMTrinket&) = delete;
    ~OMTrinket() override;

    // "left top right bottom" of the bounds.
    void describe(char* buffer, std::size_t size) override;
    void registerProperties() override;

    // The window keeps the largest answer of a tick pass.
    virtual std::int32_t queryOne() { return 1; }
    // 0 from every class: nothing asks more of it.
    virtual std::int32_t queryZero() { return 0; }
    virtual void invalidate();
    virtual void invalidateRegion(const OMRegion& region);
    virtual void showDownCursor();
    virtual void showCursor();
    virtual void setAttribute(std::int32_t index, std::int32_t value, std::int32_t value2);
    // A shared region valid until the next two calls.
    virtual const OMRegion& hitRegion();
    virtual bool hitTest(POINT point);
    virtual bool intersectsRect(const OMRect& rect);
    virtual bool intersectsRegion(const OMRegion& region);
    virtual bool intersects(OMTrinket& other);
    // Whether the two hit regions meet, as intersects tells.
    virtual bool overlaps(OMTrinket& other) { return intersects(other); }
    virtual const OMRect& getBounds() { return bounds; }
    virtual void restack();
    virtual void setX(std::int32_t x) { setAttribute(kAttributeX, x, 0); }
    virtual std::int32_t getX() { return bounds.left; }
    virtual void setY(std::int32_t y) { setAttribute(kAttributeY, y, 0); }
    virtual std::int32_t getY() { return bounds.top; }
    virtual void place(std::int32_t x, std::int32_t y) { setAttribute(kAttributePosition, x, y); }
    virtual void getPosition(std::int32_t& x, std::int32_t& y);
    virtual void setZ(std::int32_t value) { setAttribute(kAttributeZ, value, 0); }
    virtual std::int32_t getZ() { return z; }
    virtual void bringToFront();
    virtual void sendToBack();
    virtual void setVisible(std::int32_t v) { setAttribute(kAttributeVisible, v, 0); }
    virtual std::int32_t isVisible() { return visible; }
    virtual void setMovable(std::int32_t v) { setAttribute(kAttributeMovable, v, 0); }
    virtual std::int32_t isMovable() { return movable; }
    virtual void setUserFlag(std::int32_t v) { setAttribute(kAttributeUserFlag, v, 0); }
    virtual std::int32_t getUserFlag() { return userFlag; }
    virtual void setTouchy(std::int32_t v) { setAttribute(kAttributeTouchy, v, 0); }
    virtual std::int32_t isTouchy() { return touchy; }
    virtual void show() { setAttribute(kAttributeVisible, 1, 0); }
    virtual void hide() { setAttribute(kAttributeVisible, 0, 0); }
    virtual void enableMove() { setAttribute(kAttributeMovable, 1, 0); }
    virtual void disableMove() { setAttribute(kAttributeMovable, 0, 0); }
    virtual void raiseUserFlag() { setAttribute(kAttributeUserFlag, 1, 0); }
    virtual void lowerUserFlag() { setAttribute(kAttributeUserFlag, 0, 0); }
    // Input hooks: each invokes its listener link when one is set.
    virtual void onFlyOn() { invokeLink(flyOnLink); }
    virtual void onFlyOff() { invokeLink(flyOffLink); }
    virtual void onKey() { invokeLink(keyLink); }
    virtual void onMouseDown() { invokeLink(mouseDownLink); }
    virtual void onMouseUp() { invokeLink(mouseUpLink); }
    virtual void onDrag() { invokeLink(dragLink); }
    virtual void onDblClick() { invokeLink(dblClickLink); }
    virtual void snapToGrid();
    // A move confined to the corral; dx and dy come back as applied.
    virtual void offsetBy(std::int32_t& dx, std::int32_t& dy);
    void offsetByBase(std::int32_t& dx, std::int32_t& dy) { OMTrinket::offsetBy(dx, dy); }
    virtual void invalidateAll();
    virtual void setDirty(const OMRegion& region);
    virtual void addDirty(const OMRegion& region);
    virtual void refreshHover();
    virtual void setBounds(const OMRect& rect);
    void setBounds(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
        setBounds(OMRect{left, top, right, bottom});
    }
    virtual void assignDirtyRegion(const OMRegion& region);
    virtual void unionDirtyRegion(const OMRegion& region);
    virtual void setUpdateMode(std::int32_t mode);
    virtual void tick() {}
    // Paints the trinket at its bounds into the window's off-screen canvas (clipped when asked).
    virtual void draw() = 0;
    virtual void constrainOffset(std::int32_t& dx, std::int32_t& dy);
    virtual void showDefaultCursor();
    // The trinket's share of the window's compose pass.
    virtual void compose();

    void captureMouse();
    void releaseCapture();
    // A key the capture holder has no use for goes on to the window's key handler, as when nothing holds
    // the capture, so that the script's keyboard input still hears it (Esc leaves a screen).
    void passKeyOn();
    static OMTrinket* captureTrinket() { return capture; }
    bool isCaptureTrinket() const { return capture == this; }
    void holdMouse(std::int32_t on, std::int32_t trackHover);
    // Layers 0-2 give z 32765-32767, above every z a script can set.
    void setTopLayer(std::int32_t layer);
    std::int32_t indexInWindow() const;

    // Class-wide defaults, set once by the application.
    static std::int32_t defaultVisible;
    static OMCursor* defaultCursor;
    static OMCursor* defaultDownCursor;
    static OMCursor* noTrinketCursor;
    // Also shows the cursor on the main trinket window when it is showing trinket cursors.
    static void setNoTrinketCursor(OMCursor* shown);

    std::int32_t clipKind;
    std::int32_t updateMode[2] = {kClean, kClean};
    OMRegion dirtyRegion[2];
    OMTrinketWindow* window;
    std::int32_t holdState = kFree;
    std::uint32_t inputMask;
    std::int32_t isCorralled = 1;
    OMRect snapArea = kEmptyRect;
    OMRect bounds = kEmptyRect;
    std::int32_t z = 0;
    std::int32_t tag = 0;
    OMRect corralRect;
    std::int32_t touchy = 1;
    std::int32_t gridX = 0;
    std::int32_t gridY = 0;
    std::int32_t gridOriginX = 0;
    std::int32_t gridOriginY = 0;
    std::int32_t overshootX = 0;
    std::int32_t overshootY = 0;
    std::int32_t visible;
    std::int32_t movable = 1;
    std::int32_t userFlag = 0;
    // Owned listener links, invoked without argument by the input hooks.
    OMLink* mouseDownLink = nullptr;
    OMLink* mouseUpLink = nullptr;
    OMLink* dragLink = nullptr;
    OMLink* dblClickLink = nullptr;
    OMLink* keyLink = nullptr;
    OMLink* captureLostLink = nullptr;
    OMLink* flyOnLink = nullptr;
    OMLink* flyOffLink = nullptr;
    // Not owned.
    OMCursor* cursor;
    OMCursor* downCursor;

protected:
    static void invokeLink(OMLink* link) {
        if (link) link->invoke();
    }
    // The buffers a change applies to: 1, or 2 when the window is double-buffered.
    std::int32_t bufferCount() const;
    void setWindowCursor(OMCursor* shown);

private:
    // How compose redraws the trinket in one frame buffer.
    enum class Redraw { none, whole, clipped };
    Redraw redrawFor(std::int32_t b, const OMRegion& present);
    void noteDamage(std::int32_t b, const OMRegion& damaged);
    // Takes the trinket out of the window's list and inserts it again at its sorted place, wholly dirty.
    void resort();
    // Moves the bounds (unless empty) after invalidating the old area.
    void moveBy(std::int32_t dx, std::int32_t dy);
    void setZAttribute(std::int32_t value);
    void setVisibleAttribute(std::int32_t value);
    void setTouchyAttribute(std::int32_t value);
    static std::int32_t confineAxis(std::int32_t position, std::int32_t delta, std::int32_t size, std::int32_t low,
                                    std::int32_t high, std::int32_t& overshoot);

    // Script face.
    void placeVerb();
    void offsetVerb();
    void setXText(OMArg text);
    void getXText(OMArg buffer);
    void setYText(OMArg text);
    void getYText(OMArg buffer);
    void setVisibleText(OMArg text);
    void getVisibleText(OMArg buffer);
    void setMovableText(OMArg text);
    void getMovableText(OMArg buffer);
    void setZText(OMArg text);
    void getZText(OMArg buffer);
    void setTouchyText(OMArg text);
    void getTouchyText(OMArg buffer);
    void setTagText(OMArg text);
    void getTagText(OMArg buffer);

    static OMTrinket* capture;
};

// Text values of script properties: the integer read by the standard conversion, written as "%d".
std::int32_t integerOf(OMArg text);
void writeInteger(OMArg buffer, std::int32_t value);

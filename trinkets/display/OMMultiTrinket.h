// A group of trinkets that move, show and stack as one and report their children's input as their own.
#pragma once

#include <cstdint>
#include <string>

#include "OMList.h"
#include "OMSR.h"
#include "OMTrinket.h"

// One child of a group.
struct TrinketRecord {
    // Non-zero: the group deletes the child when it lets it go.
    std::int32_t owned;
    OMTrinket* child;
    // The child's z is the group's z plus this.
    std::int32_t zOffset;
    // Chosen by the caller; several children may share one.
    std::int32_t id;
};

// The group draws nothing: each child is an ordinary trinket of the window and draws itself. The group's
// bounds are the union of its children's, and its hit test that of its visible children.
class OMMultiTrinket : public OMTrinket {
public:
    OMMultiTrinket(OMTrinketWindow* owner, std::int32_t clip);
    // Lets every child go, then tells the class-wide death hook.
    ~OMMultiTrinket() override;

    // Groups are not copied.
    OMScriptableObject* clone() override { return nullptr; }
    void registerProperties() override;
    // Applies to the group, then to every child (z plus the child's offset).
    void setAttribute(std::int32_t index, std::int32_t value, std::int32_t value2) override;
    const OMRegion& hitRegion() override;
    bool hitTest(POINT point) override;
    // Moves of the group go through offsetBy, so they are confined when it is corralled.
    void setX(std::int32_t x) override;
    void setY(std::int32_t y) override;
    void place(std::int32_t x, std::int32_t y) override;
    void show() override;
    void hide() override;
    void enableMove() override;
    void disableMove() override;
    void raiseUserFlag() override;
    void lowerUserFlag() override;
    void offsetBy(std::int32_t& dx, std::int32_t& dy) override;
    void draw() override {}

    // Takes the child in: z, flags, corral and grid from the group, input relayed to the group.
    void addTrinket(OMTrinket* child, std::int32_t zOffset, std::int32_t id, std::int32_t owned);
    void removeTrinket(std::int32_t id);
    void removeChild(OMTrinket* child);
    void removeAll();
    // Lets go of every child that the group does not own, leaving it in place.
    void releaseUnowned();
    OMTrinket* getTrinket(std::int32_t id) const;
    std::int32_t getZOffset(std::int32_t id) const;
    std::int32_t getChildZOffset(const OMTrinket* child) const;
    void setZOffset(std::int32_t id, std::int32_t zOffset);
    void setChildZOffset(OMTrinket* child, std::int32_t zOffset);
    void setCursor(OMCursor* shown);
    void setDownCursor(OMCursor* shown);
    // The bounds become the union of the children's non-empty bounds (the empty rectangle without any).
    void updateBounds();

    // The class-wide hook invoked with every group being destroyed (the application's death notifier).
    static void setDeathHook(const OMLink* link);
    static OMLink* deathHook();

    std::string userData;
    // Owned records, in the order added.
    OMList<TrinketRecord> children;
    // The mouse at the last press on a child or the last group drag step.
    POINT dragPoint = {0, 0};

    // The class's registry record ("OMMultiTrinket"); referring to it links the class into a program.
    static OMSR classRecord;
    // Relays in progress, and the groups destroyed meanwhile (emptied when the depth returns to 0).
    static std::int32_t dispatchDepth;
    static OMList<OMMultiTrinket>& destroyedDuringDispatch();

private:
    // Each method on every child, after the group itself.
    void forEachChild(void (OMTrinket::*method)());
    TrinketRecord* recordOf(const OMTrinket* child) const;
    TrinketRecord* recordWithId(std::int32_t id) const;
    void detachChild(TrinketRecord* record);
    // The relays installed on children.
    void relayMouseDown();
    void relayMouseUp();
    void relayFlyOff();
    void relayFlyOn();
    void relayDblClick();
    void relayDrag(OMArg child);
    // Raises the event (unless maskBit is set in the group's mask), then, unless a handler destroyed the
    // group, runs after() and invokes the group's link.
    void relayEvent(const char* event, std::uint32_t maskBit, OMLink* OMTrinket::*link,
                    void (OMMultiTrinket::*after)());
    void notePressPoint();
    static void enterRelay() { ++dispatchDepth; }
    static void leaveRelay();
    // The death-interest callback of children added by the verb: the dying child leaves the list.
    void childDestroyed(OMArg child);
    // True when t is this group or lies anywhere inside it.
    bool holds(const OMTrinket* t) const;

    void addTrinketVerb();
    void removeTrinketsVerb();
    void getHeight(OMArg buffer);
    void setCorralledText(OMArg text);
    void getCorralledText(OMArg buffer);
    void setUserDataText(OMArg text);
    void getUserDataText(OMArg buffer);
    void getWidth(OMArg buffer);
};

// The animation scripts make by name: a frame notification (the event "frameNotify" and a link), free
// text userData, control verbs, painting into the background, palette entry replacement and cursors.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "OMAnimation.h"

class OMCursor;

class RAnimation : public OMAnimation {
public:
    // Finds a cursor by id for setAOCursor.
    using CursorHook = OMCursor* (*)(std::int32_t id);

    // As an OMAnimation; never confined to the corral, with the class's default cursors and no frame
    // notification or userData (a copy takes neither from its original).
    RAnimation(OMTrinketWindow* owner, OMIStream* stream, std::int32_t x, std::int32_t y);
    RAnimation(OMTrinketWindow* owner, OMRes* resource, std::int32_t x, std::int32_t y);
    RAnimation(const RAnimation& other);
    ~RAnimation() override;

    // Script animations are not copied.
    OMScriptableObject* clone() override { return nullptr; }
    void registerProperties() override;

    // Mode 1 notifies on every frame entry reached; any other mode notifies nothing. The link (or none)
    // is called with the animation after the event.
    void setFrameNotification(std::int32_t mode, const OMLink* link);
    std::int32_t frameNotification() const { return notification; }

    std::string userData;

    // Replaces the class-wide link called with every script animation being destroyed (null: none).
    static void setDeathHook(const OMLink* link);
    static OMLink* getDeathHook();
    static CursorHook cursorHook;
    static OMCursor* defaultCursor;
    static OMCursor* defaultDownCursor;
    // The class's registry record ("RAnimation"); referring to it links the class into a program.
    static OMSR classRecord;

private:
    // What every constructor does after the OMAnimation part.
    void setUp();
    void notifyFrame();
    void paintVerb();
    void replacePaletteEntryVerb();
    void setAOCursorVerb();
    void hideVerb() { setVisible(0); }
    void showVerb() { setVisible(1); }
    void pauseVerb() { pause(); }
    void playVerb() { play(); }
    void resumeVerb() { resume(); }
    void suspendVerb() { suspend(); }
    void getFrameCount(OMArg buffer);
    void getFrameNotification(OMArg buffer);
    void setFrameNotificationText(OMArg text);
    void getFramerate(OMArg buffer);
    void setFramerate(OMArg text);
    void getHeight(OMArg buffer);
    void getWidth(OMArg buffer);
    void getRepeatCount(OMArg buffer);
    void setRepeatCountText(OMArg text);
    void getSoundSync(OMArg buffer);
    void setSoundSync(OMArg text);
    void getUserData(OMArg buffer);
    void setUserData(OMArg text);

    std::int32_t notification = 0;
    std::unique_ptr<OMLink> frameLink;

    // Notifications running, and the animations destroyed meanwhile (only compared, never touched).
    static std::int32_t notifyDepth;
    static std::vector<const RAnimation*> destroyedInNotify;
};

// The world of the actions that use animations: the trinket window of the trinket tests on the fake clock,
// the death hooks and the leaf kinds installed, script animations found by id, and the "finished" events
// of actions noted in eventLog as "finished@name".
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Action.h"
#include "ActionFactory.h"
#include "ActionKinds.h"
#include "AseqWriter.h"
#include "Files.h"
#include "OMIStreamFile.h"
#include "OMSParameter.h"
#include "RAnimation.h"
#include "TempFolder.h"
#include "TrinketFixture.h"
#include "YDeathInterest.h"
#include "YHeap.h"

class AnimatedActionFixture : public TrinketFixture {
protected:
    void SetUp() override {
        TrinketFixture::SetUp();
        installDeathHooks();
        scriptHeap().clear();
        scriptHeap().init();
        registerLeafActions();
        animationFile = folder.file("anim.seq");
        writeWholeFile(animationFile, writeAseq(looping(), ByteOrder::little));
        OMAnimation::animationHook = [](std::int16_t id) -> OMIStream* {
            return id == 7 ? new OMIStreamFile(animationFile.c_str(), kStreamWhole, nullptr) : nullptr;
        };
    }
    void TearDown() override {
        OMAnimation::animationHook = nullptr;
        freeActionFactory();
        removeDeathHooks();
        scriptHeap().clear();
        finishNotes.clear();
        TrinketFixture::TearDown();
    }

    // One 2 x 2 frame shown over and over, 8 frames a second.
    static AseqPicture looping() {
        AseqPicture p;
        p.sequences = {{{0, 0, 0, 0}, {0, 0, kAseqLoop, 0}, {0, 0, kAseqEnd, 0}}};
        p.frames = {{2, 2, {9, 9, 9, 9}, {}}};
        return p;
    }
    // A script animation of id 7 at (0, 0), held by the script variable `name`.
    RAnimation* animation(const char* name) {
        auto* a = static_cast<RAnimation*>(createObject("RAnimation", "0", "0", "7"));
        if (a) hold(name, a);
        return a;
    }
    // Puts object in the script variable name, which borrows it (the test deletes it).
    static void hold(const char* name, OMScriptableObject* object) {
        scriptHeap().setObjectByName(name, object);
        static_cast<void>(scriptHeap().intValue(name, 1));
    }
    // The kind created from the texts as call parameters.
    static Action* create(const char* kind, const std::vector<const char*>& texts, std::int32_t interruptible = 1) {
        clearParameters();
        for (const char* t : texts) static_cast<void>(pushParameter(t));
        rewindParameters();
        return createActionByName(kind, interruptible);
    }
    // Notes "finished@name" in eventLog whenever the action raises "finished".
    void watchFinished(Action* a, const std::string& name) {
        a->registerProperties();
        finishNotes.push_back(std::make_unique<Note>(Note{"finished@" + name + " "}));
        const OMLinkToObj<Note> link(finishNotes.back().get(), &Note::write);
        a->bindEvent("finished", &link, nullptr);
    }
    // One update pass of the window per frame (125 ms apart), from the next frame time on.
    void frames(int count) {
        for (int i = 0; i < count; ++i) {
            fakeMs += 125;
            window->update();
        }
    }

    TempFolder folder;
    static inline std::string animationFile;

private:
    struct Note {
        std::string text;
        void write() { eventLog += text; }
    };
    std::vector<std::unique_ptr<Note>> finishNotes;
};

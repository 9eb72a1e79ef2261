// Steps that use animations and sounds: the sound trinkets' world, a looping animation 7, "finished@name" notes.
#pragma once

#include "ActionFixture.h"
#include "AseqWriter.h"
#include "RAnimation.h"
#include "SoundTrinketFixture.h"

struct AnimatedActionFixture : SoundTrinketFixture {
    void SetUp() override {
        SoundTrinketFixture::SetUp();
        installDeathHooks();
        scriptHeap().init();
        registerLeafActions();
        // One 2 x 2 frame shown over and over.
        const AseqPicture looping{8, {}, 0, {{{0, 0, 0, 0}, {0, 0, kAseqLoop, 0}, {0, 0, kAseqEnd, 0}}}, {{2, 2, {9, 9, 9, 9}, {}}}};
        data.animation(7, writeAseq(looping, ByteOrder::little));
    }
    void TearDown() override {
        freeActionFactory();
        removeDeathHooks();
        scriptHeap().clear();
        SoundTrinketFixture::TearDown();
    }
    // The kind created from the texts as call parameters, its "finished" events noted under `name`.
    Action* create(const char* kind, const std::vector<const char*>& texts, const char* name = "step") {
        Action* a = createFrom(kind, texts);
        if (!a) return nullptr;
        a->registerProperties();
        finishNotes.push_back(std::make_unique<Callback>(Callback{[n = std::string(name)] { eventLog += "finished@" + n + " "; }}));
        const OMLinkToObj<Callback> note = calling(*finishNotes.back());
        a->bindEvent("finished", &note, nullptr);
        return a;
    }
    // One update pass of the window per frame, 125 ms apart (8 frames a second), the mixer pumped after each;
    // the device finishes the buffers it holds only when it runs.
    void frames(int count, bool deviceRuns = false) {
        for (int i = 0; i < count; ++i) {
            fakeMs += 125;
            window->update();
            OMWaveOutMixer::pump();
            if (deviceRuns) wave.device.complete(std::size_t(OMWaveOutMixer::bufferCount()));
        }
    }

private:
    std::vector<std::unique_ptr<Callback>> finishNotes;
};

// Trinkets that play sounds: the trinket window, the fake wave device with its voice, animation data look-ups.
#pragma once

#include "AnimationFiles.h"
#include "FakeWaveInstalled.h"
#include "TrinketFixture.h"

struct SoundTrinketFixture : TrinketFixture {
    void serveVoice(std::int16_t id) { data.sound(id, readWholeFile(wave.voice)); }
    AnimationFiles data;
    FakeWaveInstalled wave{data.folder.file("voice.wav")};
};

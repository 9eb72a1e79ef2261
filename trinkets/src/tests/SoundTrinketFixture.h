// Trinkets that play sounds: the trinket window with the fake wave device and its 300 ms voice, and the
// animation data look-ups.
#pragma once

#include "AnimationFiles.h"
#include "FakeWaveInstalled.h"
#include "TrinketFixture.h"

struct SoundTrinketFixture : TrinketFixture {
    void serveVoice(std::int16_t id) { data.sound(id, readWholeFile(wave.voice)); }
    AnimationFiles data;
    FakeWaveInstalled wave{data.folder.file("voice.wav")};
};

// The sample title's pictures, drawn from shapes: two scene backgrounds, a turning sun, a push button and
// a character with its settle pose, fidgets and speech.
#pragma once

#include <cstdint>

#include "AseqWriter.h"
#include "SamplePalette.h"

enum class SceneStyle { meadow, night };

SceneColors sceneColors(SceneStyle style);
// One 640 x 460 frame: sky, ground from kGroundTop down, a hill and the scene's sky decorations.
AseqPicture sceneBackground(SceneStyle style);
AseqPicture sunAnimation();
AseqPicture playButton();
AseqPicture characterSettle();
// 0: look left, 1: look right, 2: hop.
AseqPicture characterFidget(int which);
// Its first entry is the sound cue of soundId; the mouth then opens and closes.
AseqPicture characterSpeech(std::uint16_t soundId);

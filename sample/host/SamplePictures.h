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
// The puzzle's pets, 40 x 40, whose middle is fur, and a house for each, 100 x 100, a wall under a roof.
enum class Pet { cat, dog };
AseqPicture petPicture(Pet pet);
AseqPicture housePicture(Pet pet);

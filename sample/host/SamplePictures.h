// The sample title's pictures, drawn from shapes: two scene backgrounds, a turning sun, a push button and
// a character with its settle pose, fidgets and speech.
#pragma once

#include <cstdint>
#include <vector>

#include "AseqWriter.h"
#include "SamplePalette.h"

enum class SceneStyle { meadow, night };

// Stores (x, y) as the picture's placement, where it shows when its creator gives no position.
void place(AseqPicture& picture, int x, int y);

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

// The racing game's pictures, each a list of its frames in order that then holds. Glyphs (index 0..37 as
// the road numbers them) grow over 23 frames, one per approach segment; sign boards (kind 0, 1, 2) come
// closer over 32 frames drawn at the road's (40, 151).
AseqPicture racingGlyph(int glyph);
AseqPicture racingSign(int kind);
AseqPicture racingSparkle();
AseqPicture racingFlyer();
AseqPicture racingFuel();
AseqPicture racingLamp();
AseqPicture racingSheet();
AseqPicture racingCrash();
AseqPicture racingHorn();
// Corner 0..3: top left, top right, bottom left, bottom right of the road.
AseqPicture racingCorner(int corner);
// 16 frames of 530 x 272: the road's lane marks run towards the viewer.
AseqPicture racingScenery();

// The assessment race's pictures: 16 frames of 530 x 272 scenery, the plane (0 arriving, 1 flying, 2 wrong),
// the exit button, the finish (it hides at its end), the right-answer flash, the problem of each quizlet and
// its answer k (1 right), each with its sum or number in the sample's font; the confirm screen's buttons
// (0 keep, 1 discard), level mark and exit picture.
AseqPicture raceScenery();
AseqPicture racePlane(int kind);
AseqPicture raceExitButton();
AseqPicture raceFinish();
AseqPicture raceRightAnswer();
AseqPicture raceProblem(int set, int quizlet);
AseqPicture raceAnswer(int set, int quizlet, int k);
AseqPicture confirmButton(int which);
AseqPicture confirmLevelMark();
AseqPicture confirmExit();
// One sequence per speech, each opening with the sound cue of its id.
AseqPicture characterSpeeches(const std::vector<std::uint16_t>& soundIds);

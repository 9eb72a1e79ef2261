// Resource ids and names of the sample title's two resource modules, shared by the generator that writes
// them, the sample's tests and any test that borrows the sample's character.
#pragma once

#include <cstdint>

// Module files under "PRsc\" (the descriptor's AODLL and WaveDLL).
constexpr const char* kSamplePictureModule = "SampleArt.dll";
constexpr const char* kSampleSoundModule = "SampleSnd.dll";

// Picture module, "RRGB" and "ASEQ". A scene id names both its palette and its 640 x 460 background.
constexpr std::uint16_t kMeadowScene = 1000;
constexpr std::uint16_t kNightScene = 1001;
// Eight frames of a turning sun, 64 x 64, looping.
constexpr std::uint16_t kSunAnimation = 2000;
// A push button's three looks (normal, pressed, disabled), 120 x 48.
constexpr std::uint16_t kPlayButton = 2100;
// The character, 96 x 96: a settle pose that blinks (looping), three short fidgets (look left, look
// right, hop) and a speech whose first entry is the sound cue of kGreeting; fidgets and speech play
// once and hold at their end, which reports the end of play.
constexpr std::uint16_t kCharacterSettle = 3000;
constexpr std::uint16_t kCharacterFidgets[3] = {3001, 3002, 3003};
constexpr std::uint16_t kCharacterSpeech = 3010;
// The puzzle's pictures: a cat and a dog, 40 x 40, and their houses, 100 x 100; each one frame that holds.
constexpr std::uint16_t kCatPicture = 4000;
constexpr std::uint16_t kDogPicture = 4001;
constexpr std::uint16_t kCatHouse = 4100;
constexpr std::uint16_t kDogHouse = 4101;
// The racing game: the horn (descriptor "Horn"), the road's four corners ("Corners") and the scenery
// ("Scenery"), which lies in the scenery module kSampleSceneryModule; the game's other pictures and sounds
// have fixed ids.
constexpr const char* kSampleSceneryModule = "doriruvu.rsc";
constexpr std::uint16_t kRacingHorn = 5000;
constexpr std::uint16_t kRacingCorners[4] = {5001, 5002, 5003, 5004};
constexpr std::uint16_t kRacingScenery = 5100;
// Every sound the racing game plays (sound module).
constexpr std::uint16_t kRacingSounds[] = {13198, 13199, 13200, 13201, 13202, 13203, 13205, 13206, 13215, 13216,
                                           13218, 13229, 13230, 13238, 13239, 13240, 13242, 13257, 13267};
// The colour of the letters, digits and signs on the racing game's road signs (0xRRGGBB).
constexpr std::uint32_t kRacingGlyphColour = 0xFFF8C8;
// The lit lamp's colour (0xRRGGBB) and where lamp 0 shows it.
constexpr std::uint32_t kLampColour = 0xFFC800;
constexpr int kLampX = 611;
constexpr int kLampY = 37;

// The assessment race ("RAssess") and its confirm screen ("RConfirm"), named by descriptor commands. The
// race uses the racing game's horn (also a sound of that id), corners and scenery id, whose 16 frames of
// 530 x 272 the picture module holds too.
constexpr std::uint16_t kRaceExitButton = 6000;
constexpr std::uint16_t kRaceFinish = 6001;
constexpr std::uint16_t kRaceRightAnswer = 6002;
constexpr std::uint16_t kRacePlanes[3] = {6003, 6004, 6005};  // arriving, flying, wrong
// One sequence per speech, each opening with the speech's sound cue (kRaceSpeeches).
constexpr std::uint16_t kRaceSpeechAnimation = 6006;
constexpr std::uint16_t kConfButtons[2] = {6010, 6011};  // keep, discard
constexpr std::uint16_t kConfLevelMark = 6012;
constexpr std::uint16_t kConfExitPicture = 6013;
// Quizlet q (2 or 3) of set s (1..3): problem picture 6020 + 4 (s - 1) + q - 2 and answers 6030 + 8 (s - 1)
// + 4 (q - 2) .. + 3, the first of them right.
constexpr std::uint16_t kRaceProblemPictures = 6020;
constexpr std::uint16_t kRaceAnswerPictures = 6030;
// Every right answer shows this colour and no other picture does; the wrong ones show kWrongAnswerColour.
constexpr std::uint32_t kRightAnswerColour = 0x00C8C8;
constexpr std::uint32_t kWrongAnswerColour = 0xC86400;
constexpr std::uint32_t kLevelMarkColour = 0xC800C8;
constexpr std::uint32_t kConfExitColour = 0x6400C8;
// Where the answers show (their top-left corner; 60 x 60) and the confirm screen's level chart.
constexpr int kRaceAnswerX = 290;
constexpr int kRaceAnswerY = 300;
constexpr int kConfLevelX[3] = {200, 300, 400};
constexpr int kConfSkillY[3] = {100, 180, 260};
// The keep button's top-left corner (100 x 50) and the exit picture's (200 x 100).
constexpr int kConfKeepX = 150;
constexpr int kConfKeepY = 380;
constexpr int kConfExitX = 220;
constexpr int kConfExitY = 150;
// Sounds: the race's effects and its speeches.
constexpr std::uint16_t kRaceEffects[] = {6100, 6101, 6102, 6103, 6104, 6105, 6106};
constexpr std::uint16_t kRaceSpeeches[] = {6110, 6111, 6112, 6113, 6114, 6115, 6120, 6121, 6122, 6123};

// The picture slider's parts (fixed ids of the slider classes; the sign-in screen's scroll bar and the gauge's
// thumb) and the grey of the sign-in screen's highlighted row, which every scene palette holds exactly.
constexpr std::uint16_t kSliderMorePicture = 9666;
constexpr std::uint16_t kSliderThumbPicture = 9667;
constexpr std::uint16_t kSliderLessPicture = 9668;
constexpr std::uint32_t kSignInHighlightColour = 0x7F7F7F;

// Sound module, "WAVE", 11025 Hz, 8-bit mono.
constexpr std::uint16_t kClickSound = 100;
constexpr std::uint16_t kChimeSound = 101;
constexpr std::uint16_t kGreetingSpeech = 200;

// Palette entries every scene palette shares.
constexpr std::uint8_t kGroundIndex = 10;
// Ground colours (0xRRGGBB): both are among the 20 static colours, so an 8-bit display shows them exactly.
constexpr std::uint32_t kMeadowGround = 0x008000;
constexpr std::uint32_t kNightGround = 0x000080;
// Fur colours of the cat and the dog and the houses' wall colour (0xRRGGBB), exact on a display deeper
// than 8 bits.
constexpr std::uint32_t kCatColour = 0xFF8C1E;
constexpr std::uint32_t kDogColour = 0x8C5A32;
constexpr std::uint32_t kHouseWallColour = 0xE6D2A0;
// The ground covers the rows from here to the bottom of each background.
constexpr int kGroundTop = 360;

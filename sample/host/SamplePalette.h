// The sample's palettes: entries shared by every scene (ground, sun, button, character) and each scene's
// own sky and hill colours.
#pragma once

#include <cstdint>
#include <vector>

// Palette indices the pictures are drawn with. 0 is the animations' transparent index.
enum SampleColor : std::uint8_t {
    kClear = 0,
    kGround = 10,      // kGroundIndex of SampleIds.h
    kSkyFirst = 11,    // kSkyShades entries, top of the sky first
    kLight = 75,       // clouds, stars, eyes, the button's symbol
    kHill = 76,
    kSunCore = 80,
    kSunRay = 81,
    kSignInHighlight = 88,  // the sign-in screen's highlighted row
    kSignInRow = 89,        // its other rows (the screen fills them with entry 89)
    kButtonFace = 90,
    kButtonPressed = 91,
    kButtonDisabled = 92,
    kSkin = 100,
    kPupil = 101,
    kMouth = 102,
    kHair = 103,
    kCheek = 104,
    kCatFur = 110,
    kDogFur = 111,
    kHouseWall = 112,
    kHouseRoof = 113,
    kRacingText = 114,  // the racing game's problem panel writes in entry 114
    kRoad = 115,
    kRoadLine = 116,
    kRoadSide = 117,
    kSignBoard = 118,
    kGlyph = 119,
    kLampLit = 120,
    kFuelCell = 121,
    kHornFace = 122,
    kHornLit = 123,
    kCrashFlame = 124,
    kSparkleStar = 125,
    kFlyerTicket = 126,
    kCornerFrame = 127,
    kSignBlue = 128,  // the blue of the painted problem sign
    kRightAnswer = 129,
    kWrongAnswer = 130,
    kLevelMark = 131,
    kConfExit = 132,
    kPlaneBody = 133,
    kKeepButton = 134,
    kDiscardButton = 135,
};
constexpr int kSkyShades = 64;

struct SceneColors {
    std::uint32_t skyTop;
    std::uint32_t skyBottom;
    std::uint32_t ground;
    std::uint32_t hill;
};

// 256 colours as 0xRRGGBB; the system's 20 reserved entries are left black, since the window keeps its own.
std::vector<std::uint32_t> scenePalette(const SceneColors& scene);

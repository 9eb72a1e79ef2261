// Scene palettes: a sky gradient between two colours, the ground and hill, and the shared entries.
#include "SamplePalette.h"

#include "SampleIds.h"

namespace {

std::uint32_t channel(std::uint32_t color, int shift) { return color >> shift & 0xFF; }

// The colour at step of steps between from and to (step 0 is from, steps - 1 is to).
std::uint32_t blend(std::uint32_t from, std::uint32_t to, int step, int steps) {
    std::uint32_t mixed = 0;
    for (const int shift : {16, 8, 0}) {
        const int a = static_cast<int>(channel(from, shift));
        const int b = static_cast<int>(channel(to, shift));
        mixed |= static_cast<std::uint32_t>(a + (b - a) * step / (steps - 1)) << shift;
    }
    return mixed;
}

}  // namespace

std::vector<std::uint32_t> scenePalette(const SceneColors& scene) {
    std::vector<std::uint32_t> colors(256, 0);
    colors[kGround] = scene.ground;
    for (int i = 0; i < kSkyShades; ++i) colors[kSkyFirst + i] = blend(scene.skyTop, scene.skyBottom, i, kSkyShades);
    colors[kLight] = 0xFAFAFA;
    colors[kHill] = scene.hill;
    colors[kSunCore] = 0xFFDC28;
    colors[kSunRay] = 0xFF9600;
    colors[kSignInHighlight] = kSignInHighlightColour;
    colors[kSignInRow] = 0x284678;
    colors[kButtonFace] = 0xF0781E;
    colors[kButtonPressed] = 0xBE5014;
    colors[kButtonDisabled] = 0x969696;
    colors[kSkin] = 0xFAC896;
    colors[kPupil] = 0x1E1E3C;
    colors[kMouth] = 0xB42828;
    colors[kHair] = 0x78461E;
    colors[kCheek] = 0xF08C8C;
    colors[kCatFur] = kCatColour;
    colors[kDogFur] = kDogColour;
    colors[kHouseWall] = kHouseWallColour;
    colors[kHouseRoof] = 0xA03228;
    colors[kRacingText] = 0xFFFFFF;
    colors[kRoad] = 0x505058;
    colors[kRoadLine] = 0xF0F0F0;
    colors[kRoadSide] = 0x3C8C28;
    colors[kSignBoard] = 0x1E64C8;
    colors[kGlyph] = kRacingGlyphColour;
    colors[kLampLit] = kLampColour;
    colors[kFuelCell] = 0x28C83C;
    colors[kHornFace] = 0xC8A028;
    colors[kHornLit] = 0xFFE650;
    colors[kCrashFlame] = 0xF05014;
    colors[kSparkleStar] = 0xFFFFA0;
    colors[kFlyerTicket] = 0xF0C8DC;
    colors[kCornerFrame] = 0x282828;
    colors[kSignBlue] = 0x0000DC;
    colors[kRightAnswer] = kRightAnswerColour;
    colors[kWrongAnswer] = kWrongAnswerColour;
    colors[kLevelMark] = kLevelMarkColour;
    colors[kConfExit] = kConfExitColour;
    colors[kPlaneBody] = 0xDCDCE6;
    colors[kKeepButton] = 0x28B428;
    colors[kDiscardButton] = 0xC82828;
    return colors;
}

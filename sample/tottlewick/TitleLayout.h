// Where the generated title's shared screens put their buttons, in picture coordinates (640 x 480): the
// generator draws them there and the whole-title test clicks them there.
#pragma once

#include <cstdint>

struct TitleBox {
    int x, y, w, h;
    int centreX() const { return x + w / 2; }
    int centreY() const { return y + h / 2; }
};

namespace title_layout {

// Colours (0x00RRGGBB) of the shared screens, each drawn in the palette's cube entry nearest to it: the
// Picker's sky, the quit and options panels, and the three slides.
inline constexpr std::uint32_t kPickerColour = 0x80C0FF;
inline constexpr std::uint32_t kPanelColour = 0xC0C0C0;
inline constexpr std::uint32_t kSlideColours[3] = {0xC04080, 0x40C080, 0x8040C0};
// The Picker's and the options' buttons, and the picture of an activity played to its end.
inline constexpr std::uint32_t kButtonColour = 0x40C0FF, kWellDoneColour = 0xC08040;

// The kit's exit and help buttons (100, 120), on every activity and on the Picker.
inline constexpr TitleBox kExit{16, 416, 96, 48};
inline constexpr TitleBox kHelp{528, 16, 96, 48};

// The Picker's seven choices in choice order (Band, Zibb, BlueGoo, BLOK_STAK, MR_PLINK, Toppers, HatShop)
// with their button ids. The band between the rows stays free: the Picker puts the pointer at (370, 180).
inline constexpr const char* kChoiceNames[7] = {"Band", "Zibb", "BlueGoo", "BLOK_STAK", "MR_PLINK", "Toppers",
                                                "HatShop"};
inline constexpr std::uint16_t kChoiceIds[7] = {7035, 7020, 7040, 7045, 7030, 7015, 7025};
inline constexpr TitleBox kChoices[7] = {{40, 76, 120, 90},   {190, 76, 120, 90},  {340, 76, 120, 90},
                                         {490, 76, 120, 90},  {115, 296, 120, 90}, {265, 296, 120, 90},
                                         {415, 296, 120, 90}};
inline constexpr TitleBox kPickerHelp{272, 416, 96, 48};  // 7010/7011
inline constexpr TitleBox kOptions{528, 416, 96, 48};     // 7050/7051
inline constexpr TitleBox kPickerClip{120, 190, 64, 64};  // 7850

// Where every activity shows its reward (a gold star, drawn by the clip that plays when the activity's
// goal is reached: Band 2120, Zibb 3220-3221, BlueGoo 4200, BLOK_STAK 5203/5205/5207, MR_PLINK 6010-6030,
// Toppers 1210).
inline constexpr TitleBox kReward{272, 4, 96, 60};
inline constexpr std::uint32_t kRewardColour = 0xFFC000;

// Band: the first musician's box (the generic place of 2031) and the conductor's.
inline constexpr TitleBox kMusician0{372, 240, 64, 48};
inline constexpr TitleBox kConductor{540, 250, 84, 48};

// Zibb's 20 pictures, centred on the points where a key press puts the pointer (by name sound 3810-3829).
inline constexpr int kZibbPoints[20][2] = {{83, 146}, {157, 120}, {89, 183}, {163, 153}, {161, 216},
                                           {161, 248}, {143, 277}, {210, 345}, {198, 366}, {232, 265},
                                           {317, 359}, {326, 385}, {367, 223}, {366, 209}, {515, 127},
                                           {547, 68}, {446, 193}, {462, 207}, {269, 150}, {495, 339}};

// BlueGoo's six blob places (the activity centres the blobs on them) and its five jars, each drawn around
// the place its goo flies to.
inline constexpr int kGooPlaces[6][2] = {{155, 103}, {449, 109}, {62, 221}, {307, 175}, {220, 286}, {452, 263}};
inline constexpr TitleBox kJars[5] = {{72, 215, 84, 72}, {168, 215, 84, 72}, {264, 215, 84, 72},
                                      {362, 215, 84, 72}, {457, 215, 84, 72}};

// MR_PLINK's six spots, the same in its three sets.
inline constexpr TitleBox kPlinkSpots[6] = {{130, 90, 112, 72},  {264, 90, 112, 72},  {398, 90, 112, 72},
                                            {130, 250, 112, 72}, {264, 250, 112, 72}, {398, 250, 112, 72}};

// HatShop's hat (the colour schemes' and the outline's frame, every design), its three tools
// (8120-8122) and its print button (8610).
inline constexpr TitleBox kHat{170, 100, 300, 280};
inline constexpr TitleBox kHatTools[3] = {{24, 120, 96, 48}, {24, 200, 96, 48}, {24, 280, 96, 48}};
inline constexpr TitleBox kHatPrint{528, 416, 96, 48};
// The three colour schemes (crown, band, brim); the brim is the frame's lowest part, at (150, 272) of it.
inline constexpr std::uint32_t kHatSchemes[3][3] = {{0xE02020, 0xF0E040, 0x2040E0},
                                                   {0x20A040, 0xF09020, 0x8040C0},
                                                   {0xF080C0, 0x40C0F0, 0x606060}};

// Toppers' cats, drawn in these boxes (their corners are the activity's cat places), and its hats: the
// bank's 16 shapes in four colours (hat code / 4), 56 wide from their hot spot at the top-left.
inline constexpr TitleBox kCats[3] = {{115, 148, 140, 324}, {261, 149, 140, 324}, {408, 146, 140, 324}};
inline constexpr int kHatWidth = 56;
inline constexpr std::uint32_t kHatColours[4] = {0xE02020, 0x20A040, 0x2040E0, 0xF0D020};
// Points inside every hat shape: the target hat's, and the line through the cats' hats (at a cat's centre).
inline constexpr int kTargetHatX = 323, kTargetHatY = 128, kCatHatY = 332;

// The quit confirmation's panel (7200) and its buttons.
inline constexpr TitleBox kQuitPanel{120, 120, 400, 240};
inline constexpr TitleBox kQuit{160, 280, 128, 48};  // 7220
inline constexpr TitleBox kBack{352, 280, 128, 48};  // 7223

// The options panel (7500) and its buttons.
inline constexpr TitleBox kOptionsPanel{80, 60, 480, 360};
inline constexpr TitleBox kClickOnly{120, 110, 176, 48};  // 7510
inline constexpr TitleBox kHoverWait{344, 110, 176, 48};  // 7511
inline constexpr TitleBox kLevels[3] = {{120, 210, 96, 48}, {272, 210, 96, 48}, {424, 210, 96, 48}};  // 7514-7516
inline constexpr TitleBox kSlides{120, 320, 176, 48};      // 7520
inline constexpr TitleBox kOptionsBack{344, 320, 176, 48};  // 7523

}  // namespace title_layout

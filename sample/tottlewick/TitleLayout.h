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

// HatShop's hat (the colour schemes' and the outline's frame, every design), its three tools
// (8120-8122) and its print button (8610).
inline constexpr TitleBox kHat{170, 100, 300, 280};
inline constexpr TitleBox kHatTools[3] = {{24, 120, 96, 48}, {24, 200, 96, 48}, {24, 280, 96, 48}};
inline constexpr TitleBox kHatPrint{528, 416, 96, 48};

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

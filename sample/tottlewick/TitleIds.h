// Every resource of the generated Tottlewick title, module by module: which file holds it, its type and
// id, and what kind of picture, clip or sound the generator (host/titlegen) makes for it.
//
// The type follows the kind: a palette is a 'DIB', a backdrop (64 tiles of 80 x 60) and the other
// pictures are 'XPK' banks, a clip is an 'XMV' whose frames come from the 'XPK' of the same id (made with
// 4-8 frames unless that 'XPK' is listed itself), voices, music and tracks are 'AIF', the message tables
// 'STR' and the film an 'SMF'.
//
// Adding a module's own art: write host/<Module>Art.cpp (any file named *Art.cpp there is built) with
//     TITLE_ART(Band) { art.put("XPK", 2031, myPicture(art)); ... }
// where `art` (TitleArt.h) holds the module's generic resources, its hue and the picture helpers; put()
// replaces the generic resource of that (type, id). Ids used there must be listed here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>

enum class TitleKind : std::uint8_t {
    palette,   // 'DIB': the module's colours
    backdrop,  // 'XPK': 8 x 8 tiles of 80 x 60
    screen,    // 'XPK': one 640 x 480 picture (shown while switching, overlays)
    button,    // 'XPK': a labelled box
    rollover,  // 'XPK': the box, lighter
    pressed,   // 'XPK': the box, darker
    mask,      // 'XPK': the box, opaque throughout (hit masks)
    sprite,    // 'XPK': a small picture
    pointer,   // 'XPK': an arrow whose tip is the hot spot
    bank,      // 'XPK': several shapes (hats, letters, frames)
    clip,      // 'XMV' (and the 'XPK' of its frames)
    voice,     // 'AIF': a short tone
    music,     // 'AIF': a loop
    track,     // 'AIF': a loop of the music's length, a note of its own
    strings,   // 'STR': a message table
    film,      // 'SMF'
};

// Ids first, first + step, ... up to last. A picture is placed where the id `anchor` places its own
// (0: itself), so a button's looks and hit mask lie on each other.
struct TitleRange {
    TitleKind kind;
    std::uint16_t first;
    std::uint16_t last;
    std::uint16_t step = 1;
    std::int16_t anchorShift = 0;  // anchor = id - anchorShift
};

constexpr const char* titleType(TitleKind kind) {
    switch (kind) {
    case TitleKind::palette: return "DIB";
    case TitleKind::clip: return "XMV";
    case TitleKind::voice:
    case TitleKind::music:
    case TitleKind::track: return "AIF";
    case TitleKind::strings: return "STR";
    case TitleKind::film: return "SMF";
    default: return "XPK";
    }
}

namespace title_ids {

using K = TitleKind;

// The early file, Resource\Global.PRS in the application folder: message tables and the kit's shared
// pointer, hover animation, exit and help buttons and click.
inline constexpr TitleRange kGlobal[] = {
    {K::strings, 1, 2},
    {K::pointer, 1, 1},
    {K::clip, 1, 1}, {K::voice, 1, 1},  // the hover animation and its sound
    {K::button, 100, 100}, {K::rollover, 101, 101, 1, 1}, {K::pressed, 102, 102, 1, 2},  // exit
    {K::button, 120, 120}, {K::rollover, 121, 121, 1, 1}, {K::pressed, 122, 122, 1, 2},  // help
    {K::voice, 900, 900},    // the click
};

inline constexpr TitleRange kIntro[] = {
    {K::palette, 750, 750}, {K::backdrop, 750, 750},
    {K::palette, 800, 800}, {K::backdrop, 800, 800},
    {K::music, 700, 700},  // the film's sound track
    {K::film, 700, 700},
};

// The Picker's file also holds the quit confirmation, the options and the slide show.
inline constexpr TitleRange kPicker[] = {
    {K::backdrop, 7000, 7000},
    {K::button, 7010, 7010}, {K::rollover, 7011, 7011, 1, 1},
    {K::rollover, 7015, 7045, 5},  // the seven choices: rollover only
    {K::button, 7050, 7050}, {K::rollover, 7051, 7051, 1, 1},  // options
    {K::clip, 7799, 7811}, {K::clip, 7850, 7850}, {K::voice, 7850, 7850},
    {K::screen, 200, 207},  // switching pictures: 200, 201 + choice, 207
    {K::voice, 200, 200},
    // quit confirmation
    {K::screen, 7200, 7200}, {K::voice, 7200, 7200},
    {K::button, 7220, 7220}, {K::rollover, 7221, 7221, 1, 1}, {K::pressed, 7222, 7222, 1, 2},
    {K::button, 7223, 7223}, {K::rollover, 7224, 7224, 1, 1}, {K::pressed, 7225, 7225, 1, 2},
    {K::clip, 7230, 7230}, {K::voice, 7230, 7230}, {K::clip, 7235, 7235}, {K::voice, 7235, 7235},
    // options
    {K::screen, 7500, 7500},
    {K::pressed, 7510, 7511}, {K::pressed, 7514, 7516},
    {K::button, 7520, 7520}, {K::rollover, 7521, 7521, 1, 1}, {K::pressed, 7522, 7522, 1, 2},
    {K::button, 7523, 7523}, {K::rollover, 7524, 7524, 1, 1}, {K::pressed, 7525, 7525, 1, 2},
    // slide show
    {K::backdrop, 7530, 7532},
};

inline constexpr TitleRange kBand[] = {
    {K::palette, 2000, 2000}, {K::backdrop, 2000, 2000}, {K::pointer, 2001, 2001},
    {K::voice, 2800, 2800}, {K::voice, 2810, 2810},
    {K::rollover, 2031, 2061, 10}, {K::mask, 2033, 2063, 10, 2},
    {K::sprite, 2032, 2062, 10, 1}, {K::sprite, 2034, 2064, 10, 3},
    {K::rollover, 2070, 2073},
    {K::clip, 2030, 2060, 10}, {K::track, 2030, 2060, 10},  // song 0
    {K::clip, 2130, 2160, 10}, {K::track, 2130, 2160, 10},  // song 1
    {K::clip, 2230, 2260, 10}, {K::track, 2230, 2260, 10},  // song 2
    {K::clip, 2024, 2024}, {K::voice, 2024, 2024},
    {K::rollover, 2074, 2074}, {K::mask, 2023, 2023, 1, -51},
    {K::sprite, 2022, 2022, 1, -52}, {K::sprite, 2025, 2025, 1, -49},
    {K::clip, 2020, 2020}, {K::voice, 2020, 2020}, {K::clip, 2120, 2120}, {K::voice, 2120, 2120},
    {K::clip, 2010, 2013}, {K::voice, 2010, 2013},
};

inline constexpr TitleRange kZibb[] = {
    {K::palette, 3000, 3000}, {K::backdrop, 3000, 3000}, {K::pointer, 3020, 3020},
    {K::clip, 3020, 3020}, {K::voice, 3020, 3020},  // the looping-sound object
    {K::music, 3999, 3999}, {K::voice, 3800, 3800}, {K::voice, 3805, 3805},
    {K::clip, 3220, 3221}, {K::voice, 3220, 3221}, {K::clip, 3225, 3228}, {K::voice, 3225, 3228},
    {K::clip, 3195, 3195}, {K::voice, 3195, 3195}, {K::clip, 3200, 3201}, {K::voice, 3200, 3201},
    {K::clip, 500, 500}, {K::voice, 500, 500},
    {K::button, 3050, 3069}, {K::mask, 3150, 3169, 1, 100},  // variant 2
    {K::button, 3350, 3369}, {K::mask, 3450, 3469, 1, 100},  // variant 1
    {K::voice, 3810, 3829}, {K::voice, 3850, 3869},
    {K::voice, 3700, 3700}, {K::voice, 3900, 3900}, {K::voice, 3232, 3233},
};

inline constexpr TitleRange kBlueGoo[] = {
    {K::palette, 4000, 4000}, {K::backdrop, 4000, 4000},
    {K::voice, 4800, 4800}, {K::voice, 4810, 4810}, {K::voice, 4820, 4820}, {K::voice, 4825, 4826},
    {K::music, 4999, 4999},
    {K::clip, 4010, 4012}, {K::clip, 4040, 4040}, {K::voice, 4040, 4040},
    {K::clip, 4050, 4055}, {K::clip, 4060, 4062},
    {K::bank, 4070, 4070},  // the flying goo's frames
    {K::clip, 4080, 4084}, {K::voice, 4080, 4084},
    {K::sprite, 4090, 4095}, {K::voice, 4090, 4095},  // filled jars and the foreground
    {K::clip, 4100, 4104}, {K::clip, 4150, 4154}, {K::clip, 4160, 4164},
    {K::clip, 4200, 4200}, {K::voice, 4200, 4200},
    {K::clip, 4245, 4245}, {K::voice, 4245, 4245}, {K::clip, 4255, 4255}, {K::voice, 4255, 4255},
    {K::clip, 4550, 4551}, {K::voice, 4550, 4551}, {K::clip, 500, 500}, {K::voice, 500, 500},
    {K::pointer, 4002, 4003},  // pointers of the two phases
    {K::clip, 4020, 4020},    // the decoration's reaction
    {K::voice, 4020, 4020}, {K::voice, 4721, 4721}, {K::voice, 4901, 4901}, {K::voice, 4905, 4905},
    {K::voice, 4915, 4915}, {K::voice, 4940, 4940}, {K::voice, 4950, 4950}, {K::voice, 4960, 4960},
    {K::voice, 4980, 4980},   // the effect, background, flight and jar samples
};

inline constexpr TitleRange kBlokStak[] = {
    {K::palette, 5000, 5000}, {K::backdrop, 5000, 5000},
    {K::voice, 5000, 5002}, {K::music, 5999, 5999},
    {K::sprite, 5600, 5625},                                   // alphabet pictures A-Z
    {K::button, 5626, 5651}, {K::pressed, 5652, 5677, 1, 26},  // blocks A-Z
    {K::rollover, 5002, 5002}, {K::mask, 5003, 5003, 1, 1},
    {K::bank, 5001, 5001},  // letters carried by the pointer
    {K::voice, 5633, 5658}, {K::voice, 5400, 5401}, {K::voice, 5210, 5210},
    {K::clip, 5100, 5101}, {K::clip, 5110, 5111}, {K::clip, 5120, 5121}, {K::clip, 5130, 5130},
    {K::clip, 5140, 5142}, {K::clip, 5150, 5151}, {K::clip, 5160, 5164},
    {K::voice, 5100, 5101}, {K::voice, 5110, 5111}, {K::voice, 5120, 5121}, {K::voice, 5130, 5130},
    {K::voice, 5140, 5142}, {K::voice, 5150, 5151}, {K::voice, 5160, 5164},
    {K::clip, 5200, 5207}, {K::voice, 5200, 5207}, {K::clip, 5300, 5309}, {K::voice, 5300, 5309},
    {K::clip, 5550, 5550}, {K::voice, 5550, 5550}, {K::clip, 5500, 5502}, {K::voice, 5500, 5502},
    {K::clip, 500, 500}, {K::voice, 500, 500},
    {K::screen, 5551, 5551},
};

inline constexpr TitleRange kMrPlink[] = {
    {K::palette, 6000, 6000}, {K::backdrop, 6000, 6000},
    {K::voice, 6000, 6002}, {K::music, 6999, 6999},
    {K::clip, 6100, 6150, 10}, {K::voice, 6100, 6150, 10}, {K::clip, 6101, 6151, 10}, {K::voice, 6101, 6151, 10},
    {K::clip, 6200, 6250, 10}, {K::voice, 6200, 6250, 10}, {K::clip, 6201, 6251, 10}, {K::voice, 6201, 6251, 10},
    {K::clip, 6300, 6350, 10}, {K::voice, 6300, 6350, 10}, {K::clip, 6301, 6351, 10}, {K::voice, 6301, 6351, 10},
    {K::clip, 6050, 6067}, {K::voice, 6050, 6067},
    {K::clip, 6010, 6030, 10}, {K::voice, 6010, 6030, 10},
    {K::clip, 6040, 6043}, {K::voice, 6040, 6043}, {K::clip, 500, 500}, {K::voice, 500, 500},
    {K::button, 6070, 6070}, {K::rollover, 6071, 6071, 1, 1},
};

inline constexpr TitleRange kToppers[] = {
    {K::palette, 1000, 1000}, {K::backdrop, 1000, 1000},
    {K::voice, 1800, 1800}, {K::voice, 1810, 1811}, {K::music, 1999, 1999},
    {K::bank, 1002, 1002},  // the 16 hats, shape = hat code
    {K::clip, 1031, 1031},
    {K::mask, 1103, 1105}, {K::screen, 1100, 1102},  // the cats' hit banks and highlight overlays
    {K::clip, 1010, 1010}, {K::clip, 1020, 1020}, {K::clip, 1030, 1030},
    {K::voice, 1010, 1010}, {K::voice, 1020, 1020}, {K::voice, 1030, 1030},
    {K::clip, 1012, 1012}, {K::clip, 1022, 1022}, {K::clip, 1032, 1032},
    {K::voice, 1012, 1012}, {K::voice, 1022, 1022}, {K::voice, 1032, 1032},
    {K::voice, 1400, 1415}, {K::voice, 1480, 1495},
    {K::clip, 1200, 1200}, {K::voice, 1200, 1200}, {K::clip, 1210, 1210}, {K::voice, 1210, 1210},
    {K::clip, 1250, 1251}, {K::voice, 1250, 1251}, {K::clip, 1465, 1465}, {K::voice, 1465, 1465},
    {K::clip, 1475, 1475}, {K::voice, 1475, 1475}, {K::clip, 500, 500}, {K::voice, 500, 500},
    {K::voice, 1911, 1911}, {K::voice, 1922, 1922}, {K::voice, 1930, 1930},  // the effect samples
};

inline constexpr TitleRange kHatShop[] = {
    {K::palette, 8000, 8000}, {K::backdrop, 8000, 8000}, {K::pointer, 8050, 8050},
    {K::sprite, 8100, 8300, 100},                                             // uncoloured hats, designs 0-2
    {K::sprite, 8101, 8301, 100, 1}, {K::sprite, 8102, 8302, 100, 2}, {K::sprite, 8103, 8303, 100, 3},
    {K::sprite, 8105, 8305, 100},
    {K::sprite, 8110, 8115}, {K::sprite, 8210, 8215}, {K::sprite, 8310, 8315},  // decorations
    {K::button, 8120, 8122}, {K::button, 8220, 8222}, {K::button, 8320, 8322},  // tools
    {K::rollover, 8010, 8012, 1, -110}, {K::pressed, 8020, 8022, 1, -100},
    {K::button, 8610, 8610}, {K::rollover, 8611, 8611, 1, 1}, {K::pressed, 8612, 8612, 1, 2},  // print
    {K::sprite, 8030, 8030},  // the brush tip
    {K::sprite, 8005, 8005}, {K::screen, 8600, 8600},
    {K::voice, 8900, 8900}, {K::voice, 8910, 8920},
    {K::voice, 8800, 8800}, {K::voice, 8810, 8810}, {K::voice, 8820, 8820}, {K::music, 8999, 8999},
};

}  // namespace title_ids

// A resource file of the title: its name, whether it sits on the disc (else in the application folder's
// Resource), its hue (0x00RRGGBB) and its ids.
struct TitleModule {
    const char* name;
    bool onDisc;
    std::uint32_t hue;
    const TitleRange* ranges;
    std::size_t count;
};

#define TITLE_MODULE(name, onDisc, hue, table) \
    TitleModule { name, onDisc, hue, title_ids::table, std::size(title_ids::table) }

inline constexpr TitleModule kTitleModules[] = {
    TITLE_MODULE("Global", false, 0x808080, kGlobal),
    TITLE_MODULE("Intro", true, 0xE0A020, kIntro),
    TITLE_MODULE("Picker", true, 0x20A0E0, kPicker),
    TITLE_MODULE("Band", true, 0xD03030, kBand),
    TITLE_MODULE("Zibb", true, 0x30B040, kZibb),
    TITLE_MODULE("BlueGoo", true, 0x3050D0, kBlueGoo),
    TITLE_MODULE("BLOK_STAK", true, 0xD08020, kBlokStak),
    TITLE_MODULE("MR_PLINK", true, 0x9040C0, kMrPlink),
    TITLE_MODULE("Toppers", true, 0x20B0B0, kToppers),
    TITLE_MODULE("HatShop", true, 0xC04090, kHatShop),
};

#undef TITLE_MODULE

// Calls visit(kind, id) for every id of a module, in table order.
template <typename Visit>
void titleForEachId(const TitleModule& module, Visit visit) {
    for (std::size_t r = 0; r < module.count; ++r) {
        const TitleRange& range = module.ranges[r];
        for (unsigned id = range.first; id <= range.last; id += range.step)
            visit(range.kind, static_cast<std::uint16_t>(id));
    }
}

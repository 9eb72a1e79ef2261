// The Intro's two title pictures, each with a palette of its own hue, and the film's sound track.
#include "TitleArt.h"

TITLE_ART(Intro) {
    constexpr std::uint32_t kSecondHue = 0x2060E0;
    art.put("XPK", 750, xpkBackdrop(art.backdrop(750, "TOTTLEWICK")));
    art.put("DIB", 800, dibPalette(kSecondHue));
    art.put("XPK", 800, xpkBackdrop(art.backdrop(800, "LETS PLAY")));
    // Three seconds of rising notes, once.
    art.put("AIF", 700, TitleArt::loop({262, 330, 392, 523, 392, 330}, 500, false));
}

// BlueGoo's own art: the pointers of its two phases as squares with their hot spot at the top-left (white
// while blobs are picked, black while jars are fed), so that the pointer sits at the mouse.
#include "TitleArt.h"

namespace {

constexpr int kPointerSize = 12;

std::string pointer(std::uint8_t colour) {
    return xpkBank({{Picture(kPointerSize, kPointerSize, colour), 0, 0}});
}

}  // namespace

TITLE_ART(BlueGoo) {
    art.put("XPK", 4003, pointer(kWhite));
    art.put("XPK", 4002, pointer(kBlack));
}

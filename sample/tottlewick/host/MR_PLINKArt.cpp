// MR_PLINK's own art: in each of its three sets, six spots labelled with a word at the same six places,
// the prompt that says and shows the word of the spot asked for, short spot clips and sounds so that a game
// passes quickly, and the reward clips.
#include "TitleArt.h"

namespace {

constexpr const char* kWords[3][6] = {{"APPLE", "BANANA", "GRAPES", "LEMON", "PEAR", "PLUM"},
                                      {"BEAR", "LION", "MOUSE", "SHEEP", "HORSE", "PIG"},
                                      {"SPOON", "CLOCK", "LAMP", "CHAIR", "BED", "DOOR"}};
constexpr std::uint32_t kSetColours[3] = {0xFFA060, 0xC0A080, 0xA0C0E0};
constexpr TitleBox kPrompt{120, 8, 140, 40};

// One frame over `ms` of the labelled box.
std::string labelled(TitleArt& art, std::uint16_t id, const TitleBox& at, std::uint32_t rgb, const std::string& word,
                     std::uint32_t ms) {
    art.put("XPK", id, xpkBank({{TitleArt::button(id, at, rgb, word), 0, 0}}));
    return TitleArt::clip(id, 1, ms, at.x, at.y, at.w, at.h);
}

}  // namespace

TITLE_ART(MR_PLINK) {
    for (int s = 0; s < 3; ++s) {
        for (int i = 0; i < 6; ++i) {
            const auto spot = std::uint16_t((s + 61) * 100 + 10 * i), prompt = std::uint16_t(6050 + 6 * s + i);
            const TitleBox& at = title_layout::kPlinkSpots[i];
            art.put("XMV", spot, labelled(art, spot, at, kSetColours[s], kWords[s][i], 400));
            art.put("AIF", spot, TitleArt::tone(300.0 + 40 * i, 300));
            art.put("AIF", std::uint16_t(spot + 1), TitleArt::tone(600.0 + 40 * i, 300));
            art.put("XMV", prompt, labelled(art, prompt, kPrompt, 0xFFFFFF, kWords[s][i], 300));
            art.put("AIF", prompt, TitleArt::spoken(kWords[s][i]));
            art.shareSound(prompt);  // it streams while the spot's sound streams from the module's file
        }
        art.putReward(std::uint16_t((s + 601) * 10));
    }
}

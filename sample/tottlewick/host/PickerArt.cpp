// The Picker's screen with its seven choices, its switching pictures, and the screens pushed over it:
// the quit confirmation, the options and the slide show. Their colours come from the palette's fixed
// cube, so they look the same under whichever module's palette is current.
#include "TitleArt.h"

#include <cctype>

namespace {

using namespace title_layout;

constexpr std::uint32_t kChoice = 0xFFC040, kButton = kButtonColour;

std::string upper(std::string text) {
    for (char& c : text) c = char(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

void picker(TitleArt& art) {
    Picture screen = TitleArt::titled(7000, kPickerColour, "");
    drawText(screen, (640 - textWidth("PICK ONE", 4)) / 2, 190, "PICK ONE", kWhite, 4);
    for (int i = 0; i < 7; ++i) {
        const TitleBox& at = kChoices[i];
        screen.fill(at.x, at.y, at.w, at.h, cubeColour(kChoice));
        screen.frame(at.x, at.y, at.w, at.h, kBlack);
        const std::string name = upper(kChoiceNames[i]);
        drawText(screen, at.x + (at.w - textWidth(name, 1)) / 2, at.centreY() - 3, name, kBlack, 1);
        art.putButton(kChoiceIds[i], at, kChoice, name, 1);
    }
    art.put("XPK", 7000, xpkBackdrop(screen));
    art.putButton(7010, kPickerHelp, kButton, "SHOW");
    art.putButton(7011, kPickerHelp, kButton, "SHOW", 1);
    art.putButton(7050, kOptions, kButton, "OPTIONS");
    art.putButton(7051, kOptions, kButton, "OPTIONS", 1);

    // The Picker's animation: a ball bouncing in its box.
    std::vector<PlacedPicture> frames;
    for (int k = 0; k < 6; ++k) {
        Picture frame(kPickerClip.w, kPickerClip.h);
        frame.disc(kPickerClip.w / 2, 12 + (k < 3 ? k : 6 - k) * 14, 10, cubeColour(0xFF4040));
        drawNumber(frame, 0, 0, 7850, kBlack);
        frames.push_back({frame, 0, 0});
    }
    art.put("XPK", 7850, xpkBank(frames));
    art.put("XMV", 7850, TitleArt::clip(7850, 6, 1200, kPickerClip.x, kPickerClip.y, kPickerClip.w, kPickerClip.h));

    art.putPicture(207, TitleArt::titled(207, 0x40A040, "OFF WE GO"), 0, 0);
    art.putPicture(200, TitleArt::titled(200, 0x4080C0, "WELCOME BACK"), 0, 0);
    art.put("AIF", 200, TitleArt::loop({392, 523, 659}, 500, false));  // the switching pictures show while it plays
    for (std::uint16_t i = 0; i < 6; ++i)
        art.putPicture(std::uint16_t(201 + i), TitleArt::titled(std::uint16_t(201 + i), kWellDoneColour, "WELL DONE"), 0, 0);
}

// A panel of the given size with a title, placed at its box.
void panel(TitleArt& art, std::uint16_t id, const TitleBox& at, const std::string& title) {
    Picture picture = TitleArt::box(id, at.w, at.h, cubeColour(kPanelColour));
    drawText(picture, (at.w - textWidth(title, 3)) / 2, 24, title, kBlack, 3);
    art.putPicture(id, std::move(picture), at.x, at.y);
}

// Normal, lighter and darker looks at ids first, first + 1, first + 2.
void threeLooks(TitleArt& art, std::uint16_t first, const TitleBox& at, std::uint32_t rgb, const std::string& label) {
    for (int look = 0; look < 3; ++look)
        art.putButton(std::uint16_t(first + look), at, rgb, label, look == 2 ? -1 : look);
}

void quitConfirm(TitleArt& art) {
    panel(art, 7200, kQuitPanel, "QUIT");
    threeLooks(art, 7220, kQuit, 0xFF6040, "QUIT");
    threeLooks(art, 7223, kBack, 0x60C060, "BACK");
}

void options(TitleArt& art) {
    // The settings' buttons have only their pressed look, which shows the chosen ones; the panel shows
    // every choice beneath them.
    Picture picture = TitleArt::box(7500, kOptionsPanel.w, kOptionsPanel.h, cubeColour(kPanelColour));
    drawText(picture, (kOptionsPanel.w - textWidth("OPTIONS", 3)) / 2, 24, "OPTIONS", kBlack, 3);
    const auto choice = [&](std::uint16_t id, const TitleBox& at, const std::string& label) {
        TitleArt::paste(picture, TitleArt::button(id, at, kButton, label), at.x - kOptionsPanel.x, at.y - kOptionsPanel.y);
        art.putButton(id, at, kButton, label, -1);
    };
    choice(7510, kClickOnly, "CLICK ONLY");
    choice(7511, kHoverWait, "HOVER");
    for (int i = 0; i < 3; ++i) choice(std::uint16_t(7514 + i), kLevels[i], std::to_string(1 << i));
    art.putPicture(7500, std::move(picture), kOptionsPanel.x, kOptionsPanel.y);
    threeLooks(art, 7520, kSlides, 0xFFC040, "SLIDES");
    threeLooks(art, 7523, kOptionsBack, 0x60C060, "BACK");
}

void slideShow(TitleArt& art) {
    for (int i = 0; i < 3; ++i) {
        const std::uint16_t id = std::uint16_t(7530 + i);
        art.put("XPK", id, xpkBackdrop(TitleArt::titled(id, kSlideColours[i], "SLIDE " + std::to_string(i + 1))));
    }
}

}  // namespace

TITLE_ART(Picker) {
    picker(art);
    quitConfirm(art);
    options(art);
    slideShow(art);
}

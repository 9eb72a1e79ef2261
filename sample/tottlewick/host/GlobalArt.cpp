// The early file's own resources: the message tables, a white pointer and the kit's exit and help buttons.
#include "TitleArt.h"

namespace {

// A table line: number, a space, the text in quotes.
std::string line(int number, const std::string& text) { return std::to_string(number) + " \"" + text + "\"\r\n"; }

}  // namespace

TITLE_ART(Global) {
    std::string messages = "// messages\r\nBEGIN\r\n";
    messages += line(3, "Failed to initialize packed shape manager");
    messages += line(4, "Failed to initialize palette manager");
    messages += line(5, "Failed to initialize stream manager");
    messages += line(6, "Failed to open application window");
    messages += line(7, "Waveform device not found, or may be in use by another application. Please quit the other "
                        "application before starting Tottlewick.");
    messages += line(8, "Failed to activate sound window");
    messages += line(9, "Failed to create main window canvas");
    messages += line(10, "Failed to create offscreen canvas");
    messages += line(11, "Failed to create dirty rect list");
    messages += line(20, "Please insert the %s CD-ROM in the CD-ROM drive and press OK.");
    messages += line(21, "Insert Data CD");
    messages += line(100, "Tottlewick");
    messages += line(101, "Resource");
    messages += line(110, "Tottlewick requires at least 16384 KBytes of physical memory.");
    messages += line(1000, "Resource File Not Opened");
    art.put("STR", 1, messages);

    art.putPointer(1);

    constexpr std::uint32_t kExitColour = 0xC04040, kHelpColour = 0x40C040;
    for (int look = 0; look < 3; ++look) {
        art.putButton(std::uint16_t(100 + look), title_layout::kExit, kExitColour, "EXIT", look == 2 ? -1 : look);
        art.putButton(std::uint16_t(120 + look), title_layout::kHelp, kHelpColour, "HELP", look == 2 ? -1 : look);
    }
}

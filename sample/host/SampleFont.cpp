// The sample's bitmap font: each character is 7 rows of 5 columns, '#' for ink.
#include "SampleFont.h"

#include <cctype>

namespace {

constexpr int kColumns = 5;
constexpr int kRows = 7;

struct Character {
    char c;
    const char* rows;  // kRows x kColumns, top row first
};

constexpr Character kFont[] = {
    {'0', " ### #   ##  ### # ###  ##   # ### "}, {'1', "  #   ##    #    #    #    #   ### "},
    {'2', " ### #   #    #   #   #   #   #####"}, {'3', "#####   #   #     #     ##   # ### "},
    {'4', "   #   ##  # # #  # #####   #    # "}, {'5', "######    ####     #    ##   # ### "},
    {'6', "  ##  #   #    #### #   ##   # ### "}, {'7', "#####    #   #   #   #    #    #   "},
    {'8', " ### #   ##   # ### #   ##   # ### "}, {'9', " ### #   ##   # ####    #   #  ##  "},
    {'a', "           ###     # #####   # ####"}, {'b', "#    #    # ## ##  ##   ##   ##### "},
    {'c', "           ### #    #    #   # ### "}, {'d', "    #    # ## ##  ###   ##   # ####"},
    {'e', "           ### #   #######     ### "}, {'f', "  ##  #  # #   ###   #    #    #   "},
    {'g', "      #####   ##   # ####    # ### "}, {'h', "#    #    # ## ##  ##   ##   ##   #"},
    {'i', "  #        ##    #    #    #   ### "}, {'j', "   #        ##    #    # #  #  ##  "},
    {'k', "#    #    #  # # #  ##   # #  #  # "}, {'l', " ##    #    #    #    #    #   ### "},
    {'m', "          ## # # # ## # ##   ##   #"}, {'n', "          # ## ##  ##   ##   ##   #"},
    {'o', "           ### #   ##   ##   # ### "}, {'p', "          #### #   ##### #    #    "},
    {'q', "           ## ##  ## ####    #    #"}, {'r', "          # ## ##  ##    #    #    "},
    {'s', "           ### #     ###     ##### "}, {'t', " #    #   ###   #    #    #  #  ## "},
    {'u', "          #   ##   ##   ##  ## ## #"}, {'v', "          #   ##   ##   # # #   #  "},
    {'w', "          #   ##   ## # ## # # # # "}, {'x', "          #   # # #   #   # # #   #"},
    {'y', "          #   ##   # ####    # ### "}, {'z', "          #####   #   #   #   #####"},
    {'+', "       #    #  #####  #    #       "}, {'-', "               #####               "},
    {'=', "          #####     #####          "}, {'?', " ### #   #    #   #   #         #  "},
};

const char* rowsOf(char c) {
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const Character& known : kFont)
        if (known.c == lower) return known.rows;
    return rowsOf('-');
}

}  // namespace

void drawCharacter(PixelGrid& grid, char c, int left, int top, int width, int height, std::uint8_t colour) {
    const char* rows = rowsOf(c);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (rows[y * kRows / height * kColumns + x * kColumns / width] == '#') grid.set(left + x, top + y, colour);
}

int textWidth(const std::string& text, int scale) {
    return text.empty() ? 0 : static_cast<int>(text.size()) * (kColumns + 1) * scale - scale;
}

int drawText(PixelGrid& grid, const std::string& text, int left, int top, int scale, std::uint8_t colour) {
    for (std::size_t i = 0; i < text.size(); ++i)
        drawCharacter(grid, text[i], left + static_cast<int>(i) * (kColumns + 1) * scale, top, kColumns * scale,
                      kRows * scale, colour);
    return textWidth(text, scale);
}

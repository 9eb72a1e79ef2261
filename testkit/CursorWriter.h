// Writes cursor resources: the image ("CURSOR" type 1) and the group directory (type 12) that names it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct CursorPicture {
    std::uint16_t hotspotX = 0;
    std::uint16_t hotspotY = 0;
    // Rows top first, all of one width: '#' black, '.' white, any other character transparent.
    std::vector<std::string> rows;
};

// The hotspot words, then a one-bit bitmap of twice the height: info header, colours black and white,
// the XOR rows and the AND rows, each bottom-up.
std::string writeCursorImage(const CursorPicture& picture);
// The group directory: reserved 0, type 2, count 1, then one entry {width, height x 2, planes 1,
// bit count 1, image size, image id}.
std::string writeCursorGroup(const CursorPicture& picture, std::uint32_t imageSize, std::uint16_t imageId);

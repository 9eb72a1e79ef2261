// The early resource file of Tottlewick's test runs, "Resource\Global.PRS": the message tables 1 and 2,
// a picture and a sound.
#pragma once

#include <string>
#include <vector>

#include "PrsWriter.h"

// Where the picture's colours sit in its colour table (the palette): red above, blue below.
constexpr int kGlobalRed = 20;
constexpr int kGlobalBlue = 30;
constexpr int kGlobalPictureWidth = 64;
constexpr int kGlobalPictureHeight = 48;
// A text of 'STR' 2 that replaces a built-in default: the failure message of the packed-shape manager.
constexpr const char* kGlobalShapeMessage = "The shapes did not start.";

// 'STR' 1 (product name, message 100) and 2 (message 3), 'DIB' 1 (a 64 x 48 picture, its top half
// index 20 and its bottom half index 30 of a palette of greys with red at 20 and blue at 30), 'AIF' 1
// (a 100 ms tone, 16-bit mono at 22050 Hz).
std::vector<PrsResource> tottlewickGlobalResources();
// Writes folder\Resource\Global.PRS; false when it cannot be written.
bool writeTottlewickGlobal(const std::string& folder);

// The activity kit's shared resources: 'XPK' 1 (the pointer, a 10 x 10 square of index 1), 'XPK' 100-102
// (the exit button, the same square) and 120-122 (the help button, the square 50 pixels to the right),
// 'XMV' 1 (the hover animation, 0.1 s of 'XPK' 1) and 'AIF' 900 (the click, a 0.1 s tone).
std::vector<PrsResource> tottlewickKitResources();
// Writes folder\Resource\Global.PRS with the Global resources and the kit's.
bool writeTottlewickTitle(const std::string& folder);

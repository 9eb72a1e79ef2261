// The sample movie "rsc\intro.smk": where the title shows it and the colours its last frame shows, shared
// by the generator that writes it and the sample's tests.
#pragma once

#include <cstdint>

constexpr const char* kSampleMovie = "intro.smk";
constexpr int kMovieWidth = 160, kMovieHeight = 120, kMovieFrames = 12;
// Where movie.mps places it on the window.
constexpr int kMovieX = 240, kMovieY = 170;
// In the last frame (the palette of frames 6-11): the ground at (20, 20) of the movie and the moving
// square at (100, 60), as 0xRRGGBB.
constexpr int kMovieGroundX = 20, kMovieGroundY = 20, kMovieSquareX = 100, kMovieSquareY = 60;
constexpr std::uint32_t kMovieLastGround = 0xA2CB30;
constexpr std::uint32_t kMovieLastSquare = 0x5120DF;

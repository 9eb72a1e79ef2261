// The test title's resource modules: a 640 x 460 scene picture (entries 100 and 101 on the left and right
// halves) with its palette, a 2 x 2 animation of entry 102, and a sound.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "DescriptorWriter.h"

constexpr std::uint16_t kSceneId = 500;
constexpr std::uint16_t kAnimationId = 12;
constexpr std::uint32_t kLeft = 0x123456;
constexpr std::uint32_t kRight = 0xABCDEF;
constexpr std::uint32_t kAnimation = 0x20C040;

// One frame in a list that holds it.
std::string oneFramePicture(std::int16_t width, std::int16_t height, const std::vector<std::uint8_t>& pixels);
// 256 colours 0x00RRGGBB: entries 100, 101 and 102 as above, the rest black.
std::vector<std::uint32_t> sceneColours();
// The picture module (ASEQ kSceneId and kAnimationId, RRGB kSceneId) and the sound module (WAVE 7).
std::string pictureModule();
std::string soundModule();
// Names the modules ("WaveDLL" twice: the later "sounds.dll" counts), the scene command "start", the exit
// button 4711 and "WinExeName" false; then the commands given.
std::string titleDescriptor(const std::vector<DescriptorCommand>& more = {});

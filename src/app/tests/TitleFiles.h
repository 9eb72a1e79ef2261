// The test title: a 640 x 460 scene picture (entries 100 and 101 on the left and right halves) with its
// palette, a 2 x 2 animation of entry 102 and a sound, in the modules and descriptor of a title folder.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "AseqWriter.h"
#include "DescriptorWriter.h"
#include "Files.h"
#include "NeModuleWriter.h"
#include "WaveWriter.h"

constexpr std::uint16_t kSceneId = 500;
constexpr std::uint32_t kLeft = 0x123456;
constexpr std::uint32_t kRight = 0xABCDEF;
constexpr std::uint32_t kAnimation = 0x20C040;
// A 40 x 40 picture of entry 102, large enough to be pressed and dragged.
constexpr std::int16_t kTilePicture = 7100;

// ASEQ kSceneId, 12 (the animation), kTilePicture and the slider pictures 9666-9668 (as 12), each one frame
// in a list that holds it (hold -4, frame 0, end -1);
// RRGB kSceneId: entries 100, 101 and 102 as above, the rest black. More ASEQ resources may be given.
inline std::string pictureModule(const std::vector<NeResource>& moreAnimations = {}) {
    const auto oneFrame = [](std::int16_t width, std::int16_t height, const std::vector<std::uint8_t>& pixels) {
        AseqPicture p;
        p.sequences = {{{0, 0, -4, 0}, {0, 0, 0, 0}, {0, 0, -1, 0}}};
        p.frames = {{width, height, pixels, {}}};
        return writeAseq(p, ByteOrder::big);
    };
    std::vector<std::uint8_t> scene(640 * 460);
    for (std::size_t i = 0; i < scene.size(); ++i) scene[i] = i % 640 < 320 ? 100 : 101;
    std::vector<std::uint32_t> colours(256, 0);
    colours[100] = kLeft, colours[101] = kRight, colours[102] = kAnimation;
    NeModule module;
    module.types.push_back(
        {0, "ASEQ", {{kSceneId, oneFrame(640, 460, scene)}, {12, oneFrame(2, 2, {102, 102, 102, 102})},
                      {9666, oneFrame(2, 2, {102, 102, 102, 102})}, {9667, oneFrame(2, 2, {102, 102, 102, 102})},
                      {9668, oneFrame(2, 2, {102, 102, 102, 102})},
                      {kTilePicture, oneFrame(40, 40, std::vector<std::uint8_t>(40 * 40, 102))}}});
    module.types.back().resources.insert(module.types.back().resources.end(), moreAnimations.begin(),
                                         moreAnimations.end());
    module.types.push_back({0, "RRGB", {{kSceneId, writeRrgb(colours)}}});
    return writeNeModule(module).bytes;
}

// Names the modules ("WaveDLL" twice: the later "sounds.dll" counts), the scene command "start", the exit
// button 4711 and "WinExeName" false; then the commands given.
inline std::string titleDescriptor(const std::vector<DescriptorCommand>& more = {}) {
    std::vector<DescriptorCommand> commands{{"WaveDLL", {"early.dll"}},   {"AODLL", {"pictures.dll"}},
                                            {"WaveDLL", {"sounds.dll"}},  {"start", {std::to_string(kSceneId)}},
                                            {"ExitButton", {"4711"}},     {"WinExeName", {"false"}}};
    commands.insert(commands.end(), more.begin(), more.end());
    return writeDescriptor(commands);
}

// The descriptor, "PRsc\pictures.dll" and "PRsc\sounds.dll" (WAVE 7) in `folder`.
inline void writeTitle(const std::string& folder) {
    CreateDirectoryA((folder + "\\PRsc").c_str(), nullptr);
    writeWholeFile(folder + "\\PLSDescriptor.txt", titleDescriptor());
    writeWholeFile(folder + "\\PRsc\\pictures.dll", pictureModule());
    WaveSound sound;
    sound.samples = std::string(64, '\x80');
    NeModule sounds;
    sounds.types.push_back({0, "WAVE", {{7, writeWave(sound)}}});
    writeWholeFile(folder + "\\PRsc\\sounds.dll", writeNeModule(sounds).bytes);
}

// The test title's resource modules, written with the testkit writers.
#include "TitleFiles.h"

#include "AseqWriter.h"
#include "DescriptorWriter.h"
#include "NeModuleWriter.h"
#include "WaveWriter.h"

// The list: hold (-4), frame 0, end (-1).
std::string oneFramePicture(std::int16_t width, std::int16_t height, const std::vector<std::uint8_t>& pixels) {
    AseqPicture p;
    p.sequences = {{{0, 0, -4, 0}, {0, 0, 0, 0}, {0, 0, -1, 0}}};
    p.frames = {{width, height, pixels, {}}};
    return writeAseq(p, ByteOrder::big);
}

namespace {

std::string scenePicture() {
    std::vector<std::uint8_t> pixels;
    for (int y = 0; y < 460; ++y)
        for (int x = 0; x < 640; ++x) pixels.push_back(x < 320 ? 100 : 101);
    return oneFramePicture(640, 460, pixels);
}

}  // namespace

std::vector<std::uint32_t> sceneColours() {
    std::vector<std::uint32_t> colors(256, 0);
    colors[100] = kLeft;
    colors[101] = kRight;
    colors[102] = kAnimation;
    return colors;
}

std::string pictureModule() {
    NeModule module;
    module.types.push_back({0, "ASEQ", {{kSceneId, scenePicture()}, {kAnimationId, oneFramePicture(2, 2, {102, 102, 102, 102})}}});
    module.types.push_back({0, "RRGB", {{kSceneId, writeRrgb(sceneColours())}}});
    return writeNeModule(module).bytes;
}

std::string soundModule() {
    WaveSound sound;
    sound.samples = std::string(64, '\x80');
    NeModule module;
    module.types.push_back({0, "WAVE", {{7, writeWave(sound)}}});
    return writeNeModule(module).bytes;
}


std::string titleDescriptor(const std::vector<DescriptorCommand>& more) {
    std::vector<DescriptorCommand> commands{{"WaveDLL", {"early.dll"}},
                                            {"AODLL", {"pictures.dll"}},
                                            {"WaveDLL", {"sounds.dll"}},
                                            {"start", {std::to_string(kSceneId)}},
                                            {"ExitButton", {"4711"}},
                                            {"WinExeName", {"false"}}};
    commands.insert(commands.end(), more.begin(), more.end());
    return writeDescriptor(commands);
}

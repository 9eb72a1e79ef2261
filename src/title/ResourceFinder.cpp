// The resource finder over the picture and sound modules.
#include "ResourceFinder.h"

#include <cstring>
#include <string>

#include "DescriptorFile.h"
#include "OMIStreamDLL16.h"

namespace {

struct ModulePaths {
    std::string picture;
    std::string sound;
};

const ModulePaths& modulePaths() {
    static const ModulePaths paths = [] {
        const DescriptorFile* descriptor = currentDescriptorFile();
        const std::string folder = "PRsc\\";
        if (!descriptor) return ModulePaths{folder, folder};
        return ModulePaths{folder + descriptor->stringParam("AODLL", 1), folder + descriptor->stringParam("WaveDLL", 1)};
    }();
    return paths;
}

std::string& pictureOverride() {
    static std::string path;
    return path;
}

}  // namespace

void setPictureModuleOverride(const char* path) { pictureOverride() = path ? path : ""; }

const char* pictureModulePath() { return modulePaths().picture.c_str(); }
const char* soundModulePath() { return modulePaths().sound.c_str(); }

OMIStream* findResource(std::uint16_t id, const char* type) {
    const char* module = nullptr;
    if (std::strcmp(type, "ASEQ") == 0 || std::strcmp(type, "RRGB") == 0) {
        module = pictureOverride().empty() ? pictureModulePath() : pictureOverride().c_str();
    } else if (std::strcmp(type, "WAVE") == 0) {
        module = soundModulePath();
    }
    if (!module) return nullptr;
    return new OMIStreamDLL16(static_cast<std::int16_t>(id), type, module, kStreamWhole, nullptr);
}

OMIStream* findAnimationResource(std::int16_t id) { return findResource(static_cast<std::uint16_t>(id), "ASEQ"); }
OMIStream* findSoundResource(std::int16_t id) { return findResource(static_cast<std::uint16_t>(id), "WAVE"); }
OMIStream* findSoundActionResource(std::uint16_t id, std::int32_t) { return findResource(id, "WAVE"); }
OMIStream* findFontResource(std::uint16_t) { return nullptr; }

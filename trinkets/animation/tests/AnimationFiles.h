// Animation test data as temporary files: streams over bytes, and animations, sounds and palettes served by id.
#pragma once

#include <map>
#include <string>

#include "Files.h"
#include "OMAnimation.h"
#include "OMIStreamFile.h"
#include "TempFolder.h"

class AnimationFiles {
public:
    ~AnimationFiles() {
        OMAnimation::animationHook = OMAnimation::soundHook = OMAnimation::paletteHook = nullptr;
        for (Served& s : served) s = {};
    }
    // A stream over the bytes, for its user to delete.
    OMIStream* stream(const std::string& bytes) { return new OMIStreamFile(file(bytes).c_str(), kStreamWhole, nullptr); }
    void animation(std::int16_t id, const std::string& bytes) { OMAnimation::animationHook = serve<0>(id, bytes); }
    void sound(std::int16_t id, const std::string& bytes) { OMAnimation::soundHook = serve<1>(id, bytes); }
    void palette(std::int16_t id, const std::string& bytes) { OMAnimation::paletteHook = serve<2>(id, bytes); }
    static int soundLookUps() { return served[1].lookUps; }
    TempFolder folder;

private:
    struct Served { std::map<std::int16_t, std::string> files; int lookUps; };
    std::string file(const std::string& bytes) {
        const std::string path = folder.file("data" + std::to_string(++files));
        writeWholeFile(path, bytes);
        return path;
    }
    template <int kKind>
    OMAnimation::StreamHook serve(std::int16_t id, const std::string& bytes) {
        served[kKind].files[id] = file(bytes);
        return [](std::int16_t wanted) -> OMIStream* {
            ++served[kKind].lookUps;
            const auto found = served[kKind].files.find(wanted);
            return found == served[kKind].files.end() ? nullptr : new OMIStreamFile(found->second.c_str(), kStreamWhole, nullptr);
        };
    }
    static inline Served served[3];
    int files = 0;
};

// The resource finder: a resource id and a four-letter type give a stream inside one of the two 16-bit
// modules under "PRsc\" that the descriptor commands "AODLL" (ASEQ, RRGB) and "WaveDLL" (WAVE) name; and
// the wrappers that hand it to the classes that load pictures, sounds and fonts.
#pragma once

#include <cstdint>

class OMIStream;

// A new stream over the resource (the caller owns it), or null for any type but ASEQ, RRGB and WAVE.
// Whether the resource exists shows when the stream is read.
OMIStream* findResource(std::uint16_t id, const char* type);
// The two module paths, built from the current descriptor file on the first request and kept after it.
const char* pictureModulePath();
const char* soundModulePath();
// While set (not null), ASEQ and RRGB come from this module instead of the picture module.
void setPictureModuleOverride(const char* path);

OMIStream* findAnimationResource(std::int16_t id);
OMIStream* findSoundResource(std::int16_t id);
// The sound-action look-up: the second argument is not used.
OMIStream* findSoundActionResource(std::uint16_t id, std::int32_t unused);
// Fonts are not served by the finder: always null.
OMIStream* findFontResource(std::uint16_t id);

// The sound switches and the store that mirrors them.
#include "SoundFlags.h"

#include <string>

#include "RDatFile.h"
#include "UserData.h"

namespace {

RDatFile* registeredStore = nullptr;

void setFlag(std::int16_t& flag, const char* variable, std::int16_t value) {
    flag = value;
    if (registeredStore) registeredStore->setVariable(variable, std::to_string(value).c_str());
}

}  // namespace

std::int16_t sfxFlag() { return userData().sfx; }
std::int16_t musicFlag() { return userData().music; }
std::int16_t voiceFlag() { return userData().voice; }
void setSfxFlag(std::int16_t value) { setFlag(userData().sfx, "sfxFlag", value); }
void setMusicFlag(std::int16_t value) { setFlag(userData().music, "musicFlag", value); }
void setVoiceFlag(std::int16_t value) { setFlag(userData().voice, "voiceFlag", value); }

void registerSoundFlagStore(RDatFile* store) { registeredStore = store; }

void forgetSoundFlagStore(const RDatFile* store) {
    if (registeredStore == store) registeredStore = nullptr;
}

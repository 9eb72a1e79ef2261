// The three sound switches of the user data block, as the sound dialog reads and sets them; a setter
// also updates the variable of the store that "registerUser" named.
#pragma once

#include <cstdint>

class RDatFile;

std::int16_t sfxFlag();
std::int16_t musicFlag();
std::int16_t voiceFlag();
void setSfxFlag(std::int16_t value);
void setMusicFlag(std::int16_t value);
void setVoiceFlag(std::int16_t value);

// The store that the setters update (the last one registered wins); a dying store forgets itself.
void registerSoundFlagStore(RDatFile* store);
void forgetSoundFlagStore(const RDatFile* store);

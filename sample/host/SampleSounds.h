// The sample title's synthesized sounds: 8-bit mono PCM at 11025 Hz as RIFF WAVE files.
#pragma once

#include <string>

constexpr unsigned kSampleRate = 11025;

// 30 ms of decaying noise.
std::string clickSound();
// 400 ms of two bell tones, 880 and 1320 Hz, dying away.
std::string chimeSound();
// Five voiced syllables of 250 ms, each followed by 125 ms of silence (1.875 s: one syllable for every
// three entries of the character's speech at 8 frames a second).
std::string greetingSpeech();
// The racing game's sounds: the three spoken introductions (13198-13200) last 12 s, so that the road has
// started before the first problem even where the sound device takes output faster than it plays (Wine's
// null device); every other id a 400 ms tone whose pitch follows the id.
std::string racingSound(unsigned id);
// The assessment race's sounds: its speeches (kRaceSpeeches) 600 ms of voice, the horn and its effects
// 300 ms tones whose pitch follows the id.
std::string raceSound(unsigned id);

// The sounds of QUOMB_32's exit dialog, synthesized as short 8-bit mono RIFF WAVE files at 11025 Hz.
#pragma once

#include <string>

// WAVE 6094 (the dialog opens: a rising two-note chime), 6097 and 6098 (leaving: a falling pair, a low
// and a high variant) and 6099 (staying: a short single note).
std::string exitDialogSound(int id);

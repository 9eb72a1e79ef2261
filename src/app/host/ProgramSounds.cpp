// Exit-dialog sounds as sine notes with a short fade at each end.
#include "ProgramSounds.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "WaveWriter.h"

namespace {

constexpr double kRate = 11025;
constexpr double kPi = 3.14159265358979323846;

// Notes of (frequency in Hz, length in seconds), one after another.
std::string notes(const std::vector<std::pair<double, double>>& list) {
    WaveSound sound;
    for (const auto& [frequency, seconds] : list) {
        const int count = static_cast<int>(seconds * kRate);
        for (int i = 0; i < count; ++i) {
            const double fade = std::min(1.0, std::min(i, count - i) / 200.0);
            const double level = 100 * fade * std::sin(2 * kPi * frequency * i / kRate);
            sound.samples += static_cast<char>(128 + static_cast<int>(level));
        }
    }
    return writeWave(sound);
}

}  // namespace

std::string exitDialogSound(int id) {
    switch (id) {
    case 6094: return notes({{660, 0.12}, {880, 0.18}});
    case 6097: return notes({{784, 0.12}, {523, 0.2}});
    case 6098: return notes({{988, 0.12}, {659, 0.2}});
    default: return notes({{587, 0.15}});
    }
}

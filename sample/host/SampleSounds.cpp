// Sound synthesis: each sound is a function of time in seconds giving a level in -1..1.
#include "SampleSounds.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>

#include "WaveWriter.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

std::string render(double seconds, const std::function<double(double)>& level) {
    WaveSound sound;
    sound.sampleRate = kSampleRate;
    const auto count = static_cast<std::size_t>(seconds * kSampleRate);
    for (std::size_t i = 0; i < count; ++i) {
        const double v = std::max(-1.0, std::min(1.0, level(static_cast<double>(i) / kSampleRate)));
        sound.samples += static_cast<char>(static_cast<std::uint8_t>(std::lround(128 + 127 * v)));
    }
    return writeWave(sound);
}

double tone(double hz, double t) { return std::sin(2 * kPi * hz * t); }

// A voice at pitch hz whose harmonics are weighted by two formant peaks.
double voice(double hz, double formant1, double formant2, double t) {
    double sum = 0;
    for (int h = 1; h <= 12; ++h) {
        const double f = h * hz;
        const double a =
            std::exp(-std::pow((f - formant1) / 250, 2)) + 0.5 * std::exp(-std::pow((f - formant2) / 400, 2));
        sum += a * tone(f, t);
    }
    return 0.4 * sum;
}

}  // namespace

std::string clickSound() {
    std::uint32_t state = 1;
    return render(0.03, [&state](double t) {
        state = state * 1103515245u + 12345u;
        const double noise = static_cast<double>(state >> 16 & 0x7FFF) / 16384.0 - 1.0;
        return noise * std::exp(-t * 150);
    });
}

std::string chimeSound() {
    return render(0.4, [](double t) { return (0.6 * tone(880, t) + 0.3 * tone(1320, t)) * std::exp(-t * 8); });
}

std::string greetingSpeech() {
    // First and second formants of the five vowels, one per syllable.
    static const double kFormants[5][2] = {{700, 1200}, {400, 2000}, {300, 2300}, {500, 900}, {650, 1700}};
    return render(1.875, [](double t) {
        const int syllable = static_cast<int>(t / 0.375);
        const double within = t - syllable * 0.375;
        if (syllable > 4 || within >= 0.25) return 0.0;
        const double pitch = 190 - 30 * t;
        return std::sin(kPi * within / 0.25) * voice(pitch, kFormants[syllable][0], kFormants[syllable][1], t);
    });
}

std::string racingSound(unsigned id) {
    if (id >= 13198 && id <= 13200)
        return render(12.0, [](double t) { return voice(140, 600, 1500, t) * (std::fmod(t, 0.4) < 0.3 ? 1 : 0); });
    const double hz = 300 + (id % 100) * 12;
    return render(0.4, [hz](double t) { return 0.6 * tone(hz, t) * std::exp(-t * 4); });
}

std::string raceSound(unsigned id) {
    if (id >= 6110 && id <= 6123)
        return render(0.6, [id](double t) { return voice(150 + (id % 10) * 8, 600, 1500, t) * (std::fmod(t, 0.2) < 0.15 ? 1 : 0); });
    const double hz = 400 + (id % 100) * 40;
    return render(0.3, [hz](double t) { return 0.6 * tone(hz, t) * std::exp(-t * 6); });
}
